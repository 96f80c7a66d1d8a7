#pragma once
// Upper bounds on interior scores at a single point, from the scores of the
// interiors nested in them: what lets one Compute certify interiors on
// demand without a lattice of points (see NestingBounds).
#include <cstdint>
#include <vector>

#include "engine/fill/interior_bounds.h"
#include "engine/rna_structure.h"

namespace zenphal {

struct PointScores;

// The link of a pair p: the one pair c inside its interior X such that the
// rest of X (the bases from p's left end to c's left end, P, and from c's
// right end to p's right end, S, c's ends included) holds no other pair and
// no base paired into c's interior X'. Stems, bulges and interior loops are
// links; a hairpin or a multiloop has none.
//
// Removing P and S from an alignment of X with Y (and likewise P', S' of the
// second structure's link, or nothing) leaves an alignment of X' with Y'
// that scores at most
//   D = E(|P|, |P'|) + E(|S|, |S'|)            (no removed base of one end
//                                               aligned with the other's)
// less, where E(a, b) is the most an end can lose: with c = max(match, -x)
// + 2 indel, E = -(a + b) indel + max(0, c min(a, b), c + y, c max(a, b) + y)
// (the last two only when a or b > 0). At one end only one structure's
// removed bases can stand over kept ones (each such column at most
// max(match, -x) + indel, and all of them one new gap), the other's are in
// gap columns (each gains indel) or over removed ones; removing columns
// never adds a gap. If instead removed bases of P stand over S' (or P' over
// S), X' and Y' are aligned with none of each other, X' with Y' scores at
// least -(|X'| + |Y'|) indel - 2y, and at most |P| + |S'| columns are
// aligned: D = max(0, c)(|P| + |S'|) - (r + r') indel + 2y.
// So V(p, q) <= V(link p, link q) + D, and likewise with one link; the
// bounds follow these chains down to the entries whose pairs have no link
// (the bottoms), which the caller computes. Each fill value is within the
// rounding margin of InteriorBounds of the real-valued score, so the chains
// run on real-valued bounds, with one margin at each end.
//
// Valid for y >= 0 (which PointAligner guarantees) and any match, indel and
// x >= 0.
class NestingBounds {
 public:
  NestingBounds(const CRnaStructure& first, const CRnaStructure& second);

  // Whether neither pair of entry (p, q) has a link.
  bool Bottom(int p, int q) const {
    return link1_[static_cast<size_t>(p)].pair < 0 && link2_[static_cast<size_t>(q)].pair < 0;
  }

  // The entry of the two links of the entry's pairs, or -1 when either has
  // none: where a stem's alignment against a stem most likely goes.
  int LinkedEntry(int entry) const {
    const Link& link1 = link1_[static_cast<size_t>(entry) / pairs2_];
    const Link& link2 = link2_[static_cast<size_t>(entry) % pairs2_];
    if (link1.pair < 0 || link2.pair < 0) return -1;
    return static_cast<int>(static_cast<size_t>(link1.pair) * pairs2_ + static_cast<size_t>(link2.pair));
  }

  // Starts the bounds at a point. Then each entry is set, in increasing
  // (p, q) order (its links' entries come before it), by Exact or Bound;
  // an entry may be set exact again later. Memory: 8 bytes per entry.
  void Start(const PointScores& scores);
  // The entry's fill value is known: exactly, or (Known) as an upper bound
  // (from one fill of its interval with stand-ins for its interiors).
  void Exact(int entry, float value);
  void Known(int entry, float bound);
  // The upper bound on the entry's fill value from its lengths and its
  // links' entries (rounded up to 32 bits).
  float Bound(int p, int q);

  // After Exact(entry): tightens the bounds of the entries linked to it
  // (and of theirs, as long as they improve), writing the fill bounds into
  // bounds for those not marked exact. Cost: the entries improved, each O(1).
  void Propagate(int entry, float* bounds, const uint8_t* exact);

  // The most the score can fall by removing (a1 at the start, a2 at the
  // end) bases of the first interval and (b1, b2) of the second; exposed
  // for tests.
  static double RemovalLoss(const PointScores& scores, int a1, int a2, int b1, int b2);

 private:
  struct Link {
    int pair = -1;        // the linked pair's number, or -1
    int before = 0;       // |P|: bases from the interior's start to the link's left end
    int after = 0;        // |S|
  };
  static std::vector<Link> Links(const CRnaStructure& s);

  std::vector<Link> link1_, link2_;  // by pair number
  std::vector<int> parent1_, parent2_;  // by pair number: the pair linked to it, or -1
  std::vector<int> stack_;
  InteriorBounds lengths_;
  size_t pairs2_ = 0;
  std::vector<double> real_;  // by entry: upper bound on the real-valued score
  float match_ = 0.0f, indel_ = 0.0f, mismatch_ = 0.0f, gap_ = 0.0f;  // the point
};

}  // namespace zenphal
