#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/operands.h"
#include "cli/picture_output.h"
#include "decomposition/decomposition.h"
#include "engine/aligner.h"
#include "engine/errors.h"
#include "formats/read_structure.h"
#include "text/reports.h"
#include "text/score_text.h"

namespace zenphal::cli {
namespace {

// A progress line on stderr, redrawn in place.
class TerminalProgress : public Progress {
 public:
  void Show() override { Draw(0, 0); }
  void SetPosition(int percent, int polygons) override { Draw(percent, polygons); }
  void End() override { std::fputs("\r\033[K", stderr); }

 private:
  static void Draw(int percent, int polygons) {
    std::fprintf(stderr, "\r\033[Kdecomposing: %3d%%, %d polygons found", percent, polygons);
    std::fflush(stderr);
  }
};

nlohmann::ordered_json DecompositionJson(const CDecomposition& d, float match, float indel) {
  nlohmann::ordered_json out;
  out["match"] = ShortestDecimalOf(match);
  out["indel"] = ShortestDecimalOf(indel);
  out["mismatch_range"] = {ShortestDecimalOf(d.mismatchFrom), ShortestDecimalOf(d.mismatchTo)};
  out["gap_range"] = {ShortestDecimalOf(d.gapFrom), ShortestDecimalOf(d.gapTo)};
  out["aligner_calls"] = d.AlignerCalls();
  out["incomplete"] = d.Incomplete();
  nlohmann::ordered_json polygons = nlohmann::ordered_json::array();
  for (int i = 0; i < d.PolygonCount(); ++i) {
    const CAlignment& p = d.Polygon(i);
    nlohmann::ordered_json polygon;
    polygon["counts"] = CountsJson(p);
    polygon["top"] = p.rows.TopInReadingOrder();
    polygon["bottom"] = p.rows.BottomInReadingOrder();
    polygon["witness"] = {ShortestDecimalOf(p.witness.x), ShortestDecimalOf(p.witness.y)};
    polygon["side_flags"] = {p.sideFlags[0], p.sideFlags[1], p.sideFlags[2], p.sideFlags[3]};
    nlohmann::ordered_json edges = nlohmann::ordered_json::array();
    for (const Edge& e : p.edges) edges.push_back({ShortestDecimalOf(e.x1), ShortestDecimalOf(e.y1), ShortestDecimalOf(e.x2), ShortestDecimalOf(e.y2)});
    polygon["edges"] = std::move(edges);
    polygons.push_back(std::move(polygon));
  }
  out["polygons"] = std::move(polygons);
  return out;
}

}  // namespace

int RunDecompose(const DecomposeOptions& o) {
  const float match = ReadScoreOption("--match", o.match);
  const float indel = ReadScoreOption("--indel", o.indel);
  const auto [mismatchFrom, mismatchTo] = ReadScorePair("--mismatch", o.mismatch);
  const auto [gapFrom, gapTo] = ReadScorePair("--gap", o.gap);
  if (auto problem = RectangleProblem(mismatchFrom, mismatchTo, gapFrom, gapTo)) throw InputError(*problem);
  if (o.labels && o.svgFile.empty() && o.pngFile.empty()) {
    throw InputError("--label: the labels go on a picture; give --svg FILE or --png FILE as well");
  }
  // Two outputs in one file would leave a mix of both, or only the last.
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--report", &o.reportFile}, {"--json", &o.jsonFile}, {"--svg", &o.svgFile}, {"--png", &o.pngFile}};
  for (size_t i = 0; i < std::size(outputs); ++i) {
    for (size_t j = i + 1; j < std::size(outputs); ++j) {
      if (!outputs[i].second->empty() && *outputs[i].second == *outputs[j].second) {
        throw InputError(std::string(outputs[i].first) + " and " + outputs[j].first + " name the same file, " +
                         *outputs[i].second + "; give each output a file of its own");
      }
    }
  }
  const auto [first, second] = LoadStructurePair(o.rna1, o.rna2, o.format);

  CAligner aligner(first, second, match, indel);
  CDecomposition decomposition;
  decomposition.Init(mismatchFrom, mismatchTo, gapFrom, gapTo);
  decomposition.SetAligner(&aligner);
  if (!o.quiet && isatty(STDERR_FILENO)) {
    decomposition.SetProgressFactory([] { return std::make_unique<TerminalProgress>(); });
  }
  decomposition.Run();
  if (decomposition.Incomplete()) {
    std::cerr << "zenphal-cli: warning: the search hit one of its loop bounds; the decomposition may be "
                 "incomplete\n";
  }

  const std::string report = AllAlignmentsReport(first, second, match, indel, decomposition);
  if (!o.jsonFile.empty()) {
    WriteFile(o.jsonFile,
              DecompositionJson(decomposition, match, indel)
                      .dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) +
                  "\n");
  }
  WriteDecompositionPictures(decomposition, o.svgFile, o.pngFile, o.labels);
  if (!o.reportFile.empty()) {
    WriteFile(o.reportFile, report);
  } else {
    WriteStdout(report);
  }
  return 0;
}

}  // namespace zenphal::cli
