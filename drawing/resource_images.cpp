#include "drawing/resource_images.h"

#include <QGuiApplication>
#include <algorithm>

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

QString DoubleBitmapResourcePath(int bitmapId) {
  return QStringLiteral(":/corvellan/bitmap-%1@2x.png").arg(bitmapId);
}

QPixmap LoadIcon(int iconId, int size, int scale) {
  const int pixels = size * std::max(scale, 1);
  const QPixmap sized(SizedIconResourcePath(iconId, pixels));
  QPixmap icon = sized.isNull() ? QPixmap(IconResourcePath(iconId)) : sized;
  if (!icon.isNull() && icon.size() != QSize(pixels, pixels)) {
    icon = icon.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  icon.setDevicePixelRatio(std::max(scale, 1));
  return icon;
}

QPixmap LoadBitmap(int bitmapId, int scale) {
  if (scale >= kDoubleScale) {
    QPixmap fine(DoubleBitmapResourcePath(bitmapId));
    if (!fine.isNull()) {
      fine.setDevicePixelRatio(kDoubleScale);
      return fine;
    }
  }
  return QPixmap(BitmapResourcePath(bitmapId));
}

int ScaleForScreens() {
  return qApp != nullptr && qApp->devicePixelRatio() > 1.0 ? kDoubleScale : 1;
}

}  // namespace platform
