// The parameter response window's view of this dialog: what it is shown when
// opened and told after every run while it is open.
#include "model/attribute.h"
#include "ui/graph_view.h"
#include "ui/main_dialog.h"
#include "ui/response_axes.h"

namespace ui {

batch::ResponseContext CMainDlg::ResponseContextNow() const {
  std::array<int, kSliderCount> positions{};
  for (std::size_t row = 0; row < kSliderTable.size(); ++row) {
    positions[row] = TrackbarPos(kSliderTable[row].trackbarId);
  }
  std::array<int, model::kAttributes.size()> kinds{};
  for (std::size_t a = 0; a < model::kAttributes.size(); ++a) {
    kinds[a] = Kind(model::kAttributes[a]);
  }
  batch::ResponseContext context;
  context.arguments = shownRun_ ? shownRun_->arguments : model::RunArguments{};
  context.seed = shownRun_ ? shownRun_->seed : 0;
  context.axes = ResponseAxes(positions, kinds, agentCount);
  context.lastMovedAxis = AxisOfTrackbar(context.axes, lastMovedTrackbar_);
  for (const SeriesPen& pen : kSeriesPens) {
    context.seriesColours[pen.series] = {pen.colour.red, pen.colour.green, pen.colour.blue};
  }
  return context;
}

void CMainDlg::ExploreParameter() {
  if (responseHost_.show && shownRun_) responseHost_.show(ResponseContextNow());
}

// Building the axes costs little, and only while the window is open.
void CMainDlg::FollowInResponseWindow() {
  if (!responseHost_.follow || !shownRun_ || model.agentCount <= 0) return;
  if (responseHost_.isOpen && !responseHost_.isOpen()) return;
  responseHost_.follow(ResponseContextNow());
}

}  // namespace ui
