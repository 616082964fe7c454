#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/analysis_window.h"

namespace ui {

// What an item of the graph's context menu does.
enum class GraphCommand : std::uint8_t {
  kSaveSeriesCsv,
  kSaveGraphPng,
  kSaveGraphSvg,
  kCopyGraph,
  kCopyRerunCommand,
  kToggleBand,
  kBandPopulations,
  kKeepSeed,
  kPinRun,
  kRemoveAllPins,
  kSavePinsCsv,
  kOpenSeriesCsv,
  kOpenAnalysis,
};

// One item of the graph's context menu, and the file it writes.
struct GraphMenuItem {
  int menuId;
  std::string_view text;
  GraphCommand command;
  int scale;                    // pixels per pixel of the window, for images
  std::string_view saveTitle;   // title of the save dialog; empty when nothing is saved
  std::string_view fileFilter;  // file types the save dialog offers
  std::string_view suffix;      // added to a name typed without one
  std::string_view nameEnding;  // of the suggested name, after "corvellan-<seed>"
  bool needsRun;                // greyed out while no run is on screen
  bool separatorBefore = false;
  int populations = 0;                                  // of the band, for kBandPopulations
  AnalysisWindow analysis = AnalysisWindow::kResponse;  // for kOpenAnalysis
};

inline constexpr std::size_t kGraphMenuSize = 20;

// Ids of the items that remove pin n: kFirstRemovePinMenuId + n.
inline constexpr int kFirstRemovePinMenuId = 40100;

// The items in menu order.
extern const std::array<GraphMenuItem, kGraphMenuSize> kGraphMenu;

// The item with menuId, nullptr for none (a dismissed menu).
const GraphMenuItem* FindGraphMenuItem(int menuId);

// "corvellan-<seed>" and the item's name ending; without a seed only "corvellan".
std::string SuggestedFileName(const GraphMenuItem& item, std::optional<std::int32_t> seed);

}  // namespace ui
