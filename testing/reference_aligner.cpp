#include "testing/reference_aligner.h"

#include <new>
#include <string>

#include "engine/errors.h"

namespace zenphal {

CReferenceAligner::CReferenceAligner(const CRnaStructure& first_, const CRnaStructure& second_, float matchScore_, float indelScore_)
    : PointAligner(matchScore_, indelScore_), first(first_), second(second_) {
  CheckAlignableLengths(first, second);
  const size_t cells = static_cast<size_t>(first.length + 1) * static_cast<size_t>(second.length + 1);
  try {
    alignTable.resize(cells);
    deleteTable.resize(cells);
    insertTable.resize(cells);
    if (first.pairCount > 0 && second.pairCount > 0) {
      pairTable.resize(static_cast<size_t>(first.pairCount) * static_cast<size_t>(second.pairCount));
    }
  } catch (const std::bad_alloc&) {
    throw InputError("not enough memory for the alignment tables of " + std::to_string(first.length) + " x " +
                     std::to_string(second.length) + " bases");
  }
}

float CReferenceAligner::AlignIntervals(int start1, int end1, int start2, int end2, AlignedRows& rows) {
  const int L1 = end1 - start1 + 1;
  const int L2 = end2 - start2 + 1;
  const int W = L2 + 1;
  DpCell* A = alignTable.data();
  DpCell* D = deleteTable.data();
  DpCell* I = insertTable.data();
  const double x = mismatchScore;
  const double y = gapScore;
  const double match = matchScore;
  const double indel = indelScore;
  const auto set = [](DpCell& cell, double value, char letter) {
    cell.score = static_cast<float>(value);
    cell.letter = letter;
  };

  // Border: one gap along each edge.
  A[0].score = 0.0f;
  D[0].score = -gapScore;
  I[0].score = -gapScore;
  for (int m = 1; m <= L1; ++m) {
    set(D[m * W], D[(m - 1) * W].score - indel, 'D');
    A[m * W] = D[m * W];  // letter D: the border is one deletion gap
  }
  for (int j = 1; j <= L2; ++j) {
    set(I[j], I[j - 1].score - indel, 'I');
    A[j] = I[j];
  }
  for (int j = 1; j <= L2; ++j) set(D[j], I[j].score - y, 'I');
  for (int m = 1; m <= L1; ++m) set(I[m * W], D[m * W].score - y, 'D');

  const std::string& seq1 = first.sequence;
  const std::string& seq2 = second.sequence;
  for (int m = 1; m <= L1; ++m) {
    const int i1 = start1 + m - 1;
    const int P1 = first.partner[i1];
    for (int j = 1; j <= L2; ++j) {
      const int i2 = start2 + j - 1;
      const int P2 = second.partner[i2];
      const int here = m * W + j;
      const int up = here - W;
      const int left = here - 1;

      // A gap opens only when strictly better; on a tie it goes on.
      if (A[up].score - y > D[up].score) {
        set(D[here], (A[up].score - indel) - y, 'A');
      } else {
        set(D[here], D[up].score - indel, 'D');
      }
      if (A[left].score - y > I[left].score) {
        set(I[here], (A[left].score - indel) - y, 'A');
      } else {
        set(I[here], I[left].score - indel, 'I');
      }

      double candidate;
      char candidateLetter;
      if (P1 == i1 && P2 == i2) {
        candidate = A[up - 1].score + (seq1[i1] == seq2[i2] ? match : -x);
        candidateLetter = 'A';
      } else if (P1 < i1 && P1 >= start1 && P2 < i2 && P2 >= start2) {
        const double s = (seq1[P1] == seq2[P2] && seq1[i1] == seq2[i2]) ? match : -x;
        const double V =
            pairTable[static_cast<size_t>(first.pairIndex[i1]) * second.pairCount + second.pairIndex[i2]].score;
        candidate = A[(P1 - start1) * W + (P2 - start2)].score + (2.0 * s + V);
        candidateLetter = 'S';
      } else {
        // No candidate: a paired base here can only stand in a gap column.
        A[here] = D[here].score > I[here].score ? DpCell{D[here].score, 'D'} : DpCell{I[here].score, 'I'};
        continue;
      }
      const float d = D[here].score;
      const float i = I[here].score;
      if (d >= i && d > candidate) {
        A[here] = DpCell{d, 'D'};
      } else if (i >= d && i > candidate) {
        A[here] = DpCell{i, 'I'};
      } else {
        set(A[here], candidate, candidateLetter);
      }
    }
  }

  TraceBack(L1, L2, start1, start2, rows);
  return A[L1 * W + L2].score;
}

void CReferenceAligner::TraceBack(int L1, int L2, int start1, int start2, AlignedRows& rows) const {
  const int W = L2 + 1;
  const DpCell* tables[3] = {alignTable.data(), deleteTable.data(), insertTable.data()};
  enum { kA, kD, kI };
  std::string top, bottom;
  top.reserve(static_cast<size_t>(L1 + L2));
  bottom.reserve(static_cast<size_t>(L1 + L2));
  int table = kA;
  int m = L1, j = L2;
  while (m != 0 || j != 0) {
    const int i1 = start1 + m - 1;
    const int i2 = start2 + j - 1;
    const char letter = tables[table][m * W + j].letter;
    const auto deletion = [&] {
      top.push_back(first.sequence[i1]);
      bottom.push_back('_');
      --m;
    };
    const auto insertion = [&] {
      top.push_back('_');
      bottom.push_back(second.sequence[i2]);
      --j;
    };
    if (table == kA) {
      switch (letter) {
        case 'A':
          top.push_back(first.sequence[i1]);
          bottom.push_back(second.sequence[i2]);
          --m;
          --j;
          break;
        case 'D': table = kD; break;
        case 'I': table = kI; break;
        case 'S': {
          const int P1 = first.partner[i1];
          const int P2 = second.partner[i2];
          const PairAlignment& inner =
              pairTable[static_cast<size_t>(first.pairIndex[i1]) * second.pairCount + second.pairIndex[i2]];
          top.push_back(first.sequence[i1]);
          bottom.push_back(second.sequence[i2]);
          top += inner.rows.topRow;
          bottom += inner.rows.bottomRow;
          top.push_back(first.sequence[P1]);
          bottom.push_back(second.sequence[P2]);
          m = P1 - start1;
          j = P2 - start2;
          break;
        }
        default: throw InternalError(std::string("trace back met letter '") + letter + "' in the align table");
      }
    } else if (table == kD) {
      switch (letter) {
        case 'A': deletion(); table = kA; break;
        case 'D': deletion(); break;
        case 'I': insertion(); table = kI; break;
        default: throw InternalError(std::string("trace back met letter '") + letter + "' in the delete table");
      }
    } else {
      switch (letter) {
        case 'A': insertion(); table = kA; break;
        case 'I': insertion(); break;
        case 'D': deletion(); table = kD; break;
        default: throw InternalError(std::string("trace back met letter '") + letter + "' in the insert table");
      }
    }
  }
  rows.columnCount = static_cast<int16_t>(top.size());
  rows.topRow = std::move(top);
  rows.bottomRow = std::move(bottom);
}

void CReferenceAligner::Compute(CAlignment& record) {
  if (!pairTable.empty()) {
    for (int i = 0; i < first.length; ++i) {
      if (first.partner[i] >= i) continue;
      for (int j = 0; j < second.length; ++j) {
        if (second.partner[j] >= j) continue;
        PairAlignment& entry =
            pairTable[static_cast<size_t>(first.pairIndex[i]) * second.pairCount + second.pairIndex[j]];
        entry.score = AlignIntervals(first.partner[i] + 1, i - 1, second.partner[j] + 1, j - 1, entry.rows);
      }
    }
  }
  AlignIntervals(0, first.length - 1, 0, second.length - 1, record.rows);
  for (PairAlignment& entry : pairTable) entry.rows = AlignedRows{};
  CountFeatures(first, second, record);
}

}  // namespace zenphal
