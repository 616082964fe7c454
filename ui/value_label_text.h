#pragma once

#include <string>

namespace ui {

// A trackbar's value as its label shows it: "%0.*f" with the row's decimals.
std::string ValueLabelText(double value, int decimals);

}  // namespace ui
