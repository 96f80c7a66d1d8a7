#include "engine/fill/interval_fill.h"

#include <algorithm>
#include <cstring>
#include <limits>

#if defined(__x86_64__) || defined(__i386__)
// GCC 12's AVX-512 intrinsics leave some vectors undefined on purpose and
// then warn about them as possibly uninitialized.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#endif

namespace zenphal {

namespace {

// The code of a paired base: compares unequal and unordered with every code.
constexpr double kPairedCode = std::numeric_limits<double>::quiet_NaN();
constexpr int kBlock = IntervalTables::kBlock;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Raw views of what one fill reads and writes; built by IntervalTables::Fill.
struct FillPlan {
  double* A;        // the interleaved tables
  const int* base;  // diagonal k: cell (m, k - m) at base[k] + GroupOffset(m)
  int L1, L2;
  const double* codes1;  // codes1[m]: the base of row m
  const double* codes2;  // the base of column k - m is codes2[codes2Offset - k + m]
  int codes2Offset;
  double* candidateRows;  // row of diagonal k: candidateRows + (k % 4) * rowSize
  size_t rowSize;
  const RightEnd* rightEnds1;  // increasing in n
  const RightEnd* rightEnds2;
  int count1, count2;
  const int* firstEnd2;  // by column n (0 to L2): the first of rightEnds2 at or after n
  int batches;
  const float* pairScores;
  double twiceMatch, twiceMinusX;  // 2s for pairs of pairs that match, and not
  const double* gapRun;
  const double* gapRunOpen;
  double x, y, match, indel;
};

double RoundScalar(double v) { return static_cast<double>(static_cast<float>(v)); }

double* CandidateRow(const FillPlan& p, int k) { return p.candidateRows + static_cast<size_t>(k & 3) * p.rowSize; }

#define ZENPHAL_OPS [[gnu::always_inline]] static inline

#if defined(__x86_64__) || defined(__i386__)
#define ZENPHAL_X86_KERNELS 1

// Two lanes, SSE2: every x86-64 processor has it.
namespace portable {
struct Ops {
  static constexpr int kLanes = 2;
  using V = __m128d;
  using M = __m128d;
  ZENPHAL_OPS V Set(double v) { return _mm_set1_pd(v); }
  ZENPHAL_OPS V LaneNumbers() { return _mm_set_pd(1.0, 0.0); }
  ZENPHAL_OPS V Load(const double* p) { return _mm_load_pd(p); }
  ZENPHAL_OPS V LoadUnaligned(const double* p) { return _mm_loadu_pd(p); }
  ZENPHAL_OPS void Store(double* p, V v) { _mm_store_pd(p, v); }
  ZENPHAL_OPS V Add(V a, V b) { return _mm_add_pd(a, b); }
  ZENPHAL_OPS V Sub(V a, V b) { return _mm_sub_pd(a, b); }
  ZENPHAL_OPS M Greater(V a, V b) { return _mm_cmpgt_pd(a, b); }
  ZENPHAL_OPS M GreaterEqual(V a, V b) { return _mm_cmpge_pd(a, b); }
  ZENPHAL_OPS M Equal(V a, V b) { return _mm_cmpeq_pd(a, b); }
  ZENPHAL_OPS M Ordered(V a, V b) { return _mm_cmpord_pd(a, b); }
  ZENPHAL_OPS V Max(V a, V b) { return _mm_max_pd(a, b); }
  ZENPHAL_OPS V Select(M m, V a, V b) { return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b)); }
  ZENPHAL_OPS V Round(V v) { return _mm_cvtps_pd(_mm_cvtpd_ps(v)); }
  ZENPHAL_OPS V ShiftIn(V previous, V current) { return _mm_shuffle_pd(previous, current, 0b01); }
};
#include "engine/fill/interval_fill_kernel.inc"
}  // namespace portable

