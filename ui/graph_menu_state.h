#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/popup_menu.h"
#include "ui/analysis_links.h"
#include "ui/graph_menu.h"
#include "ui/pinned_runs.h"
#include "ui/run_on_screen.h"

namespace ui {

// What the graph's menu shows of the dialog's state.
struct MenuState {
  bool hasRun;
  bool bandShown;
  int bandPopulations;
  bool seedKept;
  const PinnedRuns& pins;
  const AnalysisLinks& analyses;
  const RunOnScreen* run;  // pins exist only once a run is on screen
};

// Every item, with one "Remove Pin n" per pin before "Remove All Pins";
// pinTexts holds those items' texts while the menu is up.
std::vector<platform::MenuItem> MenuItems(const MenuState& state,
                                          std::vector<std::string>& pinTexts);

// The pin a "Remove Pin n" item removes; nullopt for any other item.
std::optional<int> RemovedPin(int menuId);

}  // namespace ui
