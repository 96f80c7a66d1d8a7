// Interiors on demand: the bounds that stand in for interiors not computed
// never fall below the exact scores, and the aligner that relies on them
// gives the straightforward aligner's records at every point, on random
// structures with long stems and multiloops (where skipping interiors is
// most tempting and most dangerous) and on real RNAs.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <string>
#include <vector>

#include "decomposition/decomposition.h"
#include "engine/aligner.h"
#include "engine/errors.h"
#include "engine/fill/bound_lattice.h"
#include "engine/fill/fast_aligner.h"
#include "engine/fill/interior_bounds.h"
#include "engine/fill/nesting_bounds.h"
#include "real_pairs.h"
#include "test_support.h"
#include "testing/reference_aligner.h"

namespace zenphal {
namespace {

using testing::kSlowBuild;

std::string Describe(const CAlignment& r) {
  return std::to_string(r.matchCount) + "/" + std::to_string(r.mismatchCount) + "/" + std::to_string(r.indelCount) +
         "/" + std::to_string(r.gapCount) + "/" + std::to_string(r.pairMatchCount) + "/" +
         std::to_string(r.pairMismatchCount) + "/" + std::to_string(r.pairIndelCount) + " " +
         r.rows.TopInReadingOrder() + " over " + r.rows.BottomInReadingOrder() + " (" +
         std::to_string(r.rows.columnCount) + " columns)";
}

// Folded-looking structures: stems of 2 to 9 pairs closing hairpins,
// bulges, interior loops and multiloops of 2 to 4 branches, on bases drawn
// from a small alphabet so that many alignments tie; now and then a stem
// crossing the others.
class StructureMaker {
 public:
  explicit StructureMaker(unsigned seed) : random_(seed) {}

  CRnaStructure Make(int targetLength) {
    bases_.clear();
    stems_.clear();
    paired_.clear();
    while (static_cast<int>(bases_.size()) < targetLength) {
      Unpaired(Uniform(0, 4));
      Domain(Uniform(1, 3), targetLength);
    }
    if (Uniform(0, 3) == 0 && bases_.size() > 12) {
      // A crossing stem of one pair over unpaired bases, when two are free.
      std::vector<int> free;
      for (size_t i = 0; i < bases_.size(); ++i) {
        if (!paired_[i]) free.push_back(static_cast<int>(i));
      }
      if (free.size() >= 2) {
        const int a = free[static_cast<size_t>(Uniform(0, static_cast<int>(free.size()) / 2))];
        const int b = free[free.size() - 1 - static_cast<size_t>(Uniform(0, static_cast<int>(free.size()) / 3))];
        if (a < b) stems_ += std::to_string(a) + " " + std::to_string(b) + " 1 ";
      }
    }
    return CRnaStructure(bases_, stems_);
  }

 private:
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  void Unpaired(int n) {
    for (int i = 0; i < n; ++i) {
      bases_.push_back("ACGUAG"[Uniform(0, 5)]);
      paired_.resize(bases_.size(), false);
    }
  }
  // A stem and what it closes, `depth` levels of nesting at most.
  void Domain(int depth, int targetLength) {
    const int pairs = Uniform(2, 9);
    const int left = static_cast<int>(bases_.size());
    for (int k = 0; k < pairs; ++k) {
      bases_.push_back("GCAU"[Uniform(0, 3)]);
      paired_.resize(bases_.size(), false);
      paired_.back() = true;
      if (Uniform(0, 6) == 0) Unpaired(1);  // a bulge
    }
    // Left ends recorded as they were placed; the right ends mirror them.
    std::vector<int> lefts;
    for (int i = left; i < static_cast<int>(bases_.size()); ++i) {
      if (paired_[static_cast<size_t>(i)]) lefts.push_back(i);
    }
    const bool room = static_cast<int>(bases_.size()) < targetLength * 3 / 4;
    const int branches = depth > 1 && room ? Uniform(0, 4) : 0;
    Unpaired(Uniform(3, 6));
    for (int b = 0; b < branches; ++b) {
      if (b > 0 || branches == 1) Unpaired(Uniform(0, 3));
      Domain(depth - 1, targetLength);
      Unpaired(Uniform(0, 2));
    }
    for (auto l = lefts.rbegin(); l != lefts.rend(); ++l) {
      const int right = static_cast<int>(bases_.size());
      bases_.push_back("CGUA"[Uniform(0, 3)]);
      paired_.resize(bases_.size(), false);
      paired_.back() = true;
      stems_ += std::to_string(*l) + " " + std::to_string(right) + " 1 ";
      if (Uniform(0, 8) == 0) Unpaired(1);
    }
  }

