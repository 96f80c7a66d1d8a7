#include "python/results.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <charconv>

#include "computation/outputs.h"
#include "computation/region_query.h"
#include "computation/robustness.h"
#include "computation/run_agreement.h"
#include "formats/score_text.h"
#include "output/json.h"
#include "python/errors.h"
#include "python/pictures.h"
#include "python/scores.h"
#include "python/watched_run.h"
#include "render/regions.h"

namespace zenphal::python {
namespace {

// A single-precision value as the shortest decimal that reads back to it, as
// the JSON writes it: 1.8, not 1.7999999523162842.
double Shortest(float value) { return ShortestDecimalOf(value); }

std::string Decimal(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value);
  return std::string(text, end.ptr);
}

py::dict Counts(const CAlignment& record) {
  py::dict counts;
  const nlohmann::ordered_json json = CountsJson(record);  // the names the JSON gives them
  for (const auto& [key, value] : json.items()) counts[py::str(key)] = value.get<int>();
  return counts;
}

std::string CountsText(const CAlignment& r) {
  return "match " + std::to_string(r.matchCount) + ", mismatch " + std::to_string(r.mismatchCount) + ", indel " +
         std::to_string(r.indelCount) + ", gap " + std::to_string(r.gapCount);
}

float PointArgument(const char* name, InputField field, py::handle value) {
  return ScoreArgument(name, field, value);
}

// As messages name a structure made in Python without a name: RNA1, RNA2.
std::string Title(const Structure& s, const char* otherwise) {
  const std::string title = StructureTitle(s);
  return title.empty() ? otherwise : title;
}

void BindAlignment(py::module_& m) {
  py::class_<Alignment> c(m, "Alignment", R"doc(The optimal alignment of two structures at one point (mismatch score x, gap score y).

Returned by align() and Decomposition.align_at(); the same alignment as
`zenphal-cli align ... --at X,Y`.)doc");
  c.attr("__module__") = "zenphal";
  c.def_property_readonly("score", [](const Alignment& a) { return a.point.score; },
                          "Its score at the point: match * matches - x * mismatches - indel * indels - y * gaps.");
  c.def_property_readonly("counts", [](const Alignment& a) { return Counts(a.point.record); },
                          "match, mismatch, indel, gap, pair_match, pair_mismatch, pair_indel: as the JSON writes "
                          "them (a pair's two columns count as two matches or mismatches).");
  c.def_property_readonly("top", [](const Alignment& a) { return BaseText(a.point.record.rows.TopInReadingOrder()); },
                          "The first structure's row, '_' for a gap.");
  c.def_property_readonly("bottom",
                          [](const Alignment& a) { return BaseText(a.point.record.rows.BottomInReadingOrder()); },
                          "The second structure's row, '_' for a gap.");
  c.def_property_readonly("x", [](const Alignment& a) { return Shortest(a.point.x); }, "The mismatch score.");
  c.def_property_readonly("y", [](const Alignment& a) { return Shortest(a.point.y); }, "The gap score.");
  c.def("report", [](const Alignment& a) { return BaseText(a.report); },
        "The report the desktop's Result dialog shows and zenphal-cli align prints (lines end with CR LF).");
  c.def("to_json", [](const Alignment& a) { return Utf8Text(PointJsonText(a.point)); },
        "The JSON text zenphal-cli align --json prints.");
  c.def("__repr__", [](const Alignment& a) {
    return Utf8Text("<zenphal.Alignment at (" + ShortestDecimalText(a.point.x) + ", " +
                    ShortestDecimalText(a.point.y) + "): score " + Decimal(a.point.score) + ", " +
                    CountsText(a.point.record) + ">");
  });
}

void BindPolygon(py::module_& m) {
  py::class_<Polygon, std::shared_ptr<Polygon>> c(
      m, "Polygon", R"doc(One polygon of a decomposition: where one alignment is optimal.

Its number is its block in the report ("The 3 optimal alignment is:") and the
number the labelled picture writes in it. Coordinates are the search's
single-precision values, given as the shortest decimals that read back to
them, as the JSON writes them.)doc");
  c.attr("__module__") = "zenphal";
  c.def_property_readonly("number", [](const Polygon& p) { return p.number; }, "From 1, in order of discovery.");
  c.def_property_readonly("counts", [](const Polygon& p) { return Counts(p.record); },
                          "The alignment's counts, as Alignment.counts.");
  c.def_property_readonly("top", [](const Polygon& p) { return BaseText(p.record.rows.TopInReadingOrder()); },
                          "The first structure's row of the alignment, '_' for a gap.");
  c.def_property_readonly("bottom", [](const Polygon& p) { return BaseText(p.record.rows.BottomInReadingOrder()); },
                          "The second structure's row.");
  c.def_property_readonly("rows",
                          [](const Polygon& p) {
                            return py::make_tuple(BaseText(p.record.rows.TopInReadingOrder()),
                                                  BaseText(p.record.rows.BottomInReadingOrder()));
                          },
                          "(top, bottom).");
  c.def_property_readonly("witness",
                          [](const Polygon& p) {
                            return py::make_tuple(Shortest(p.record.witness.x), Shortest(p.record.witness.y));
                          },
                          "A point (x, y) where the search found the alignment optimal.");
  c.def_property_readonly("side_flags",
                          [](const Polygon& p) {
                            const auto& f = p.record.sideFlags;
                            return py::make_tuple(f[0], f[1], f[2], f[3]);
                          },
                          "Whether the polygon reaches the rectangle's left, top, right and bottom side.");
  c.def_property_readonly("edges",
                          [](const Polygon& p) {
                            py::list edges;
                            for (const Edge& e : p.record.edges) {
                              edges.append(py::make_tuple(Shortest(e.x1), Shortest(e.y1), Shortest(e.x2), Shortest(e.y2)));
                            }
                            return edges;
                          },
                          "The edges (x1, y1, x2, y2) as the search found them (the JSON's, the picture's lines); "
                          "an edge may be listed more than once.");
  c.def_property_readonly("vertices",
                          [](const Polygon& p) {
                            py::list corners;
                            for (const Point& v : p.vertices) corners.append(py::make_tuple(Shortest(v.x), Shortest(v.y)));
                            return corners;
                          },
                          "The corners (x, y) in order, counter-clockwise: the convex hull of the edges' ends, "
                          "the outline the desktop view highlights.");
  c.def_property_readonly("area", [](const Polygon& p) { return p.area; }, "The area of its corners' hull.");
  c.def_property_readonly("share", [](const Polygon& p) { return p.share; },
                          "Its area over the rectangle's, from 0 to 1: the robustness figure of zenphal-cli batch "
                          "for a point inside it.");
  c.def_property_readonly("agreement", [](const Polygon& p) { return p.agreement; },
                          "Its alignment's Agreement with the decomposition's reference; None without a reference.");
  c.def(
      "score_at",
      [](const Polygon& p, py::handle x, py::handle y) {
        return ScoreAt(*p.computation, p.record, PointArgument("x", InputField::kPointMismatch, x),
                       PointArgument("y", InputField::kPointGap, y));
      },
      py::arg("x"), py::arg("y"), "The alignment's score at (x, y), computed as the aligner computes it.");
  c.def("__repr__", [](const Polygon& p) {
    return "<zenphal.Polygon " + std::to_string(p.number) + " of " + std::to_string(p.of) + ": " +
           CountsText(p.record) + ", share " + ShareText(p.share) +
           (p.agreement ? ", agreement " + ShareText(p.agreement->Agreement()) : std::string()) + ">";
  });
}

// What to_svg and to_png add to the plain picture: the options of
// zenphal-cli decompose of the same names.
struct PictureChoice {
  bool labels = false;          // --label
  bool colourRegions = false;   // --colour-regions
  bool axisValues = false;      // --axis-values
  bool byAgreement = false;     // --colour-by-agreement
};

// The picture options of to_svg and to_png, as zenphal-cli decompose makes
// them of its options.
PictureOptions PictureOptionsOf(const Decomposition& d, const PictureChoice& choice) {
  PictureOptions options = PictureOptions::Labels(choice.labels);
  options.colours = choice.colourRegions;
  options.axisValues = choice.axisValues;
  if (!choice.byAgreement) return options;
  if (!d.reference) {
    const ComputationInput& in = d.computation->Input();
    Raise(PyExc_ValueError, "colour_by_agreement: " + in.label1 + " and " + in.label2 +
                                " have no reference alignment (they are not members of one Stockholm alignment); "
                                "name a Stockholm file that holds both with decompose(..., reference='FILE.sto')");
  }
  options.agreement = AgreementValues(*AgreementOfRun(*d.computation));
  return options;
}

void BindDecomposition(py::module_& m) {
  py::class_<Decomposition> c(m, "Decomposition", R"doc(The score rectangle divided into polygons, one per optimal alignment.

Returned by decompose(). Its texts and pictures are byte for byte those of
`zenphal-cli decompose` with the same input: report() the report,
to_json() the --json file, to_svg() and to_png() the --svg and --png files. A
notebook shows it as its labelled picture.)doc");
  c.attr("__module__") = "zenphal";
  c.def_property_readonly("first", [](const Decomposition& d) { return d.first; }, "The first structure.");
  c.def_property_readonly("second", [](const Decomposition& d) { return d.second; }, "The second structure.");
  c.def_property_readonly("match", [](const Decomposition& d) { return Shortest(d.computation->Input().match); },
                          "The match score.");
  c.def_property_readonly("indel", [](const Decomposition& d) { return Shortest(d.computation->Input().indel); },
                          "The indel score.");
  c.def_property_readonly("mismatch", [](const Decomposition& d) {
    return py::make_tuple(Shortest(d.computation->Input().mismatchFrom), Shortest(d.computation->Input().mismatchTo));
  }, "The mismatch score range (from, to): the rectangle's horizontal side.");
  c.def_property_readonly("gap", [](const Decomposition& d) {
    return py::make_tuple(Shortest(d.computation->Input().gapFrom), Shortest(d.computation->Input().gapTo));
  }, "The gap score range (from, to): the rectangle's vertical side.");
  c.def_property_readonly("polygons", [](const Decomposition& d) { return d.polygons; },
                          "The polygons in order of discovery, numbered from 1 as in the report.");
  c.def_property_readonly("reference", [](const Decomposition& d) { return d.reference; },
                          "The Reference every polygon's alignment is compared with: the structures' alignment in "
                          "the Stockholm file both were read from, or in decompose()'s reference; None without "
                          "one.");
  c.def_property_readonly("agreement", [](const Decomposition& d) { return d.agreement; },
                          "The AgreementSummary, where the optimal alignments agree best with the reference; None "
                          "without a reference.");
  c.def_property_readonly("aligner_calls", [](const Decomposition& d) { return d.computation->Decomposition().AlignerCalls(); },
                          "The search's probes: the aligner calls it asked for.");
  c.def_property_readonly("incomplete", [](const Decomposition& d) { return d.computation->Decomposition().Incomplete(); },
                          "True when the search hit one of its loop bounds: polygons may be missing.");
  c.def(
      "region_at",
      [](const Decomposition& d, py::handle x, py::handle y) {
        const std::vector<int> optimal =
            OptimalPolygonsAt(*d.computation, PointArgument("x", InputField::kPointMismatch, x),
                              PointArgument("y", InputField::kPointGap, y));
        const int k = PreferredPolygon(d.computation->Decomposition(), optimal);
        if (k < 0) Raise(PyExc_LookupError, "no polygon to name: the decomposition lists none (it is incomplete)");
        return d.polygons[static_cast<size_t>(k)];
      },
      py::arg("x"), py::arg("y"),
      R"doc(The polygon whose alignment is optimal at (x, y): the region the desktop
view names there, and the polygon of zenphal-cli batch's robustness figure.

On an edge or a corner several are optimal (see regions_at); then the one
with the fewest mismatches, then the fewest gaps: the one optimal just to the
right of the point (on a vertical edge, just above it). ValueError for a
point outside the rectangle; LookupError for a decomposition that lists no
polygon (decompose warned IncompleteWarning). On an incomplete decomposition
the answer is the best of the polygons listed.)doc");
  c.def(
      "regions_at",
      [](const Decomposition& d, py::handle x, py::handle y) {
        std::vector<std::shared_ptr<Polygon>> found;
        for (int k : OptimalPolygonsAt(*d.computation, PointArgument("x", InputField::kPointMismatch, x),
                                       PointArgument("y", InputField::kPointGap, y))) {
          found.push_back(d.polygons[static_cast<size_t>(k)]);
        }
        return found;
      },
      py::arg("x"), py::arg("y"),
      "Every polygon whose alignment is optimal at (x, y), by number: one inside a polygon, two on an edge, more "
      "at a corner. ValueError for a point outside the rectangle.");
  c.def(
      "align_at",
      [](Decomposition& d, py::handle x, py::handle y) {
        const float px = PointArgument("x", InputField::kPointMismatch, x);
        const float py_ = PointArgument("y", InputField::kPointGap, y);
        std::unique_lock<std::mutex> lock;
        {
          const py::gil_scoped_release release;  // another thread's align_at may take a while
          lock = std::unique_lock(d.aligner);
        }
        return AlignAt(*d.computation, px, py_);
      },
      py::arg("x"), py::arg("y"),
      "The optimal alignment at (x, y), as align() gives it, without building the aligner again.");
  c.def("report", [](const Decomposition& d) { return BaseText(AllAlignmentsText(*d.computation)); },
        "The report of every optimal alignment, as View All Alignment shows it and zenphal-cli decompose prints "
        "it (lines end with CR LF).");
  c.def("to_json", [](const Decomposition& d) { return Utf8Text(DecompositionJsonText(*d.computation)); },
        "The JSON text zenphal-cli decompose --json writes.");
  c.def(
      "to_svg",
      [](const Decomposition& d, bool labels, bool colourRegions, bool axisValues, bool byAgreement) {
        return Utf8Text(PictureSvg(d.computation->Decomposition(),
                                   PictureOptionsOf(d, {labels, colourRegions, axisValues, byAgreement})));
      },
      py::kw_only(), py::arg("labels") = false, py::arg("colour_regions") = false, py::arg("axis_values") = false,
      py::arg("colour_by_agreement") = false,
      R"doc(The picture as SVG: the --svg file of zenphal-cli decompose.

labels=True adds the polygons' numbers and the range values, as --label does;
colour_regions=True fills the regions with colour-blind safe colours that
tell neighbours apart, as --colour-regions does; axis_values=True writes the
ranges and round tick values along both axes, as --axis-values does;
colour_by_agreement=True fills each region by its agreement with the
reference on a colour-blind safe scale, with the scale beside the picture, as
--colour-by-agreement does (ValueError without a reference).)doc");
  c.def(
      "to_png",
      [](const Decomposition& d, bool labels, bool colourRegions, bool axisValues, bool byAgreement) {
        return py::bytes(PicturePng(d.computation->Decomposition(),
                                    PictureOptionsOf(d, {labels, colourRegions, axisValues, byAgreement})));
      },
      py::kw_only(), py::arg("labels") = false, py::arg("colour_regions") = false, py::arg("axis_values") = false,
      py::arg("colour_by_agreement") = false,
      "The picture as PNG bytes: the --png file of zenphal-cli decompose; the options as to_svg's.");
  c.def("_repr_svg_",
        [](const Decomposition& d) {
          return Utf8Text(PictureSvg(d.computation->Decomposition(), PictureOptions::Labels(true)));
        },
        "The labelled picture, for notebooks.");
  c.def("__repr__", [](const Decomposition& d) {
    const ComputationInput& in = d.computation->Input();
    return Utf8Text("<zenphal.Decomposition '" + Title(d.first, "RNA1") + "' and '" + Title(d.second, "RNA2") +
                    "': " + Counted(d.polygons.size(), "polygon") + " over mismatch [" +
                    ShortestDecimalText(in.mismatchFrom) + ", " + ShortestDecimalText(in.mismatchTo) + "] x gap [" +
                    ShortestDecimalText(in.gapFrom) + ", " + ShortestDecimalText(in.gapTo) + "]>");
  });
}

}  // namespace

