#include "agreement/agreement.h"

#include <algorithm>
#include <string>

#include "engine/errors.h"

namespace zenphal {
namespace {

std::optional<double> Share(int part, int whole) {
  if (whole <= 0) return std::nullopt;
  return static_cast<double>(part) / whole;
}

// Per base of the first structure, the base of the second that the two
// rows (in either order of columns) align with it, or -1. Reports whether
// the rows hold exactly the structures' bases.
bool ColumnPartners(std::string_view top, std::string_view bottom, char gap, int length1, int length2,
                    bool lastColumnFirst, std::vector<int>& partner) {
  partner.assign(static_cast<size_t>(length1), -1);
  if (top.size() != bottom.size()) return false;
  int i = lastColumnFirst ? length1 - 1 : 0;
  int k = lastColumnFirst ? length2 - 1 : 0;
  const int step = lastColumnFirst ? -1 : 1;
  for (size_t c = 0; c < top.size(); ++c) {
    const bool base1 = top[c] != gap;
    const bool base2 = bottom[c] != gap;
    if ((base1 && (i < 0 || i >= length1)) || (base2 && (k < 0 || k >= length2))) return false;
    if (base1 && base2) partner[static_cast<size_t>(i)] = k;
    if (base1) i += step;
    if (base2) k += step;
  }
  return i == (lastColumnFirst ? -1 : length1) && k == (lastColumnFirst ? -1 : length2);
}

}  // namespace

ReferenceColumns::ReferenceColumns(const PairwiseReference& reference, const CRnaStructure& first,
                                   const CRnaStructure& second) {
  CheckReferenceFits(reference, first.sequence, second.sequence);
  ColumnPartners(reference.top, reference.bottom, kReferenceGap, first.length, second.length, false, partner_);
  for (int i = 0; i < first.length; ++i) {
    const int k = partner_[static_cast<size_t>(i)];
    if (k < 0) continue;
    ++columns_;
    // A pair counted once, at its left end.
    const int j = first.partner[static_cast<size_t>(i)];
    if (j <= i) continue;
    const int l = partner_[static_cast<size_t>(j)];
    if (l >= 0 && second.IsPaired(k) && second.partner[static_cast<size_t>(k)] == l) ++pairs_;
  }
}

std::optional<double> RegionAgreement::Sensitivity() const { return Share(sharedColumns, referenceColumns); }
std::optional<double> RegionAgreement::Precision() const { return Share(sharedColumns, alignedColumns); }
std::optional<double> RegionAgreement::Pairs() const { return Share(sharedPairs, referencePairs); }
std::optional<double> RegionAgreement::Agreement() const {
  return Share(2 * sharedColumns, referenceColumns + alignedColumns);
}

bool RegionAgreement::AtLeastAsGoodAs(const RegionAgreement& other) const {
  const int64_t mine = referenceColumns + alignedColumns;
  const int64_t theirs = other.referenceColumns + other.alignedColumns;
  if (theirs <= 0) return true;
  if (mine <= 0) return false;
  return int64_t{sharedColumns} * theirs >= int64_t{other.sharedColumns} * mine;
}

bool RegionAgreement::WithinTenthsOf(const RegionAgreement& other, int tenths) const {
  const int64_t mine = referenceColumns + alignedColumns;
  const int64_t theirs = other.referenceColumns + other.alignedColumns;
  if (mine <= 0 || theirs <= 0) return false;
  return 10 * int64_t{sharedColumns} * theirs >= tenths * int64_t{other.sharedColumns} * mine;
}

RegionAgreement MeasureAgreement(const ReferenceColumns& reference, const CRnaStructure& first,
                                 const CRnaStructure& second, const AlignedRows& rows) {
  std::vector<int> aligned;
  if (!ColumnPartners(rows.topRow, rows.bottomRow, '_', first.length, second.length, true, aligned)) {
    throw InternalError("the alignment's rows do not hold the two structures' bases");
  }
  RegionAgreement a;
  a.referenceColumns = reference.Columns();
  a.referencePairs = reference.Pairs();
  const std::vector<int>& ref = reference.Partner();
  for (int i = 0; i < first.length; ++i) {
    const int k = aligned[static_cast<size_t>(i)];
    if (k < 0) continue;
    ++a.alignedColumns;
    if (ref[static_cast<size_t>(i)] != k) continue;
    ++a.sharedColumns;
    const int j = first.partner[static_cast<size_t>(i)];
    if (j <= i) continue;
    const int l = ref[static_cast<size_t>(j)];
    if (l >= 0 && aligned[static_cast<size_t>(j)] == l && second.IsPaired(k) &&
        second.partner[static_cast<size_t>(k)] == l) {
      ++a.sharedPairs;
    }
  }
  return a;
}

AgreementSummary SummarizeAgreement(const std::vector<RegionAgreement>& regions, const std::vector<double>& areas,
                                    double rectangleArea) {
  AgreementSummary s;
  const auto area = [&](int i) { return static_cast<size_t>(i) < areas.size() ? areas[static_cast<size_t>(i)] : 0.0; };
  for (int i = 0; i < static_cast<int>(regions.size()); ++i) {
    const RegionAgreement& r = regions[static_cast<size_t>(i)];
    if (!r.Agreement()) continue;
    if (s.best < 0) {
      s.best = i;
      continue;
    }
    const RegionAgreement& best = regions[static_cast<size_t>(s.best)];
    const bool better = !best.AtLeastAsGoodAs(r);
    const bool equal = r.AtLeastAsGoodAs(best) && best.AtLeastAsGoodAs(r);
    if (better || (equal && area(i) > area(s.best))) s.best = i;
  }
  if (s.best < 0) return s;
  const RegionAgreement& best = regions[static_cast<size_t>(s.best)];
  s.bestAgreement = best.Agreement();
  if (best.sharedColumns == 0 || !(rectangleArea > 0.0)) return s;
  double near = 0.0;
  for (int i = 0; i < static_cast<int>(regions.size()); ++i) {
    if (regions[static_cast<size_t>(i)].WithinTenthsOf(best, kNearBestTenths)) near += area(i);
  }
  s.nearBestShare = std::min(1.0, near / rectangleArea);
  return s;
}

std::vector<double> AgreementValues(const DecompositionAgreement& agreement) {
  std::vector<double> values;
  values.reserve(agreement.regions.size());
  for (const RegionAgreement& r : agreement.regions) values.push_back(r.Agreement().value_or(-1.0));
  return values;
}

}  // namespace zenphal
