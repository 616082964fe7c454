#pragma once

#include <QPointer>

#include "calibration/calibration_window.h"
#include "map/map_window.h"
#include "population/population_window.h"
#include "response/response_window.h"
#include "sensitivity/sensitivity_window.h"
#include "ui/main_dialog.h"

namespace app {

// The analysis windows of one main dialog, each made when first opened from
// the graph's menu. They are windows of the dialog's own: the modal dialog
// blocks every other window, and its end takes them with it.
class AnalysisWindows {
 public:
  // Gives the dialog a host for every window; the dialog must outlive this.
  explicit AnalysisWindows(ui::CMainDlg& dialog);

 private:
  // Moves the dialog's controls as a window asks: (axis, position) pairs.
  void MoveAxes(const std::vector<std::pair<std::size_t, std::size_t>>& moves);
  // Opens the response window on one axis of the dialog's context.
  void Explore(std::size_t axis);

  ui::CMainDlg& dialog_;
  QPointer<response::ResponseWindow> response_;
  QPointer<map::MapWindow> map_;
  QPointer<sensitivity::SensitivityWindow> sensitivity_;
  QPointer<calibration::CalibrationWindow> calibration_;
  QPointer<population::PopulationWindow> population_;
};

}  // namespace app
