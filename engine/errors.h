#pragma once
// Error types of the core, and the flag that asks it to stop. Everything else
// the core does cannot fail for well-formed input.
#include <atomic>
#include <exception>
#include <stdexcept>
#include <string>

namespace zenphal {

// Input the user can correct: a malformed stem text, a structure that is too
// long, tables that cannot be allocated for the given sizes. The message names
// the problem and is meant to be shown as it stands.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A state the algorithms cannot reach; seeing one is a bug, never user error.
class InternalError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The user asked a long computation to stop (a cancel button, an interrupt):
// thrown from the search or the aligner at the next point where stopping is
// safe. Nothing the computation would have replaced has been changed.
class Cancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "cancelled"; }
};

// Set by whoever wants the computation to stop (any thread, or a signal
// handler); read with relaxed loads at safe points. Not owned by the readers.
using CancelFlag = std::atomic<bool>;

inline void ThrowIfCancelled(const CancelFlag* flag) {
  if (flag != nullptr && flag->load(std::memory_order_relaxed)) throw Cancelled();
}

}  // namespace zenphal
