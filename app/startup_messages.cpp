#include "app/startup_messages.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace app {
namespace {

constexpr int kExitNoWindow = 1;

// The context's strings are literals of the code that logged, alive for the
// whole program.
struct HeldMessage {
  QtMsgType type;
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString text;
};

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

bool IsEmpty(const char* variable) {
  return variable == nullptr || *variable == '\0';
}

void OnStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    Held().push_back({type, context.file, context.line, context.function, context.category, text});
    return;
  }
  std::vector<QString> texts;
  for (const HeldMessage& message : Held()) texts.push_back(message.text);
  texts.push_back(text);
  const QString line =
      CannotOpenWindowLine(texts, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
  std::_Exit(kExitNoWindow);
}

}  // namespace

StartupMessages::StartupMessages() : previous_(qInstallMessageHandler(OnStartupMessage)) {}

StartupMessages::~StartupMessages() {
  Release();
}

void StartupMessages::Release() {
  if (released_) return;
  released_ = true;
  qInstallMessageHandler(previous_);
  for (const HeldMessage& message : std::exchange(Held(), {})) {
    const QMessageLogContext context(message.file, message.line, message.function,
                                     message.category);
    qt_message_output(message.type, context, message.text);
  }
}

QString CannotOpenWindowLine(const std::vector<QString>& heldMessages, const char* displayVariable,
                             const char* waylandVariable) {
  QString reason;
  if (IsEmpty(displayVariable) && IsEmpty(waylandVariable)) {
    reason = "no display (DISPLAY is not set)";
  } else {
    // Qt's first message names the cause ("could not connect to display :1").
    reason =
        heldMessages.empty() ? QString("no display") : heldMessages.front().section('\n', 0, 0);
  }
  return "corvellan: cannot open the window: " + reason +
         "; for runs without a window, see corvellan-run --help";
}

}  // namespace app
