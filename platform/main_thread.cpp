#include "platform/main_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <utility>

namespace platform {

void PostToMainThread(std::function<void()> work) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) {
    return;
  }
  QMetaObject::invokeMethod(application, std::move(work), Qt::QueuedConnection);
}

}  // namespace platform