#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
struct Ops {
  static constexpr int kLanes = 4;
  using V = __m256d;
  using M = __m256d;
  ZENPHAL_OPS V Set(double v) { return _mm256_set1_pd(v); }
  ZENPHAL_OPS V LaneNumbers() { return _mm256_set_pd(3.0, 2.0, 1.0, 0.0); }
  ZENPHAL_OPS V Load(const double* p) { return _mm256_load_pd(p); }
  ZENPHAL_OPS V LoadUnaligned(const double* p) { return _mm256_loadu_pd(p); }
  ZENPHAL_OPS void Store(double* p, V v) { _mm256_store_pd(p, v); }
  ZENPHAL_OPS V Add(V a, V b) { return _mm256_add_pd(a, b); }
  ZENPHAL_OPS V Sub(V a, V b) { return _mm256_sub_pd(a, b); }
  ZENPHAL_OPS M Greater(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
  ZENPHAL_OPS M GreaterEqual(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
  ZENPHAL_OPS M Equal(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_EQ_OQ); }
  ZENPHAL_OPS M Ordered(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_ORD_Q); }
  ZENPHAL_OPS V Max(V a, V b) { return _mm256_max_pd(a, b); }
  ZENPHAL_OPS V Select(M m, V a, V b) { return _mm256_blendv_pd(b, a, m); }
  ZENPHAL_OPS V Round(V v) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(v)); }
  ZENPHAL_OPS V ShiftIn(V previous, V current) {
    // {previous[2], previous[3], current[0], current[1]}, then interleave.
    const V middle = _mm256_permute2f128_pd(previous, current, 0x21);
    return _mm256_shuffle_pd(middle, current, 0b0101);
  }
};
#include "engine/fill/interval_fill_kernel.inc"
}  // namespace avx2
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("avx512f")
namespace avx512 {
struct Ops {
  static constexpr int kLanes = 8;
  using V = __m512d;
  using M = __mmask8;
  ZENPHAL_OPS V Set(double v) { return _mm512_set1_pd(v); }
  ZENPHAL_OPS V LaneNumbers() { return _mm512_set_pd(7.0, 6.0, 5.0, 4.0, 3.0, 2.0, 1.0, 0.0); }
  ZENPHAL_OPS V Load(const double* p) { return _mm512_load_pd(p); }
  ZENPHAL_OPS V LoadUnaligned(const double* p) { return _mm512_loadu_pd(p); }
  ZENPHAL_OPS void Store(double* p, V v) { _mm512_store_pd(p, v); }
  ZENPHAL_OPS V Add(V a, V b) { return _mm512_add_pd(a, b); }
  ZENPHAL_OPS V Sub(V a, V b) { return _mm512_sub_pd(a, b); }
  ZENPHAL_OPS M Greater(V a, V b) { return _mm512_cmp_pd_mask(a, b, _CMP_GT_OQ); }
  ZENPHAL_OPS M GreaterEqual(V a, V b) { return _mm512_cmp_pd_mask(a, b, _CMP_GE_OQ); }
  ZENPHAL_OPS M Equal(V a, V b) { return _mm512_cmp_pd_mask(a, b, _CMP_EQ_OQ); }
  ZENPHAL_OPS M Ordered(V a, V b) { return _mm512_cmp_pd_mask(a, b, _CMP_ORD_Q); }
  ZENPHAL_OPS V Max(V a, V b) { return _mm512_max_pd(a, b); }
  ZENPHAL_OPS V Select(M m, V a, V b) { return _mm512_mask_blend_pd(m, b, a); }
  ZENPHAL_OPS V Round(V v) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(v)); }
  ZENPHAL_OPS V ShiftIn(V previous, V current) {
    return _mm512_castsi512_pd(_mm512_alignr_epi64(_mm512_castpd_si512(current), _mm512_castpd_si512(previous), 7));
  }
};
#include "engine/fill/interval_fill_kernel.inc"
}  // namespace avx512
#pragma GCC pop_options

#else

// Elsewhere: one lane, plain doubles.
namespace portable {
struct Ops {
  static constexpr int kLanes = 1;
  using V = double;
  using M = bool;
  ZENPHAL_OPS V Set(double v) { return v; }
  ZENPHAL_OPS V LaneNumbers() { return 0.0; }
  ZENPHAL_OPS V Load(const double* p) { return *p; }
  ZENPHAL_OPS V LoadUnaligned(const double* p) { return *p; }
  ZENPHAL_OPS void Store(double* p, V v) { *p = v; }
  ZENPHAL_OPS V Add(V a, V b) { return a + b; }
  ZENPHAL_OPS V Sub(V a, V b) { return a - b; }
  ZENPHAL_OPS M Greater(V a, V b) { return a > b; }
  ZENPHAL_OPS M GreaterEqual(V a, V b) { return a >= b; }
  ZENPHAL_OPS M Equal(V a, V b) { return a == b; }
  ZENPHAL_OPS M Ordered(V a, V b) { return a == a && b == b; }
  ZENPHAL_OPS V Max(V a, V b) { return a > b ? a : b; }
  ZENPHAL_OPS V Select(M m, V a, V b) { return m ? a : b; }
  ZENPHAL_OPS V Round(V v) { return static_cast<double>(static_cast<float>(v)); }
  ZENPHAL_OPS V ShiftIn(V previous, V) { return previous; }
};
#include "engine/fill/interval_fill_kernel.inc"
}  // namespace portable

