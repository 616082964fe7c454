#pragma once

#include <span>
#include <vector>

#include "platform/dialog_template.h"

namespace platform {

// Marks a control that lies in no group box.
inline constexpr int kNoGroupBox = -1;

// For each control of a template, the index of the smallest group box whose
// rectangle contains the control's rectangle, or kNoGroupBox. Group boxes can
// nest, so the innermost one wins; a group box is never its own container.
std::vector<int> InnermostGroupBoxes(std::span<const ControlTemplate> controls);

// The automatic radio buttons exclusive with each other: indices into the
// template, one list per group box holding radio buttons (plus one for the
// radio buttons in no box), in template order.
std::vector<std::vector<int>> RadioGroups(std::span<const ControlTemplate> controls);

}  // namespace platform
