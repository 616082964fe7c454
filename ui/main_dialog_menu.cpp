// The context menu of the graph: the run on screen to a CSV file, the graph
// to PNG, SVG or the clipboard, the command that repeats the run to the
// clipboard. Nothing here runs the model or changes a
// control: the menu is not one of the dialog's commands.
#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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

// Every item; the series need a run on screen.
std::vector<platform::MenuItem> MenuItems(bool hasRun) {
  std::vector<platform::MenuItem> items;
  for (const GraphMenuItem& item : kGraphMenu) {
    const bool enabled = hasRun || !item.needsRun;
    items.push_back({item.menuId, item.text, enabled});
  }
  return items;
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
  const std::vector<platform::MenuItem> items = MenuItems(shownRun_.has_value());
  if (const GraphMenuItem* item = FindGraphMenuItem(platform::TrackPopupMenu(*this, items, x, y))) {
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
  if (item.command == GraphCommand::kCopyRerunCommand) {
    platform::CopyTextToClipboard(run::ShortRerunCommand(shownRun_->seed, shownRun_->arguments));
    return;
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
  if (const output::WriteResult written = output::WriteWholeFile(*path, bytes);
      !written.Written()) {
    ReportWriteFailure(*path, written.reason);
  }
}

std::string CMainDlg::GraphFileBytes(const GraphMenuItem& item) const {
  switch (item.command) {
    case GraphCommand::kSaveSeriesCsv:
      return SeriesCsv(*shownRun_, model.Series());
    case GraphCommand::kSaveGraphPng:
      return platform::PictureAsPng(GraphPicture(), item.scale);
    case GraphCommand::kSaveGraphSvg:
      return platform::PictureAsSvg(GraphPicture());
    case GraphCommand::kCopyGraph:
    case GraphCommand::kCopyRerunCommand:
      break;
  }
  return {};
}

}  // namespace ui
