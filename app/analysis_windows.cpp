#include "app/analysis_windows.h"

#include <vector>

#include "platform/dialog_window.h"

namespace app {
namespace {

using ui::AnalysisWindow;

// A host that makes the window when first shown, with the arguments its
// constructor takes after its parent.
template <typename Window, typename... Extra>
ui::AnalysisHost HostOf(ui::CMainDlg& dialog, QPointer<Window>& window, Extra... extra) {
  return {
      [&dialog, &window, extra...](const batch::ResponseContext& context) {
        if (!window) window = new Window(dialog.Window(), extra...);
        window->ShowFor(context);
      },
      [&window] { return window && window->isVisible(); },
      [&window](const batch::ResponseContext& context) { window->Follow(context); },
  };
}

}  // namespace

AnalysisWindows::AnalysisWindows(ui::CMainDlg& dialog) : dialog_(dialog) {
  const auto move = [this](std::vector<std::pair<std::size_t, std::size_t>> moves) {
    MoveAxes(moves);
  };
  const sensitivity::SensitivityWindow::ExploreFactor explore = [this](std::size_t axis) {
    Explore(axis);
  };
  dialog.SetAnalysisHost(AnalysisWindow::kResponse, HostOf(dialog, response_));
  dialog.SetAnalysisHost(AnalysisWindow::kMap, HostOf(dialog, map_, map::MoveTrackbars(move)));
  dialog.SetAnalysisHost(AnalysisWindow::kSensitivity, HostOf(dialog, sensitivity_, explore));
  dialog.SetAnalysisHost(
      AnalysisWindow::kCalibration,
      HostOf(dialog, calibration_, calibration::CalibrationWindow::MoveTrackbars(move)));
  dialog.SetAnalysisHost(AnalysisWindow::kPopulation, HostOf(dialog, population_));
}

void AnalysisWindows::MoveAxes(const std::vector<std::pair<std::size_t, std::size_t>>& moves) {
  std::vector<ui::AxisMove> axisMoves;
  axisMoves.reserve(moves.size());
  for (const auto& [axis, position] : moves) axisMoves.push_back({axis, position});
  dialog_.MoveAxes(axisMoves);
}

void AnalysisWindows::Explore(std::size_t axis) {
  batch::ResponseContext context = dialog_.ResponseContextNow();
  if (axis >= context.axes.size()) return;
  context.lastMovedAxis = axis;
  if (!response_) response_ = new response::ResponseWindow(dialog_.Window());
  response_->ShowFor(context);
}

}  // namespace app
