#pragma once

#include <array>
#include <span>
#include <string_view>

#include "model/attribute.h"
#include "model/distribution_kind.h"

namespace ui {

inline constexpr int kNoControl = 0;

// What a click on one distribution radio button does: set the attribute's
// kind, rename the location caption (I, T and E only), enable or disable the
// attribute's rows and, for Normal and Log-Normal, pull the Sigma trackbar
// after the location trackbar.
struct RadioWork {
  int radioId;
  model::Attribute attribute;
  model::DistributionKind kind;
  int captionId;  // kNoControl: the caption never changes
  std::string_view caption;
  std::span<const int> rows;
  bool enableRows;
  int linkedLocationId;  // kNoControl: no linked-sigma pull
};

inline constexpr std::size_t kRadioButtonCount = 15;

// Grouped by attribute (R, I, T, E, R'), each group Constant, Normal, Log-Normal.
extern const std::array<RadioWork, kRadioButtonCount> kRadioWork;

// The row for a radio button id, nullptr for any other id.
const RadioWork* FindRadioWork(int radioId);

// The radio button that gives attribute kind; kNoControl for no such kind.
int RadioOfKind(model::Attribute attribute, int kind);

}  // namespace ui
