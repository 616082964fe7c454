#include "python/value_text.h"

#include "run_description/number_text.h"

namespace py = pybind11;

namespace pymodule {

std::string NumberText(double value) {
  return run::FormatRoundTrip(value);
}

std::string ValueText(py::handle value) {
  if (py::isinstance<py::str>(value)) return value.cast<std::string>();
  if (PyBool_Check(value.ptr())) return value.ptr() == Py_True ? "1" : "0";
  // Before the float test: a numpy integer offers __float__ as well.
  if (PyLong_Check(value.ptr()) || (PyIndex_Check(value.ptr()) && !PyFloat_Check(value.ptr()))) {
    return py::str(py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr())));
  }
  if (PyFloat_Check(value.ptr()) || PyNumber_Check(value.ptr())) {
    const double number = PyFloat_AsDouble(value.ptr());
    if (number == -1.0 && PyErr_Occurred()) {
      PyErr_Clear();
      return py::str(value);
    }
    return NumberText(number);
  }
  return py::str(value);
}

}  // namespace pymodule
