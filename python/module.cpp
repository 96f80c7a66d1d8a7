// zenphal: parametric alignment of two RNA secondary structures, from Python.
// The module wraps the computation layer (computation/), as zenphal-cli does.
#include <pybind11/pybind11.h>

#include "python/computations.h"
#include "python/errors.h"
#include "python/structures.h"

PYBIND11_MODULE(_zenphal, m) {
  using namespace zenphal::python;
  m.doc() = "Parametric alignment of two RNA secondary structures (the native part of the zenphal package).";
  m.attr("__version__") = ZENPHAL_VERSION;
  RegisterErrors(m);
  BindStructures(m);
  BindComputations(m);
}
