#pragma once
// Long computations from Python: the work runs on a thread of its own while
// the calling thread waits with the GIL released, taking it back every few
// milliseconds to pass on progress, to let Python's signal handlers run
// (Ctrl-C raises KeyboardInterrupt there) and to ask the cancel callable.
// Python code is called on the calling thread only, never on the worker.
#include <pybind11/pybind11.h>

#include <functional>
#include <memory>

#include "decomposition/progress.h"
#include "engine/errors.h"

namespace zenphal::python {

namespace py = pybind11;

class WatchedRun {
 public:
  // progress: None or a callable taking (percent, polygons); cancel: None or
  // a callable whose true result stops the work. TypeError otherwise.
  WatchedRun(py::object progress, py::object cancel);
  ~WatchedRun();
  WatchedRun(const WatchedRun&) = delete;
  WatchedRun& operator=(const WatchedRun&) = delete;

  // The progress display to hand to the decomposition; empty without a
  // progress callable. Its calls only store the position for the watcher.
  ProgressFactory Progress();

  // Runs work, which must stop with Cancelled soon after flag is set, and
  // returns when it has ended. Call with the GIL held. Rethrows what work
  // throws. When a signal handler raises (KeyboardInterrupt), a progress or
  // cancel call raises, or cancel returns true, sets flag, waits for work to
  // end, and raises that error, or zenphal.Cancelled for cancel. flag is set
  // to false first.
  void Run(const std::function<void()>& work, CancelFlag& flag);

 private:
  struct Shared;
  class ProgressRelay;
  py::object progress_;
  py::object cancel_;
  std::shared_ptr<Shared> shared_;
};

}  // namespace zenphal::python
