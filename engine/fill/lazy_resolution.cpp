#include "engine/fill/lazy_resolution.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace zenphal {

struct LazyResolution::Worker {
  IntervalTables* tables = nullptr;
  FillContext context;
  float* view = nullptr;     // stand-ins as this thread sees them
  uint8_t* known = nullptr;  // exact in view
  std::vector<float> ownView;
  std::vector<uint8_t> ownKnown;
  std::deque<IntervalTrace> traces;  // by depth (a deque: references stay valid as it grows)
  std::deque<std::vector<int>> pending;
  int cursor = 0;  // into log_
  bool caller = false;
};

LazyResolution::LazyResolution(const CRnaStructure& first, const CRnaStructure& second, OrderOf orderOf)
    : first_(first), second_(second), orderOf_(std::move(orderOf)) {
  rightEnd1_.assign(static_cast<size_t>(first.pairCount), 0);
  rightEnd2_.assign(static_cast<size_t>(second.pairCount), 0);
  for (int i = 0; i < first.length; ++i) {
    if (first.partner[i] < i) rightEnd1_[static_cast<size_t>(first.pairIndex[i])] = i;
  }
  for (int j = 0; j < second.length; ++j) {
    if (second.partner[j] < j) rightEnd2_[static_cast<size_t>(second.pairIndex[j])] = j;
  }
  entries_ = static_cast<size_t>(first.pairCount) * static_cast<size_t>(second.pairCount);
}

LazyResolution::~LazyResolution() = default;

int LazyResolution::EntryOf(const Interval& interior) const {
  return first_.pairIndex[interior.end1 + 1] * second_.pairCount + second_.pairIndex[interior.end2 + 1];
}

Interval LazyResolution::InteriorOf(int entry) const {
  const int r1 = rightEnd1_[static_cast<size_t>(entry / second_.pairCount)];
  const int r2 = rightEnd2_[static_cast<size_t>(entry % second_.pairCount)];
  return Interval{first_.partner[r1] + 1, r1 - 1, second_.partner[r2] + 1, r2 - 1};
}

void LazyResolution::Sync(Worker& w) {
  const int size = logSize_.load(std::memory_order_acquire);
  for (; w.cursor < size; ++w.cursor) {
    const auto e = static_cast<size_t>(log_[static_cast<size_t>(w.cursor)]);
    w.view[e] = score_[e].load(std::memory_order_relaxed);
    w.known[e] = 1;
    if (w.caller && onExact_) onExact_(static_cast<int>(e));
  }
}

void LazyResolution::Publish(Worker& w, int entry, float score, const IntervalTrace& trace) {
  const auto e = static_cast<size_t>(entry);
  w.view[e] = score;
  w.known[e] = 1;
  std::lock_guard lock(publishMutex_);
  if (state_[e].load(std::memory_order_relaxed) == kExact) return;  // another thread was first
  if (!traces_[e]) traces_[e] = std::make_unique<IntervalTrace>();
  *traces_[e] = trace;
  traced_[e] = 1;
  score_[e].store(score, std::memory_order_relaxed);
  state_[e].store(kExact, std::memory_order_release);
  const int n = logSize_.load(std::memory_order_relaxed);
  log_[static_cast<size_t>(n)] = entry;
  logSize_.store(n + 1, std::memory_order_release);
}

bool LazyResolution::PopTask(int& entry) {
  if (!haveTasks_.load(std::memory_order_relaxed)) return false;
  std::lock_guard lock(poolMutex_);
  if (pool_.empty()) return false;
  entry = pool_.back();
  pool_.pop_back();
  if (pool_.empty()) haveTasks_.store(false, std::memory_order_relaxed);
  return true;
}

