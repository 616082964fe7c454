#include "model/spread_cap.h"

namespace model {
namespace {

constexpr double kOneThird = 0.3333333333333333;

double NearerEnd(double v) {
  return v < 1.0 - v ? v : 1.0 - v;
}

}  // namespace

double CappedSpread(Attribute attribute, DistributionKind kind, double location, double spread) {
  double cap = spread;
  switch (attribute) {
    case Attribute::R:
    case Attribute::RPrime:
      cap = location * kOneThird;
      break;
    case Attribute::E:
      if (kind == DistributionKind::Normal) return spread;
      [[fallthrough]];
    case Attribute::I:
    case Attribute::T:
      cap = NearerEnd(location) * kOneThird;
      break;
  }
  return spread > cap ? cap : spread;
}

}  // namespace model
