#include "platform/dialog_surface.h"

#include <QWidget>

namespace platform {

QRegion OwnSurface(const QWidget& window) {
  return QRegion(window.rect()).subtracted(window.childrenRegion());
}

}  // namespace platform