  std::mt19937 random_;
  std::string bases_;
  std::string stems_;
  std::vector<bool> paired_;
};

// Points around and inside a 2 x 2 region: lattice nodes, points just past
// lattice lines (as a rectangle's edge rounds), integers and halves where
// ties abound, and arbitrary ones; some far outside the region.
std::vector<std::pair<float, float>> WalkOfPoints(std::mt19937& random, int count) {
  std::vector<std::pair<float, float>> points = {{1.0f, 1.0f},         {0.5f, 1.5f}, {2.0f, 2.0f}, {0.0f, 0.0f},
                                                 {2.0000002f, 0.25f}, {0.3f, 1.7f}, {1.9f, 0.2f}, {7.0f, 3.5f}};
  std::uniform_real_distribution<float> coordinate(0.0f, 2.0f);
  while (static_cast<int>(points.size()) < count) points.emplace_back(coordinate(random), coordinate(random));
  points.resize(static_cast<size_t>(count));
  return points;
}

// Cells of filling every interior and the whole once.
double FullCells(const CRnaStructure& a, const CRnaStructure& b) {
  double cells = static_cast<double>(a.length + 1) * (b.length + 1);
  for (int i = 0; i < a.length; ++i) {
    for (int j = 0; j < b.length; ++j) {
      if (a.partner[i] < i && b.partner[j] < j) cells += static_cast<double>(i - a.partner[i]) * (j - b.partner[j]);
    }
  }
  return cells;
}

// Returns how many of the Computes filled fewer cells than all interiors.
// Without a region, each Compute is a single point query (bounds from the
// structures alone), on the same aligners from point to point.
int ExpectAsTheReference(const CRnaStructure& a, const CRnaStructure& b, float match, float indel,
                         const std::vector<std::pair<float, float>>& points, const std::vector<int>& threadCounts,
                         const std::string& what, bool region = true) {
  int skipping = 0;
  CReferenceAligner reference(a, b, match, indel);
  std::vector<std::unique_ptr<CAligner>> fast;
  for (int threads : threadCounts) {
    fast.push_back(std::make_unique<CAligner>(a, b, match, indel));
    fast.back()->SetThreadCount(threads);
    if (region) fast.back()->ExpectRegion(0.0f, 2.0f, 0.0f, 2.0f);
    fast.back()->SetSinglePointBoundsFrom(0.0);  // however small the pair
  }
  for (const auto& [x, y] : points) {
    reference.SetPoint(x, y);
    CAlignment expected;
    reference.Compute(expected);
    for (size_t n = 0; n < fast.size(); ++n) {
      fast[n]->SetPoint(x, y);
      CAlignment actual;
      fast[n]->Compute(actual);
      EXPECT_EQ(Describe(expected), Describe(actual))
          << what << " at (" << x << ", " << y << "), " << threadCounts[n] << " threads";
      if (fast[n]->LastComputeCells() < FullCells(a, b)) ++skipping;
    }
  }
  return skipping;
}

// The straightforward aligner's score of every pair of pairs' interiors at
// a point, by entry (first pair x second pairCount + second pair).
std::vector<float> ExactInteriorScores(CReferenceAligner& reference, const CRnaStructure& a, const CRnaStructure& b,
                                       float x, float y) {
  reference.SetPoint(x, y);
  CAlignment record;
  reference.Compute(record);
  std::vector<float> v(static_cast<size_t>(a.pairCount) * static_cast<size_t>(b.pairCount));
  for (int i = 0; i < a.length; ++i) {
    if (a.partner[i] >= i) continue;
    for (int j = 0; j < b.length; ++j) {
      if (b.partner[j] >= j) continue;
      AlignedRows rows;
      v[static_cast<size_t>(a.pairIndex[i]) * static_cast<size_t>(b.pairCount) + static_cast<size_t>(b.pairIndex[j])] =
          reference.AlignIntervals(a.partner[i] + 1, i - 1, b.partner[j] + 1, j - 1, rows);
    }
  }
  return v;
}

// The scores and the name of a round of random structures.
float RoundMatch(int round) { return round % 3 == 0 ? 2.0f : 1.0f; }
float RoundIndel(int round) { return round % 4 == 1 ? 0.7f : 0.5f; }
std::string RoundName(int round, const CRnaStructure& a, const CRnaStructure& b) {
  return "round " + std::to_string(round) + ": " + a.sequence + " [" + a.stemText + "] vs " + b.sequence + " [" +
         b.stemText + "]";
}

TEST(InteriorBounds, LengthBoundHandExamples) {
  const PointScores s{2.0f, 1.0f, 1.0f, 4.0f};
  // Three bases against three: three matches at best.
  EXPECT_EQ(InteriorBounds::LengthBound(s, 3, 3), 6.0);
  // Five against two: two matches, three gap columns in one gap.
  EXPECT_EQ(InteriorBounds::LengthBound(s, 5, 2), 4.0 - 3.0 - 4.0);
  // Nothing against four bases: one gap.
  EXPECT_EQ(InteriorBounds::LengthBound(s, 0, 4), -4.0 - 4.0);
  EXPECT_EQ(InteriorBounds::LengthBound(s, 0, 0), 0.0);
  // A match worth less than a mismatch costs: aligned columns score -x.
  EXPECT_EQ(InteriorBounds::LengthBound(PointScores{-3.0f, 1.0f, 0.5f, 0.0f}, 2, 2), -1.0);
}

// The bounds against the exact interior scores (the straightforward
// aligner's, interval by interval) of every pair of pairs.
TEST(InteriorBounds, NeverBelowTheExactScores) {
  StructureMaker maker(7u);
  const int rounds = kSlowBuild ? 3 : 10;
  for (int round = 0; round < rounds; ++round) {
    const CRnaStructure a = maker.Make(30 + 5 * round), b = maker.Make(28 + 4 * round);
    if (a.pairCount == 0 || b.pairCount == 0) continue;
    const float match = round % 2 == 0 ? 1.0f : 2.0f, indel = round % 3 == 0 ? 0.5f : 0.7f;
    CReferenceAligner reference(a, b, match, indel);
    InteriorBounds lengths(a, b);
    const auto exactAt = [&](float x, float y) { return ExactInteriorScores(reference, a, b, x, y); };
    BoundLattice lattice;
    lattice.SetCoarsest(0.5);
    std::mt19937 random(static_cast<unsigned>(round));
    for (const auto& [x, y] : WalkOfPoints(random, 6)) {
      const PointScores at{match, indel, x, y};
      BoundLattice::Node corners[3];
      lattice.Triangle(x, y, BoundLattice::kLevels - 1, corners);
      for (const BoundLattice::Node& c : corners) lattice.Store(c, exactAt(lattice.X(c), lattice.Y(c)));
      std::vector<float> bounds(static_cast<size_t>(a.pairCount) * static_cast<size_t>(b.pairCount));
      lattice.Bound(at, at, corners, lengths, bounds.data());
      const std::vector<float> exact = exactAt(x, y);
      for (size_t e = 0; e < exact.size(); ++e) {
        ASSERT_GE(bounds[e], exact[e]) << "round " << round << " entry " << e << " at (" << x << ", " << y << ")";
      }
    }
  }
}

TEST(NestingBounds, RemovalLossHandExamples) {
  // Match 1, indel 0.5, x 1, y 2: a removed base over a kept one loses at
  // most its match, the kept base's gap column and one new gap.
  const PointScores s{1.0f, 0.5f, 1.0f, 2.0f};
  EXPECT_EQ(NestingBounds::RemovalLoss(s, 0, 0, 0, 0), 0.0);
  EXPECT_EQ(NestingBounds::RemovalLoss(s, 1, 1, 0, 0), 2 * (1.0 + 0.5 + 2.0));
  // Two bases at one end: two such columns, still one gap.
  EXPECT_EQ(NestingBounds::RemovalLoss(s, 2, 0, 0, 0), 2 * (1.0 + 0.5) + 2.0);
  // A removed base in a gap column only gains its indel.
  EXPECT_EQ(NestingBounds::RemovalLoss(PointScores{-3.0f, 0.5f, 4.0f, 0.0f}, 1, 0, 0, 0), -0.5);
  // One base at each end of both: each end either aligns the two removed
  // bases (1 + 2 x 0.5 over gap columns) or one over a kept base (+ y), or
  // the removed bases cross over (two aligned columns, two gaps).
  EXPECT_EQ(NestingBounds::RemovalLoss(s, 1, 1, 1, 1), 2 * (-1.0 + 2.0 + 2.0));
}

// The bounds through the pairs nested in each other against the exact
// interior scores: from the exact scores of the entries whose pairs have no
// link alone, and as exact scores arrive in any order and tighten the
// entries they are nested in. Unusual scores too (negative match or indel,
// no gap cost), which a single point may have.
TEST(NestingBounds, NeverBelowTheExactScores) {
  StructureMaker maker(31u);
  const int rounds = kSlowBuild ? 4 : 12;
  for (int round = 0; round < rounds; ++round) {
    const CRnaStructure a = maker.Make(30 + 5 * round), b = maker.Make(28 + 4 * round);
    if (a.pairCount == 0 || b.pairCount == 0) continue;
    const float match = round % 4 == 2 ? -1.0f : (round % 2 == 0 ? 1.0f : 2.0f);
    const float indel = round % 4 == 3 ? -0.25f : (round % 3 == 0 ? 0.5f : 0.7f);
    CReferenceAligner reference(a, b, match, indel);
    std::mt19937 random(static_cast<unsigned>(round));
    std::vector<std::pair<float, float>> points = WalkOfPoints(random, 5);
    points.emplace_back(0.0f, 0.0f);
    for (const auto& [x, y] : points) {
      const PointScores at{match, indel, x, y};
      const std::vector<float> exact = ExactInteriorScores(reference, a, b, x, y);
      const std::string where = "round " + std::to_string(round) + " at (" + std::to_string(x) + ", " +
                                std::to_string(y) + ") entry ";
      NestingBounds nesting(a, b);
      nesting.Start(at);
      std::vector<float> bounds(exact.size());
      for (int p = 0; p < a.pairCount; ++p) {
        for (int q = 0; q < b.pairCount; ++q) {
          const int e = p * b.pairCount + q;
          if (nesting.Bottom(p, q)) {
            nesting.Exact(e, exact[static_cast<size_t>(e)]);
          } else {
            bounds[static_cast<size_t>(e)] = nesting.Bound(p, q);
            ASSERT_GE(bounds[static_cast<size_t>(e)], exact[static_cast<size_t>(e)]) << where << e;
          }
        }
      }
      // From the lengths alone, then the exact scores in a random order.
      nesting.Start(at);
      for (int p = 0; p < a.pairCount; ++p) {
        for (int q = 0; q < b.pairCount; ++q) bounds[static_cast<size_t>(p * b.pairCount + q)] = nesting.Bound(p, q);
      }
      std::vector<int> order(exact.size());
      for (size_t e = 0; e < order.size(); ++e) order[e] = static_cast<int>(e);
      std::shuffle(order.begin(), order.end(), random);
      std::vector<uint8_t> known(exact.size(), 0);
      for (size_t n = 0; n < order.size(); ++n) {
        const int e = order[n];
        known[static_cast<size_t>(e)] = 1;
        nesting.Exact(e, exact[static_cast<size_t>(e)]);
        nesting.Propagate(e, bounds.data(), known.data());
        if (n % 7 != 0 && n + 1 != order.size()) continue;
        for (size_t f = 0; f < exact.size(); ++f) {
          if (known[f]) continue;
          ASSERT_GE(bounds[f], exact[f]) << where << f << " after " << n + 1 << " exact";
        }
      }
    }
  }
}

TEST(LazyInteriors, RandomFoldedStructuresAsTheReference) {
  StructureMaker maker(20240612u);
  std::mt19937 random(99u);
  const int rounds = kSlowBuild ? 6 : 30;
  int skipping = 0;
  for (int round = 0; round < rounds; ++round) {
    const CRnaStructure a = maker.Make(kSlowBuild ? 40 : 40 + 2 * round);
    const CRnaStructure b = maker.Make(kSlowBuild ? 36 : 36 + 2 * round);
    skipping += ExpectAsTheReference(a, b, RoundMatch(round), RoundIndel(round),
                                     WalkOfPoints(random, kSlowBuild ? 6 : 14), {1, 3}, RoundName(round, a, b));
    if (HasFailure()) return;
  }
  // The point of the test: Computes skip interiors (most of them, past the
  // first few points that fill the lattice, which the short walks of the
  // slow builds hardly pass).
  EXPECT_GT(skipping, kSlowBuild ? rounds : rounds * 14);
}

// Single point queries (no region expected): the bounds come from the
// structures alone, through the pairs nested in each other. The same
// aligners from point to point, and a new one at each point.
TEST(LazyInteriors, SinglePointComputesAsTheReference) {
  StructureMaker maker(4711u);
  std::mt19937 random(5u);
  const int rounds = kSlowBuild ? 4 : 16;
  int skipping = 0;
  for (int round = 0; round < rounds; ++round) {
    const CRnaStructure a = maker.Make(kSlowBuild ? 50 : 50 + 4 * round);
    const CRnaStructure b = maker.Make(kSlowBuild ? 46 : 46 + 4 * round);
    const float match = RoundMatch(round), indel = RoundIndel(round);
    const std::string what = RoundName(round, a, b);
    const std::vector<std::pair<float, float>> points = WalkOfPoints(random, kSlowBuild ? 4 : 8);
    skipping += ExpectAsTheReference(a, b, match, indel, points, {1, 3}, what, false);
    for (size_t n = 0; n < 3; ++n) {
      skipping += ExpectAsTheReference(a, b, match, indel, {points[n]}, {n == 0 ? 3 : 1}, what + ", new aligner",
                                       false);
    }
    if (HasFailure()) return;
  }
  StructureMaker unusual(6u);
  const CRnaStructure a = unusual.Make(48), b = unusual.Make(52);
  ExpectAsTheReference(a, b, -1.0f, 0.5f, WalkOfPoints(random, 4), {1}, "negative match", false);
  ExpectAsTheReference(a, b, 1.0f, -0.25f, WalkOfPoints(random, 4), {1}, "negative indel", false);
  for (const char* file : {"trna", "vault"}) {
    const auto [c, d] = bench::LoadRealPair(file);
    skipping += ExpectAsTheReference(c, d, 1.0f, 0.5f, WalkOfPoints(random, kSlowBuild ? 2 : 6), {1, 2}, file, false);
  }
  // Some single points fill fewer cells than every interior even on pairs
  // this small (which is why large pairs alone take this path by default).
  EXPECT_GT(skipping, rounds);
}

// Parameters where the bounds cannot help (huge or negative fixed scores)
// take the path that fills every interior: the same records still.
TEST(LazyInteriors, UnusualScoresAsTheReference) {
  StructureMaker maker(5u);
  const CRnaStructure a = maker.Make(40), b = maker.Make(44);
  std::mt19937 random(3u);
  ExpectAsTheReference(a, b, -1.0f, 0.5f, WalkOfPoints(random, 6), {1}, "negative match");
  ExpectAsTheReference(a, b, 1.0f, -0.25f, WalkOfPoints(random, 6), {1}, "negative indel");
  ExpectAsTheReference(a, b, 3e7f, 0.5f, WalkOfPoints(random, 4), {1}, "huge match");
}

// After a Compute that skipped interiors, AlignIntervals still reads exact
// interior scores of that Compute's point: the reference's score, and the
// rows of the aligner that fills every interior (whose rows, unlike the
// reference's, hold the interiors of aligned pairs).
TEST(LazyInteriors, AlignIntervalsAfterASkippingCompute) {
  StructureMaker maker(17u);
  const CRnaStructure a = maker.Make(60), b = maker.Make(56);
  CReferenceAligner reference(a, b, 1.0f, 0.5f);
  CAligner fast(a, b, 1.0f, 0.5f), full(a, b, 1.0f, 0.5f);
  fast.ExpectRegion(0.0f, 2.0f, 0.0f, 2.0f);
  full.SetLazyInteriors(false);
  int skipping = 0;
  for (const auto& [x, y] : std::vector<std::pair<float, float>>{{1.0f, 1.0f}, {1.1f, 0.9f}, {0.9f, 1.1f}, {1.05f, 1.05f}, {0.6f, 1.3f}}) {
    CAlignment r, f, g;
    for (PointAligner* aligner : std::initializer_list<PointAligner*>{&reference, &fast, &full}) {
      aligner->SetPoint(x, y);
    }
    reference.Compute(r);
    fast.Compute(f);
    full.Compute(g);
    if (fast.LastComputeCells() < FullCells(a, b)) ++skipping;
    // Another point for the interval itself, as the reference allows.
    for (PointAligner* aligner : std::initializer_list<PointAligner*>{&reference, &fast, &full}) {
      aligner->SetPoint(x + 0.5f, y);
    }
    for (int start = 0; start < a.length; start += 7) {
      const int end2 = b.length - 1 - start / 2;
      AlignedRows referenceRows, expected, actual;
      const float score = fast.AlignIntervals(start, a.length - 1, 0, end2, actual);
      EXPECT_EQ(reference.AlignIntervals(start, a.length - 1, 0, end2, referenceRows), score);
      EXPECT_EQ(full.AlignIntervals(start, a.length - 1, 0, end2, expected), score);
      EXPECT_EQ(expected.topRow, actual.topRow);
      EXPECT_EQ(expected.bottomRow, actual.bottomRow);
    }
  }
  EXPECT_GT(skipping, 0);
}

// A set cancel flag stops Compute with Cancelled, on the path that fills
// every interior and on interiors on demand, before the first interior and
// in the middle of a fill; the aligner then computes as before.
TEST(Cancellation, StopsComputeAndLeavesTheAlignerUsable) {
  StructureMaker maker(23u);
  const CRnaStructure a = maker.Make(90), b = maker.Make(84);
  CReferenceAligner reference(a, b, 1.0f, 0.5f);
  enum Mode { kEveryInterior, kSinglePoint, kRegion };
  for (const Mode mode : {kEveryInterior, kSinglePoint, kRegion}) {
    const bool region = mode == kRegion;
    for (const int threads : {1, 3}) {
      CAligner fast(a, b, 1.0f, 0.5f);
      fast.SetThreadCount(threads);
      if (region) fast.ExpectRegion(0.0f, 2.0f, 0.0f, 2.0f);
      if (mode == kSinglePoint) fast.SetSinglePointBoundsFrom(0.0);
      std::atomic<bool> cancel{true};
      fast.SetCancelFlag(&cancel);
      fast.SetPoint(1.0f, 1.0f);
      CAlignment record;
      EXPECT_THROW(fast.Compute(record), Cancelled);
      // Set while a Compute runs: it throws or, if it was quicker, finishes.
      cancel = false;
      std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        cancel = true;
      });
      try {
        CAlignment partial;
        fast.SetPoint(0.7f, 1.3f);
        fast.Compute(partial);
      } catch (const Cancelled&) {
      }
      setter.join();
      cancel = false;
      for (const auto& [x, y] : std::vector<std::pair<float, float>>{{1.0f, 1.0f}, {0.7f, 1.3f}}) {
        reference.SetPoint(x, y);
        fast.SetPoint(x, y);
        CAlignment expected, actual;
        reference.Compute(expected);
        fast.Compute(actual);
        EXPECT_EQ(Describe(expected), Describe(actual)) << (region ? "region, " : mode == kSinglePoint ? "single point, " : "every interior, ") << threads;
        AlignedRows expectedRows, actualRows;
        EXPECT_EQ(reference.AlignIntervals(3, a.length - 1, 0, b.length - 5, expectedRows),
                  fast.AlignIntervals(3, a.length - 1, 0, b.length - 5, actualRows));
      }
    }
  }
}

