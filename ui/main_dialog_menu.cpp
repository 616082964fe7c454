// The context menu of the graph: the run on screen to a CSV file, the graph
// to PNG, SVG or the clipboard, the command that repeats the run to the
// clipboard. Nothing here runs the model or changes a
// control: the menu is not one of the dialog's commands.
#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_output.h"
#include "batch/run_values.h"
#include "output/output_file.h"
#include "platform/clipboard.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/picture_encoding.h"
#include "platform/popup_menu.h"
#include "res/main_dialog_template.h"
#include "run_description/rerun_command.h"
#include "run_description/series_writers.h"
#include "ui/graph_band.h"
#include "ui/graph_menu.h"
#include "ui/graph_menu_state.h"
#include "ui/main_dialog.h"

namespace ui {
namespace {

constexpr int kHalf = 2;
constexpr std::string_view kNotMade = "the image could not be made";

std::string SeriesCsv(const RunOnScreen& run, const model::SeriesPointers& series) {
  std::ostringstream csv;
  run::WriteCsv(csv, {run.seed, run.arguments, series});
  return csv.str();
}
constexpr std::string_view kPictureTitle = "Corvellan graph";

// The run on screen as run 0 and each pin as the run of its number, in the
// rows `corvellan-run` writes for a batch.
std::string PinnedRunsCsv(const RunOnScreen& run, const model::SeriesPointers& series,
                          const PinnedRuns& pins) {
  std::vector<float> values(batch::kValuesPerRun);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    if (series[s] != nullptr) {
      std::copy_n(series[s], model::kStepCount, values.begin() + batch::ValueIndex(s, 0));
    }
  }
  std::string csv;
  batch::AppendRunCsvHeader(csv);
  batch::AppendRunCsv(csv, {0, 0, 0, run.seed}, run.arguments, values);
  for (const PinnedRun& pin : pins.Pins()) {
    const auto number = static_cast<std::uint64_t>(pin.number);
    batch::AppendRunCsv(csv, {number, 0, 0, pin.run.seed}, pin.run.arguments, pin.values);
  }
  return csv;
}

void ReportWriteFailure(const std::string& path, const std::string& reason) {
  platform::ShowMessageBox("Could not save \"" + path + "\": " + reason,
                           platform::MessageIcon::kExclamation);
}

}  // namespace

// A click counts over the band only; the keyboard opens the menu over the
// middle of the graph, wherever the focus is.
void CMainDlg::OnContextMenu(int x, int y, platform::ContextMenuSource source) {
  const platform::ClientRect client = GetClientRect();
  const int bandBottom = std::min(GraphBandBottom(res::kMainDialogTemplate), client.bottom);
  if (source == platform::ContextMenuSource::kKeyboard) {
    x = (client.left + client.right) / kHalf;
    y = (client.top + bandBottom) / kHalf;
  } else if (y < client.top || y >= bandBottom) {
    return;
  }
  std::vector<std::string> pinTexts;
  const std::vector<platform::MenuItem> items =
      MenuItems({shownRun_.has_value(), band_.Shown(), band_.Populations(), keptSeed_.Kept(), pins_,
                 analysisLinks_, shownRun_ ? &*shownRun_ : nullptr},
                pinTexts);
  const int chosen = platform::TrackPopupMenu(*this, items, x, y);
  if (const std::optional<int> pin = RemovedPin(chosen)) {
    RemovePin(*pin);
  } else if (const GraphMenuItem* item = FindGraphMenuItem(chosen)) {
    RunGraphCommand(*item);
  }
}

platform::Picture CMainDlg::GraphPicture() const {
  const platform::ClientRect client = GetClientRect();
  const int bandBottom = std::min(GraphBandBottom(res::kMainDialogTemplate), client.bottom);
  std::string title(kPictureTitle);
  if (shownRun_) {
    title += ", seed " + std::to_string(shownRun_->seed);
  }
  return {client.right - client.left, bandBottom - client.top,
          [this](platform::PaintContext& context) { PaintPlot(context); }, platform::kWhite, title};
}

void CMainDlg::RunGraphCommand(const GraphMenuItem& item) {
  if (item.needsRun && !shownRun_) {
    return;
  }
  if (item.command == GraphCommand::kCopyGraph) {
    platform::CopyPictureToClipboard(GraphPicture());
    return;
  }
  switch (item.command) {
    case GraphCommand::kCopyRerunCommand:
      platform::CopyTextToClipboard(run::ShortRerunCommand(shownRun_->seed, shownRun_->arguments));
      return;
    case GraphCommand::kToggleBand:
      ShowBand(!band_.Shown());
      return;
    case GraphCommand::kBandPopulations:
      SetBandPopulations(item.populations);
      return;
    case GraphCommand::kKeepSeed:
      KeepSeed(!keptSeed_.Kept());
      return;
    case GraphCommand::kPinRun:
      PinThisRun();
      return;
    case GraphCommand::kRemoveAllPins:
      RemoveAllPins();
      return;
    case GraphCommand::kOpenAnalysis:
      OpenAnalysis(item.analysis);
      return;
    case GraphCommand::kOpenSeriesCsv:
      if (const std::optional<std::string> path =
              platform::GetOpenFileName({item.saveTitle, item.fileFilter})) {
        OpenSeriesFile(*path);
      }
      return;
    default:
      break;
  }
  const std::optional<std::int32_t> seed =
      shownRun_ ? std::optional<std::int32_t>(shownRun_->seed) : std::nullopt;
  const std::string suggestedName = SuggestedFileName(item, seed);
  const std::optional<std::string> path =
      platform::GetSaveFileName({item.saveTitle, suggestedName, item.fileFilter, item.suffix});
  if (!path) {
    return;
  }
  const std::string bytes = GraphFileBytes(item);
  if (bytes.empty()) {
    ReportWriteFailure(*path, std::string(kNotMade));
    return;
  }
  // Never a FIFO or a device: the window must not wait for a reader.
  if (const output::WriteResult written =
          output::WriteWholeFile(*path, bytes, output::OutputFile::Existing::kReplace,
                                 output::OutputFile::NotRegular::kRefuse);
      !written.Written()) {
    ReportWriteFailure(*path, written.reason);
  }
}

std::string CMainDlg::GraphFileBytes(const GraphMenuItem& item) const {
  switch (item.command) {
    case GraphCommand::kSaveSeriesCsv:
      return SeriesCsv(*shownRun_, model.Series());
    case GraphCommand::kSavePinsCsv:
      return PinnedRunsCsv(*shownRun_, model.Series(), pins_);
    case GraphCommand::kSaveGraphPng:
      return platform::PictureAsPng(GraphPicture(), item.scale);
    case GraphCommand::kSaveGraphSvg:
      return platform::PictureAsSvg(GraphPicture());
    default:
      break;
  }
  return {};
}

}  // namespace ui
