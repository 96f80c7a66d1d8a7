#pragma once
// How far an alignment of two structures agrees with a reference alignment
// of the same two structures (a family's curated alignment of two of its
// members), and where in the score rectangle the optimal alignments agree
// best.
//
// A column that holds a base of each structure aligns base i of the first
// with base k of the second: the pair (i, k). Let R be the pairs of the
// reference's columns and A those of the alignment, and
//
//   sensitivity = |A ∩ R| / |R|   the share of the reference's aligned
//                                 columns that the alignment reproduces
//   precision   = |A ∩ R| / |A|   the share of the alignment's aligned
//                                 columns that the reference has
//   agreement   = 2 |A ∩ R| / (|R| + |A|)
//                                 their harmonic mean: 1 exactly when A = R,
//                                 0 when they share no column
//
// Base pairs: a base pair (i, j) of the first structure whose bases the
// reference aligns with the bases of a base pair (k, l) of the second is a
// reference pair alignment; pairs = the share of them that the alignment
// makes too (i with k and j with l).
// A share whose denominator is 0 is not defined (nullopt).
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/alignment.h"
#include "engine/rna_structure.h"
#include "formats/pairwise_reference.h"

namespace zenphal {

// The reference as pairs of positions, for two structures. Built once per
// computation: linear in the reference's length.
class ReferenceColumns {
 public:
  // Throws InputError when the reference is not an alignment of the two
  // structures' bases (CheckReferenceFits).
  ReferenceColumns(const PairwiseReference& reference, const CRnaStructure& first, const CRnaStructure& second);

  // Per base of the first structure: the base of the second that the
  // reference aligns with it, or -1.
  const std::vector<int>& Partner() const { return partner_; }
  int Columns() const { return columns_; }  // |R|
  int Pairs() const { return pairs_; }      // reference pair alignments

 private:
  std::vector<int> partner_;
  int columns_ = 0;
  int pairs_ = 0;
};

// The counts behind the shares of one alignment.
struct RegionAgreement {
  int referenceColumns = 0;  // |R|
  int alignedColumns = 0;    // |A|
  int sharedColumns = 0;     // |A ∩ R|
  int referencePairs = 0;    // reference pair alignments
  int sharedPairs = 0;       // of those, made by the alignment

  std::optional<double> Sensitivity() const;
  std::optional<double> Precision() const;
  std::optional<double> Pairs() const;
  std::optional<double> Agreement() const;

  // Whether this alignment agrees at least as well as other (compared
  // exactly, on the counts); an undefined agreement is below every other.
  bool AtLeastAsGoodAs(const RegionAgreement& other) const;
  // Whether the agreement is at least `tenths`/10 of other's (exactly).
  bool WithinTenthsOf(const RegionAgreement& other, int tenths) const;

  bool operator==(const RegionAgreement&) const = default;
};

// The agreement of the alignment in rows (stored last column first, '_' for
// a gap, as the aligner writes them) with the reference. Throws
// InternalError when the rows do not hold exactly the two structures'
// bases. Linear in the rows' length.
RegionAgreement MeasureAgreement(const ReferenceColumns& reference, const CRnaStructure& first,
                                 const CRnaStructure& second, const AlignedRows& rows);

// Where the optimal alignments agree best.
struct AgreementSummary {
  // The polygon (index in list order) whose alignment agrees best; among
  // equals, the largest, then the first. -1 when no agreement is defined.
  int best = -1;
  std::optional<double> bestAgreement;
  // The share of the rectangle's area where the optimal alignment reaches
  // 90% of the best agreement (the polygons that do, over the rectangle);
  // nullopt when the best is 0 or not defined.
  std::optional<double> nearBestShare;
};

// Reaching "90% of the best" (AgreementSummary::nearBestShare).
inline constexpr int kNearBestTenths = 9;

// areas[i] is the area of polygon i; rectangleArea that of the rectangle.
AgreementSummary SummarizeAgreement(const std::vector<RegionAgreement>& regions, const std::vector<double>& areas,
                                    double rectangleArea);

// The agreement of every polygon of a decomposition with a reference.
struct DecompositionAgreement {
  PairwiseReference reference;
  int referenceColumns = 0;
  int referencePairs = 0;
  std::vector<RegionAgreement> regions;  // per polygon, in list order
  AgreementSummary summary;
};

// Per polygon, its agreement from 0 to 1, or -1 where it is not defined:
// what the pictures colour the regions by.
std::vector<double> AgreementValues(const DecompositionAgreement& agreement);

}  // namespace zenphal
