// The tooltips of CMainDlg: one per trackbar, the dump button's, and the seed
// over the graph.
#include "res/control_ids.h"
#include "res/main_dialog_template.h"
#include "ui/graph_band.h"
#include "ui/main_dialog.h"
#include "ui/seed_tool_tip.h"
#include "ui/slider_tool_tips.h"

namespace ui {
namespace {

// The button's work is silent when the file is missing: the tooltip is where
// a user learns what it needs.
constexpr std::string_view kDumpDataToolTip =
    "Draws the first-order contribution rate of the run on screen into Graph.bmp in the\n"
    "current folder, in the next colour of its palette, so that runs overlay in one picture.\n"
    "Graph.bmp must already exist as a 640 \u00d7 340 8-bit bitmap;\n"
    "corvellan-run --new-overlay Graph.bmp creates a blank one.";

}  // namespace

void CMainDlg::SetUpToolTips() {
  for (const SliderToolTip& tip : kSliderToolTips) {
    SetControlToolTip(tip.trackbarId, tip.text);
  }
  SetControlToolTip(res::kIdButtonDumpData, kDumpDataToolTip);
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
