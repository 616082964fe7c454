#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

namespace response {

// What an analysis window's Save button asks for.
struct SaveRequest {
  QString title;          // of the file dialog
  QString filter;         // file types offered
  QString suggestedName;  // with its suffix
  QString suffix;         // added to a name typed without one
};

// Asks for a file name in Qt's own dialog, as the main window does (a
// desktop's dialog would keep its recent files and last folder in the user's
// files), then saves: save gets the path and returns an empty text or why it
// failed, which a warning titled windowTitle shows.
void AskAndSave(QWidget& window, const QString& windowTitle, const SaveRequest& request,
                const std::function<std::string(const std::string& path)>& save);

}  // namespace response
