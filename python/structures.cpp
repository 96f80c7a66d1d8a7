#include "python/structures.h"

#include <pybind11/stl.h>

#include <functional>
#include <optional>
#include <tuple>

#include "engine/errors.h"
#include "formats/dot_bracket.h"
#include "formats/dot_bracket_line.h"
#include "formats/example_table.h"
#include "formats/pair_table.h"
#include "formats/read_structure.h"
#include "formats/structure_source.h"
#include "python/errors.h"

namespace zenphal::python {
namespace {

using Triple = std::tuple<int, int, int>;

// Builds and checks the structure as the computation will; an error is
// prefixed with the label, as zenphal-cli prefixes it with the operand.
Structure Make(StructureSource source) {
  const std::string prefix = source.label.empty() ? "" : source.label + ": ";
  std::shared_ptr<const CRnaStructure> built;
  try {
    built = std::make_shared<const CRnaStructure>(source.bases, source.stems);
  } catch (const InputError& e) {
    throw InputError(prefix + e.what());
  }
  if (built->length == 0) throw InputError(prefix + "the structure has no bases");
  return {std::move(source), std::move(built)};
}

// A structure made from Python data, named name (which may be empty).
Structure Make(const std::string& name, std::string bases, std::string stems) {
  StructureSource source;
  source.label = source.name = name;
  source.bases = std::move(bases);
  source.stems = std::move(stems);
  return Make(std::move(source));
}

// Bases are bytes: one Latin-1 character each.
std::string LatinBytes(const char* argument, py::handle value) {
  if (!py::isinstance<py::str>(value)) {
    Raise(PyExc_TypeError, std::string(argument) + " must be a str, not " +
                               std::string(py::str(py::type::handle_of(value).attr("__name__"))));
  }
  PyObject* encoded = PyUnicode_AsLatin1String(value.ptr());
  if (encoded == nullptr) {
    PyErr_Clear();
    Raise(PyExc_ValueError, std::string(argument) +
                                ": holds a character that is not a single byte; bases are letters such as A, C, G, "
                                "U (any Latin-1 character is taken as written)");
  }
  return py::reinterpret_steal<py::bytes>(encoded).cast<std::string>();
}

StructureFormat FormatArgument(const std::string& format) {
  const std::optional<StructureFormat> f = StructureFormatFromName(format);
  if (!f) {
    Raise(PyExc_ValueError,
          "format: '" + format + "' is not one of auto, layout, dot-bracket, ct, bpseq, stockholm");
  }
  return *f;
}

// The reader names the sequence line 1 and the structure line 2 of the text
// made of the two; messages name them as the arguments.
std::string DotBracketMessage(std::string message) {
  const auto replace = [&message](const std::string& from, const std::string& to) {
    if (message.starts_with(from)) message = to + message.substr(from.size());
  };
  replace("line 1: ", "sequence: ");
  replace("line 2: ", "structure: ");
  replace("line 2, column ", "structure, column ");
  if (const size_t at = message.find(" (line 1)"); at != std::string::npos) message.erase(at, 9);
  return message;
}

Structure FromDotBracket(const std::string& sequence, const std::string& structure, const std::string& name) {
  for (const auto& [argument, text] : {std::pair{"sequence", &sequence}, std::pair{"structure", &structure}}) {
    if (text->find_first_of("\r\n") != std::string::npos) {
      throw InputError(std::string(argument) + ": holds a line break; give one line");
    }
    const size_t first = text->find_first_not_of(" \t\v\f");
    if (first == std::string::npos) throw InputError(std::string(argument) + ": is empty");
    if ((*text)[first] == '>' || (*text)[first] == '#') {
      throw InputError(std::string(argument) + ": begins with '" + (*text)[first] + "'; give the " + argument +
                       " alone");
    }
  }
  StructureRead read;
  try {
    read = ReadDotBracket(sequence + "\n" + structure + "\n");
  } catch (const InputError& e) {
    throw InputError(DotBracketMessage(e.what()));
  }
  return Make(name, std::move(read.bases), std::move(read.stems));
}

std::string StemText(py::handle stems) {
  if (py::isinstance<py::str>(stems)) return stems.cast<std::string>();
  if (!py::isinstance<py::iterable>(stems)) {
    Raise(PyExc_TypeError, "stems must be a stem text or an iterable of (left, right, pairs) triples");
  }
  std::string text;
  for (py::handle stem : stems) {
    std::optional<Triple> triple;
    try {
      triple = stem.cast<Triple>();
    } catch (const py::cast_error&) {
    }
    const auto [l, r, k] = triple.value_or(Triple{-1, -1, -1});
    const auto fits = [](int v) { return v >= 0 && v <= CRnaStructure::kMaxLength; };
    if (!fits(l) || !fits(r) || !fits(k)) {
      Raise(PyExc_ValueError, "stems: " + std::string(py::str(py::repr(stem))) +
                                  " is not a stem: three whole numbers from 0 (left end, right end, number of "
                                  "pairs), positions from 0");
    }
    if (!text.empty()) text += ' ';
    text += std::to_string(l) + ' ' + std::to_string(r) + ' ' + std::to_string(k);
  }
  return text;
}

Structure FromPairs(const std::string& sequence, py::handle pairs, const std::string& name) {
  if (sequence.find_first_of(" \t\r\n\v\f") != std::string::npos) {
    throw InputError("sequence: holds white space; give the bases alone");
  }
  const int n = static_cast<int>(std::min<size_t>(sequence.size(), CRnaStructure::kMaxLength + size_t{1}));
  formats::PairTable partner(static_cast<size_t>(n), -1);
  for (py::handle pair : pairs) {
    std::optional<std::pair<int, int>> ij;
    try {
      ij = pair.cast<std::pair<int, int>>();
    } catch (const py::cast_error&) {
    }
    const std::string shown = py::str(py::repr(pair));
    if (!ij || ij->first < 0 || ij->second < 0 || ij->first >= n || ij->second >= n || ij->first == ij->second) {
      throw InputError("pairs: " + shown + " is not a pair of two positions of the sequence (from 0 to " +
                       std::to_string(n - 1) + ")");
    }
    for (int position : {ij->first, ij->second}) {
      if (partner[static_cast<size_t>(position)] >= 0) {
        throw InputError("pairs: " + shown + " pairs position " + std::to_string(position) +
                         ", which is already paired with " + std::to_string(partner[static_cast<size_t>(position)]));
      }
    }
    partner[static_cast<size_t>(ij->first)] = ij->second;
    partner[static_cast<size_t>(ij->second)] = ij->first;
  }
  return Make(name, sequence, formats::StemTextFromPairs(partner));
}

std::vector<std::pair<int, int>> PairsOf(const Structure& s) {
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < s.built->length; ++i) {
    if (s.built->partner[static_cast<size_t>(i)] > i) pairs.emplace_back(i, s.built->partner[static_cast<size_t>(i)]);
  }
  return pairs;
}

// The stems of the pairs: one per run of stacked pairs.
std::vector<Triple> StemsOf(const Structure& s) {
  formats::PairTable partner(static_cast<size_t>(s.built->length), -1);
  for (const auto& [i, j] : PairsOf(s)) {
    partner[static_cast<size_t>(i)] = j;
    partner[static_cast<size_t>(j)] = i;
  }
  std::vector<int> numbers;
  const std::string text = formats::StemTextFromPairs(partner);
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    numbers.push_back(std::stoi(text.substr(at, end - at)));
    at = end + 1;
  }
  std::vector<Triple> stems;
  for (size_t i = 0; i + 2 < numbers.size(); i += 3) stems.emplace_back(numbers[i], numbers[i + 1], numbers[i + 2]);
  return stems;
}

}  // namespace

