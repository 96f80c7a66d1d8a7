#pragma once
// Interior alignments computed on demand, certified along the optimal path,
// shared among threads. Used by FastAligner; see Resolve.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/fill/fill_team.h"
#include "engine/fill/interval_fill.h"
#include "engine/rna_structure.h"

namespace zenphal {

// Every pair-of-pairs entry that has not been computed stands in as an upper
// bound on its interior score. The fill is monotone in those values, so every
// cell then holds at least its exact value. Along the optimal path of the
// filled tables each cell's winner comes from exact values only when the
// path goes through exact interiors alone; every other option is at most its
// stand-in value, and the tie rules pick the same winner as with the exact
// values: then the path, its score and every letter on it are exact. When
// the path goes through interiors that are not exact, those are computed the
// same way (recursively) and the interval filled again, until it does not.
//
// Threads: the calling thread resolves the whole and hands the other
// interiors of each path to the helpers, which resolve them on their own
// tables, reading the stand-ins from their own copies; exact scores are
// published to all. A helper never waits for another thread (it computes
// what it lacks itself), and only the calling thread waits, for helpers: no
// cycle of waiting.
class LazyResolution {
 public:
  // The kept right ends of an interval (written to the second argument), or
  // null for the fill to list them.
  using OrderOf = std::function<const IntervalEnds*(const Interval&, IntervalEnds&)>;

  LazyResolution(const CRnaStructure& first, const CRnaStructure& second, OrderOf orderOf);
  ~LazyResolution();

  // Resolves the whole at the context's point. scores holds the stand-ins
  // (upper bounds) of every entry and, on return, the exact scores of those
  // resolved; exact marks them. tables[t] belongs to thread t (tables[0],
  // the caller's, holds the whole). Returns false, leaving the rest
  // undefined, once more than cellLimit cells were filled. Throws
  // std::bad_alloc when its own storage (about 25 bytes per entry,
  // allocated at the first call) is not there. cells gets the
  // cells filled (each in all three tables). Also returns false soon after
  // *cancel (when given) is set.
  bool Resolve(const FillContext& context, float* scores, uint8_t* exact,
               const std::vector<std::unique_ptr<IntervalTables>>& tables, FillTeam* team, double cellLimit,
               double& cells, const std::atomic<bool>* cancel = nullptr);

  // The same in two steps, for a caller that sets or lowers stand-ins in
  // between: Start (as Resolve, without threads or the whole), then
  // CertifyWhole (as Resolve; false past cellLimit or once cancelled).
  void Start(const FillContext& context, float* scores, uint8_t* exact, double cellLimit,
             const std::atomic<bool>* cancel);
  bool CertifyWhole(const std::vector<std::unique_ptr<IntervalTables>>& tables, FillTeam* team);
  // Called on the calling thread as it learns each exact score (its own
  // included), before its next fill, with the entry; it may lower the
  // stand-ins in scores of entries not exact, never below their fill values.
  // Empty: none.
  void SetExactHook(std::function<void(int)> hook) { onExact_ = std::move(hook); }
  // For an entry never resolved before, an entry its path most likely goes
  // through (resolved first, so that one fill may settle it), or -1. Empty:
  // none. Called on any thread.
  void SetFirstGuess(std::function<int(int)> guess) { firstGuess_ = std::move(guess); }
  // The cells filled since Start.
  double Cells() const { return static_cast<double>(cells_.load(std::memory_order_relaxed)); }

  // The trace back of an entry resolved by the last Resolve (its optimal
  // path then, which no later stand-in changes), or null.
  const IntervalTrace* TraceOf(int entry) const {
    return traced_[static_cast<size_t>(entry)] ? traces_[static_cast<size_t>(entry)].get() : nullptr;
  }

  int EntryOf(const Interval& interior) const;
  Interval InteriorOf(int entry) const;

 private:
  enum : uint8_t { kFree, kClaimed, kExact };
  struct Worker;
  bool Certify(Worker& w, const Interval& interval, int entry, size_t depth);
  bool ResolveChildren(Worker& w, size_t depth);
  void Sync(Worker& w);
  void Publish(Worker& w, int entry, float score, const IntervalTrace& trace);
  bool PopTask(int& entry);
  void Helper(Worker& w);
  bool Stopping() const { return stop_.load(std::memory_order_relaxed); }

  const CRnaStructure& first_;
  const CRnaStructure& second_;
  OrderOf orderOf_;
  std::vector<int> rightEnd1_, rightEnd2_;  // by pair number
  size_t entries_ = 0;

  // Shared during one Resolve.
  std::vector<std::atomic<float>> score_;
  std::vector<std::atomic<uint8_t>> state_;
  std::vector<int> log_;  // entries in order of publication
  std::atomic<int> logSize_{0};
  std::mutex publishMutex_;
  std::vector<int> pool_;  // entries handed to helpers, last in first out
  std::mutex poolMutex_;
  std::atomic<bool> haveTasks_{false};
  std::atomic<long long> cells_{0};
  long long cellLimit_ = 0;
  std::atomic<bool> stop_{false};  // over the limit, or cancelled
  const std::atomic<bool>* cancel_ = nullptr;
  std::atomic<bool> done_{false};  // the whole is resolved
  std::vector<std::unique_ptr<Worker>> workers_;
  std::unique_ptr<Worker> caller_;  // the calling thread's, from Start on
  int helpersActive_ = 0;           // helpers taking tasks (in CertifyWhole)
  std::function<void(int)> onExact_;
  std::function<int(int)> firstGuess_;
  std::vector<std::unique_ptr<IntervalTrace>> traces_;  // by entry, once resolved; kept for their memory
  std::vector<uint8_t> traced_;        // by entry: traces_ holds this Resolve's trace
  IntervalTrace wholeTrace_;           // of the last Resolve
};

}  // namespace zenphal
