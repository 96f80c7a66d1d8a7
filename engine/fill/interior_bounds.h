#pragma once
// Upper bounds on the interior scores of the pairs of pairs at a point, so
// that the fill can stand them in for interiors it has not computed.
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/rna_structure.h"

namespace zenphal {

struct PointScores;

// An interior score V(x, y) is the best of the alignments' scores, each a
// linear function of (x, y) with non-positive slopes: V is convex and
// non-increasing in x and in y. So an upper bound at a point follows from
// the interior's lengths alone, from scores known at points below and to
// the left of it, and from scores known at the corners of a triangle around
// it.
//
// The fill rounds each stored value to 32 bits, so the value it computes
// differs from the real-valued optimum by at most (about) one rounding per
// column, each at most 2^-24 of the largest score magnitude along the way.
// Every bound here covers that twice (once for a known score, once for the
// bounded one), then rounds up to 32 bits: no bound is ever below the value
// the fill would compute.
class InteriorBounds {
 public:
  InteriorBounds(const CRnaStructure& first, const CRnaStructure& second);

  // Whether the bounds hold for these scores: finite, and small enough that
  // the rounding margins stay meaningful.
  static bool Usable(const PointScores& scores);

  // bounds[entry] for every pair-of-pairs entry (first pair x second
  // pairCount + second pair). Cost: O(entries).
  void Bound(const PointScores& scores, float* bounds) const;

  // The rounding margin of an interior of lengths l1 and l2 at the point.
  static double Margin(const PointScores& scores, int l1, int l2);
  // v as the least float at or above it: a bound stays a bound in 32 bits.
  static float RoundUp(double v);

  // Upper bound from the lengths alone: every aligned column scores at most
  // max(match, -x), the rest are gap columns in at least one gap per
  // structure with bases left over.
  static double LengthBound(const PointScores& scores, int l1, int l2);

  // The two interiors' lengths of an entry.
  std::pair<int, int> Lengths(size_t entry) const {
    return {length1_[entry / length2_.size()], length2_[entry % length2_.size()]};
  }

 private:
  std::vector<int> length1_;  // interior length by pair number
  std::vector<int> length2_;
};

}  // namespace zenphal
