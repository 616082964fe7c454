// The tooltips of CMainDlg: one per trackbar, and the seed over the graph.
#include "res/main_dialog_template.h"
#include "ui/graph_band.h"
#include "ui/main_dialog.h"
#include "ui/seed_tool_tip.h"
#include "ui/slider_tool_tips.h"

namespace ui {

void CMainDlg::SetUpToolTips() {
  for (const SliderToolTip& tip : kSliderToolTips) {
    SetControlToolTip(tip.trackbarId, tip.text);
  }
}

// Asked afresh each time, so it always names the run on screen.
platform::AreaToolTip CMainDlg::ToolTipAt(int /*x*/, int y) const {
  const platform::ClientRect client = GetClientRect();
  const int bandBottom = GraphBandBottom(res::kMainDialogTemplate);
  if (!shownRun_ || y < client.top || y >= bandBottom) {
    return {};
  }
  return {SeedToolTip(*shownRun_), {client.left, client.top, client.right, bandBottom}};
}

}  // namespace ui
