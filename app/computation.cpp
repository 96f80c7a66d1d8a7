#include "app/computation.h"

#include "engine/errors.h"

namespace zenphal {
namespace {

std::unique_ptr<CRnaStructure> BuildStructure(int number, const std::string& bases, const std::string& stems) {
  const std::string label = "RNA" + std::to_string(number) + ": ";
  if (bases.empty()) throw InputError(label + "the structure has no bases");
  try {
    return std::make_unique<CRnaStructure>(bases, stems);
  } catch (const InputError& e) {
    throw InputError(label + e.what());
  }
}

}  // namespace

std::unique_ptr<CComputation> BuildComputation(const ComputationInput& input) {
  if (auto problem = RectangleProblem(input.mismatchFrom, input.mismatchTo, input.gapFrom, input.gapTo)) {
    throw InputError(*problem);
  }
  auto c = std::make_unique<CComputation>();
  c->input = input;
  c->structure1 = BuildStructure(1, input.bases1, input.stems1);
  c->structure2 = BuildStructure(2, input.bases2, input.stems2);
  c->aligner = std::make_unique<CAligner>(*c->structure1, *c->structure2, input.match, input.indel);
  c->decomposition.Init(input.mismatchFrom, input.mismatchTo, input.gapFrom, input.gapTo);
  c->decomposition.SetAligner(c->aligner.get());
  return c;
}

}  // namespace zenphal
