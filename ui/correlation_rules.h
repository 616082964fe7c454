#pragma once

#include <array>
#include <span>
#include <string_view>

#include "model/attribute.h"

namespace ui {

// A correlation row is usable only while both of its attributes are Normal;
// Log-Normal counts as not Normal.
struct CorrelationRule {
  std::span<const int> row;
  int trackbarId;
  model::Attribute first;
  model::Attribute second;
  std::string_view disabledReason;  // the greyed-out trackbar's tooltip adds it
};

inline constexpr std::size_t kCorrelationCount = 4;

// R & R', R & I, R' & I, E & T: the order the rules are applied in.
extern const std::array<CorrelationRule, kCorrelationCount> kCorrelationRules;

}  // namespace ui
