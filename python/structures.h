#pragma once
// zenphal.Structure: one RNA secondary structure, read from a file or made
// from Python data, checked by the engine when it is made.
#include <pybind11/pybind11.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/rna_structure.h"
#include "formats/structure_source.h"

namespace zenphal::python {

namespace py = pybind11;

struct Structure {
  // As the readers give it: label is the operand read or the name given (may
  // be empty), name the sequence's name in a Stockholm file, the example's or
  // the name given; the base and stem texts the engine reads; the notes.
  StructureSource source;
  std::shared_ptr<const CRnaStructure> built;  // never null
};

// The structure an operand names, as zenphal-cli reads RNA1 and RNA2
// ("example:N", FILE, FILE#K, FILE#NAME, FILE#FAMILY#NAME); its notes are
// warned as StructureNote. format is a name of --format.
Structure ReadStructure(const std::string& operand, const std::string& format);

// A Structure as given to align() and decompose(): a Structure, or an
// operand (a str or an os.PathLike) read with format "auto".
Structure StructureArgument(const char* name, py::handle value);

// A file name from a str, bytes or an os.PathLike, in the file system's
// encoding (os.fspath); TypeError for anything else.
std::string PathBytes(py::handle value);

// How reprs name a structure: its name, else its label; empty for neither.
std::string StructureTitle(const Structure& structure);

void BindStructures(py::module_& m);

}  // namespace zenphal::python
