#pragma once
// Error types of the core. Everything else the core does cannot fail for
// well-formed input.
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

// A computation stopped on request (PointAligner::SetCancelFlag) before it
// finished. Not an error: the caller asked for it.
class Cancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "computation cancelled"; }
};

}  // namespace zenphal
