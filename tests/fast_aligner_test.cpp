// The fast aligner (CAligner) against the straightforward one
// (CReferenceAligner): the same records at every point, and the same
// decompositions, for every vector width and thread count.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "decomposition/decomposition.h"
#include "engine/aligner.h"
#include "engine/errors.h"
#include "engine/fill/interval_fill.h"
#include "test_support.h"
#include "testing/reference_aligner.h"
#include "formats/example_table.h"

namespace zenphal {
namespace {

using testing::kSlowBuild;

CRnaStructure Example(int row) {
  const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
  return CRnaStructure(r.bases, r.stems);
}

struct Variant {
  FillKernel kernel;
  int threads;
};

// Every vector width this processor runs, on one thread and on three (the
// explicit count starts the helpers even for small structures).
std::vector<Variant> Variants() {
  std::vector<Variant> variants;
  for (FillKernel kernel : {FillKernel::kPortable, FillKernel::kAvx2, FillKernel::kAvx512}) {
    if (kernel != FillKernel::kPortable && BestFillKernel() == FillKernel::kPortable) continue;
    if (kernel == FillKernel::kAvx512 && BestFillKernel() != FillKernel::kAvx512) continue;
    variants.push_back({kernel, 1});
    variants.push_back({kernel, 3});
  }
  return variants;
}

std::string Describe(const CAlignment& r) {
  return std::to_string(r.matchCount) + "/" + std::to_string(r.mismatchCount) + "/" + std::to_string(r.indelCount) +
         "/" + std::to_string(r.gapCount) + "/" + std::to_string(r.pairMatchCount) + "/" +
         std::to_string(r.pairMismatchCount) + "/" + std::to_string(r.pairIndelCount) + " " +
         r.rows.TopInReadingOrder() + " over " + r.rows.BottomInReadingOrder();
}

// Counts, rows and column count, all of them.
void ExpectSameRecord(const CAlignment& expected, const CAlignment& actual, const std::string& where) {
  EXPECT_EQ(Describe(expected), Describe(actual)) << where;
  EXPECT_EQ(expected.rows.columnCount, actual.rows.columnCount) << where;
}

// Compares the fast aligner in every variant with the reference at the
// points given.
void ExpectSameAtPoints(const CRnaStructure& a, const CRnaStructure& b, float match, float indel,
                        const std::vector<std::pair<float, float>>& points, const std::string& what) {
  CReferenceAligner reference(a, b, match, indel);
  std::vector<std::unique_ptr<CAligner>> fast;
  for (const Variant& v : Variants()) {
    fast.push_back(std::make_unique<CAligner>(a, b, match, indel));
    fast.back()->SetFillKernel(v.kernel);
    fast.back()->SetThreadCount(v.threads);
  }
  for (const auto& [x, y] : points) {
    reference.SetPoint(x, y);
    CAlignment expected;
    reference.Compute(expected);
    for (size_t n = 0; n < fast.size(); ++n) {
      fast[n]->SetPoint(x, y);
      CAlignment actual;
      fast[n]->Compute(actual);
      const Variant v = Variants()[n];
      ExpectSameRecord(expected, actual,
                       what + " at (" + std::to_string(x) + ", " + std::to_string(y) + "), " +
                           FillKernelName(v.kernel) + ", " + std::to_string(v.threads) + " threads");
    }
  }
}

TEST(FastAligner, HandExamplesAsTheReference) {
  const std::vector<std::pair<float, float>> points = {{1.0f, 4.0f}, {0.0f, 0.0f}, {20.0f, 0.0f}, {3.0f, 0.5f}};
  ExpectSameAtPoints(CRnaStructure("ACGU", ""), CRnaStructure("ACGU", ""), 2.0f, 1.0f, points, "unpaired");
  ExpectSameAtPoints(CRnaStructure("", ""), CRnaStructure("ACG", ""), 2.0f, 1.0f, points, "empty first");
  ExpectSameAtPoints(CRnaStructure("", ""), CRnaStructure("", ""), 2.0f, 1.0f, points, "both empty");
  ExpectSameAtPoints(CRnaStructure("GAC", "0 2 1"), CRnaStructure("GUC", "0 2 1"), 2.0f, 1.0f, points, "one pair");
  ExpectSameAtPoints(CRnaStructure("GAC", "0 2 1"), CRnaStructure("GAC", ""), 2.0f, 1.0f, points, "paired/unpaired");
  // Pairs of adjacent bases (empty interiors), and stems that cross.
  ExpectSameAtPoints(CRnaStructure("GCGCAU", "0 1 1 2 3 1 4 5 1"), CRnaStructure("GCAUGC", "0 5 1 1 2 1 3 4 1"),
                     1.0f, 0.5f, points, "empty interiors");
  ExpectSameAtPoints(CRnaStructure("GGAACCUUAAGG", "0 7 2 4 11 2"), CRnaStructure("GGAACCUUAAGG", "0 7 2"), 1.0f,
                     0.5f, points, "crossing stems");
  ExpectSameAtPoints(CRnaStructure("AAGUCUAGGUCUCACU", "1 5 2 7 12 1 8 10 1 13 15 1"),
                     CRnaStructure("AAGUCUAGGUCUCACU", "1 5 2 7 12 1 8 10 1 13 15 1"), 2.0f, 1.0f, points,
                     "help page structure");
}

// Random structures: nested and crossing stems, pairs with empty interiors,
// lengths 0 to 40, at points where ties are common (integers and halves) and
// at arbitrary ones.
TEST(FastAligner, RandomStructuresAsTheReference) {
  std::mt19937 random(20240611u);
  const auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const auto randomStructure = [&]() {
    const int length = uniform(0, kSlowBuild ? 24 : 40);
    std::string bases;
    for (int i = 0; i < length; ++i) bases.push_back("ACGUACGUACGUT"[uniform(0, 12)]);
    for (;;) {
      std::string stems;
      const int count = length < 2 ? 0 : uniform(0, 4);
      for (int s = 0; s < count; ++s) {
        const int left = uniform(0, length - 2);
        const int right = uniform(left + 1, length - 1);
        const int pairs = uniform(1, std::max(1, (right - left + 1) / 2));
        stems += std::to_string(left) + " " + std::to_string(right) + " " + std::to_string(pairs) + " ";
      }
      try {
        return CRnaStructure(bases, stems);
      } catch (const InputError&) {
        // Overlapping stems: draw again.
      }
    }
  };
  const int rounds = kSlowBuild ? 40 : 150;
  for (int round = 0; round < rounds; ++round) {
    const CRnaStructure a = randomStructure();
    const CRnaStructure b = randomStructure();
    std::vector<std::pair<float, float>> points = {{0.0f, 0.0f}, {1.0f, 0.5f}, {2.0f, 2.0f}};
    points.emplace_back(std::uniform_real_distribution<float>(0.0f, 5.0f)(random),
                        std::uniform_real_distribution<float>(0.0f, 5.0f)(random));
    const float match = round % 3 == 0 ? 2.0f : 1.0f;
    const float indel = round % 3 == 2 ? 0.7f : 0.5f;
    ExpectSameAtPoints(a, b, match, indel, points,
                       "round " + std::to_string(round) + ": " + a.sequence + " [" + a.stemText + "] vs " +
                           b.sequence + " [" + b.stemText + "]");
    if (HasFailure()) return;
  }
}

TEST(FastAligner, ExamplePairsAsTheReference) {
  std::vector<std::pair<float, float>> points = {{1.0f, 1.0f}, {0.25f, 1.75f}};
  if (!kSlowBuild) points.insert(points.end(), {{0.0f, 0.0f}, {1.9f, 0.1f}, {5.0f, 5.0f}, {0.7f, 0.3f}});
  for (int row1 = 1; row1 <= kExampleCount; ++row1) {
    for (int row2 = 1; row2 <= kExampleCount; ++row2) {
      ExpectSameAtPoints(Example(row1), Example(row2), 1.0f, 0.5f, points,
                         "rows " + std::to_string(row1) + ", " + std::to_string(row2));
    }
  }
}

TEST(FastAligner, AlignIntervalsGivesTheReferenceScoreAndWholeRows) {
  const CRnaStructure a = Example(5), b = Example(6);
  CReferenceAligner reference(a, b, 1.0f, 0.5f);
  CAligner fast(a, b, 1.0f, 0.5f);
  for (const auto& [x, y] : std::vector<std::pair<float, float>>{{1.0f, 1.0f}, {0.3f, 2.0f}}) {
    reference.SetPoint(x, y);
    fast.SetPoint(x, y);
    CAlignment r, f;
    reference.Compute(r);
    fast.Compute(f);
    AlignedRows referenceRows, fastRows;
    EXPECT_EQ(reference.AlignIntervals(0, a.length - 1, 0, b.length - 1, referenceRows),
              fast.AlignIntervals(0, a.length - 1, 0, b.length - 1, fastRows));
    // The fast aligner re-derives the interiors, so its rows are the whole
    // alignment again.
    EXPECT_EQ(fastRows.topRow, f.rows.topRow);
    EXPECT_EQ(fastRows.bottomRow, f.rows.bottomRow);
  }
}

// Every field that any report, picture or JSON file shows, compared exactly.
void ExpectSameDecomposition(const CDecomposition& expected, const CDecomposition& actual) {
  EXPECT_EQ(expected.AlignerCalls(), actual.AlignerCalls());
  EXPECT_EQ(expected.Incomplete(), actual.Incomplete());
  ASSERT_EQ(expected.PolygonCount(), actual.PolygonCount());
  const auto bits = [](float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
  };
  for (int i = 0; i < expected.PolygonCount(); ++i) {
    const CAlignment& e = expected.Polygon(i);
    const CAlignment& a = actual.Polygon(i);
    const std::string where = "polygon " + std::to_string(i + 1);
    ExpectSameRecord(e, a, where);
    EXPECT_EQ(bits(e.witness.x), bits(a.witness.x)) << where;
    EXPECT_EQ(bits(e.witness.y), bits(a.witness.y)) << where;
    EXPECT_EQ(e.sideFlags, a.sideFlags) << where;
    ASSERT_EQ(e.edges.size(), a.edges.size()) << where;
    for (size_t n = 0; n < e.edges.size(); ++n) {
      EXPECT_EQ(bits(e.edges[n].x1), bits(a.edges[n].x1)) << where << " edge " << n;
      EXPECT_EQ(bits(e.edges[n].y1), bits(a.edges[n].y1)) << where << " edge " << n;
      EXPECT_EQ(bits(e.edges[n].x2), bits(a.edges[n].x2)) << where << " edge " << n;
      EXPECT_EQ(bits(e.edges[n].y2), bits(a.edges[n].y2)) << where << " edge " << n;
    }
  }
}

void Decompose(CDecomposition& d, PointAligner& aligner, bool cache) {
  d.Init(0.0f, 2.0f, 0.0f, 2.0f);
  d.SetAligner(&aligner);
  d.SetProbeCache(cache);
  d.Run();
}

// The straightforward path (reference aligner) and the application's path
// (fast aligner, probe cache) on all 36 ordered pairs of the example table at
// the default rectangle, match 1.0 and indel 0.5. Sanitizer builds take the
// pairs of the two toy examples and the two tRNAs only.
class ExamplePairDecomposition : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(ExamplePairDecomposition, FastPathAsTheStraightforwardOne) {
  const auto [row1, row2] = GetParam();
  const bool small = (row1 <= 2 && row2 <= 2) || (row1 >= 5 && row2 >= 5 && row1 != row2);
  if (kSlowBuild && !small) GTEST_SKIP() << "too slow under the sanitizers";
  const CRnaStructure a = Example(row1), b = Example(row2);
  CReferenceAligner reference(a, b, 1.0f, 0.5f);
  CAligner fast(a, b, 1.0f, 0.5f);
  CDecomposition expected, actual;
  // The reference with the cache: the cache's own test is below, and every
  // probe without it would make this test too slow for the 5S pairs.
  Decompose(expected, reference, true);
  Decompose(actual, fast, true);
  ExpectSameDecomposition(expected, actual);
  EXPECT_GT(actual.PolygonCount(), 0);
}

std::vector<std::pair<int, int>> AllOrderedPairs() {
  std::vector<std::pair<int, int>> pairs;
  for (int row1 = 1; row1 <= kExampleCount; ++row1) {
    for (int row2 = 1; row2 <= kExampleCount; ++row2) pairs.emplace_back(row1, row2);
  }
  return pairs;
}

INSTANTIATE_TEST_SUITE_P(AllExamples, ExamplePairDecomposition, ::testing::ValuesIn(AllOrderedPairs()),
                         [](const auto& info) {
                           return "rows_" + std::to_string(info.param.first) + "_" +
                                  std::to_string(info.param.second);
                         });

// The probe cache computes each distinct point once and changes nothing else:
// the same decomposition and the same count of the search's aligner calls.
TEST(ProbeCache, SameDecompositionFewerComputations) {
  const std::vector<std::pair<int, int>> pairs =
      kSlowBuild ? std::vector<std::pair<int, int>>{{1, 2}} : std::vector<std::pair<int, int>>{{1, 2}, {5, 6}};
  for (const auto& [row1, row2] : pairs) {
    const CRnaStructure a = Example(row1), b = Example(row2);
    CAligner aligner(a, b, 1.0f, 0.5f);
    CDecomposition withCache, withoutCache;
    Decompose(withoutCache, aligner, false);
    Decompose(withCache, aligner, true);
    ExpectSameDecomposition(withoutCache, withCache);
    EXPECT_EQ(withoutCache.ComputeCalls(), withoutCache.AlignerCalls());
    EXPECT_LT(withCache.ComputeCalls(), withCache.AlignerCalls());
  }
}

TEST(ProbeCache, ExampleCallCounts) {
  // The search's own count of aligner calls, as the JSON file reports it,
  // and the distinct points behind it.
  const CRnaStructure a = Example(5), b = Example(6);
  CAligner aligner(a, b, 1.0f, 0.5f);
  CDecomposition d;
  Decompose(d, aligner, true);
  EXPECT_EQ(d.AlignerCalls(), 355);
  EXPECT_EQ(d.ComputeCalls(), 252);
  EXPECT_EQ(d.PolygonCount(), 26);
}

}  // namespace
}  // namespace zenphal
