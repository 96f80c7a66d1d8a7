#include "python/computations.h"

#include <memory>

#include "computation/computation.h"
#include "python/agreement.h"
#include "python/errors.h"
#include "python/results.h"
#include "python/scores.h"
#include "python/structures.h"
#include "python/watched_run.h"

namespace zenphal::python {
namespace {

// The structures into input, as zenphal-cli puts its operands; the scores
// stay as they are. Structures made in Python without a name are named as
// the desktop dialog's boxes are.
void PutStructures(ComputationInput& input, const Structure& first, const Structure& second) {
  SetStructures(input, first.source, second.source);
  if (input.label1.empty()) input.label1 = "RNA1";
  if (input.label2.empty()) input.label2 = "RNA2";
}

Alignment Align(py::handle s1, py::handle s2, py::handle match, py::handle indel, py::handle mismatch,
                py::handle gap) {
  ComputationInput input;
  input.match = ScoreArgument("match", InputField::kMatch, match);
  input.indel = ScoreArgument("indel", InputField::kIndel, indel);
  const float x = ScoreArgument("mismatch", InputField::kPointMismatch, mismatch);
  const float y = ScoreArgument("gap", InputField::kPointGap, gap);
  PutStructures(input, StructureArgument("s1", s1), StructureArgument("s2", s2));
  Computation computation(input);
  return AlignAt(computation, x, y);
}

std::unique_ptr<Decomposition> Decompose(py::handle s1, py::handle s2, py::handle match, py::handle indel,
                                         py::handle mismatch, py::handle gap, py::handle reference,
                                         py::object progress, py::object cancel) {
  ComputationInput input;
  input.match = ScoreArgument("match", InputField::kMatch, match);
  input.indel = ScoreArgument("indel", InputField::kIndel, indel);
  std::tie(input.mismatchFrom, input.mismatchTo) =
      RangeArgument("mismatch", InputField::kMismatchFrom, InputField::kMismatchTo, mismatch);
  std::tie(input.gapFrom, input.gapTo) = RangeArgument("gap", InputField::kGapFrom, InputField::kGapTo, gap);
  CheckRanges(input);  // before any file is read, as zenphal-cli does
  auto result = std::make_unique<Decomposition>();
  result->first = StructureArgument("s1", s1);
  result->second = StructureArgument("s2", s2);
  PutStructures(input, result->first, result->second);
  if (!reference.is_none()) {
    if (!py::isinstance<py::str>(reference) && !py::isinstance<py::bytes>(reference) &&
        !py::hasattr(reference, "__fspath__")) {
      Raise(PyExc_TypeError, "reference must be a Stockholm file, FILE.sto or FILE.sto#FAMILY, not " +
                                 std::string(py::str(py::type::handle_of(reference).attr("__name__"))));
    }
    PutReference(input, PathBytes(reference), result->first.source, result->second.source);
  }

  WatchedRun run(progress, std::move(cancel));
  Computation::RunOptions options;
  options.progress = run.Progress();
  // The aligner's tables are built on the worker too: for long structures
  // that takes a while, and Ctrl-C should reach it.
  run.Run(
      [&] {
        auto computation = std::make_shared<Computation>(input);
        computation->SetCancelFlag(&result->cancel);
        computation->Run(options);
        result->computation = std::move(computation);
      },
      result->cancel);
  result->ListPolygons();
  if (!progress.is_none()) progress(100, result->polygons.size());
  const CDecomposition& found = result->computation->Decomposition();
  if (found.Incomplete()) WarnIncomplete(found.IncompleteReason());  // as the CLI
  return result;
}

}  // namespace

void BindComputations(py::module_& m) {
  BindResults(m);
  m.def("align", &Align, py::arg("s1"), py::arg("s2"), py::kw_only(), py::arg("match") = 1.0,
        py::arg("indel") = 0.5, py::arg("mismatch"), py::arg("gap"),
        R"doc(The optimal alignment of two structures at one point of the score plane.

s1, s2: Structures, or files or example:N to read them as Structure.read does.
match, indel: the fixed scores; mismatch, gap: the point (x, y). Scores are
non-negative numbers, or decimal texts read as zenphal-cli reads its options.
The same alignment as `zenphal-cli align S1 S2 --at MISMATCH,GAP`. Ctrl-C
stops a long alignment (KeyboardInterrupt).)doc");
  m.def("decompose", &Decompose, py::arg("s1"), py::arg("s2"), py::kw_only(), py::arg("match") = 1.0,
        py::arg("indel") = 0.5, py::arg("mismatch") = py::make_tuple(0, 2), py::arg("gap") = py::make_tuple(0, 2),
        py::arg("reference") = py::none(), py::arg("progress") = py::none(), py::arg("cancel") = py::none(),
        R"doc(Divides the rectangle of (mismatch, gap) scores into polygons, one per optimal alignment.

s1, s2: Structures, or files or example:N to read them as Structure.read does.
match, indel: the fixed scores; mismatch, gap: the ranges (from, to).
The defaults are zenphal-cli's and the desktop dialogs'.

reference: a Stockholm file, "FILE.sto" or "FILE.sto#FAMILY" (or an
os.PathLike), holding a curated alignment of the two structures, as
zenphal-cli decompose --reference names it: its members are found by name,
else by their bases. Every polygon's alignment is then compared with it
(Polygon.agreement, Decomposition.agreement). Without it, two members of one
Stockholm alignment are compared with their alignment there.

The search runs with the GIL released. progress, if given, is called on this
thread as progress(percent, polygons) while it runs (percent from 0 to 99, the
polygons found so far) and progress(100, polygons) at the end. cancel, if
given, is called every few milliseconds; when it returns true the search stops
and zenphal.Cancelled is raised (a threading.Event's is_set will do). Ctrl-C
stops it with KeyboardInterrupt. An exception raised by either callable stops
the search and propagates.

When the search hits one of its loop bounds, IncompleteWarning is warned, as
zenphal-cli warns, and the result's incomplete is true; it is warned too when
the search lists no polygon at all. Both happen with scores of very different
sizes, such as a match score in the millions.)doc");
}

}  // namespace zenphal::python
