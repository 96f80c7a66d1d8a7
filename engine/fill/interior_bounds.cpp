#include "engine/fill/interior_bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/fill/fast_aligner.h"

namespace zenphal {

namespace {

std::vector<int> InteriorLengths(const CRnaStructure& s) {
  std::vector<int> lengths(static_cast<size_t>(s.pairCount), 0);
  for (int i = 0; i < s.length; ++i) {
    if (s.partner[i] < i) lengths[static_cast<size_t>(s.pairIndex[i])] = i - s.partner[i] - 1;
  }
  return lengths;
}

// The smallest float at or above v.
}  // namespace

InteriorBounds::InteriorBounds(const CRnaStructure& first, const CRnaStructure& second)
    : length1_(InteriorLengths(first)), length2_(InteriorLengths(second)) {}

bool InteriorBounds::Usable(const PointScores& s) {
  constexpr double kLargest = 1e6;
  for (const float v : {s.match, s.indel, s.mismatch, s.gap}) {
    if (!std::isfinite(v) || std::fabs(v) > kLargest) return false;
  }
  return true;
}

double InteriorBounds::Margin(const PointScores& s, int l1, int l2) {
  // At most one rounding per column and one for the border, each below
  // 2^-24 of a magnitude of at most (columns) x (largest change per column)
  // plus y; doubled for safety, doubled again for the two values involved.
  const double perColumn = std::max({std::fabs(static_cast<double>(s.match)), static_cast<double>(s.mismatch),
                                     std::fabs(static_cast<double>(s.indel)) + s.gap}) +
                           s.gap;
  const double columns = static_cast<double>(l1) + l2 + 2.0;
  return 4.0 * std::ldexp(columns * (columns * perColumn + s.gap + 1.0), -24);
}

double InteriorBounds::LengthBound(const PointScores& s, int l1, int l2) {
  const double best = std::max(static_cast<double>(s.match), -static_cast<double>(s.mismatch));
  const double indel = s.indel;
  const double y = s.gap;
  const int shorter = std::min(l1, l2);
  // k aligned columns: k best - (l1 + l2 - 2k) indel - y (gaps). Linear in
  // k apart from the gaps, which are fewest at k = 0 or k = shorter.
  const double none = -(static_cast<double>(l1) + l2) * indel - y * ((l1 > 0 ? 1 : 0) + (l2 > 0 ? 1 : 0));
  const double most = shorter * best - (static_cast<double>(l1) + l2 - 2.0 * shorter) * indel - (l1 != l2 ? y : 0.0);
  return std::max(none, most);
}

void InteriorBounds::Bound(const PointScores& s, float* bounds) const {
  const size_t pairs2 = length2_.size();
  for (size_t p = 0; p < length1_.size(); ++p) {
    for (size_t q = 0; q < pairs2; ++q) {
      const int l1 = length1_[p], l2 = length2_[q];
      bounds[p * pairs2 + q] = RoundUp(LengthBound(s, l1, l2) + Margin(s, l1, l2));
    }
  }
}

float InteriorBounds::RoundUp(double v) {
  float f = static_cast<float>(v);
  if (static_cast<double>(f) < v) f = std::nextafter(f, std::numeric_limits<float>::infinity());
  return f;
}

}  // namespace zenphal
