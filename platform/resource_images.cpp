#include "platform/resource_images.h"

namespace platform {

QString IconResourcePath(int iconId) {
  return QStringLiteral(":/corvellan/icon-%1.png").arg(iconId);
}

QString SizedIconResourcePath(int iconId, int size) {
  return QStringLiteral(":/corvellan/icon-%1-%2.png").arg(iconId).arg(size);
}

QString BitmapResourcePath(int bitmapId) {
  return QStringLiteral(":/corvellan/bitmap-%1.png").arg(bitmapId);
}

QPixmap LoadIcon(int iconId, int size) {
  const QPixmap sized(SizedIconResourcePath(iconId, size));
  const QPixmap icon = sized.isNull() ? QPixmap(IconResourcePath(iconId)) : sized;
  if (icon.isNull() || icon.size() == QSize(size, size)) {
    return icon;
  }
  return icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QPixmap LoadBitmap(int bitmapId) {
  return QPixmap(BitmapResourcePath(bitmapId));
}

}  // namespace platform
