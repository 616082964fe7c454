#pragma once

#include <array>
#include <span>

#include "model/attribute.h"

namespace ui {

// A correlation row is usable only while both of its attributes are Normal;
// Log-Normal counts as not Normal.
struct CorrelationRule {
  std::span<const int> row;
  model::Attribute first;
  model::Attribute second;
};

inline constexpr std::size_t kCorrelationCount = 4;

// R & R', R & I, R' & I, E & T: the order the rules are applied in.
extern const std::array<CorrelationRule, kCorrelationCount> kCorrelationRules;

}  // namespace ui
