// The analysis windows' view of this dialog: what they are shown when opened,
// told after every run while open, and the controls they may move.
#include <algorithm>
#include <vector>

#include "model/attribute.h"
#include "platform/scroll_code.h"
#include "ui/graph_view.h"
#include "ui/main_dialog.h"
#include "ui/radio_work.h"
#include "ui/response_axes.h"
#include "ui/slider_table.h"

namespace ui {
namespace {

const SliderSpec* TrackbarOfParameter(std::size_t parameter) {
  const run::FedBy fedBy = run::ParameterTable()[parameter].fedBy;
  if (fedBy.feeder != run::Feeder::kTrackbar && fedBy.feeder != run::Feeder::kTrackbarShare) {
    return nullptr;
  }
  return &kSliderTable[static_cast<std::size_t>(fedBy.index)];
}

bool IsLinkedSigma(int trackbarId) {
  return std::ranges::any_of(kSliderTable, [trackbarId](const SliderSpec& row) {
    return row.linkedSigmaId == trackbarId;
  });
}

// The radio button that gives the kind at position of a distribution's axis.
int RadioOfAxis(std::size_t parameter, std::size_t position) {
  const run::FedBy fedBy = run::ParameterTable()[parameter].fedBy;
  if (fedBy.feeder != run::Feeder::kRadioGroup) return kNoControl;
  return RadioOfKind(static_cast<model::Attribute>(fedBy.index), static_cast<int>(position));
}

}  // namespace

void CMainDlg::SetAnalysisHost(AnalysisWindow window, AnalysisHost host) {
  analysisLinks_.SetHost(window, std::move(host));
}

bool CMainDlg::HasAnalysisHost(AnalysisWindow window) const {
  return analysisLinks_.HasHost(window);
}

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

void CMainDlg::OpenAnalysis(AnalysisWindow window) {
  if (shownRun_) analysisLinks_.Show(window, ResponseContextNow());
}

// Building the axes costs little, and only while a window is open.
void CMainDlg::FollowInAnalysisWindows() {
  if (!shownRun_ || model.agentCount <= 0) return;
  analysisLinks_.Follow([this] { return ResponseContextNow(); });
}

void CMainDlg::MoveAxes(std::span<const AxisMove> moves) {
  std::vector<AxisMove> ordered(moves.begin(), moves.end());
  const std::vector<batch::ResponseAxis> axes = ResponseContextNow().axes;
  std::erase_if(ordered, [&](const AxisMove& move) {
    return move.axis >= axes.size() || move.position >= axes[move.axis].values.size();
  });
  std::ranges::stable_partition(ordered, [&](const AxisMove& move) {
    const SliderSpec* row = TrackbarOfParameter(axes[move.axis].parameter);
    return row == nullptr || !IsLinkedSigma(row->trackbarId);
  });
  for (const AxisMove& move : ordered) {
    const std::size_t parameter = axes[move.axis].parameter;
    if (const SliderSpec* row = TrackbarOfParameter(parameter)) {
      const int position = row->rangeMin + static_cast<int>(move.position);
      SetTrackbarPos(row->trackbarId, position, true);
      OnHScroll(platform::kTbThumbPosition, position, row->trackbarId);
    } else if (const int radio = RadioOfAxis(parameter, move.position); radio != kNoControl) {
      ClickControl(radio);
    }
  }
}

}  // namespace ui
