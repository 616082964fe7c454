// What the panel must look like for a given choice of kinds and sanctions:
// which controls are enabled and what the location captions say.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "tests/soak/panel_tables.h"

namespace soak {

// The panel's inputs to the enabling rules, as the controls show them.
struct PanelChoice {
  std::array<Kind, kAttrCount> kinds{};
  bool sanctions = false;
};

// What an attribute's kind must be for a row to be enabled.
enum class Need : std::uint8_t { kAny, kNotConstant, kNormal };

struct Gate {
  bool never = false;  // the row is disabled whatever the choice
  bool needsSanctions = false;
  std::array<Need, kAttrCount> needs{};  // by attribute, kAny where the kind does not matter
};

// Controls that are enabled and disabled together.
struct RowRule {
  std::string_view row;
  std::span<const int> controls;
  Gate gate;
};

// A caption that follows its attribute's kind.
struct CaptionRule {
  int captionId;
  Attr attr;
  std::string_view whenConstant;
  std::string_view otherwise;
};

std::span<const RowRule> RowRules();
std::span<const CaptionRule> CaptionRules();

bool ExpectedEnabled(const Gate& gate, const PanelChoice& choice);
std::string_view ExpectedCaption(const CaptionRule& rule, const PanelChoice& choice);

std::string Describe(const PanelChoice& choice);

}  // namespace soak
