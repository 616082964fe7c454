// The population band and the kept seed: additions of the graph's menu that
// change nothing while they are off.
#include "ui/main_dialog.h"

namespace ui {

void CMainDlg::ShowBand(bool show) {
  if (!band_.Show(show)) return;
  band_.Follow(BandRun());
  Repaint();
}

void CMainDlg::SetBandPopulations(int populations) {
  if (!band_.SetPopulations(populations)) return;
  band_.Follow(BandRun());
  Repaint();
}

const RunOnScreen* CMainDlg::BandRun() const {
  const bool drawn = plotReady && model.agentCount > 0 && shownRun_.has_value();
  return drawn ? &*shownRun_ : nullptr;
}

void CMainDlg::Repaint() {
  Invalidate(true);
  UpdateWindow();
}

void CMainDlg::KeepSeed(bool keep) {
  keptSeed_.Keep(keep, shownRun_, model);
}

}  // namespace ui
