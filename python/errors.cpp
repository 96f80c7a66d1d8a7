#include "python/errors.h"

#include <cerrno>
#include <string>

#include "engine/errors.h"
#include "formats/input_file.h"

namespace zenphal::python {
namespace {

PyObject* cancelledType = nullptr;
PyObject* structureNoteType = nullptr;
PyObject* incompleteType = nullptr;

void Warn(PyObject* category, const std::string& message) {
  if (PyErr_WarnEx(category, message.c_str(), 2) != 0) throw py::error_already_set();
}

// The OSError subclass Python itself raises for the same cause, with errno
// set; str() is the message zenphal-cli prints, which names the file (setting
// filename would make str() Python's own "[Errno 2] ...").
void SetFileReadError(const FileReadError& e) {
  PyObject* type = PyExc_OSError;
  int number = 0;
  switch (e.kind) {
    case FileReadError::Kind::kNotFound: type = PyExc_FileNotFoundError, number = ENOENT; break;
    case FileReadError::Kind::kAccessDenied: type = PyExc_PermissionError, number = EACCES; break;
    case FileReadError::Kind::kDirectory: type = PyExc_IsADirectoryError, number = EISDIR; break;
    case FileReadError::Kind::kTooLarge: type = PyExc_ValueError; break;  // the file is there; it is not input
    default: break;
  }
  py::object error = py::reinterpret_borrow<py::object>(type)(Utf8Text(e.what()));
  if (number != 0) error.attr("errno") = number;
  PyErr_SetObject(type, error.ptr());
}

}  // namespace

py::str Utf8Text(std::string_view bytes) {
  PyObject* text = PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "replace");
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

std::string Counted(size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

py::str BaseText(std::string_view bytes) {
  PyObject* text = PyUnicode_DecodeLatin1(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), nullptr);
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

void SetError(PyObject* type, std::string_view message) {
  PyErr_SetObject(type, Utf8Text(message).ptr());
}

void Raise(PyObject* type, std::string_view message) {
  SetError(type, message);
  throw py::error_already_set();
}

py::handle CancelledType() { return cancelledType; }

void WarnNote(std::string_view note) { Warn(structureNoteType, std::string(note)); }

void WarnIncomplete(std::string_view message) { Warn(incompleteType, std::string(message)); }

void RegisterErrors(py::module_& m) {
  cancelledType = PyErr_NewExceptionWithDoc(
      "zenphal.Cancelled",
      "Raised when the cancel callable given to decompose() returned true: the computation stopped and "
      "nothing was returned. Ctrl-C raises KeyboardInterrupt instead.",
      PyExc_Exception, nullptr);
  structureNoteType = PyErr_NewExceptionWithDoc(
      "zenphal.StructureNote",
      "A note on a structure as read, warned with this category (zenphal-cli prints it on stderr): "
      "the first of several structures used, lines passed over, pairs of a family's consensus dropped.",
      PyExc_UserWarning, nullptr);
  incompleteType = PyErr_NewExceptionWithDoc(
      "zenphal.IncompleteWarning",
      "Warned by decompose() when the search hit one of its loop bounds (zenphal-cli warns on stderr; "
      "Decomposition.incomplete is true) or listed no polygon at all: polygons are missing.",
      PyExc_UserWarning, nullptr);
  if (cancelledType == nullptr || structureNoteType == nullptr || incompleteType == nullptr) {
    throw py::error_already_set();
  }
  m.add_object("Cancelled", py::handle(cancelledType));
  m.add_object("StructureNote", py::handle(structureNoteType));
  m.add_object("IncompleteWarning", py::handle(incompleteType));

  py::register_exception_translator([](std::exception_ptr p) {
    try {
      std::rethrow_exception(p);
    } catch (const InputError& e) {
      SetError(PyExc_ValueError, e.what());
    } catch (const FileReadError& e) {
      SetFileReadError(e);
    } catch (const Cancelled&) {
      SetError(cancelledType, "cancelled");
    } catch (const InternalError& e) {
      SetError(PyExc_RuntimeError, std::string("internal error: ") + e.what());
    }
  });
}

}  // namespace zenphal::python