#endif

bool Supported(FillKernel kernel) {
  switch (kernel) {
    case FillKernel::kAuto:
    case FillKernel::kPortable: return true;
#ifdef ZENPHAL_X86_KERNELS
    case FillKernel::kAvx2: return __builtin_cpu_supports("avx2");
    case FillKernel::kAvx512: return __builtin_cpu_supports("avx512f");
#else
    default: return false;
#endif
  }
  return false;
}

}  // namespace

FillKernel BestFillKernel() {
  if (Supported(FillKernel::kAvx512)) return FillKernel::kAvx512;
  if (Supported(FillKernel::kAvx2)) return FillKernel::kAvx2;
  return FillKernel::kPortable;
}

const char* FillKernelName(FillKernel kernel) {
  switch (kernel) {
    case FillKernel::kAuto: return "auto";
    case FillKernel::kPortable: return "portable";
    case FillKernel::kAvx2: return "avx2";
    case FillKernel::kAvx512: return "avx512";
  }
  return "?";
}

StructurePair::StructurePair(const CRnaStructure& first_, const CRnaStructure& second_)
    : first(first_), second(second_) {
  const auto code = [](const CRnaStructure& s, int i) {
    return s.IsPaired(i) ? kPairedCode : static_cast<double>(static_cast<unsigned char>(s.sequence[i]));
  };
  codes1.assign(static_cast<size_t>(first.length) + 1 + kBlock, kPairedCode);
  for (int i = 0; i < first.length; ++i) codes1[static_cast<size_t>(i) + 1] = code(first, i);
  // Both ends of a pair in one number: pairs of pairs match when equal.
  const auto keys = [](const CRnaStructure& s) {
    std::vector<int> k(static_cast<size_t>(s.length));
    for (int i = 0; i < s.length; ++i) {
      k[static_cast<size_t>(i)] = static_cast<unsigned char>(s.sequence[static_cast<size_t>(s.partner[i])]) << 8 |
                                  static_cast<unsigned char>(s.sequence[static_cast<size_t>(i)]);
    }
    return k;
  };
  pairKeys1 = keys(first);
  pairKeys2 = keys(second);
  codes2.assign(static_cast<size_t>(second.length) + 2 * kBlock, kPairedCode);
  for (int t = 0; t < second.length; ++t) codes2[static_cast<size_t>(t + kBlock)] = code(second, second.length - 1 - t);
}

void FillContext::Prepare(float mismatchScore, float gapScore_, float matchScore, float indelScore, int maxLength) {
  x = mismatchScore;
  y = gapScore_;
  match = matchScore;
  indel = indelScore;
  gapScore = gapScore_;
  gapRun.resize(static_cast<size_t>(maxLength) + 1);
  gapRunOpen.resize(static_cast<size_t>(maxLength) + 1);
  gapRun[0] = static_cast<double>(-gapScore_);
  gapRunOpen[0] = 0.0;  // never read
  for (size_t n = 1; n < gapRun.size(); ++n) {
    gapRun[n] = RoundScalar(gapRun[n - 1] - indel);
    gapRunOpen[n] = RoundScalar(gapRun[n] - y);
  }
  if (kernel == FillKernel::kAuto) {
    kernel = BestFillKernel();
  } else if (!Supported(kernel)) {
    kernel = FillKernel::kPortable;
  }
}

namespace {

size_t RoundUpToBlock(size_t n) { return (n + kBlock - 1) / kBlock * kBlock; }

}  // namespace