bool LazyResolution::Certify(Worker& w, const Interval& interval, int entry, size_t depth) {
  if (w.traces.size() <= depth) {
    w.traces.resize(depth + 1);
    w.pending.resize(depth + 1);
  }
  const long long cells = static_cast<long long>(interval.Length1() + 1) * (interval.Length2() + 1);
  {
    // First the interiors this interval's path went through when it was
    // last resolved (at an earlier point, most likely nearby): when its path
    // is the same now, one fill settles it.
    std::vector<int>& pending = w.pending[depth];
    pending.clear();
    {
      std::lock_guard lock(publishMutex_);
      const IntervalTrace* last = entry >= 0 ? traces_[static_cast<size_t>(entry)].get() : &wholeTrace_;
      if (last != nullptr) {
        for (const IntervalTrace::Interior& inner : last->interiors) {
          const int e = EntryOf(inner.interval);
          if (!w.known[static_cast<size_t>(e)]) pending.push_back(e);
        }
      } else if (firstGuess_) {
        const int e = firstGuess_(entry);
        if (e >= 0 && !w.known[static_cast<size_t>(e)]) pending.push_back(e);
      }
    }
    if (!pending.empty() && !ResolveChildren(w, depth)) return false;
  }
  for (;;) {
    if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) stop_.store(true, std::memory_order_relaxed);
    if (Stopping() || (!w.caller && done_.load(std::memory_order_relaxed))) return false;
    if (cells_.fetch_add(cells, std::memory_order_relaxed) + cells > cellLimit_) {
      stop_.store(true, std::memory_order_relaxed);
      return false;
    }
    Sync(w);
    IntervalEnds ends;
    const float score = w.tables->Fill(w.context, interval, orderOf_(interval, ends));
    IntervalTrace& trace = w.traces[depth];
    w.tables->TraceBack(w.context, interval, trace);
    std::vector<int>& pending = w.pending[depth];
    pending.clear();
    for (const IntervalTrace::Interior& inner : trace.interiors) {
      const int e = EntryOf(inner.interval);
      if (!w.known[static_cast<size_t>(e)]) pending.push_back(e);
    }
    if (pending.empty()) {
      if (entry >= 0) {
        Publish(w, entry, score, trace);
      } else {
        std::lock_guard lock(publishMutex_);
        wholeTrace_ = trace;
      }
      return true;
    }
    if (!ResolveChildren(w, depth)) return false;
  }
}

// Resolves the interiors w.pending[depth]: the caller keeps the largest and
// hands out the others; it then waits for those a helper took.
bool LazyResolution::ResolveChildren(Worker& w, size_t depth) {
  std::vector<int>& pending = w.pending[depth];
  if (w.caller && helpersActive_ > 0 && pending.size() > 1) {
    // The largest for this thread, which stays on the longest chain of
    // work; the others for the helpers, the largest taken first.
    const auto cells = [&](int e) {
      const Interval v = InteriorOf(e);
      return static_cast<long long>(v.Length1() + 1) * (v.Length2() + 1);
    };
    std::sort(pending.begin(), pending.end(), [&](int a, int b) { return cells(a) > cells(b); });
    std::lock_guard lock(poolMutex_);
    pool_.insert(pool_.end(), pending.rbegin(), pending.rend() - 1);
    haveTasks_.store(true, std::memory_order_relaxed);
  }
  for (size_t n = 0; n < w.pending[depth].size(); ++n) {
    const int e = w.pending[depth][n];
    Sync(w);
    if (w.known[static_cast<size_t>(e)]) continue;
    uint8_t expected = kFree;
    const bool claimed = state_[static_cast<size_t>(e)].compare_exchange_strong(expected, kClaimed);
    // The caller leaves to a helper what it has claimed; a helper never
    // waits and computes what it lacks itself.
    if (w.caller && !claimed) continue;
    if (!Certify(w, InteriorOf(e), e, depth + 1)) return false;
  }
  if (w.caller) {
    // Wait for the helpers' share, lending a hand with any task meanwhile.
    for (size_t n = 0; n < w.pending[depth].size(); ++n) {
      const auto e = static_cast<size_t>(w.pending[depth][n]);
      while (state_[e].load(std::memory_order_acquire) != kExact) {
        if (Stopping()) return false;
        int task;
        if (PopTask(task)) {
          uint8_t expected = kFree;
          if (state_[static_cast<size_t>(task)].compare_exchange_strong(expected, kClaimed) &&
              !Certify(w, InteriorOf(task), task, depth + 1)) {
            return false;
          }
        } else {
          std::this_thread::yield();
        }
      }
    }
  }
  return true;
}