void Decomposition::ListPolygons() {
  const CDecomposition& d = computation->Decomposition();
  const RegionMap map = BuildRegionMap(d);
  for (int i = 0; i < d.PolygonCount(); ++i) {
    auto p = std::make_shared<Polygon>();
    p->number = i + 1;
    p->of = d.PolygonCount();
    p->record = d.Polygon(i);
    if (i < map.size()) p->vertices = map.hulls[static_cast<size_t>(i)];
    p->area = PolygonArea(p->record);
    p->share = PolygonShare(p->area, d);
    p->computation = computation;
    polygons.push_back(std::move(p));
  }
  const std::optional<DecompositionAgreement> found = AgreementOfRun(*computation);
  if (!found) return;
  reference = Reference{found->reference, found->referenceColumns, found->referencePairs};
  for (size_t i = 0; i < polygons.size() && i < found->regions.size(); ++i) polygons[i]->agreement = found->regions[i];
  agreement = Summary{found->summary, nullptr};
  if (found->summary.best >= 0) agreement->best = polygons.at(static_cast<size_t>(found->summary.best));
}

// The alignment at (x, y), on a worker with Ctrl-C watched; flag is the
// computation's while it runs (and nobody's after).
Alignment AlignAt(Computation& computation, float x, float y) {
  Alignment result;
  CancelFlag flag{false};
  WatchedRun run{py::none(), py::none()};
  run.Run(
      [&] {
        computation.SetCancelFlag(&flag);
        try {
          result.point = computation.AlignAt(x, y);
        } catch (...) {
          computation.SetCancelFlag(nullptr);
          throw;
        }
        computation.SetCancelFlag(nullptr);
        result.report = PointReportText(computation, result.point);
      },
      flag);
  return result;
}

void BindResults(py::module_& m) {
  BindAgreement(m);
  BindAlignment(m);
  BindPolygon(m);
  BindDecomposition(m);
}

}  // namespace zenphal::python
