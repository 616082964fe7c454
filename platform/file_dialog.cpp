#include "platform/file_dialog.h"

#include <QFileDialog>
#include <QStringList>
#include <utility>

#include "platform/active_dialogs.h"
#include "platform/dialog.h"
#include "platform/dialog_window.h"
#include "platform/qt_strings.h"

namespace platform {
namespace {

std::optional<std::string> AskWithQtDialog(const SaveFileQuery& query) {
  Dialog* owner = ActiveDialog();
  QFileDialog dialog(owner != nullptr ? owner->Window() : nullptr, ToQString(query.title),
                     ToQString(query.suggestedName), ToQString(query.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(ToQString(query.defaultSuffix));
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return ToStdString(chosen.front());
}

SaveFileHandler& HandlerSlot() {
  static SaveFileHandler handler;
  return handler;
}

std::optional<std::string> AskToOpenWithQtDialog(const OpenFileQuery& query) {
  Dialog* owner = ActiveDialog();
  QFileDialog dialog(owner != nullptr ? owner->Window() : nullptr, ToQString(query.title),
                     QString(), ToQString(query.filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return ToStdString(chosen.front());
}

OpenFileHandler& OpenHandlerSlot() {
  static OpenFileHandler handler;
  return handler;
}

}  // namespace

std::optional<std::string> GetSaveFileName(const SaveFileQuery& query) {
  const SaveFileHandler handler = HandlerSlot();
  return handler ? handler(query) : AskWithQtDialog(query);
}

SaveFileHandler SetSaveFileHandler(SaveFileHandler handler) {
  return std::exchange(HandlerSlot(), std::move(handler));
}

std::optional<std::string> GetOpenFileName(const OpenFileQuery& query) {
  const OpenFileHandler handler = OpenHandlerSlot();
  return handler ? handler(query) : AskToOpenWithQtDialog(query);
}

OpenFileHandler SetOpenFileHandler(OpenFileHandler handler) {
  return std::exchange(OpenHandlerSlot(), std::move(handler));
}

}  // namespace platform