void LazyResolution::Helper(Worker& w) {
  // Most paths hand out little (a stem is one chain of interiors): idle
  // helpers soon sleep in short naps rather than spin on a core.
  int idle = 0;
  while (!done_.load(std::memory_order_acquire) && !Stopping()) {
    int task;
    if (!PopTask(task)) {
      if (++idle < 1000) {
        std::this_thread::yield();
      } else {
        std::this_thread::sleep_for(std::chrono::microseconds(50));
      }
      continue;
    }
    idle = 0;
    uint8_t expected = kFree;
    if (state_[static_cast<size_t>(task)].compare_exchange_strong(expected, kClaimed)) {
      Certify(w, InteriorOf(task), task, 0);
    }
  }
}

void LazyResolution::Start(const FillContext& context, float* scores, uint8_t* exact, double cellLimit,
                           const std::atomic<bool>* cancel) {
  if (score_.size() != entries_) {
    // On first use: an aligner that never resolves on demand needs none.
    score_ = std::vector<std::atomic<float>>(entries_);
    state_ = std::vector<std::atomic<uint8_t>>(entries_);
    log_.assign(entries_, 0);
    traces_.resize(entries_);
    traced_.assign(entries_, 0);
    pool_.reserve(entries_);
  }
  cancel_ = cancel;
  for (size_t e = 0; e < entries_; ++e) state_[e].store(kFree, std::memory_order_relaxed);
  std::fill(exact, exact + entries_, uint8_t{0});
  std::fill(traced_.begin(), traced_.end(), uint8_t{0});
  logSize_.store(0, std::memory_order_relaxed);
  pool_.clear();
  haveTasks_.store(false, std::memory_order_relaxed);
  cells_.store(0, std::memory_order_relaxed);
  cellLimit_ = static_cast<long long>(cellLimit);
  stop_.store(false, std::memory_order_relaxed);
  done_.store(false, std::memory_order_relaxed);
  helpersActive_ = 0;
  if (!caller_) caller_ = std::make_unique<Worker>();
  caller_->context = context;
  caller_->context.pairScores = scores;
  caller_->view = scores;
  caller_->known = exact;
  caller_->caller = true;
  caller_->cursor = 0;
}

bool LazyResolution::CertifyWhole(const std::vector<std::unique_ptr<IntervalTables>>& tables, FillTeam* team) {
  Worker& caller = *caller_;
  caller.tables = tables[0].get();
  const int helpers = team != nullptr ? std::min(team->Helpers(), static_cast<int>(tables.size()) - 1) : 0;
  if (workers_.size() < static_cast<size_t>(helpers)) workers_.resize(static_cast<size_t>(helpers));
  for (int h = 0; h < helpers; ++h) {
    auto& w = workers_[static_cast<size_t>(h)];
    if (!w) w = std::make_unique<Worker>();
    w->tables = tables[static_cast<size_t>(h) + 1].get();
    w->context = caller.context;
    // The stand-ins as they are now; what is exact comes through the log.
    w->ownView.assign(caller.view, caller.view + entries_);
    w->ownKnown.assign(entries_, 0);
    w->view = w->ownView.data();
    w->known = w->ownKnown.data();
    w->context.pairScores = w->view;
    w->cursor = 0;
  }
  const Interval whole{0, first_.length - 1, 0, second_.length - 1};
  bool resolved = false;
  helpersActive_ = helpers;
  if (helpers == 0) {
    resolved = Certify(caller, whole, -1, 0);
  } else {
    team->Run([&](int thread) {
      if (thread == 0) {
        resolved = Certify(caller, whole, -1, 0);
        done_.store(true, std::memory_order_release);
      } else if (thread <= helpers) {
        Helper(*workers_[static_cast<size_t>(thread) - 1]);
      }
    });
  }
  helpersActive_ = 0;
  return resolved;
}

bool LazyResolution::Resolve(const FillContext& context, float* scores, uint8_t* exact,
                             const std::vector<std::unique_ptr<IntervalTables>>& tables, FillTeam* team,
                             double cellLimit, double& cells, const std::atomic<bool>* cancel) {
  Start(context, scores, exact, cellLimit, cancel);
  const bool resolved = CertifyWhole(tables, team);
  cells += Cells();
  return resolved;
}

}  // namespace zenphal
