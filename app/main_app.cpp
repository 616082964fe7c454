#include "app/main_app.h"

#include <QPointer>

#include "platform/dialog_window.h"
#include "platform/no_stored_settings.h"
#include "response/response_window.h"
#include "ui/main_dialog.h"

namespace app {
namespace {

constexpr const char* kApplicationName = "Corvellan";
// Matches the installed desktop entry, so desktops show the installed icon.
constexpr const char* kDesktopFileName = "corvellan";

// An analysis window is a window of the main dialog's own: the modal dialog
// blocks every other window, and its end takes the analysis windows with it.
// The window is made when first shown, with the arguments its constructor
// takes after its parent.
template <typename Window, typename... Extra>
ui::AnalysisHost HostOf(ui::CMainDlg& dialog, QPointer<Window>& window, Extra... extra) {
  return {
      [&dialog, &window, extra...](const batch::ResponseContext& context) {
        if (!window) window = new Window(dialog.Window(), extra...);
        window->ShowFor(context);
      },
      [&window] { return window && window->isVisible(); },
      [&window](const batch::ResponseContext& context) { window->Follow(context); },
  };
}

}  // namespace

CMainApp::CMainApp(int& argc, char** argv) : application_(argc, argv) {
  platform::StoreNoSettings();
  QApplication::setApplicationName(kApplicationName);
  QGuiApplication::setDesktopFileName(kDesktopFileName);
}

bool CMainApp::InitInstance() {
  ui::CMainDlg dialog;
  QPointer<response::ResponseWindow> responseWindow;
  dialog.SetAnalysisHost(ui::AnalysisWindow::kResponse, HostOf(dialog, responseWindow));
  dialog.DoModal();
  return false;
}

}  // namespace app
