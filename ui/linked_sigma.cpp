#include "ui/linked_sigma.h"

#include <cmath>

namespace ui {
namespace {

constexpr double kOneThird = 1.0 / 3.0;
constexpr double kRoundingHalf = 0.5;

}  // namespace

float LinkedSigmaValue(double locationValue) {
  const double farDistance = 1.0 - locationValue;
  const double nearDistance = farDistance < locationValue
                                  ? static_cast<double>(static_cast<float>(farDistance))
                                  : locationValue;
  return static_cast<float>(nearDistance * kOneThird);
}

int PositionForValue(float value, double scale) {
  return static_cast<int>(std::floor(static_cast<double>(value) / scale + kRoundingHalf));
}

}  // namespace ui
