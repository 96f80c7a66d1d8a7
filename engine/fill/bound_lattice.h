#pragma once
// Interior scores known at the nodes of a lattice of the parameter plane,
// kept to bound the interior scores at other points.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/fill/interior_bounds.h"

namespace zenphal {

struct PointScores;

// Nodes at (i h, j h) for levels of spacing h = (the coarsest spacing) / 2^level. Each
// node holds, for every pair-of-pairs entry, an upper bound on its interior
// score there (the exact score for the interiors computed at the node).
// Within a level, a point lies in the triangle of the three nodes
// (i, j), (i + 1, j), (i, j + 1) or (i + 1, j + 1), (i, j + 1), (i + 1, j):
// by convexity the interior score is at most the interpolation of the
// corners' scores, and by monotony at most the score at (i, j).
class BoundLattice {
 public:
  static constexpr int kLevels = 3;  // spacings h, h / 2, h / 4

  struct Node {
    int64_t i, j;  // on the finest lattice
  };
  float X(const Node& node) const { return static_cast<float>(static_cast<double>(node.i) * Finest()); }
  float Y(const Node& node) const { return static_cast<float>(static_cast<double>(node.j) * Finest()); }

  // The coarsest spacing (1 until set). Setting another
  // drops the nodes.
  double Finest() const { return coarsest_ / (1 << (kLevels - 1)); }
  void SetCoarsest(double spacing);

  // The corners of the triangle of the level that holds the point.
  void Triangle(float x, float y, int level, Node corners[3]) const;
  // The level whose lattice first has the node (0 for the coarsest).
  static int LevelOf(const Node& node);

  const std::vector<float>* Find(const Node& node) const;
  void Store(const Node& node, std::vector<float> bounds);

  // Bounds at the point `at` from the triangle's corners (all stored) and
  // the interiors' lengths, each rounded up to 32 bits; they hold at `scores`
  // too, a point at or above and right of `at`.
  void Bound(const PointScores& at, const PointScores& scores, const Node corners[3],
             const InteriorBounds& lengths, float* bounds) const;


 private:
  static uint64_t Key(const Node& node) { return static_cast<uint64_t>(node.i) << 32 ^ static_cast<uint32_t>(node.j); }
  std::unordered_map<uint64_t, std::vector<float>> nodes_;
  double coarsest_ = 1.0;
};

}  // namespace zenphal
