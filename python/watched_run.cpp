#include "python/watched_run.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "python/errors.h"

namespace zenphal::python {

// Often enough for Ctrl-C to feel immediate, rarely enough to cost nothing.
constexpr std::chrono::milliseconds kWatchInterval{20};

struct WatchedRun::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  bool done = false;
  bool moved = false;  // a position not yet passed on
  int percent = 0;
  int polygons = 0;
  std::exception_ptr error;
};

class WatchedRun::ProgressRelay : public zenphal::Progress {
 public:
  explicit ProgressRelay(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
  void Show() override { SetPosition(0, 0); }
  void SetPosition(int percent, int polygons) override {
    {
      const std::lock_guard lock(shared_->mutex);
      shared_->percent = percent;
      shared_->polygons = polygons;
      shared_->moved = true;
    }
    shared_->changed.notify_all();
  }
  void End() override {}

 private:
  std::shared_ptr<Shared> shared_;
};

namespace {

void CheckCallable(const char* name, const py::object& value) {
  if (!value.is_none() && !PyCallable_Check(value.ptr())) {
    Raise(PyExc_TypeError, std::string(name) + " must be a callable or None");
  }
}

}  // namespace

WatchedRun::WatchedRun(py::object progress, py::object cancel)
    : progress_(std::move(progress)), cancel_(std::move(cancel)), shared_(std::make_shared<Shared>()) {
  CheckCallable("progress", progress_);
  CheckCallable("cancel", cancel_);
}

WatchedRun::~WatchedRun() = default;

ProgressFactory WatchedRun::Progress() {
  if (progress_.is_none()) return {};
  return [shared = shared_] { return std::make_unique<ProgressRelay>(shared); };
}

void WatchedRun::Run(const std::function<void()>& work, CancelFlag& flag) {
  flag.store(false);
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->done = false;
    shared_->moved = false;
    shared_->error = nullptr;
  }
  std::thread worker([&work, shared = shared_] {
    std::exception_ptr error;
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
    {
      const std::lock_guard lock(shared->mutex);
      shared->error = error;
      shared->done = true;
    }
    shared->changed.notify_all();
  });
  // Stops the work and waits for it, the GIL released meanwhile.
  const auto stop = [&] {
    flag.store(true);
    const py::gil_scoped_release release;
    worker.join();
  };

  bool done = false;
  try {
    while (!done) {
      bool moved = false;
      int percent = 0, polygons = 0;
      {
        const py::gil_scoped_release release;
        std::unique_lock lock(shared_->mutex);
        shared_->changed.wait_for(lock, kWatchInterval, [this] { return shared_->done || shared_->moved; });
        done = shared_->done;
        moved = std::exchange(shared_->moved, false);
        percent = shared_->percent;
        polygons = shared_->polygons;
      }
      if (moved) progress_(percent, polygons);
      if (done) break;
      if (PyErr_CheckSignals() != 0) throw py::error_already_set();
      if (!cancel_.is_none() && py::bool_(cancel_())) {
        stop();
        Raise(CancelledType().ptr(), "cancelled");
      }
    }
  } catch (...) {
    if (worker.joinable()) stop();
    throw;
  }
  worker.join();
  if (shared_->error) std::rethrow_exception(shared_->error);
}

}  // namespace zenphal::python
