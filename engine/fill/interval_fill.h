#pragma once
// The fast fill of one interval alignment and its trace back, for CAligner.
//
// The values are those of the straightforward recurrences, bit for bit: every
// cell is formed by the same double-precision operations on the same stored
// 32-bit values and rounded to 32 bits when stored. Only the order in which
// cells are evaluated differs: anti-diagonal by anti-diagonal (all cells m + j
// = k depend only on diagonals k - 1 and k - 2, and on earlier cells for pairs
// of pairs), so one diagonal is filled several cells at a time with vector
// instructions. The trace letters are not stored: the trace back re-derives
// the letter of each cell it visits from the stored scores with the same
// comparisons the fill made.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/aligner.h"
#include "engine/fill/zeroed_storage.h"
#include "engine/rna_structure.h"

namespace zenphal {

// Inclusive base ranges of the two structures; end = start - 1 is empty.
struct Interval {
  int start1, end1, start2, end2;
  int Length1() const { return end1 - start1 + 1; }
  int Length2() const { return end2 - start2 + 1; }
};

// What does not change between the fills of one aligner: the structures and
// their bases encoded for the vector fill.
struct StructurePair {
  StructurePair(const CRnaStructure& first, const CRnaStructure& second);
  const CRnaStructure& first;
  const CRnaStructure& second;
  // Base codes as doubles: the character code of an unpaired base, NaN for a
  // paired one. codes1[i + 1] is base i of the first structure; codes2
  // holds the second structure reversed (codes2[t] is base length2 - 1 - t).
  // Both are padded so that a vector may read past the end.
  std::vector<double> codes1;
  std::vector<double> codes2;
  // (code of the partner's base) x 256 + (code of the base), by position.
  std::vector<int> pairKeys1;
  std::vector<int> pairKeys2;
};

// The point and the interior scores that all fills of one Compute read.
struct FillContext {
  const StructurePair* structures = nullptr;
  double x = 0.0, y = 0.0, match = 0.0, indel = 0.0;
  float gapScore = 0.0f;
  float match32 = 0.0f, indel32 = 0.0f;  // the fixed scores as given
  const float* pairScores = nullptr;  // first pair x second pairCount + second pair
  // The first row and column of every interval alignment: gapRun[n] is the
  // score of one gap of n columns (D[n][0] = A[n][0] = I[0][n] = A[0][n]) and
  // gapRunOpen[n] the same minus y (I[n][0] = D[0][n]), n >= 1; gapRun[0] is
  // -y. The same for every interval; filled by Prepare.
  std::vector<double> gapRun;
  std::vector<double> gapRunOpen;
  FillKernel kernel = FillKernel::kPortable;

  // Sets the point and the borders for bases up to maxLength.
  void Prepare(float mismatchScore, float gapScore, float matchScore, float indelScore, int maxLength);
};

// The layout of an interval's tables (IntervalTables): the A value of cell
// (m, k - m) lies at base[k] + GroupOffset(m). Writes L1 + L2 + 1 entries.
void PlanDiagonals(const Interval& interval, int* base);
inline int GroupOffset(int m) { return (m >> 3) * 24 + (m & 7); }  // groups of 8 rows, 3 tables

// A right end of a pair inside an interval, as a pair-of-pairs candidate
// reads it.
struct RightEnd {
  int n;             // its row (first structure) or column (second), from 1
  int source;        // the row or column just before its left end
  int sourceOffset;  // GroupOffset(source) for a row
  int key;           // both bases of the pair
  int pairOffset;    // its share of the pair-of-pairs entry number
};

// The right ends of the pairs inside an interval (both ends inside), in
// increasing n, for both structures: all the fill needs to find the
// pair-of-pairs cells. Views of storage owned elsewhere (an aligner keeps
// them per pair, as they do not depend on the point).
struct IntervalEnds {
  const RightEnd* ends1 = nullptr;
  int count1 = 0;
  const RightEnd* ends2 = nullptr;
  int count2 = 0;
};

// The right ends of the pairs inside one structure's part of an interval
// (start to end), for rows (first structure, pair entries scaled by the
// second's pair count) or columns. Appends to out.
void ListRightEnds(const StructurePair& structures, bool first, int start, int end, std::vector<RightEnd>& out);

// The trace back of one interval alignment: its columns, last column first,
// and where the interior alignment of each aligned pair of pairs goes.
struct IntervalTrace {
  struct Interior {
    int column;  // the interior's columns go right before this column
    Interval interval;
  };
  std::string top, bottom;
  std::vector<Interior> interiors;  // in column order
};

// The score tables of one thread: A, D and I in diagonal order, as doubles
// holding 32-bit values. One Fill at a time; the trace back reads the last.
//
// Layout: the cells of diagonal k = m + j are stored in groups of kBlock rows
// on one grid of m (rows 0-7, 8-15, ...), each group holding its kBlock A
// values, then D, then I, so that one pointer reaches all three tables. Every
// vector load of the fill then reads exactly what one earlier vector store
// wrote (a load that straddles two recent stores stalls the processor). The
// cells of a group outside the diagonal are slack that only the fill writes.
class IntervalTables {
 public:
  static constexpr int kBlock = 8;  // the widest vector, in doubles

  // Room for intervals of up to maxLength1 x maxLength2 bases of structures
  // with pairs1 and pairs2 pairs; Fill allocates nothing. Throws
  // std::bad_alloc when the memory is not there.
  IntervalTables(int maxLength1, int maxLength2, int pairs1, int pairs2);

  // Fills the tables for the interval; returns the optimal score A[L1][L2].
  // ends, when given, are the interval's right ends (kept by the caller);
  // otherwise the fill lists them. Cost: the (L1 + 1)(L2 + 1) cells, plus
  // O(L1 + L2) to lay out the tables.
  float Fill(const FillContext& context, const Interval& interval, const IntervalEnds* ends = nullptr);

  // The trace back of the last Fill (same context and interval).
  void TraceBack(const FillContext& context, const Interval& interval, IntervalTrace& trace) const;

  size_t Bytes() const;

 private:
  void Plan(const FillContext& context, const Interval& interval, const IntervalEnds* ends, void* plan);
  // The A value of cell (m, j); its D value is kBlock further, I 2 kBlock.
  int Index(int m, int j) const { return base_[m + j] + GroupOffset(m); }
  char LetterA(const FillContext& context, const Interval& interval, int m, int j) const;

  ZeroedStorage storage_;  // the tables and the candidate rows
  double* a_ = nullptr;           // the interleaved tables, seen as A
  double* d_ = nullptr;           // the same, seen as D (a_ + kBlock)
  double* i_ = nullptr;           // the same, seen as I (a_ + 2 kBlock)
  double* candidateRows_ = nullptr;  // 4 rows of pair-of-pairs candidates, by m
  size_t tableSize_ = 0;
  size_t rowSize_ = 0;
  std::vector<int> diagonalBase_;  // the layout of the last fill
  const int* base_ = nullptr;      // diagonalBase_.data()
  std::vector<int> firstEnd2_;     // by column n: the first right end of the second list at or after n
  std::vector<RightEnd> ends1_, ends2_;  // the right ends of intervals that come without them
};

}  // namespace zenphal
