#include "engine/fill/nesting_bounds.h"

#include <algorithm>
#include <limits>

#include "engine/fill/fast_aligner.h"

namespace zenphal {

std::vector<NestingBounds::Link> NestingBounds::Links(const CRnaStructure& s) {
  std::vector<Link> links(static_cast<size_t>(s.pairCount));
  for (int r = 0; r < s.length; ++r) {
    const int l = s.partner[r];
    if (l >= r) continue;
    // The first left end inside whose pair lies inside: the only candidate.
    int cl = -1;
    for (int i = l + 1; i < r; ++i) {
      if (s.partner[i] > i && s.partner[i] < r) {
        cl = i;
        break;
      }
    }
    if (cl < 0) continue;  // a hairpin
    const int cr = s.partner[cl];
    // Every other base of P and S is unpaired or paired outside the
    // interior: no second branch, nothing paired into the link's interior.
    const auto outside = [&](int k) { return s.partner[k] == k || s.partner[k] <= l || s.partner[k] >= r; };
    bool single = true;
    for (int k = l + 1; k < cl && single; ++k) single = outside(k);
    for (int k = cr + 1; k < r && single; ++k) single = outside(k);
    if (!single) continue;
    Link& link = links[static_cast<size_t>(s.pairIndex[r])];
    link.pair = s.pairIndex[cr];
    link.before = cl - l;
    link.after = r - cr;
  }
  return links;
}

NestingBounds::NestingBounds(const CRnaStructure& first, const CRnaStructure& second)
    : link1_(Links(first)), link2_(Links(second)), lengths_(first, second),
      pairs2_(static_cast<size_t>(second.pairCount)) {
  const auto parents = [](const std::vector<Link>& links) {
    std::vector<int> parent(links.size(), -1);
    for (size_t p = 0; p < links.size(); ++p) {
      if (links[p].pair >= 0) parent[static_cast<size_t>(links[p].pair)] = static_cast<int>(p);
    }
    return parent;
  };
  parent1_ = parents(link1_);
  parent2_ = parents(link2_);
}

void NestingBounds::Propagate(int entry, float* bounds, const uint8_t* exact) {
  stack_.clear();
  stack_.push_back(entry);
  while (!stack_.empty()) {
    const auto e = static_cast<size_t>(stack_.back());
    stack_.pop_back();
    const int p = static_cast<int>(e / pairs2_), q = static_cast<int>(e % pairs2_);
    const int above1 = parent1_[static_cast<size_t>(p)], above2 = parent2_[static_cast<size_t>(q)];
    const auto tighten = [&](int p2, int q2) {
      if (p2 < 0 || q2 < 0) return;
      const size_t f = static_cast<size_t>(p2) * pairs2_ + static_cast<size_t>(q2);
      if (exact[f]) return;
      const double before = real_[f];
      const float bound = Bound(p2, q2);
      if (real_[f] < before) {
        bounds[f] = std::min(bounds[f], bound);
        stack_.push_back(static_cast<int>(f));
      }
    };
    tighten(above1, q);
    tighten(p, above2);
    tighten(above1, above2);
  }
}

double NestingBounds::RemovalLoss(const PointScores& s, int a1, int a2, int b1, int b2) {
  const double indel = s.indel;
  const double y = s.gap;
  const double c = std::max(static_cast<double>(s.match), -static_cast<double>(s.mismatch)) + 2.0 * indel;
  const auto end = [&](int a, int b) {
    double most = std::max(0.0, c * std::min(a, b));
    if (a > 0 || b > 0) most = std::max({most, c + y, c * std::max(a, b) + y});
    return -(a + b) * indel + most;
  };
  double loss = end(a1, b1) + end(a2, b2);
  if ((a1 > 0 && b2 > 0) || (b1 > 0 && a2 > 0)) {
    const double aligned = std::max(a1 + b2, b1 + a2);
    loss = std::max(loss, std::max(0.0, c) * aligned - (a1 + a2 + b1 + b2) * indel + 2.0 * y);
  }
  return loss;
}

void NestingBounds::Start(const PointScores& s) {
  match_ = s.match;
  indel_ = s.indel;
  mismatch_ = s.mismatch;
  gap_ = s.gap;
  real_.assign(link1_.size() * pairs2_, std::numeric_limits<double>::infinity());
}

void NestingBounds::Exact(int entry, float value) {
  const PointScores s{match_, indel_, mismatch_, gap_};
  const auto [l1, l2] = lengths_.Lengths(static_cast<size_t>(entry));
  real_[static_cast<size_t>(entry)] = static_cast<double>(value) + InteriorBounds::Margin(s, l1, l2);
}

void NestingBounds::Known(int entry, float bound) {
  const PointScores s{match_, indel_, mismatch_, gap_};
  const auto [l1, l2] = lengths_.Lengths(static_cast<size_t>(entry));
  double& real = real_[static_cast<size_t>(entry)];
  real = std::min(real, static_cast<double>(bound) + InteriorBounds::Margin(s, l1, l2));
}

float NestingBounds::Bound(int p, int q) {
  const PointScores s{match_, indel_, mismatch_, gap_};
  const size_t entry = static_cast<size_t>(p) * pairs2_ + static_cast<size_t>(q);
  const auto [l1, l2] = lengths_.Lengths(entry);
  double bound = InteriorBounds::LengthBound(s, l1, l2);
  const Link& link1 = link1_[static_cast<size_t>(p)];
  const Link& link2 = link2_[static_cast<size_t>(q)];
  const auto at = [&](int p2, int q2) { return real_[static_cast<size_t>(p2) * pairs2_ + static_cast<size_t>(q2)]; };
  if (link1.pair >= 0 && link2.pair >= 0) {
    bound = std::min(bound, at(link1.pair, link2.pair) + RemovalLoss(s, link1.before, link1.after, link2.before,
                                                                      link2.after));
  }
  if (link1.pair >= 0) bound = std::min(bound, at(link1.pair, q) + RemovalLoss(s, link1.before, link1.after, 0, 0));
  if (link2.pair >= 0) bound = std::min(bound, at(p, link2.pair) + RemovalLoss(s, 0, 0, link2.before, link2.after));
  real_[entry] = bound;
  return InteriorBounds::RoundUp(bound + InteriorBounds::Margin(s, l1, l2));
}

}  // namespace zenphal
