#pragma once

#include <pybind11/pybind11.h>

namespace pymodule {

// The parts of the extension, each adding its functions to the module.
void BindRun(pybind11::module_& module);
void BindSweeps(pybind11::module_& module);

}  // namespace pymodule
