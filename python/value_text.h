#pragma once

#include <pybind11/pybind11.h>

#include <string>

namespace pymodule {

// The text the runner would be handed for a Python value, so that every value
// goes through the runner's own reading and checks: a str as it is, a bool as
// 1 or 0, an integer (Python's or numpy's) in decimal, any other number in the
// shortest text that reads back as the same double, anything else by its
// str(), which the reading then refuses with the runner's message.
std::string ValueText(pybind11::handle value);

// A double in the shortest text that reads back as itself.
std::string NumberText(double value);

}  // namespace pymodule
