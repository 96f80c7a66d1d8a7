#pragma once
// Small helpers shared by the core tests.
#include <string>

#include "engine/aligner.h"
#include "engine/rna_structure.h"

namespace zenphal::testing {

// Sanitizer and unoptimised builds run the same checks on less input.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
inline constexpr bool kSlowBuild = true;
#else
inline constexpr bool kSlowBuild = false;
#endif

// Aligns two structures at (x, y) and returns the record.
inline CAlignment AlignAt(const CRnaStructure& a, const CRnaStructure& b, float match, float indel, float x,
                          float y, double* score = nullptr) {
  CAligner aligner(a, b, match, indel);
  aligner.SetPoint(x, y);
  CAlignment record;
  aligner.Compute(record);
  if (score) *score = aligner.ScoreOf(record);
  return record;
}

inline std::string Top(const CAlignment& r) { return r.rows.TopInReadingOrder(); }
inline std::string Bottom(const CAlignment& r) { return r.rows.BottomInReadingOrder(); }

}  // namespace zenphal::testing
