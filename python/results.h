#pragma once
// What align() and decompose() return: zenphal.Alignment,
// zenphal.Decomposition and its zenphal.Polygon objects. The results are
// copied out of the computation; a Decomposition keeps its Computation for
// the point queries and the texts and pictures.
#include <pybind11/pybind11.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "computation/computation.h"
#include "python/agreement.h"
#include "python/structures.h"

namespace zenphal::python {

namespace py = pybind11;

struct Alignment {
  PointResult point;
  std::string report;  // the Result dialog's text
};

struct Polygon {
  int number = 0;  // from 1, as in the report
  int of = 0;      // polygons in the decomposition
  CAlignment record;
  std::vector<Point> vertices;
  double area = 0.0;
  double share = 0.0;
  std::optional<RegionAgreement> agreement;  // with the reference; none without one
  std::shared_ptr<const Computation> computation;  // for its scores
};

struct Decomposition {
  Structure first, second;
  std::shared_ptr<Computation> computation;
  std::vector<std::shared_ptr<Polygon>> polygons;
  std::optional<Reference> reference;  // with the agreement summary, when the
  std::optional<Summary> agreement;    // input has a reference
  CancelFlag cancel{false};
  std::mutex aligner;  // AlignAt, from any Python thread

  // Copies the run's polygons into polygons, numbered from 1, with their
  // agreement with the reference (AgreementOfRun).
  void ListPolygons();
};

// The optimal alignment at (x, y) and its report, computed on a worker with
// Ctrl-C watched (WatchedRun). Not while another call uses the aligner.
Alignment AlignAt(Computation& computation, float x, float y);

void BindResults(py::module_& m);

}  // namespace zenphal::python
