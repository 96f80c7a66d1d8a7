#include "engine/fill/fast_aligner.h"

#include <algorithm>
#include <cmath>
#include <atomic>
#include <new>
#include <string>
#include <thread>

#include "engine/errors.h"

namespace zenphal {

namespace {

// Below this many interior cells per Compute, waking helpers costs more than
// it saves.
constexpr long kCellsWorthThreads = 100000;
constexpr int kMaxDefaultThreads = 4;
constexpr long kCellsWorthLazyHelpers = 20000000;
// Below this many cells per Compute, a single point's bounds (from the
// structures alone) rarely pay: on the Vault pair (1.5 M) the certified
// fill takes twice the cells of filling every interior, on srp-euk (57 M) a
// fifth of them.
constexpr double kCellsWorthSinglePointBounds = 20e6;

}  // namespace

FastAligner::FastAligner(const CRnaStructure& first_, const CRnaStructure& second_)
    : structures_(first_, second_), bounds_(first_, second_), nesting_(first_, second_), first(first_),
      second(second_) {
  SetSinglePointBoundsFrom(-1.0);
  try {
    schedule_ = BuildPairSchedule(first, second);
    if (!schedule_.items.empty()) {
      pairScores_.assign(static_cast<size_t>(first.pairCount) * static_cast<size_t>(second.pairCount), 0.0f);
      traceWanted_.assign(pairScores_.size(), 0);
      earlyTraced_.assign(pairScores_.size(), 0);
      exact_.assign(pairScores_.size(), 0);
    }
    tables_.push_back(std::make_unique<IntervalTables>(first.length, second.length, first.pairCount, second.pairCount));
    lazy_ = std::make_unique<LazyResolution>(
        first, second, [this](const Interval& iv, IntervalEnds& out) { return EndsOf(iv, out); });
    ListPairEnds();
  } catch (const std::bad_alloc&) {
    throw InputError("not enough memory for the alignment tables of " + std::to_string(first.length) + " x " +
                     std::to_string(second.length) + " bases");
  }
  context_.structures = &structures_;
  context_.pairScores = pairScores_.data();
}

void FastAligner::ListPairEnds() {
  const auto list = [&](bool isFirst, const CRnaStructure& s, std::vector<EndsRange>& ranges) {
    ranges.assign(static_cast<size_t>(s.pairCount) + 1, EndsRange{});
    for (int i = 0; i < s.length; ++i) {
      if (s.partner[i] >= i) continue;
      EndsRange& r = ranges[static_cast<size_t>(s.pairIndex[i])];
      r.offset = static_cast<int>(endsPool_.size());
      ListRightEnds(structures_, isFirst, s.partner[i] + 1, i - 1, endsPool_);
      r.count = static_cast<int>(endsPool_.size()) - r.offset;
    }
    EndsRange& whole = ranges.back();
    whole.offset = static_cast<int>(endsPool_.size());
    ListRightEnds(structures_, isFirst, 0, s.length - 1, endsPool_);
    whole.count = static_cast<int>(endsPool_.size()) - whole.offset;
  };
  list(true, first, ends1_);
  list(false, second, ends2_);
  endsPool_.shrink_to_fit();
}

const IntervalEnds* FastAligner::EndsOf(const Interval& iv, IntervalEnds& out) const {
  const EndsRange* r1 = nullptr;
  const EndsRange* r2 = nullptr;
  if (iv.start1 == 0 && iv.end1 == first.length - 1 && iv.start2 == 0 && iv.end2 == second.length - 1) {
    r1 = &ends1_.back();
    r2 = &ends2_.back();
  } else if (iv.start1 > 0 && iv.start2 > 0 && iv.end1 + 1 < first.length && iv.end2 + 1 < second.length &&
             first.partner[iv.end1 + 1] == iv.start1 - 1 && second.partner[iv.end2 + 1] == iv.start2 - 1 &&
             iv.start1 - 1 < iv.end1 + 1 && iv.start2 - 1 < iv.end2 + 1) {
    // The interiors of a pair of pairs.
    r1 = &ends1_[static_cast<size_t>(first.pairIndex[iv.end1 + 1])];
    r2 = &ends2_[static_cast<size_t>(second.pairIndex[iv.end2 + 1])];
  } else {
    return nullptr;
  }
  out = {endsPool_.data() + r1->offset, r1->count, endsPool_.data() + r2->offset, r2->count};
  return &out;
}

FastAligner::~FastAligner() = default;

void FastAligner::SetSinglePointBoundsFrom(double cells) {
  singlePointFrom_ = cells < 0.0 ? kCellsWorthSinglePointBounds : cells;
}

void FastAligner::SetThreadCount(int threads) {
  if (threads == threads_) return;
  threads_ = threads;
  team_.reset();
  tables_.resize(1);
  teamTried_ = false;
}

int FastAligner::ActiveThreads() const { return team_ ? team_->Helpers() + 1 : 1; }

size_t FastAligner::TableBytes() const {
  size_t bytes = 0;
  for (const auto& t : tables_) bytes += t->Bytes();
  return bytes;
}

size_t FastAligner::OrderBytes() const {
  return endsPool_.capacity() * sizeof(RightEnd) + (ends1_.capacity() + ends2_.capacity()) * sizeof(EndsRange);
}

void FastAligner::StartTeam() {
  teamTried_ = true;
  int threads = threads_;
  if (threads <= 0) {
    const int hardware = static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(hardware, 1, kMaxDefaultThreads);
  }
  if (threads <= 1 || (threads_ == 0 && schedule_.totalCells < kCellsWorthThreads)) return;
  // Without the memory or the threads, the calling thread does all the work.
  try {
    for (int t = 1; t < threads; ++t) {
      tables_.push_back(std::make_unique<IntervalTables>(schedule_.largestInterior1, schedule_.largestInterior2,
                                                                first.pairCount, second.pairCount));
    }
    itemDone_ = std::vector<std::atomic<uint8_t>>(schedule_.items.size());
    nextItem_ = std::make_unique<SharedCounter>();
    team_ = std::make_unique<FillTeam>(threads - 1);
  } catch (const std::exception&) {
    team_.reset();
    tables_.resize(1);
  }
}

void FastAligner::Prepare(const PointScores& s) {
  context_.kernel = kernel_;
  context_.match32 = s.match;
  context_.indel32 = s.indel;
  context_.Prepare(s.mismatch, s.gap, s.match, s.indel, std::max(first.length, second.length));
}

void FastAligner::FillPairScores() {
  const std::vector<PairSchedule::Item>& items = schedule_.items;
  if (items.empty()) return;
  if (!teamTried_) StartTeam();
  if (!team_) {
    for (const PairSchedule::Item& item : items) {
      ThrowIfCancelled(cancel_);
      FillEntry(*tables_[0], item);
    }
    cells_ += static_cast<double>(schedule_.totalCells);
    return;
  }
  // Each thread takes the next item in list order and waits for its
  // predecessors. They come earlier in the list, taken by threads that never
  // wait on anything taken later, so this cannot deadlock.
  const int count = static_cast<int>(items.size());
  std::atomic<int>& next = nextItem_->value;
  next.store(0, std::memory_order_relaxed);
  for (std::atomic<uint8_t>& flag : itemDone_) flag.store(0, std::memory_order_relaxed);
  team_->Run([&](int thread) {
    IntervalTables& tables = *tables_[static_cast<size_t>(thread)];
    for (int n = next.fetch_add(1, std::memory_order_relaxed); n < count;
         n = next.fetch_add(1, std::memory_order_relaxed)) {
      const PairSchedule::Item& item = items[static_cast<size_t>(n)];
      if (CancelRequested()) {
        // Drain: later items wait for this one.
        itemDone_[static_cast<size_t>(n)].store(1, std::memory_order_release);
        continue;
      }
      for (int c = item.firstPredecessor; c < item.lastPredecessor; ++c) {
        FillTeam::WaitUntilSet(itemDone_[static_cast<size_t>(schedule_.predecessors[static_cast<size_t>(c)])]);
      }
      FillEntry(tables, item);
      itemDone_[static_cast<size_t>(n)].store(1, std::memory_order_release);
    }
  });
  ThrowIfCancelled(cancel_);
  cells_ += static_cast<double>(schedule_.totalCells);
}

void FastAligner::PrepareEarlyTraces() {
  // Room for each trace, so that the threads allocate nothing.
  for (const auto& [entry, interval] : wanted_) {
    IntervalTrace& trace = earlyTraces_[entry];
    const size_t columns = static_cast<size_t>(interval.Length1() + interval.Length2());
    trace.top.reserve(columns);
    trace.bottom.reserve(columns);
    trace.interiors.reserve(columns / 2 + 1);
  }
}

float FastAligner::FillCounted(IntervalTables& tables, const Interval& iv) {
  cells_ += static_cast<double>(iv.Length1() + 1) * static_cast<double>(iv.Length2() + 1);
  IntervalEnds ends;
  return tables.Fill(context_, iv, EndsOf(iv, ends));
}

void FastAligner::FillEntry(IntervalTables& tables, const PairSchedule::Item& item) {
  // Counted by FillPairScores: this runs on every thread of the team.
  IntervalEnds ends;
  pairScores_[static_cast<size_t>(item.entry)] = tables.Fill(context_, item.interval, EndsOf(item.interval, ends));
  if (earlyTracing_ && traceWanted_[static_cast<size_t>(item.entry)]) {
    tables.TraceBack(context_, item.interval, earlyTraces_.find(item.entry)->second);
    earlyTraced_[static_cast<size_t>(item.entry)] = 1;
  }
}

float FastAligner::Align(const Interval& interval, AlignedRows& rows, bool learn) {
  IntervalTables& tables = *tables_[0];
  const float score = FillCounted(tables, interval);
  std::string top, bottom;
  top.reserve(static_cast<size_t>(interval.Length1() + interval.Length2()));
  bottom.reserve(top.capacity());
  // Depth-first: emit a trace's columns up to its next interior, then the
  // interior's columns, then go on. An interior comes traced from the fill of
  // the pairs of pairs when it was foreseen, and is re-filled and traced now
  // otherwise.
  struct Frame {
    const IntervalTrace* trace;
    size_t column = 0;
    size_t interior = 0;
  };
  if (traceStack_.empty()) traceStack_.resize(1);
  tables.TraceBack(context_, interval, traceStack_[0]);
  std::vector<Frame> frames{{&traceStack_[0]}};
  std::vector<std::pair<int, Interval>> used;
  while (!frames.empty()) {
    const size_t level = frames.size() - 1;
    Frame& frame = frames.back();
    const IntervalTrace& trace = *frame.trace;
    const bool interiorLeft = frame.interior < trace.interiors.size();
    const size_t end = interiorLeft ? static_cast<size_t>(trace.interiors[frame.interior].column) : trace.top.size();
    top.append(trace.top, frame.column, end - frame.column);
    bottom.append(trace.bottom, frame.column, end - frame.column);
    frame.column = end;
    if (!interiorLeft) {
      frames.pop_back();
      continue;
    }
    const Interval inner = trace.interiors[frame.interior++].interval;
    const int entry = lazy_->EntryOf(inner);
    if (learn) used.emplace_back(entry, inner);
    if (learn && earlyTraced_[static_cast<size_t>(entry)]) {
      frames.push_back({&earlyTraces_.find(entry)->second});
      continue;
    }
    if (resolvedLazily_) {
      if (const IntervalTrace* resolved = lazy_->TraceOf(entry)) {
        frames.push_back({resolved});
        continue;
      }
    }
    ThrowIfCancelled(cancel_);
    if (traceStack_.size() < level + 2) traceStack_.resize(level + 2);
    FillCounted(tables, inner);
    tables.TraceBack(context_, inner, traceStack_[level + 1]);
    frames.push_back({&traceStack_[level + 1]});
  }
  rows.columnCount = static_cast<int16_t>(top.size());
  rows.topRow = std::move(top);
  rows.bottomRow = std::move(bottom);
  if (learn) {
    // The next point is most likely near this one, with the same interiors.
    for (const auto& [entry, inner] : wanted_) {
      traceWanted_[static_cast<size_t>(entry)] = 0;
      earlyTraced_[static_cast<size_t>(entry)] = 0;
    }
    wanted_ = std::move(used);
    for (const auto& [entry, inner] : wanted_) traceWanted_[static_cast<size_t>(entry)] = 1;
    std::erase_if(earlyTraces_, [&](const auto& kept) { return !traceWanted_[static_cast<size_t>(kept.first)]; });
    for (const auto& [entry, inner] : wanted_) earlyTraces_.try_emplace(entry);
  }
  return score;
}

float FastAligner::AlignIntervals(const PointScores& scores, const Interval& interval, AlignedRows& rows) {
  if (resolvedLazily_) {
    // Any interval may read any interior score of the last Compute.
    Prepare(lastScores_);
    FillAllPairScores();
    resolvedLazily_ = false;
  }
  Prepare(scores);
  return Align(interval, rows, false);
}

void FastAligner::FillAllPairScores() {
  struct NoEarlyTraces {
    bool& on;
    ~NoEarlyTraces() { on = true; }
  } scope{earlyTracing_};
  earlyTracing_ = false;
  FillPairScores();
}

void FastAligner::EnsureNode(const BoundLattice::Node& node) {
  if (lattice_.Find(node) != nullptr) return;
  const int level = BoundLattice::LevelOf(node);
  const PointScores at{context_.match32, context_.indel32, lattice_.X(node), lattice_.Y(node)};
  if (level == 0) {
    Prepare(at);
    FillAllPairScores();
  } else {
    BoundLattice::Node corners[3];
    lattice_.Triangle(at.mismatch, at.gap, level - 1, corners);
    for (const BoundLattice::Node& c : corners) EnsureNode(c);
    Prepare(at);
    lattice_.Bound(at, at, corners, bounds_, pairScores_.data());
    if (!ResolveLazily()) {
      Prepare(at);
      FillAllPairScores();
    }
  }
  lattice_.Store(node, pairScores_);
}

void FastAligner::ExpectRegion(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo) {
  // Two coarsest steps across the longer side: nine nodes filled in full,
  // the finer ones a quarter of that apart.
  const double side = std::max(static_cast<double>(mismatchTo) - mismatchFrom, static_cast<double>(gapTo) - gapFrom);
  if (std::isfinite(side) && side > 0.0) {
    lattice_.SetCoarsest(static_cast<float>(side / 2.0));
    regionExpected_ = true;
  }
}

void FastAligner::BoundFromLattice(const PointScores& scores) {
  // A point just above or right of a lattice line takes the bounds of the
  // point on the line (the scores only fall as x and y grow), so that points
  // rounded past the edge of a rectangle need no nodes beyond it.
  const auto snap = [&](float v) {
    const double u = static_cast<double>(v) / lattice_.Finest();
    const double below = std::floor(u);
    return u - below < 1e-3 ? static_cast<float>(below * lattice_.Finest()) : v;
  };
  PointScores at = scores;
  at.mismatch = snap(scores.mismatch);
  at.gap = snap(scores.gap);
  BoundLattice::Node corners[3];
  lattice_.Triangle(at.mismatch, at.gap, BoundLattice::kLevels - 1, corners);
  for (const BoundLattice::Node& c : corners) EnsureNode(c);
  Prepare(scores);
  lattice_.Bound(at, scores, corners, bounds_, pairScores_.data());
}

bool FastAligner::ResolveLazily() {
  if (!teamTried_) StartTeam();
  // Interiors on demand hand out little work (a stem is one chain of
  // interiors): helpers pay only on large structures. The limit: past the
  // cells of filling every interior, filling them all is cheaper.
  FillTeam* team = schedule_.totalCells >= kCellsWorthLazyHelpers ? team_.get() : nullptr;
  bool resolved = false;
  try {
    resolved = lazy_->Resolve(context_, pairScores_.data(), exact_.data(), tables_, team,
                              static_cast<double>(schedule_.totalCells), cells_, cancel_);
  } catch (const std::bad_alloc&) {
    // Only slower: every interior is filled instead.
  }
  ThrowIfCancelled(cancel_);
  return resolved;
}

bool FastAligner::ResolveAtPoint(const PointScores& scores) {
  nesting_.Start(scores);
  lazy_->Start(context_, pairScores_.data(), exact_.data(), static_cast<double>(schedule_.totalCells), cancel_);
  // Each exact score tightens the bounds of the entries it is nested in.
  lazy_->SetExactHook([this](int e) {
    nesting_.Exact(e, pairScores_[static_cast<size_t>(e)]);
    nesting_.Propagate(e, pairScores_.data(), exact_.data());
  });
  // A stem's alignment against a stem mostly goes through their links'.
  lazy_->SetFirstGuess([this](int e) { return nesting_.LinkedEntry(e); });
  struct NoHook {
    LazyResolution& lazy;
    ~NoHook() {
      lazy.SetExactHook(nullptr);
      lazy.SetFirstGuess(nullptr);
    }
  } scope{*lazy_};
  bool resolved = true;
  // In increasing (p, q): every entry nested in (p, q) comes before it.
  for (int p = 0; p < first.pairCount && resolved; ++p) {
    for (int q = 0; q < second.pairCount && resolved; ++q) {
      const size_t e = static_cast<size_t>(p) * static_cast<size_t>(second.pairCount) + static_cast<size_t>(q);
      if (exact_[e]) continue;
      pairScores_[e] = nesting_.Bound(p, q);
      if (nesting_.Bottom(p, q)) {
        // One fill with the stand-ins of its interiors: an upper bound, as
        // the fill is monotone in them, and a close one (it knows the
        // bases), where the lengths alone know nothing.
        ThrowIfCancelled(cancel_);
        const float bound = FillCounted(*tables_[0], lazy_->InteriorOf(static_cast<int>(e)));
        nesting_.Known(static_cast<int>(e), bound);
        pairScores_[e] = std::min(pairScores_[e], bound);
        if (cells_ > static_cast<double>(schedule_.totalCells)) resolved = false;
      }
    }
  }
  if (resolved) {
    // On the calling thread alone: helpers would work from copies of the
    // bounds that the exact scores found do not tighten, and fill twice the
    // cells (ssu: 115 M cells alone, 240 M with one helper, in more time).
    resolved = lazy_->CertifyWhole(tables_, nullptr);
  }
  cells_ += lazy_->Cells();
  ThrowIfCancelled(cancel_);
  return resolved;
}

void FastAligner::Compute(const PointScores& scores, AlignedRows& rows) {
  // Until every interior score is known (or this Compute is cancelled),
  // pairScores_ may hold bounds.
  resolvedLazily_ = true;
  lastScores_ = scores;
  Prepare(scores);
  cells_ = 0.0;
  if (lazyOn_ && regionExpected_ && !schedule_.items.empty() && InteriorBounds::Usable(scores)) {
    BoundFromLattice(scores);
    if (ResolveLazily()) {
      Align(Interval{0, first.length - 1, 0, second.length - 1}, rows, false);
      return;
    }
  }
  if (lazyOn_ && !regionExpected_ && !schedule_.items.empty() && InteriorBounds::Usable(scores) &&
      static_cast<double>(schedule_.totalCells) >= singlePointFrom_) {
    bool resolved = false;
    try {
      resolved = ResolveAtPoint(scores);
    } catch (const std::bad_alloc&) {
      // Only slower: every interior is filled instead.
    }
    if (resolved) {
      Align(Interval{0, first.length - 1, 0, second.length - 1}, rows, false);
      return;
    }
  }
  Prepare(scores);
  PrepareEarlyTraces();
  FillPairScores();
  resolvedLazily_ = false;
  Align(Interval{0, first.length - 1, 0, second.length - 1}, rows, true);
}

}  // namespace zenphal
