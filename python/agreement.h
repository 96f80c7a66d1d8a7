#pragma once
// A decomposition's agreement with its reference alignment, from Python:
// zenphal.Reference, zenphal.Agreement (a polygon's) and
// zenphal.AgreementSummary, the figures the JSON's "reference",
// "agreement" per polygon and top-level "agreement" hold.
#include <pybind11/pybind11.h>

#include <memory>
#include <optional>
#include <string>

#include "agreement/agreement.h"
#include "computation/input.h"

namespace zenphal::python {

namespace py = pybind11;

struct Polygon;

// The reference and the number of its aligned columns and pair alignments.
struct Reference {
  PairwiseReference rows;
  int columns = 0;
  int pairs = 0;
};

// Where the optimal alignments agree best; best is null when no agreement
// is defined.
struct Summary {
  AgreementSummary figures;
  std::shared_ptr<Polygon> best;
};

// Puts the reference the Stockholm file `operand` (FILE.sto or
// FILE.sto#FAMILY) holds for the two structures into input, as
// `zenphal-cli --reference` does. Throws FileReadError, and ValueError
// naming the argument for an empty name or a file that holds no alignment
// of the two.
void PutReference(ComputationInput& input, const std::string& operand, const StructureSource& first,
                  const StructureSource& second);

// Four significant digits ("0.7273"), or "not defined": for reprs.
std::string ShareText(const std::optional<double>& share);

void BindAgreement(py::module_& m);

}  // namespace zenphal::python
