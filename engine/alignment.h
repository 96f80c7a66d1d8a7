#pragma once
// The record of one alignment, which is also the record of one polygon of the
// decomposition: counts and rows first, then the polygon's state.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/plane.h"

namespace zenphal {

// Two aligned rows, stored last column first; '_' is the gap character.
struct AlignedRows {
  std::string topRow;
  std::string bottomRow;
  int16_t columnCount = 0;

  // The rows in reading order (first column first).
  std::string TopInReadingOrder() const { return {topRow.rbegin(), topRow.rend()}; }
  std::string BottomInReadingOrder() const { return {bottomRow.rbegin(), bottomRow.rend()}; }
};

// The line y = slope * x + intercept, or x = xValue when vertical.
struct ScoreLine {
  float slope = 0.0f;
  float intercept = 0.0f;
  bool vertical = false;
  float xValue = 0.0f;
};

class CAlignment {
 public:
  // Feature counts. Aligned pairs of pairs add their two columns to
  // matchCount or mismatchCount; unaligned pairs add two to indelCount.
  int16_t matchCount = 0;
  int16_t mismatchCount = 0;
  int16_t indelCount = 0;
  int16_t gapCount = 0;
  int16_t pairMatchCount = 0;
  int16_t pairMismatchCount = 0;
  int16_t pairIndelCount = 0;
  AlignedRows rows;

  // Polygon state, used while the decomposition explores this alignment.
  std::vector<Edge> edges;         // in the order found; duplicates possible
  std::vector<float> openBounds;   // pairs (lo, hi) of unexplored directions
  Point witness = kNoPoint;        // a point where this alignment is optimal
  float openAngle = kTwoPi;        // total measure of unexplored directions
  std::array<uint8_t, 4> sideFlags{};  // left, top, right, bottom recorded

  void SetWitness(float x, float y) { witness = Point{x, y}; }
  Point Witness() const { return witness; }
  std::array<uint8_t, 4>& SideFlags() { return sideFlags; }

  // Same alignment for the decomposition: equal match, mismatch, indel and
  // gap counts (pair counts and rows are not compared).
  bool SameAlignment(const CAlignment& other) const {
    return matchCount == other.matchCount && mismatchCount == other.mismatchCount &&
           indelCount == other.indelCount && gapCount == other.gapCount;
  }
  bool IsComplete() const;
  void AddEdge(float x1, float y1, float x2, float y2) { edges.push_back(Edge{x1, y1, x2, y2}); }
  int EdgeCount() const { return static_cast<int>(edges.size()); }

  // Next direction to explore, or -1.0 when none is left.
  float NextAngle();
  // Removes [a, b] (a <= b, both in [0, 2pi]) from the open directions.
  bool MarkExplored(float a, float b);
  // Cuts the open interval strictly containing d in two; false if none does.
  bool SplitAt(float d);
};

}  // namespace zenphal
