#pragma once
// The parametric decomposition of a rectangle of the (mismatch, gap) score
// plane into convex polygons, one per optimal alignment, found by ray
// shooting from a witness point inside each polygon.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "decomposition/geometry.h"
#include "decomposition/progress.h"
#include "engine/aligner.h"
#include "engine/alignment.h"

namespace zenphal {

// The narrowest range the search decomposes faithfully.
inline constexpr double kMinimumRangeWidth = 0.01;

// Why a range of the rectangle cannot be decomposed (not finite, reaching
// below 0, empty or inverted, narrower than kMinimumRangeWidth), or nullopt
// when it can. The message begins
// with the range's name and values: "mismatch score range [2.000000, ...".
std::optional<std::string> RangeProblem(const char* name, float from, float to);
// The same for both ranges, the mismatch range first.
std::optional<std::string> RectangleProblem(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo);

class CDecomposition {
 public:
  // Bounds on loops that the search does not bound by itself. Hitting one
  // ends that loop, marks the run incomplete and lets the run finish.
  struct Limits {
    int boundarySteps = 10000;       // alignments met along one ray
    int directionsPerPolygon = 20000;
  };

  void Init(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo);
  void SetAligner(PointAligner* aligner) { aligner_ = aligner; }  // not owned
  void SetProgressFactory(ProgressFactory factory) { progressFactory_ = std::move(factory); }
  void SetLimits(Limits limits) { limits_ = limits; }
  // The search probes some points more than once. With the cache on (the
  // default), a run computes each distinct point once and hands out copies
  // of that record: the aligner's answer depends on the point alone. Off, it
  // calls Compute at every probe (for measuring the aligner alone).
  void SetProbeCache(bool on) { probeCacheOn_ = on; }

  // The whole search; replaces the polygon list. Throws InputError when the
  // rectangle is rejected by RectangleProblem or no aligner is set, Cancelled
  // (before each probe) when the aligner's cancel flag is set, and passes on
  // what the aligner throws; the polygon list is then incomplete. Cost: a few aligner calls per polygon edge.
  void Run();

  float mismatchFrom = 0.0f;
  float gapFrom = 0.0f;
  float mismatchTo = 0.0f;
  float gapTo = 0.0f;

  ParameterRectangle Rectangle() const { return {mismatchFrom, gapFrom, mismatchTo, gapTo}; }
  PointAligner* Aligner() const { return aligner_; }

  // The polygons of the last run in order of discovery (numbered from 1 in
  // the reports), each with at least three edges.
  int PolygonCount() const { return static_cast<int>(polygons_.size()); }
  const CAlignment& Polygon(int i) const { return *polygons_[static_cast<size_t>(i)]; }

  // Of the last run: the search's probes (aligner calls asked for; the cache
  // answers some of them), the Compute calls made, and whether a loop bound
  // was hit or no polygon was found.
  long AlignerCalls() const { return alignerCalls_; }
  long ComputeCalls() const { return computeCalls_; }
  bool Incomplete() const { return incomplete_; }
  // Why the last run is incomplete, as one line for a warning; empty when
  // it is whole.
  std::string IncompleteReason() const;

 private:
  using Record = std::shared_ptr<CAlignment>;

  void Seed();
  void Sweep();
  void ExplorePolygon(const Record& polygon);
  void ExploreDirection(const Record& polygon, float x, float y, float d);
  Record FindBoundary(const Ray& ray, const Record& polygon, Point& p);
  Record NearestCrossing(const Ray& ray, const Record& polygon, Point& p);
  void AddPolygon(const Record& record);
  void MarkSpan(float a, float b, float c, CAlignment& polygon);
  Point Crossing(const CAlignment& a, const CAlignment& b, const Ray& ray) const;
  Record ComputeAt(float x, float y);
  Record ComputeHere();

  PointAligner* aligner_ = nullptr;
  ProgressFactory progressFactory_;
  std::unique_ptr<Progress> progressDlg_;
  Limits limits_;
  // Shared: a record can be listed and held by the search at the same time.
  std::vector<Record> polygons_;
  long alignerCalls_ = 0;
  long computeCalls_ = 0;
  bool incomplete_ = false;
  bool probeCacheOn_ = true;
  // Counts and rows computed at each point of this run, by the bits of the
  // aligner's (clamped) scores.
  std::unordered_map<uint64_t, CAlignment> probeCache_;
};

}  // namespace zenphal