IntervalTables::IntervalTables(int maxLength1, int maxLength2, int pairs1, int pairs2) {
  // Each diagonal takes its cells plus at most one partial block at each end;
  // a guard block in front.
  const size_t diagonals = static_cast<size_t>(maxLength1 + maxLength2) + 1;
  tableSize_ = RoundUpToBlock(3 * (static_cast<size_t>(maxLength1 + 1) * static_cast<size_t>(maxLength2 + 1) +
                                   diagonals * 2 * kBlock + kBlock));
  rowSize_ = RoundUpToBlock(static_cast<size_t>(maxLength1) + 2 * kBlock);
  // Zeroed, so that the slack holds plain numbers.
  storage_ = ZeroedStorage(tableSize_ + 4 * rowSize_);
  a_ = storage_.data();
  d_ = a_ + kBlock;
  i_ = a_ + 2 * kBlock;
  candidateRows_ = a_ + tableSize_;
  std::fill(candidateRows_, candidateRows_ + 4 * rowSize_, -kInfinity);
  diagonalBase_.resize(diagonals);
  firstEnd2_.resize(static_cast<size_t>(maxLength2) + 1);
  ends1_.reserve(static_cast<size_t>(std::min(pairs1, maxLength1)));
  ends2_.reserve(static_cast<size_t>(std::min(pairs2, maxLength2)));
}

size_t IntervalTables::Bytes() const {
  return storage_.Bytes() + (diagonalBase_.capacity() + firstEnd2_.capacity()) * sizeof(int) +
         (ends1_.capacity() + ends2_.capacity()) * sizeof(RightEnd);
}

void PlanDiagonals(const Interval& iv, int* base) {
  const int L1 = iv.Length1(), L2 = iv.Length2();
  constexpr int kGroup = 3 * kBlock;
  int position = kGroup;  // a guard group in front
  for (int k = 0; k <= L1 + L2; ++k) {
    const int lo = k - L2 > 0 ? k - L2 : 0;
    const int hi = k < L1 ? k : L1;
    base[k] = position - lo / kBlock * kGroup;
    position += (hi / kBlock - lo / kBlock + 1) * kGroup;
  }
}

void ListRightEnds(const StructurePair& sp, bool first, int start, int end, std::vector<RightEnd>& out) {
  const CRnaStructure& s = first ? sp.first : sp.second;
  const std::vector<int>& keys = first ? sp.pairKeys1 : sp.pairKeys2;
  const int scale = first ? sp.second.pairCount : 1;
  for (int i = start; i <= end; ++i) {
    const int left = s.partner[i];
    if (left < i && left >= start) {
      out.push_back({i - start + 1, left - start, GroupOffset(left - start), keys[i], s.pairIndex[i] * scale});
    }
  }
}

void IntervalTables::Plan(const FillContext& context, const Interval& iv, const IntervalEnds* ends, void* out) {
  PlanDiagonals(iv, diagonalBase_.data());
  base_ = diagonalBase_.data();
  IntervalEnds own;
  if (ends == nullptr) {
    ends1_.clear();
    ends2_.clear();
    ListRightEnds(*context.structures, true, iv.start1, iv.end1, ends1_);
    ListRightEnds(*context.structures, false, iv.start2, iv.end2, ends2_);
    own = {ends1_.data(), static_cast<int>(ends1_.size()), ends2_.data(), static_cast<int>(ends2_.size())};
    ends = &own;
  }
  // The pair-of-pairs cells of a diagonal lie in the rows of ends1, each in
  // the column of an entry of ends2 found through this index.
  for (int n = 0, e2 = 0; n <= iv.Length2(); ++n) {
    while (e2 < ends->count2 && ends->ends2[e2].n < n) ++e2;
    firstEnd2_[static_cast<size_t>(n)] = e2;
  }
  const StructurePair& sp = *context.structures;
  FillPlan& plan = *static_cast<FillPlan*>(out);
  plan.A = a_;
  plan.base = base_;
  plan.L1 = iv.Length1();
  plan.L2 = iv.Length2();
  plan.codes1 = sp.codes1.data() + iv.start1;
  plan.codes2 = sp.codes2.data() + kBlock;
  plan.codes2Offset = sp.second.length - iv.start2;
  plan.candidateRows = candidateRows_;
  plan.rowSize = rowSize_;
  plan.rightEnds1 = ends->ends1;
  plan.rightEnds2 = ends->ends2;
  plan.count1 = ends->count1;
  plan.count2 = ends->count2;
  plan.firstEnd2 = firstEnd2_.data();
  plan.batches = (iv.Length1() + iv.Length2()) / 4 + 1;
  plan.pairScores = context.pairScores;
  plan.twiceMatch = 2.0 * context.match;
  plan.twiceMinusX = 2.0 * -context.x;
  plan.gapRun = context.gapRun.data();
  plan.gapRunOpen = context.gapRunOpen.data();
  plan.x = context.x;
  plan.y = context.y;
  plan.match = context.match;
  plan.indel = context.indel;
}

