#pragma once
// One computation's input and the objects built from it: two structures, the
// aligner over them and a decomposition of the score rectangle, ready to run.
#include <memory>
#include <string>

#include "decomposition/decomposition.h"
#include "engine/aligner.h"
#include "engine/rna_structure.h"

namespace zenphal {

// What the dialogs yield and what a stored document holds: both structures'
// base and stem texts and the six scores.
struct ComputationInput {
  std::string bases1;
  std::string stems1;
  std::string bases2;
  std::string stems2;
  float match = 1.0f;
  float indel = 0.5f;
  float mismatchFrom = 0.0f;
  float mismatchTo = 2.0f;
  float gapFrom = 0.0f;
  float gapTo = 2.0f;

  bool operator==(const ComputationInput&) const = default;
};

// The structures and the aligner live on the heap so that moving the
// computation into a document keeps the aligner's references and the
// decomposition's aligner pointer valid.
struct CComputation {
  ComputationInput input;
  std::unique_ptr<CRnaStructure> structure1;
  std::unique_ptr<CRnaStructure> structure2;
  std::unique_ptr<CAligner> aligner;
  CDecomposition decomposition;  // initialised over the rectangle, not yet run
};

// Builds everything the run needs, or throws InputError with a message for
// the user: a structure without bases or with a stem text the engine refuses
// (prefixed "RNA1: " or "RNA2: "), structures too long to align together,
// tables that cannot be allocated, or a rectangle that cannot be decomposed.
std::unique_ptr<CComputation> BuildComputation(const ComputationInput& input);

}  // namespace zenphal
