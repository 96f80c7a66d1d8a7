#include "cli/commands.h"
#include "cli/interrupts.h"
#include "computation/computation.h"
#include "computation/outputs.h"

namespace zenphal::cli {

int RunAlign(const AlignOptions& o) {
  const auto [xText, yText] = SplitPair(InputField::kPointMismatch, o.at);
  const float x = ReadScore(InputField::kPointMismatch, xText);
  const float y = ReadScore(InputField::kPointGap, yText);
  Computation computation(ReadInput(o.input));
  computation.SetCancelFlag(InterruptFlag());
  const PointResult point = computation.AlignAt(x, y);
  WriteStdout(o.json ? PointJsonText(point) : PointReportText(computation, point));
  return 0;
}

}  // namespace zenphal::cli
