// The ray-shooting search. Every polygon is explored from its witness point:
// a ray in an unexplored direction finds where the polygon's alignment stops
// being optimal, the alignment across and their equal-score line; walking that
// line both ways gives the edge, whose fan of directions is then explored.
// The order of probes and of discovered polygons is part of the output.
#include <algorithm>
#include <bit>
#include <cmath>

#include "decomposition/decomposition.h"
#include "engine/errors.h"

namespace zenphal {

void CDecomposition::Init(float mismatchFrom_, float mismatchTo_, float gapFrom_, float gapTo_) {
  mismatchFrom = mismatchFrom_;
  mismatchTo = mismatchTo_;
  gapFrom = gapFrom_;
  gapTo = gapTo_;
}

namespace {

// Ends the progress display however the run ends.
struct ProgressScope {
  std::unique_ptr<Progress>& progress;
  ~ProgressScope() {
    if (progress) progress->End();
    progress.reset();
  }
};

}  // namespace

void CDecomposition::Run() {
  if (aligner_ == nullptr) throw InputError("no aligner set for the decomposition");
  if (auto problem = RectangleProblem(mismatchFrom, mismatchTo, gapFrom, gapTo)) throw InputError(*problem);
  polygons_.clear();
  alignerCalls_ = 0;
  computeCalls_ = 0;
  incomplete_ = false;
  probeCache_.clear();
  progressDlg_ = progressFactory_ ? progressFactory_() : nullptr;
  ProgressScope scope{progressDlg_};
  if (progressDlg_) progressDlg_->Show();
  aligner_->ExpectRegion(mismatchFrom, mismatchTo, gapFrom, gapTo);
  struct CacheScope {
    std::unordered_map<uint64_t, CAlignment>& cache;
    ~CacheScope() { std::unordered_map<uint64_t, CAlignment>().swap(cache); }
  } cacheScope{probeCache_};
  Seed();
  Sweep();
  std::erase_if(polygons_, [](const Record& r) { return r->EdgeCount() < 3; });
  // Some alignment is optimal at every point, so an empty list is never the
  // whole answer (scores in the millions leave the search unable to tell
  // nearby points apart).
  if (polygons_.empty()) incomplete_ = true;
}

std::string CDecomposition::IncompleteReason() const {
  if (!incomplete_) return {};
  if (polygons_.empty()) {
    return "the search found no polygon; the decomposition is incomplete (scores this large may be beyond the "
           "search's resolution)";
  }
  return "the search hit one of its loop bounds; the decomposition may be incomplete";
}

CDecomposition::Record CDecomposition::ComputeHere() {
  // Between probes is where a run can stop at once.
  ThrowIfCancelled(aligner_->GetCancelFlag());
  auto record = std::make_shared<CAlignment>();
  ++alignerCalls_;
  if (!probeCacheOn_) {
    aligner_->Compute(*record);
    ++computeCalls_;
    return record;
  }
  const uint64_t key = static_cast<uint64_t>(std::bit_cast<uint32_t>(aligner_->mismatchScore)) << 32 |
                       std::bit_cast<uint32_t>(aligner_->gapScore);
  auto [slot, isNew] = probeCache_.try_emplace(key);
  CAlignment& known = slot->second;
  if (isNew) {
    try {
      aligner_->Compute(known);
    } catch (...) {
      probeCache_.erase(slot);
      throw;
    }
    ++computeCalls_;
  }
  // A fresh record with the counts and rows only: the polygon fields belong
  // to each record.
  record->matchCount = known.matchCount;
  record->mismatchCount = known.mismatchCount;
  record->indelCount = known.indelCount;
  record->gapCount = known.gapCount;
  record->pairMatchCount = known.pairMatchCount;
  record->pairMismatchCount = known.pairMismatchCount;
  record->pairIndelCount = known.pairIndelCount;
  record->rows = known.rows;
  return record;
}

CDecomposition::Record CDecomposition::ComputeAt(float x, float y) {
  aligner_->SetPoint(x, y);
  return ComputeHere();
}

void CDecomposition::Seed() {
  const Point C{static_cast<float>((static_cast<double>(mismatchFrom) + mismatchTo) * 0.5),
                static_cast<float>((static_cast<double>(gapFrom) + gapTo) * 0.5)};
  Point P = kNoPoint;
  Record r = ComputeAt(C.x, C.y);
  const Record s = FindBoundary(Ray{C.x, C.y, 0.0f}, r, P);
  // The centre lies on the boundary and its polygon extends to the left: the
  // polygon across becomes the first one.
  if (Near(P, C) && s) {
    AddPolygon(s);
    ExplorePolygon(s);
    return;
  }
  const Point M{static_cast<float>((static_cast<double>(P.x) + C.x) * 0.5),
                static_cast<float>((static_cast<double>(P.y) + C.y) * 0.5)};
  P = kNoPoint;
  const Record s2 = FindBoundary(Ray{M.x, M.y, kHalfPi}, r, P);
  if (Near(P, M) && s2) {
    r = s2;
    r->SetWitness(P.x, P.y);
  } else {
    r->SetWitness(C.x, C.y);
  }
  ExplorePolygon(r);
  AddPolygon(r);
}

void CDecomposition::Sweep() {
  for (size_t i = 0; i < polygons_.size(); ++i) {
    const Record polygon = polygons_[i];
    if (!polygon->IsComplete()) ExplorePolygon(polygon);
    const size_t n = polygons_.size();
    if (progressDlg_) progressDlg_->SetPosition(static_cast<int>(i * 100 / n), static_cast<int>(n));
  }
}

void CDecomposition::ExplorePolygon(const Record& R) {
  int directions = 0;
  while (!R->IsComplete()) {
    const float d = R->NextAngle();
    if (d == -1.0f) return;
    if (++directions > limits_.directionsPerPolygon) {
      incomplete_ = true;
      R->openBounds.clear();
      R->openAngle = 0.0f;
      return;
    }
    const Point W = R->Witness();
    ExploreDirection(R, W.x, W.y, d);
  }
}

void CDecomposition::ExploreDirection(const Record& R, float x, float y, float d) {
  Point P0 = kNoPoint, P1 = kNoPoint, P2 = kNoPoint;
  const Point W = R->Witness();
  const Record N = FindBoundary(Ray{x, y, d}, R, P0);
  ScoreLine L;
  if (N) {
    aligner_->EqualScoreLine(L, *R, *N);
  } else {
    L = SideLine(Rectangle(), P0, R->SideFlags());
  }
  const float theta = LineAngle(L);
  const float thetaOpposite = static_cast<float>(static_cast<double>(theta) + kPi);
  FindBoundary(Ray{P0.x, P0.y, theta}, R, P1);
  FindBoundary(Ray{P0.x, P0.y, thetaOpposite}, R, P2);

  const auto recordEdge = [&] {
    const int side = SideOf(Rectangle(), L);
    if (side != kNoSide) R->SideFlags()[static_cast<size_t>(side)] = 1;
    R->AddEdge(P1.x, P1.y, P2.x, P2.y);
  };
  const bool alongEdge = WithinTolerance(d, theta) || WithinTolerance(d, thetaOpposite);
  if (Near(P1, P2)) {
    // The edge has no length.
    if (Near(P0, W) && !alongEdge) {
      MarkSpan(theta, thetaOpposite, d, *R);
    } else {
      R->SplitAt(d);
    }
  } else if (Near(P0, W)) {
    // The witness lies on this edge: the half-plane on d's side is explored.
    if (alongEdge) {
      R->SplitAt(d);
    } else {
      recordEdge();
      MarkSpan(theta, thetaOpposite, d, *R);
    }
  } else if (Near(P0, P1) || Near(P0, P2)) {
    R->SplitAt(d);  // the ray met a corner
  } else {
    recordEdge();
    MarkSpan(DirectionAngle(W, P1), DirectionAngle(W, P2), DirectionAngle(W, P0), *R);
  }
}

void CDecomposition::MarkSpan(float a, float b, float c, CAlignment& R) {
  const float lo = a < b ? a : b;
  const float hi = a > b ? a : b;
  if (lo <= c && c <= hi) {
    R.MarkExplored(lo, c);
    R.MarkExplored(c, hi);
  } else {
    // The fan wraps through direction 0.
    R.MarkExplored(0.0f, lo);
    R.MarkExplored(hi, kTwoPi);
  }
}

CDecomposition::Record CDecomposition::FindBoundary(const Ray& ray, const Record& R, Point& P) {
  Record res = NearestCrossing(ray, R, P);
  Record q = ComputeAt(P.x, P.y);
  float f = static_cast<float>(aligner_->ScoreOf(*q));
  int steps = 0;
  while (!WithinTolerance(aligner_->ScoreOf(*R), f)) {
    if (++steps > limits_.boundarySteps) {
      incomplete_ = true;
      break;
    }
    // q beats R at P: list it, then move to where the two score equally.
    q->SetWitness(P.x, P.y);
    AddPolygon(q);
    P = Crossing(*R, *q, ray);
    aligner_->SetPoint(P.x, P.y);
    res = q;
    q = ComputeHere();
    f = static_cast<float>(aligner_->ScoreOf(*q));
  }
  return res;
}

CDecomposition::Record CDecomposition::NearestCrossing(const Ray& ray, const Record& R, Point& P) {
  float best = 10000.0f;
  Record found;
  const Point origin{ray.x, ray.y};
  for (const Record& T : polygons_) {
    if (T->SameAlignment(*R)) continue;
    const Point X = Crossing(*R, *T, ray);
    if (X.HasMarkerCoordinate()) continue;
    const float dist = Distance(origin, X);
    if (dist <= kTolerance) continue;
    if (dist < best) {
      best = dist;
      P = X;
      found = T;
    }
  }
  if (found) return found;
  P = RayExit(Rectangle(), ray);
  return nullptr;
}

void CDecomposition::AddPolygon(const Record& T) {
  for (const Record& listed : polygons_) {
    if (listed->SameAlignment(*T)) return;
  }
  polygons_.push_back(T);
}

Point CDecomposition::Crossing(const CAlignment& a, const CAlignment& b, const Ray& ray) const {
  // Alignments with equal mismatch and gap counts never tie on any line.
  if (a.mismatchCount == b.mismatchCount && a.gapCount == b.gapCount) return kNoPoint;
  ScoreLine line;
  aligner_->EqualScoreLine(line, a, b);
  return CrossingOfLine(Rectangle(), line, ray);
}

}  // namespace zenphal
