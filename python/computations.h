#pragma once
// zenphal.align, zenphal.decompose and what they return: Alignment,
// Decomposition and its Polygons. Each call builds one Computation (the layer
// both front ends use) and runs it under a WatchedRun.
#include <pybind11/pybind11.h>

namespace zenphal::python {

namespace py = pybind11;

void BindComputations(py::module_& m);

}  // namespace zenphal::python
