#include "platform/file_dialog.h"

#include <QFileDialog>
#include <QStringList>
#include <utility>

#include "drawing/qt_strings.h"
#include "platform/active_dialogs.h"
#include "platform/dialog.h"
#include "platform/dialog_window.h"

namespace platform {
namespace {

// A file dialog owned by the active dialog; the file chosen, or nullopt.
std::optional<std::string> AskWithQtDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return ToStdString(chosen.front());
}

// Qt's own dialog, never the desktop's: a desktop's file dialog keeps its
// recent files and last folder in the user's files, which would carry state
// from one start to the next; Qt's keeps nothing once settings are stored
// nowhere (platform/no_stored_settings.h).
void UseQtDialog(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
}

QWidget* OwnerWindow() {
  Dialog* owner = ActiveDialog();
  return owner != nullptr ? owner->Window() : nullptr;
}

std::optional<std::string> AskToSave(const SaveFileQuery& query) {
  QFileDialog dialog(OwnerWindow(), ToQString(query.title), ToQString(query.suggestedName),
                     ToQString(query.filter));
  UseQtDialog(dialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(ToQString(query.defaultSuffix));
  return AskWithQtDialog(dialog);
}

std::optional<std::string> AskToOpen(const OpenFileQuery& query) {
  QFileDialog dialog(OwnerWindow(), ToQString(query.title), QString(), ToQString(query.filter));
  UseQtDialog(dialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return AskWithQtDialog(dialog);
}

SaveFileHandler& HandlerSlot() {
  static SaveFileHandler handler;
  return handler;
}

OpenFileHandler& OpenHandlerSlot() {
  static OpenFileHandler handler;
  return handler;
}

}  // namespace

std::optional<std::string> GetSaveFileName(const SaveFileQuery& query) {
  const SaveFileHandler handler = HandlerSlot();
  return handler ? handler(query) : AskToSave(query);
}

SaveFileHandler SetSaveFileHandler(SaveFileHandler handler) {
  return std::exchange(HandlerSlot(), std::move(handler));
}

std::optional<std::string> GetOpenFileName(const OpenFileQuery& query) {
  const OpenFileHandler handler = OpenHandlerSlot();
  return handler ? handler(query) : AskToOpen(query);
}

OpenFileHandler SetOpenFileHandler(OpenFileHandler handler) {
  return std::exchange(OpenHandlerSlot(), std::move(handler));
}

}  // namespace platform
