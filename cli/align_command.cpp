#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/operands.h"
#include "engine/aligner.h"
#include "formats/read_structure.h"
#include "text/reports.h"

namespace zenphal::cli {

int RunAlign(const AlignOptions& o) {
  const float match = ReadScoreOption("--match", o.match);
  const float indel = ReadScoreOption("--indel", o.indel);
  const auto [x, y] = ReadScorePair("--at", o.at);
  const auto [first, second] = LoadStructurePair(o.rna1, o.rna2, o.format);

  CAligner aligner(first, second, match, indel);
  aligner.SetPoint(x, y);
  CAlignment record;
  aligner.Compute(record);

  if (!o.json) {
    WriteStdout(PointReport(match, indel, x, y, record));
    return 0;
  }
  nlohmann::ordered_json out;
  out["score"] = aligner.ScoreOf(record);
  out["counts"] = CountsJson(record);
  out["top"] = record.rows.TopInReadingOrder();
  out["bottom"] = record.rows.BottomInReadingOrder();
  WriteStdout(out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n");
  return 0;
}

}  // namespace zenphal::cli
