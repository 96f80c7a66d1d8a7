#pragma once
// Helper threads that join the calling thread in one job at a time.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zenphal {

class FillTeam {
 public:
  // Starts the helper threads; they sleep between jobs. Throws what
  // std::thread throws when a thread cannot be started.
  explicit FillTeam(int helpers);
  ~FillTeam();  // stops and joins the helpers
  FillTeam(const FillTeam&) = delete;
  FillTeam& operator=(const FillTeam&) = delete;

  int Helpers() const { return static_cast<int>(threads_.size()); }

  // Runs body(0) on the calling thread and body(h) on each helper h (1 to
  // Helpers()) that wakes up while the caller is still busy; returns when
  // every body that started has returned. The bodies share the work among
  // themselves (each takes items until none is left), so a helper that comes
  // late simply finds nothing to do. One Run at a time.
  void Run(const std::function<void(int)>& body);

  // Waits for a flag to become non-zero: spins briefly, then yields the
  // processor (another thread may need it to finish what is awaited).
  static void WaitUntilSet(const std::atomic<uint8_t>& flag);

 private:
  void HelperLoop(int index);
  void Stop();

  std::mutex mutex_;
  std::condition_variable wake_;
  const std::function<void(int)>* job_ = nullptr;
  uint64_t generation_ = 0;
  std::atomic<uint64_t> published_{0};  // generation_, readable without the lock
  bool open_ = false;
  bool stop_ = false;
  std::atomic<int> active_{0};
  std::vector<std::thread> threads_;
};

}  // namespace zenphal
