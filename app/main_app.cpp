#include "app/main_app.h"

#include "app/analysis_windows.h"
#include "platform/dialog_window.h"
#include "platform/no_stored_settings.h"
#include "ui/main_dialog.h"

namespace app {
namespace {

constexpr const char* kApplicationName = "Corvellan";
// Matches the installed desktop entry, so desktops show the installed icon.
constexpr const char* kDesktopFileName = "corvellan";

}  // namespace

CMainApp::CMainApp(int& argc, char** argv) : application_(argc, argv) {
  platform::StoreNoSettings();
  QApplication::setApplicationName(kApplicationName);
  QGuiApplication::setDesktopFileName(kDesktopFileName);
}

bool CMainApp::InitInstance() {
  ui::CMainDlg dialog;
  const AnalysisWindows windows(dialog);
  dialog.DoModal();
  return false;
}

}  // namespace app
