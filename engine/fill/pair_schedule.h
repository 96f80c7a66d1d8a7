#pragma once
// The order in which CAligner fills the interior alignments of all pairs of
// pairs, so that several threads can share the work.
#include <vector>

#include "engine/fill/interval_fill.h"
#include "engine/rna_structure.h"

namespace zenphal {

// The interior alignment of pair p of the first structure with pair q of the
// second reads the interior scores of the pairs of pairs nested inside both.
// Order the entries by (p', q') <= (p, q) when p' lies in p (or is p) and q'
// in q. Every entry before (p, q) in that order is before (c, q) or (p, d)
// for a child c of p or a child d of q (the children of a pair: the pairs
// inside it that no other pair inside it contains). So when each entry is
// computed only after those few predecessors, everything it reads is ready.
// Items are listed in waves by level(p) + level(q), with level = 1 + the
// highest level of a pair inside (1 for none): predecessors lie in earlier
// waves, so several threads taking items in list order and waiting for the
// predecessors of each cannot deadlock.
struct PairSchedule {
  struct Item {
    Interval interval;  // the two interiors
    int entry;          // first pair x second pairCount + second pair
    long cells;         // (L1 + 1)(L2 + 1)
    int firstPredecessor;  // predecessors[firstPredecessor, lastPredecessor)
    int lastPredecessor;
  };
  std::vector<Item> items;          // waves in order, the largest first in each
  std::vector<int> predecessors;   // item numbers
  long totalCells = 0;
  int largestInterior1 = 0;  // longest interior of a pair, in bases
  int largestInterior2 = 0;
};

// Empty when either structure has no pairs. Cost: O(pairs1 x pairs2) plus
// the interiors' lengths summed.
PairSchedule BuildPairSchedule(const CRnaStructure& first, const CRnaStructure& second);

}  // namespace zenphal