// Whole decompositions of the real tRNA and Vault pairs (bench/data) as the
// straightforward path makes them.
TEST(LazyInteriors, RealPairDecompositionsAsTheReference) {
  for (const char* file : {"trna", "vault"}) {
    if (kSlowBuild && std::string(file) == "vault") continue;
    const auto [a, b] = bench::LoadRealPair(file);
    CReferenceAligner reference(a, b, 1.0f, 0.5f);
    CAligner fast(a, b, 1.0f, 0.5f);
    CDecomposition expected, actual;
    for (auto [d, aligner] : {std::pair{&expected, static_cast<PointAligner*>(&reference)}, {&actual, &fast}}) {
      d->Init(0.0f, 2.0f, 0.0f, 2.0f);
      d->SetAligner(aligner);
      d->Run();
    }
    EXPECT_EQ(expected.AlignerCalls(), actual.AlignerCalls()) << file;
    ASSERT_EQ(expected.PolygonCount(), actual.PolygonCount()) << file;
    for (int i = 0; i < expected.PolygonCount(); ++i) {
      EXPECT_EQ(Describe(expected.Polygon(i)), Describe(actual.Polygon(i))) << file << " polygon " << i + 1;
      EXPECT_EQ(expected.Polygon(i).edges.size(), actual.Polygon(i).edges.size()) << file << " polygon " << i + 1;
    }
  }
}

}  // namespace
}  // namespace zenphal