std::string PathBytes(py::handle value) {
  PyObject* path = PyOS_FSPath(value.ptr());
  if (path == nullptr) throw py::error_already_set();
  py::object fspath = py::reinterpret_steal<py::object>(path);
  if (PyBytes_Check(fspath.ptr())) return fspath.cast<std::string>();
  PyObject* encoded = PyUnicode_EncodeFSDefault(fspath.ptr());
  if (encoded == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::bytes>(encoded).cast<std::string>();
}

std::string StructureTitle(const Structure& s) { return !s.source.name.empty() ? s.source.name : s.source.label; }

Structure ReadStructure(const std::string& operand, const std::string& format) {
  StructureSource source = LoadStructureSource(operand, FormatArgument(format));
  for (const std::string& note : source.notes) WarnNote(note);
  if (operand.starts_with("example:")) {
    source.name = ExampleTable()[static_cast<size_t>(std::stoi(operand.substr(8)) - 1)].name;
  }
  return Make(std::move(source));
}

Structure StructureArgument(const char* name, py::handle value) {
  if (py::isinstance<Structure>(value)) return value.cast<Structure>();
  if (py::isinstance<py::str>(value) || py::hasattr(value, "__fspath__")) return ReadStructure(PathBytes(value), "auto");
  Raise(PyExc_TypeError, std::string(name) + " must be a Structure, or a file or example:N to read one, not " +
                             std::string(py::str(py::type::handle_of(value).attr("__name__"))));
}

void BindStructures(py::module_& m) {
  py::class_<Structure> c(m, "Structure", R"doc(One RNA secondary structure: its bases and its base pairs.

Read one from a file (Structure.read), make one from a dot-bracket string
(Structure.from_dot_bracket), from base pairs (Structure.from_pairs) or from
bases and stems (Structure(sequence, stems)). The engine checks it when it is
made: a structure that zenphal-cli would refuse raises ValueError with the
same message. Structures are immutable; two are equal when their bases and
pairs are.

Bases are compared exactly as written (g and G differ, T and U too). A base is
one byte; a byte that is not ASCII shows as the Latin-1 character of its value.)doc");
  c.attr("__module__") = "zenphal";

  c.def(py::init([](py::handle sequence, py::handle stems, const std::string& name) {
          return Make(name, LatinBytes("sequence", sequence), StemText(stems));
        }),
        py::arg("sequence"), py::arg("stems") = "", py::kw_only(), py::arg("name") = "",
        R"doc(A structure from its bases and its stems.

sequence: the bases, one character each (spaces are dropped).
stems: each stem as (left end, right end, number of pairs), positions from 0,
  for example [(1, 5, 2), (7, 12, 1)] pairs 1-5, 2-4 and 7-12; or the same as
  a stem text, "1 5 2 7 12 1", as the input dialog takes it.
name: names the structure in messages and reprs.)doc");

  c.def_static(
      "read",
      [](py::handle path, const std::string& format) { return ReadStructure(PathBytes(path), format); },
      py::arg("path"), py::arg("format") = "auto",
      R"doc(The structure a file holds, named as zenphal-cli names RNA1 and RNA2.

path: a file in Zenphal's layout, dot-bracket, CT, BPSEQ or Stockholm;
  FILE#K picks the K-th structure of a file holding several, FILE#NAME and
  FILE#FAMILY#NAME a sequence of a Stockholm file; example:N (1 to 6) a row
  of the built-in examples.
format: "auto" (told from the content), "layout", "dot-bracket", "ct",
  "bpseq" or "stockholm".

What zenphal-cli notes on stderr (the first of several structures used,
lines passed over, consensus pairs dropped) is warned as StructureNote.
Raises FileNotFoundError, PermissionError, IsADirectoryError or OSError for a
file that cannot be read, ValueError for one that cannot be used, both with
zenphal-cli's message.)doc");

  c.def_static(
      "from_dot_bracket",
      [](py::handle sequence, py::handle structure, const std::string& name) {
        return FromDotBracket(LatinBytes("sequence", sequence), LatinBytes("structure", structure), name);
      },
      py::arg("sequence"), py::arg("structure"), py::kw_only(), py::arg("name") = "",
      R"doc(A structure from a sequence and its dot-bracket string, as ViennaRNA writes them.

structure: one character per base, "." unpaired, "()" paired, and "[]", "{}",
  "<>" for pairs that cross the others; an energy may follow, as RNAfold
  prints it: "((...)) (-1.20)".)doc");

  c.def_static(
      "from_pairs",
      [](py::handle sequence, py::iterable pairs, const std::string& name) {
        return FromPairs(LatinBytes("sequence", sequence), pairs, name);
      },
      py::arg("sequence"), py::arg("pairs"), py::kw_only(), py::arg("name") = "",
      R"doc(A structure from its bases and base pairs (i, j), positions from 0.

Crossing pairs (pseudoknots) are allowed; a position may pair once.)doc");

  c.def_property_readonly("sequence", [](const Structure& s) { return BaseText(s.built->sequence); },
                          "The bases, one character each.");
  c.def_property_readonly("pairs", &PairsOf, "The base pairs (i, j), i < j, by i; positions from 0.");
  c.def_property_readonly("stems", &StemsOf,
                          "The pairs as stems (left end, right end, number of pairs), one per run of stacked "
                          "pairs, by left end; positions from 0.");
  c.def_property_readonly("stem_text", [](const Structure& s) { return Utf8Text(s.source.stems); },
                          "The stem text the engine was given: as read, or as made from the stems or pairs.");
  c.def_property_readonly("name", [](const Structure& s) { return Utf8Text(s.source.name); },
                          "The sequence's name in a Stockholm file, the example's name, or the name given; "
                          "may be empty.");
  c.def_property_readonly("label", [](const Structure& s) { return Utf8Text(s.source.label); },
                          "How messages name the structure: the file operand it was read from, or the name "
                          "given; may be empty.");
  c.def_property_readonly("notes", [](const Structure& s) {
    py::list notes;
    for (const std::string& note : s.source.notes) notes.append(Utf8Text(note));
    return notes;
  }, "The notes warned when it was read.");
  c.def("to_dot_bracket", [](const Structure& s) { return ToDotBracketLine(*s.built); },
        R"doc(The pairs as a dot-bracket string: "." unpaired, "()" paired, and "[]",
"{}", "<>" for pairs crossing those. ValueError when four bracket kinds do not
suffice.)doc");
  c.def("__len__", [](const Structure& s) { return s.built->length; });
  c.def("__eq__", [](const Structure& a, py::handle b) -> py::object {
    if (!py::isinstance<Structure>(b)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
    const Structure& other = b.cast<const Structure&>();
    return py::bool_(a.built->sequence == other.built->sequence && a.built->partner == other.built->partner);
  });
  c.def("__hash__", [](const Structure& s) {
    size_t h = std::hash<std::string>()(s.built->sequence);
    for (int16_t p : s.built->partner) h = h * 1000003u ^ static_cast<size_t>(p);
    return h;
  });
  // By value, for multiprocessing and copy: the texts and names it was made of.
  c.def(py::pickle(
      [](const Structure& s) {
        const StructureSource& o = s.source;
        return py::make_tuple(py::bytes(o.label), py::bytes(o.path), py::bytes(o.bases), py::bytes(o.stems), o.notes,
                              py::bytes(o.name));
      },
      [](const py::tuple& t) {
        if (t.size() != 6) Raise(PyExc_ValueError, "not the state of a zenphal.Structure");
        return Make(StructureSource{t[0].cast<std::string>(), t[1].cast<std::string>(), t[2].cast<std::string>(),
                                    t[3].cast<std::string>(), t[4].cast<std::vector<std::string>>(),
                                    t[5].cast<std::string>()});
      }));
  c.def("__repr__", [](const Structure& s) {
    const std::string title = StructureTitle(s);
    return Utf8Text("<zenphal.Structure" + (title.empty() ? "" : " '" + title + "'") + ": " +
                    Counted(static_cast<size_t>(s.built->length), "base") + ", " +
                    Counted(static_cast<size_t>(s.built->pairCount), "pair") + ">");
  });

  m.def(
      "examples",
      [] {
        std::vector<Structure> rows;
        for (int row = 1; row <= kExampleCount; ++row) rows.push_back(ReadStructure("example:" + std::to_string(row), "auto"));
        return rows;
      },
      "The six built-in example structures (zenphal-cli examples), example:1 to example:6.");
}

}  // namespace zenphal::python
