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

// The response window is a window of the main dialog's own: the modal dialog
// blocks every other window, and its end takes the response window with it.
ui::CMainDlg::ResponseHost ResponseWindowOf(ui::CMainDlg& dialog,
                                            QPointer<response::ResponseWindow>& window) {
  return {
      [&dialog, &window](const batch::ResponseContext& context) {
        if (!window) window = new response::ResponseWindow(dialog.Window());
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
  dialog.SetResponseHost(ResponseWindowOf(dialog, responseWindow));
  dialog.DoModal();
  return false;
}

}  // namespace app
