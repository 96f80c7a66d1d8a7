#include "engine/fill/fill_team.h"

namespace zenphal {

namespace {

// About 50 microseconds of watching (a pause takes tens of cycles).
constexpr int kWatchSpins = 4000;

inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

}  // namespace

FillTeam::FillTeam(int helpers) {
  try {
    for (int h = 1; h <= helpers; ++h) threads_.emplace_back([this, h] { HelperLoop(h); });
  } catch (...) {
    Stop();
    throw;
  }
}

FillTeam::~FillTeam() { Stop(); }

void FillTeam::Stop() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    published_.store(~uint64_t{0}, std::memory_order_release);
  }
  wake_.notify_all();
  for (std::thread& t : threads_) {
    if (t.joinable()) t.join();
  }
  threads_.clear();
}

void FillTeam::Run(const std::function<void(int)>& body) {
  {
    std::lock_guard lock(mutex_);
    job_ = &body;
    ++generation_;
    published_.store(generation_, std::memory_order_release);
    open_ = true;
  }
  wake_.notify_all();
  body(0);
  {
    // No helper joins after this; wait for those that did.
    std::lock_guard lock(mutex_);
    open_ = false;
  }
  for (int spins = 0; active_.load(std::memory_order_acquire) != 0; ++spins) {
    if (spins < 100) {
      CpuRelax();
    } else {
      std::this_thread::yield();
    }
  }
}

void FillTeam::HelperLoop(int index) {
  std::unique_lock lock(mutex_);
  uint64_t seen = generation_;
  for (;;) {
    // Jobs tend to come in quick succession (one per Compute): watch for the
    // next one for a short while before sleeping, since waking a sleeping
    // thread takes longer than a small job.
    lock.unlock();
    for (int spins = 0; spins < kWatchSpins && published_.load(std::memory_order_acquire) == seen; ++spins) {
      CpuRelax();
    }
    lock.lock();
    wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
    if (stop_) return;
    seen = generation_;
    if (!open_) continue;
    active_.fetch_add(1, std::memory_order_relaxed);
    const std::function<void(int)>* job = job_;
    lock.unlock();
    (*job)(index);
    active_.fetch_sub(1, std::memory_order_release);
    lock.lock();
  }
}

void FillTeam::WaitUntilSet(const std::atomic<uint8_t>& flag) {
  for (int spins = 0; flag.load(std::memory_order_acquire) == 0; ++spins) {
    if (spins < 100) {
      CpuRelax();
    } else {
      std::this_thread::yield();
    }
  }
}

}  // namespace zenphal
