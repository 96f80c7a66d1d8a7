#include "engine/fill/bound_lattice.h"

#include <algorithm>
#include <cmath>

#include "engine/fill/fast_aligner.h"

namespace zenphal {

void BoundLattice::SetCoarsest(double spacing) {
  if (spacing == coarsest_) return;
  coarsest_ = spacing;
  nodes_.clear();
}

void BoundLattice::Triangle(float x, float y, int level, Node corners[3]) const {
  const double h = coarsest_ / (1 << level);
  const int64_t scale = int64_t{1} << (kLevels - 1 - level);  // finest steps per step of this level
  // The square (i, j) to (i + 1, j + 1) that holds the point, the lower one
  // when it lies on a lattice line (no node beyond the points asked for).
  const auto cell = [](double u) {
    const double f = std::floor(u);
    return static_cast<int64_t>(f == u && u > 0.0 ? f - 1.0 : f);
  };
  const double u = static_cast<double>(x) / h, v = static_cast<double>(y) / h;
  const int64_t i = cell(u), j = cell(v);
  if ((u - static_cast<double>(i)) + (v - static_cast<double>(j)) <= 1.0) {
    corners[0] = {i * scale, j * scale};
    corners[1] = {(i + 1) * scale, j * scale};
  } else {
    corners[0] = {(i + 1) * scale, (j + 1) * scale};
    corners[1] = {(i + 1) * scale, j * scale};
  }
  corners[2] = {i * scale, (j + 1) * scale};
}

int BoundLattice::LevelOf(const Node& node) {
  for (int level = 0; level < kLevels; ++level) {
    const int64_t scale = int64_t{1} << (kLevels - 1 - level);
    if (node.i % scale == 0 && node.j % scale == 0) return level;
  }
  return kLevels - 1;
}

const std::vector<float>* BoundLattice::Find(const Node& node) const {
  const auto found = nodes_.find(Key(node));
  return found == nodes_.end() ? nullptr : &found->second;
}

void BoundLattice::Store(const Node& node, std::vector<float> bounds) { nodes_[Key(node)] = std::move(bounds); }


void BoundLattice::Bound(const PointScores& s, const PointScores& scores, const Node corners[3],
                         const InteriorBounds& lengths, float* bounds) const {
  const std::vector<float>* values[3];
  double cx[3], cy[3];
  for (int c = 0; c < 3; ++c) {
    values[c] = Find(corners[c]);
    cx[c] = X(corners[c]);
    cy[c] = Y(corners[c]);
  }
  // Barycentric weights of the point.
  const double px = s.mismatch, py = s.gap;
  const double det = (cx[1] - cx[0]) * (cy[2] - cy[0]) - (cx[2] - cx[0]) * (cy[1] - cy[0]);
  const double w1 = ((px - cx[0]) * (cy[2] - cy[0]) - (cx[2] - cx[0]) * (py - cy[0])) / det;
  const double w2 = ((cx[1] - cx[0]) * (py - cy[0]) - (px - cx[0]) * (cy[1] - cy[0])) / det;
  const double w0 = 1.0 - w1 - w2;
  // The rounding margin grows with x and y: take the largest of the points.
  PointScores largest = scores;
  for (int c = 0; c < 3; ++c) {
    largest.mismatch = std::max(largest.mismatch, static_cast<float>(cx[c]));
    largest.gap = std::max(largest.gap, static_cast<float>(cy[c]));
  }
  // The corner below and to the left of the point, for the monotone bound.
  int low = -1;
  for (int c = 0; c < 3; ++c) {
    if (cx[c] <= px && cy[c] <= py) low = c;
  }
  lengths.Bound(scores, bounds);
  const size_t entries = values[0]->size();
  for (size_t e = 0; e < entries; ++e) {
    const auto [l1, l2] = lengths.Lengths(e);
    const double margin = InteriorBounds::Margin(largest, l1, l2);
    double bound = w0 * (*values[0])[e] + w1 * (*values[1])[e] + w2 * (*values[2])[e];
    if (low >= 0) bound = std::min(bound, static_cast<double>((*values[low])[e]));
    bound += margin;
    if (bound < bounds[e]) bounds[e] = std::min(bounds[e], InteriorBounds::RoundUp(bound));
  }
}

}  // namespace zenphal
