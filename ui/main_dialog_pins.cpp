// Pinned runs: the series of earlier runs kept on the graph beneath the live ones.
#include "run_description/saved_run.h"
#include "ui/main_dialog.h"

namespace ui {

bool CMainDlg::PinThisRun() {
  if (!shownRun_ || model.agentCount <= 0 || pins_.Full()) return false;
  pins_.Add(*shownRun_, model.Series());
  Invalidate(true);
  UpdateWindow();
  return true;
}

std::optional<int> CMainDlg::PinSavedCurves(const run::SavedRun& saved) {
  model::SeriesPointers series{};
  for (int s = 0; s < model::kSeriesCount; ++s) {
    series[s] = saved.series.data() + static_cast<std::ptrdiff_t>(s) * model::kStepCount;
  }
  const std::optional<int> number =
      pins_.Add(RunOnScreen{saved.seed, saved.arguments}, series, PinSource::kFile);
  Invalidate(true);
  UpdateWindow();
  return number;
}

void CMainDlg::RemovePin(int number) {
  pins_.Remove(number);
  Invalidate(true);
  UpdateWindow();
}

void CMainDlg::RemoveAllPins() {
  pins_.Clear();
  Invalidate(true);
  UpdateWindow();
}

}  // namespace ui
