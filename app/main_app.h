#pragma once

#include <QApplication>

namespace app {

// The application: owns the Qt application object and runs the main dialog
// modally; the program ends when the dialog ends.
class CMainApp {
 public:
  CMainApp(int& argc, char** argv);

  // Runs the main dialog to its end. Always false: there is no message loop
  // of the application's own to enter afterwards.
  bool InitInstance();

 private:
  QApplication application_;
};

}  // namespace app
