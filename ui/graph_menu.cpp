#include "ui/graph_menu.h"

#include <algorithm>

namespace ui {
namespace {

// Menu ids are the menu's own; they never reach the dialog's commands.
constexpr int kFirstMenuId = 40001;
constexpr int kActualSize = 1;
constexpr int kDoubleSize = 2;
constexpr bool kSeparate = true;

constexpr std::string_view kNameStart = "corvellan";
constexpr std::string_view kCsvFilter = "CSV files (*.csv)";
constexpr std::string_view kPngFilter = "PNG images (*.png)";
constexpr std::string_view kSvgFilter = "SVG images (*.svg)";

}  // namespace

// clang-format off
constinit const std::array<GraphMenuItem, kGraphMenuSize> kGraphMenu = {{
    // id, text, command, scale, save title, filter, suffix, name ending, needs a run,
    // separator before, band populations
    {kFirstMenuId, "&Save Series as CSV\u2026", GraphCommand::kSaveSeriesCsv, kActualSize,
     "Save Series as CSV", kCsvFilter, "csv", ".csv", true},
    {kFirstMenuId + 1, "Save Graph as P&NG\u2026", GraphCommand::kSaveGraphPng, kActualSize,
     "Save Graph as PNG", kPngFilter, "png", ".png", false},
    {kFirstMenuId + 2, "Save Graph as PNG (2&x)\u2026", GraphCommand::kSaveGraphPng, kDoubleSize,
     "Save Graph as PNG (2x)", kPngFilter, "png", "@2x.png", false},
    {kFirstMenuId + 3, "Save Graph as SV&G\u2026", GraphCommand::kSaveGraphSvg, kActualSize,
     "Save Graph as SVG", kSvgFilter, "svg", ".svg", false},
    {kFirstMenuId + 4, "&Copy Graph", GraphCommand::kCopyGraph, kActualSize, {}, {}, {}, {}, false},
    {kFirstMenuId + 5, "Copy &Re-run Command", GraphCommand::kCopyRerunCommand, kActualSize,
     {}, {}, {}, {}, true},
    {kFirstMenuId + 6, "Population &Band", GraphCommand::kToggleBand, kActualSize,
     {}, {}, {}, {}, true, kSeparate},
    {kFirstMenuId + 7, "Band of &8 Populations", GraphCommand::kBandPopulations, kActualSize,
     {}, {}, {}, {}, false, false, 8},
    {kFirstMenuId + 8, "Band of 32 Pop&ulations", GraphCommand::kBandPopulations, kActualSize,
     {}, {}, {}, {}, false, false, 32},
    {kFirstMenuId + 9, "Band of 128 Popu&lations", GraphCommand::kBandPopulations, kActualSize,
     {}, {}, {}, {}, false, false, 128},
    {kFirstMenuId + 10, "&Keep This Seed", GraphCommand::kKeepSeed, kActualSize,
     {}, {}, {}, {}, true, kSeparate},
    {kFirstMenuId + 11, "&Pin This Run", GraphCommand::kPinRun, kActualSize,
     {}, {}, {}, {}, true, kSeparate},
    {kFirstMenuId + 12, "Remove &All Pins", GraphCommand::kRemoveAllPins, kActualSize,
     {}, {}, {}, {}, false},
    {kFirstMenuId + 13, "Save Pinne&d Runs as CSV\u2026", GraphCommand::kSavePinsCsv, kActualSize,
     "Save Pinned Runs as CSV", kCsvFilter, "csv", "-pins.csv", true},
    {kFirstMenuId + 14, "&Open Series CSV\u2026", GraphCommand::kOpenSeriesCsv, kActualSize,
     "Open Series CSV", kCsvFilter, {}, {}, false, kSeparate},
    {kFirstMenuId + 15, "&Explore Parameter\u2026", GraphCommand::kOpenAnalysis, kActualSize,
     {}, {}, {}, {}, true},
    {kFirstMenuId + 16, "&Map Two Parameters\u2026", GraphCommand::kOpenAnalysis, kActualSize,
     {}, {}, {}, {}, true, false, 0, AnalysisWindow::kMap},
    {kFirstMenuId + 17, "Sens&itivity\u2026", GraphCommand::kOpenAnalysis, kActualSize,
     {}, {}, {}, {}, true, false, 0, AnalysisWindow::kSensitivity},
    {kFirstMenuId + 18, "Calibrate &to Data\u2026", GraphCommand::kOpenAnalysis, kActualSize,
     {}, {}, {}, {}, true, false, 0, AnalysisWindow::kCalibration},
    {kFirstMenuId + 19, "Sho&w Population\u2026", GraphCommand::kOpenAnalysis, kActualSize,
     {}, {}, {}, {}, true, false, 0, AnalysisWindow::kPopulation},
}};
// clang-format on

const GraphMenuItem* FindGraphMenuItem(int menuId) {
  const auto found = std::ranges::find(kGraphMenu, menuId, &GraphMenuItem::menuId);
  return found == kGraphMenu.end() ? nullptr : &*found;
}

std::string SuggestedFileName(const GraphMenuItem& item, std::optional<std::int32_t> seed) {
  std::string name(kNameStart);
  if (seed) {
    name += '-' + std::to_string(*seed);
  }
  return name + std::string(item.nameEnding);
}

}  // namespace ui
