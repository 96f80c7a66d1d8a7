#include "python/scores.h"

#include <charconv>

#include "computation/input.h"
#include "formats/score_text.h"
#include "python/errors.h"

namespace zenphal::python {
namespace {

[[noreturn]] void NotAScore(const std::string& name, const std::string& text) {
  Raise(PyExc_ValueError, name + ": '" + text + "' " + kNotAScore);
}

// The first number with ten digits before the point.
constexpr double kScoreLimit = 1e9;

std::string TypeName(py::handle value) { return py::str(py::type::handle_of(value).attr("__name__")); }

}  // namespace

float ScoreArgument(const std::string& name, InputField field, py::handle value) {
  if (py::isinstance<py::str>(value)) {
    const std::string text = value.cast<std::string>();
    try {
      return ReadScore(field, text);
    } catch (const FieldError& e) {
      Raise(PyExc_ValueError, name + ": '" + e.text + "' " + e.problem);
    }
  }
  if (py::isinstance<py::bool_>(value) || !PyNumber_Check(value.ptr()) || PyComplex_Check(value.ptr())) {
    Raise(PyExc_TypeError, name + " must be a number or a decimal text, not " + TypeName(value));
  }
  const double number = py::float_(py::reinterpret_borrow<py::object>(value));
  // Nine digits before the point at most, as on the command line: larger
  // scores are no text's, and the single-precision search loses its way
  // long before them.
  if (!(number >= 0.0) || !(number < kScoreLimit)) NotAScore(name, py::str(py::repr(value)));
  // The shortest decimal that reads back to the number, without exponent.
  char text[400];
  const auto end = std::to_chars(text, text + sizeof text, number == 0.0 ? 0.0 : number, std::chars_format::fixed);
  const std::string_view decimal(text, static_cast<size_t>(end.ptr - text));
  if (end.ec == std::errc() && IsScoreText(decimal)) return ParseScoreText(decimal);
  return static_cast<float>(number);  // more than nine decimals: the nearest float
}

std::pair<float, float> RangeArgument(const std::string& name, InputField from, InputField to, py::handle value) {
  if (py::isinstance<py::str>(value) || !py::isinstance<py::sequence>(value) || py::len(value) != 2) {
    Raise(PyExc_TypeError, name + " must be a pair of scores (from, to), such as (0, 2), not " +
                               (py::isinstance<py::str>(value) ? std::string("str") : TypeName(value)) +
                               (py::isinstance<py::sequence>(value) && !py::isinstance<py::str>(value)
                                    ? " of length " + std::to_string(py::len(value))
                                    : std::string()));
  }
  const py::sequence pair = py::reinterpret_borrow<py::sequence>(value);
  return {ScoreArgument(name + "[0]", from, pair[0]), ScoreArgument(name + "[1]", to, pair[1])};
}

}  // namespace zenphal::python
