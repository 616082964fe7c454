#include "app/main_app.h"

#include "ui/main_dialog.h"

namespace app {
namespace {

constexpr const char* kApplicationName = "Corvellan";
// Matches the installed desktop entry, so desktops show the installed icon.
constexpr const char* kDesktopFileName = "corvellan";

}  // namespace

CMainApp::CMainApp(int& argc, char** argv) : application_(argc, argv) {
  QApplication::setApplicationName(kApplicationName);
  QGuiApplication::setDesktopFileName(kDesktopFileName);
}

bool CMainApp::InitInstance() {
  ui::CMainDlg dialog;
  dialog.DoModal();
  return false;
}

}  // namespace app
