#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace app {

// Qt's messages while the application object starts. Without a display Qt
// aborts there, after a page of plugin messages; while this object is alive a
// fatal message ends the program instead with one line saying why and where
// to go without a window, and exit status 1. Other messages are held and
// passed on by Release, once start-up went well.
class StartupMessages {
 public:
  StartupMessages();
  ~StartupMessages();
  StartupMessages(const StartupMessages&) = delete;
  StartupMessages& operator=(const StartupMessages&) = delete;

  // Puts the previous handler back and hands it the held messages.
  void Release();

 private:
  QtMessageHandler previous_;
  bool released_ = false;
};

// The one line printed when the window cannot open: heldMessages are what Qt
// said before giving up, displayVariable the value of DISPLAY (may be null).
QString CannotOpenWindowLine(const std::vector<QString>& heldMessages, const char* displayVariable,
                             const char* waylandVariable);

}  // namespace app
