#include "platform/radio_grouping.h"

#include <map>

namespace platform {
namespace {

bool Contains(const ControlTemplate& outer, const ControlTemplate& inner) {
  return outer.x <= inner.x && outer.y <= inner.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

long long Area(const ControlTemplate& control) {
  return static_cast<long long>(control.width) * control.height;
}

int InnermostGroupBoxOf(std::span<const ControlTemplate> controls, std::size_t index) {
  int best = kNoGroupBox;
  for (std::size_t box = 0; box < controls.size(); ++box) {
    if (box == index || controls[box].kind != ControlKind::kGroupBox ||
        !Contains(controls[box], controls[index])) {
      continue;
    }
    if (best == kNoGroupBox ||
        Area(controls[box]) < Area(controls[static_cast<std::size_t>(best)])) {
      best = static_cast<int>(box);
    }
  }
  return best;
}

}  // namespace

std::vector<int> InnermostGroupBoxes(std::span<const ControlTemplate> controls) {
  std::vector<int> boxes;
  boxes.reserve(controls.size());
  for (std::size_t index = 0; index < controls.size(); ++index) {
    boxes.push_back(InnermostGroupBoxOf(controls, index));
  }
  return boxes;
}

std::vector<std::vector<int>> RadioGroups(std::span<const ControlTemplate> controls) {
  const std::vector<int> boxes = InnermostGroupBoxes(controls);
  std::map<int, std::vector<int>> byBox;
  for (std::size_t index = 0; index < controls.size(); ++index) {
    if (controls[index].kind == ControlKind::kRadioButton) {
      byBox[boxes[index]].push_back(static_cast<int>(index));
    }
  }
  std::vector<std::vector<int>> groups;
  for (auto& [box, members] : byBox) {
    groups.push_back(std::move(members));
  }
  return groups;
}

}  // namespace platform
