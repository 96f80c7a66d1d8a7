#include "computation/computation.h"

namespace zenphal {
namespace {

ComputationInput Checked(ComputationInput input) {
  CheckRanges(input);
  CheckReference(input);
  return input;
}

CRnaStructure BuildStructure(InputField field, const std::string& label, const std::string& bases,
                             const std::string& stems) {
  if (bases.empty()) throw FieldError(field, label + ": the structure has no bases");
  try {
    return CRnaStructure(bases, stems);
  } catch (const InputError& e) {
    throw FieldError(field, label + ": " + e.what());
  }
}

}  // namespace

Computation::Computation(ComputationInput input)
    : input_(Checked(std::move(input))),
      first_(BuildStructure(InputField::kRna1, input_.label1, input_.bases1, input_.stems1)),
      second_(BuildStructure(InputField::kRna2, input_.label2, input_.bases2, input_.stems2)),
      aligner_(first_, second_, input_.match, input_.indel) {
  decomposition_.Init(input_.mismatchFrom, input_.mismatchTo, input_.gapFrom, input_.gapTo);
  decomposition_.SetAligner(&aligner_);
}

void Computation::Run(const RunOptions& options) {
  hasRun_ = false;
  if (options.alignerThreads > 0) aligner_.SetThreadCount(options.alignerThreads);
  decomposition_.SetProgressFactory(options.progress);
  try {
    decomposition_.Run();
  } catch (...) {
    decomposition_.SetProgressFactory(nullptr);
    throw;
  }
  decomposition_.SetProgressFactory(nullptr);
  hasRun_ = true;
}

void Computation::Run() { Run(RunOptions{}); }

PointResult Computation::AlignAt(float x, float y) {
  PointResult result;
  result.x = x;
  result.y = y;
  aligner_.SetPoint(x, y);
  aligner_.Compute(result.record);
  result.score = aligner_.ScoreOf(result.record);
  return result;
}

}  // namespace zenphal
