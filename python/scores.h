#pragma once
// Scores given from Python. A text is read exactly as zenphal-cli reads its
// options; a number as the shortest decimal text that reads back to it, so
// that mismatch=(0, 1.7) computes what --mismatch 0,1.7 computes. A number
// whose text has more than nine decimals (0.1 + 0.2, 1e-12) is taken as the
// nearest single-precision value, as the engine keeps scores; one with more
// than nine digits before the point (1e9 and up) is refused, as the command
// line refuses its text.
#include <pybind11/pybind11.h>

#include <string>
#include <utility>

#include "computation/input.h"

namespace zenphal::python {

namespace py = pybind11;

// name is the Python argument ("match", "mismatch"), which messages name as
// zenphal-cli names its option: "match: '-1' is not a non-negative decimal
// number (...)". Raises ValueError for a text or a number that is not a
// non-negative decimal number, TypeError for anything else.
float ScoreArgument(const std::string& name, InputField field, py::handle value);

// A range (from, to): a pair of scores. The range itself is checked later,
// with the rest of the input (CheckRanges).
std::pair<float, float> RangeArgument(const std::string& name, InputField from, InputField to, py::handle value);

}  // namespace zenphal::python
