#pragma once
// One computation: two structures, the aligner over them and the
// decomposition of the score rectangle, built from a checked input. Both
// front ends (and the Python module) go through this and nothing below it.
#include <memory>

#include "computation/input.h"
#include "decomposition/decomposition.h"
#include "engine/aligner.h"
#include "engine/alignment.h"
#include "engine/rna_structure.h"

namespace zenphal {

// The optimal alignment at one point of a query.
struct PointResult {
  float x = 0.0f;  // the point as asked for (the aligner takes negative
  float y = 0.0f;  // values as 0)
  CAlignment record;
  double score = 0.0;  // of record at the point
};

// Not copyable or movable: the aligner refers to the structures and the
// decomposition to the aligner. Hold it by std::unique_ptr to pass it on.
class Computation {
 public:
  // Checks the ranges (CheckRanges) and builds the structures and the
  // aligner. Throws FieldError (kRna1 or kRna2, the message prefixed with the
  // structure's label) for a structure without bases or with stems the
  // engine refuses, and InputError for structures too long to align together,
  // tables that cannot be allocated, or a reference alignment that does not
  // align the two structures (CheckReference). The ranges of an input used only for
  // point queries must still be sound (the defaults are).
  explicit Computation(ComputationInput input);
  Computation(const Computation&) = delete;
  Computation& operator=(const Computation&) = delete;

  const ComputationInput& Input() const { return input_; }
  const CRnaStructure& First() const { return first_; }
  const CRnaStructure& Second() const { return second_; }
  CAligner& Aligner() { return aligner_; }
  const CAligner& Aligner() const { return aligner_; }
  const CDecomposition& Decomposition() const { return decomposition_; }

  // A flag that stops Run and AlignAt with Cancelled, checked between probes
  // and inside long aligner calls; nullptr (the default) for none. Not owned.
  // A cancelled run leaves the computation without a result (HasRun false).
  void SetCancelFlag(const CancelFlag* flag) { aligner_.SetCancelFlag(flag); }

  struct RunOptions {
    ProgressFactory progress;  // none by default
    // Threads of the aligner's Compute (CAligner::SetThreadCount); 0 leaves
    // the aligner's own choice. Runs side by side want 1 each.
    int alignerThreads = 0;
  };
  // Decomposes the rectangle; replaces an earlier run's polygons. Passes on
  // what the search and the aligner throw. Not re-entrant.
  void Run(const RunOptions& options);
  void Run();  // with the default options
  bool HasRun() const { return hasRun_; }

  // The optimal alignment at (x, y). Uses the aligner: not while Run runs.
  PointResult AlignAt(float x, float y);

 private:
  ComputationInput input_;
  CRnaStructure first_;
  CRnaStructure second_;
  CAligner aligner_;
  CDecomposition decomposition_;
  bool hasRun_ = false;
};

}  // namespace zenphal
