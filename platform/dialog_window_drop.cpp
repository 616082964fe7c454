// Files dropped on a dialog's window: one local file is handed to the dialog.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <optional>
#include <string>

#include "drawing/qt_strings.h"
#include "platform/dialog_window.h"

namespace platform {
namespace {

std::optional<std::string> OneLocalFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
    return std::nullopt;
  }
  const QUrl url = data->urls().front();
  if (!url.isLocalFile()) {
    return std::nullopt;
  }
  return ToStdString(url.toLocalFile());
}

}  // namespace

void DialogWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (OneLocalFile(event->mimeData())) {
    event->acceptProposedAction();
  }
}

void DialogWindow::dropEvent(QDropEvent* event) {
  if (const std::optional<std::string> path = OneLocalFile(event->mimeData())) {
    event->acceptProposedAction();
    dialog_.OnDropFile(*path);
  }
}

}  // namespace platform