float IntervalTables::Fill(const FillContext& context, const Interval& iv, const IntervalEnds* ends) {
  FillPlan plan;
  Plan(context, iv, ends, &plan);
  switch (context.kernel) {
#ifdef ZENPHAL_X86_KERNELS
    case FillKernel::kAvx512: return avx512::FillDiagonals(plan);
    case FillKernel::kAvx2: return avx2::FillDiagonals(plan);
#endif
    default: return portable::FillDiagonals(plan);
  }
}

char IntervalTables::LetterA(const FillContext& context, const Interval& iv, int m, int j) const {
  const CRnaStructure& s1 = context.structures->first;
  const CRnaStructure& s2 = context.structures->second;
  const int i1 = iv.start1 + m - 1, i2 = iv.start2 + j - 1;
  const int P1 = s1.partner[i1], P2 = s2.partner[i2];
  const int here = Index(m, j);
  const double d = d_[(here)];
  const double i = i_[(here)];
  double c;
  char candidateLetter;
  if (P1 == i1 && P2 == i2) {
    c = a_[(Index(m - 1, j - 1))] + (s1.sequence[i1] == s2.sequence[i2] ? context.match : -context.x);
    candidateLetter = 'A';
  } else if (P1 < i1 && P1 >= iv.start1 && P2 < i2 && P2 >= iv.start2) {
    const double s = (s1.sequence[P1] == s2.sequence[P2] && s1.sequence[i1] == s2.sequence[i2]) ? context.match
                                                                                                : -context.x;
    const double V = context.pairScores[static_cast<size_t>(s1.pairIndex[i1]) * s2.pairCount + s2.pairIndex[i2]];
    c = a_[(Index(P1 - iv.start1, P2 - iv.start2))] + (2.0 * s + V);
    candidateLetter = 'S';
  } else {
    return d > i ? 'D' : 'I';  // no candidate; a tie goes to I
  }
  if (d >= i && d > c) return 'D';
  if (i >= d && i > c) return 'I';
  return candidateLetter;
}

void IntervalTables::TraceBack(const FillContext& context, const Interval& iv, IntervalTrace& trace) const {
  const CRnaStructure& s1 = context.structures->first;
  const CRnaStructure& s2 = context.structures->second;
  const double y = context.y;
  trace.top.clear();
  trace.bottom.clear();
  trace.interiors.clear();
  enum { kA, kD, kI } table = kA;
  int m = iv.Length1(), j = iv.Length2();
  const auto column = [&](char top, char bottom) {
    trace.top.push_back(top);
    trace.bottom.push_back(bottom);
  };
  while (m != 0 || j != 0) {
    const int i1 = iv.start1 + m - 1;
    const int i2 = iv.start2 + j - 1;
    // Border letters: row 0 leads to insertions, column 0 to deletions.
    char letter;
    if (m == 0) {
      letter = 'I';
    } else if (j == 0) {
      letter = 'D';
    } else if (table == kA) {
      letter = LetterA(context, iv, m, j);
    } else if (table == kD) {
      const int up = Index(m - 1, j);
      letter = a_[(up)] - y > d_[(up)] ? 'A' : 'D';
    } else {
      const int left = Index(m, j - 1);
      letter = a_[(left)] - y > i_[(left)] ? 'A' : 'I';
    }
    if (table == kA) {
      if (letter == 'A') {
        column(s1.sequence[i1], s2.sequence[i2]);
        --m;
        --j;
      } else if (letter == 'D') {
        table = kD;
      } else if (letter == 'I') {
        table = kI;
      } else {  // 'S'
        const int P1 = s1.partner[i1], P2 = s2.partner[i2];
        column(s1.sequence[i1], s2.sequence[i2]);
        trace.interiors.push_back({static_cast<int>(trace.top.size()), Interval{P1 + 1, i1 - 1, P2 + 1, i2 - 1}});
        column(s1.sequence[P1], s2.sequence[P2]);
        m = P1 - iv.start1;
        j = P2 - iv.start2;
      }
    } else if (letter == 'D' || (letter == 'A' && table == kD)) {
      column(s1.sequence[i1], '_');
      --m;
      table = letter == 'A' ? kA : kD;
    } else {
      column('_', s2.sequence[i2]);
      --j;
      table = letter == 'A' ? kA : kI;
    }
  }
}

}  // namespace zenphal
