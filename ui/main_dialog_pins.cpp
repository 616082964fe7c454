// Pinned runs: the series of earlier runs kept on the graph beneath the live ones.
#include "ui/main_dialog.h"

namespace ui {

bool CMainDlg::PinThisRun() {
  if (!shownRun_ || model.agentCount <= 0 || pins_.Full()) return false;
  pins_.Add(*shownRun_, model.Series());
  Invalidate(true);
  UpdateWindow();
  return true;
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
