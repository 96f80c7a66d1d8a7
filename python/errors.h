#pragma once
// How the core's errors reach Python. Input the user can correct raises
// ValueError with the message zenphal-cli prints (without its "zenphal-cli: "
// prefix); a file that cannot be read raises the OSError of its cause; a run
// stopped by the cancel callable raises zenphal.Cancelled; a bug raises
// RuntimeError("internal error: ...").
#include <pybind11/pybind11.h>

#include <string>
#include <string_view>

namespace zenphal::python {

namespace py = pybind11;

// Makes zenphal.Cancelled, zenphal.StructureNote and
// zenphal.IncompleteWarning in m and registers the translation of the core's
// exceptions. Call once, at import.
void RegisterErrors(py::module_& m);

// zenphal.Cancelled (an Exception), zenphal.StructureNote and
// zenphal.IncompleteWarning (UserWarnings).
py::handle CancelledType();

// Sets the Python error of the given type with a message that may hold any
// bytes (messages quote input): UTF-8, invalid bytes replaced.
void SetError(PyObject* type, std::string_view message);

// Throws py::error_already_set after SetError: for raising from binding code.
[[noreturn]] void Raise(PyObject* type, std::string_view message);

// Warns with category StructureNote, or IncompleteWarning; throws
// py::error_already_set when warnings are turned into errors.
void WarnNote(std::string_view note);
void WarnIncomplete(std::string_view message);

// A Python text of bytes that may not be UTF-8 (messages, names):
// invalid bytes replaced.
py::str Utf8Text(std::string_view bytes);

// "1 pair", "3 pairs": for reprs.
std::string Counted(size_t count, std::string_view noun);

// A Python text of bases and rows: one character per byte (Latin-1), so
// that positions and lengths stay those of the engine.
py::str BaseText(std::string_view bytes);

}  // namespace zenphal::python
