#include "python/agreement.h"

#include <pybind11/stl.h>

#include <charconv>
#include <cstdio>

#include "python/errors.h"
#include "python/results.h"

namespace zenphal::python {
namespace {

void BindReference(py::module_& m) {
  py::class_<Reference> c(m, "Reference", R"doc(The curated alignment of the two structures that every optimal alignment is compared with.

Decomposition.reference: the two members' rows in a Stockholm alignment,
without the columns where both hold a gap; the JSON's "reference".)doc");
  c.attr("__module__") = "zenphal";
  c.def_property_readonly("file", [](const Reference& r) { return Utf8Text(r.rows.file); },
                          "The Stockholm file as it was named.");
  c.def_property_readonly("family", [](const Reference& r) { return Utf8Text(r.rows.family); },
                          "The alignment's title: its #=GF ID, else its AC, else \"the alignment at line N\".");
  c.def_property_readonly("member1", [](const Reference& r) { return Utf8Text(r.rows.member1); },
                          "The name of the sequence aligned as the first structure.");
  c.def_property_readonly("member2", [](const Reference& r) { return Utf8Text(r.rows.member2); },
                          "The name of the sequence aligned as the second structure.");
  c.def_property_readonly("top", [](const Reference& r) { return BaseText(r.rows.top); },
                          "The first member's row, '_' for a gap.");
  c.def_property_readonly("bottom", [](const Reference& r) { return BaseText(r.rows.bottom); },
                          "The second member's row, '_' for a gap.");
  c.def_property_readonly("columns", [](const Reference& r) { return r.columns; },
                          "Its columns holding a base of each structure: |R|.");
  c.def_property_readonly("pairs", [](const Reference& r) { return r.pairs; },
                          "Its pair alignments: base pairs of the first structure whose bases it aligns with the "
                          "bases of a base pair of the second.");
  c.def("__repr__", [](const Reference& r) {
    return Utf8Text("<zenphal.Reference: " + r.rows.member1 + " and " + r.rows.member2 + " in " + r.rows.family +
                    (r.rows.file.empty() ? "" : " (" + r.rows.file + ")") + ", " + Counted(r.columns, "column") +
                    ", " + Counted(r.pairs, "pair") + ">");
  });
}

void BindRegionAgreement(py::module_& m) {
  py::class_<RegionAgreement> c(m, "Agreement", R"doc(How far a polygon's alignment agrees with the reference alignment.

Polygon.agreement; the JSON's "agreement" of a polygon. With R the base-base
columns of the reference and A those of the alignment: sensitivity
|A & R| / |R|, precision |A & R| / |A|, value 2 |A & R| / (|R| + |A|), and
pairs the share of the reference's pair alignments that the alignment makes
too. A share whose denominator is 0 is None.)doc");
  c.attr("__module__") = "zenphal";
  c.def_property_readonly("value", &RegionAgreement::Agreement,
                          "The agreement, 2 |A & R| / (|R| + |A|), from 0 to 1; None when neither aligns a base with "
                          "a base.");
  c.def_property_readonly("sensitivity", &RegionAgreement::Sensitivity,
                          "|A & R| / |R|: the share of the reference's columns the alignment reproduces; None when "
                          "the reference has none.");
  c.def_property_readonly("precision", &RegionAgreement::Precision,
                          "|A & R| / |A|: the share of the alignment's columns the reference has; None when the "
                          "alignment has none.");
  c.def_property_readonly("pairs", &RegionAgreement::Pairs,
                          "The share of the reference's pair alignments the alignment makes too; None when the "
                          "reference has none.");
  c.def_property_readonly("shared_columns", [](const RegionAgreement& r) { return r.sharedColumns; },
                          "|A & R|: the columns both have.");
  c.def_property_readonly("aligned_columns", [](const RegionAgreement& r) { return r.alignedColumns; },
                          "|A|: the alignment's columns holding a base of each structure.");
  c.def_property_readonly("shared_pairs", [](const RegionAgreement& r) { return r.sharedPairs; },
                          "The reference's pair alignments the alignment makes too.");
  c.def("__repr__", [](const RegionAgreement& r) {
    return "<zenphal.Agreement " + ShareText(r.Agreement()) + ": sensitivity " + ShareText(r.Sensitivity()) +
           ", precision " + ShareText(r.Precision()) + ", pairs " + ShareText(r.Pairs()) + ">";
  });
}

void BindSummary(py::module_& m) {
  py::class_<Summary> c(m, "AgreementSummary", R"doc(Where in the rectangle the optimal alignments agree best with the reference.

Decomposition.agreement; the JSON's top-level "agreement".)doc");
  c.attr("__module__") = "zenphal";
  c.def_property_readonly("best", [](const Summary& s) { return s.figures.bestAgreement; },
                          "The highest agreement of a polygon; None when no polygon's is defined.");
  c.def_property_readonly("best_polygon", [](const Summary& s) { return s.best; },
                          "The Polygon with the highest agreement (among equals the largest, then the first); None "
                          "when no polygon's is defined.");
  c.def_property_readonly("near_best_share", [](const Summary& s) { return s.figures.nearBestShare; },
                          "The share of the rectangle, from 0 to 1, where the optimal alignment reaches 90% of the "
                          "best agreement; None when the best is 0 or not defined.");
  c.def("__repr__", [](const Summary& s) {
    std::string text = "<zenphal.AgreementSummary: best " + ShareText(s.figures.bestAgreement);
    if (s.figures.best >= 0) text += " (polygon " + std::to_string(s.figures.best + 1) + ")";
    if (s.figures.nearBestShare) {
      char share[64];
      std::snprintf(share, sizeof share, ", 90%% of it reached on %.1f%% of the rectangle",
                    100.0 * *s.figures.nearBestShare);
      text += share;
    }
    return text + ">";
  });
}

}  // namespace

void PutReference(ComputationInput& input, const std::string& operand, const StructureSource& first,
                  const StructureSource& second) {
  // zenphal-cli refuses an empty name too: it would read as no file.
  if (operand.empty()) Raise(PyExc_ValueError, "reference: an empty file name; give the Stockholm file");
  try {
    input.reference = FindPairwiseReference(ReadReferenceFile(operand), first, second);
  } catch (const InputError& e) {
    Raise(PyExc_ValueError, std::string("reference ") + e.what());  // zenphal-cli's "--reference ..."
  }
}

std::string ShareText(const std::optional<double>& share) {
  if (!share) return "not defined";
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, *share, std::chars_format::general, 4);
  return std::string(text, end.ptr);
}

void BindAgreement(py::module_& m) {
  BindReference(m);
  BindRegionAgreement(m);
  BindSummary(m);
}

}  // namespace zenphal::python
