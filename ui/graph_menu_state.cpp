#include "ui/graph_menu_state.h"

namespace ui {
namespace {

bool IsChecked(const GraphMenuItem& item, const MenuState& state) {
  switch (item.command) {
    case GraphCommand::kToggleBand:
      return state.bandShown;
    case GraphCommand::kBandPopulations:
      return state.bandPopulations == item.populations;
    case GraphCommand::kKeepSeed:
      return state.seedKept;
    default:
      return false;
  }
}

bool IsCheckable(const GraphMenuItem& item) {
  return item.command == GraphCommand::kToggleBand ||
         item.command == GraphCommand::kBandPopulations || item.command == GraphCommand::kKeepSeed;
}

bool IsEnabled(const GraphMenuItem& item, const MenuState& state) {
  if (item.needsRun && !state.hasRun) return false;
  if (item.command == GraphCommand::kPinRun) return !state.pins.Full();
  if (item.command == GraphCommand::kOpenAnalysis) return state.analyses.HasHost(item.analysis);
  if (item.command == GraphCommand::kRemoveAllPins || item.command == GraphCommand::kSavePinsCsv) {
    return !state.pins.Empty();
  }
  return true;
}

}  // namespace

std::vector<platform::MenuItem> MenuItems(const MenuState& state,
                                          std::vector<std::string>& pinTexts) {
  std::vector<platform::MenuItem> items;
  pinTexts.clear();
  pinTexts.reserve(state.pins.Pins().size());
  for (const GraphMenuItem& item : kGraphMenu) {
    if (item.command == GraphCommand::kRemoveAllPins && state.run != nullptr) {
      for (const PinnedRun& pin : state.pins.Pins()) {
        pinTexts.push_back(RemovePinMenuText(pin, *state.run));
        items.push_back({kFirstRemovePinMenuId + pin.number, pinTexts.back()});
      }
    }
    items.push_back({item.menuId, item.text, IsEnabled(item, state), IsCheckable(item),
                     IsChecked(item, state), item.separatorBefore});
  }
  return items;
}

std::optional<int> RemovedPin(int menuId) {
  const int number = menuId - kFirstRemovePinMenuId;
  if (number < 1 || number > static_cast<int>(kMaxPins)) return std::nullopt;
  return number;
}

}  // namespace ui
