#pragma once

#include <QPixmap>
#include <QString>

namespace platform {

// Images are Qt resources named by their resource id: ":/corvellan/icon-<id>.png"
// and ":/corvellan/bitmap-<id>.png". An icon may also come drawn for one size,
// ":/corvellan/icon-<id>-<size>.png", where scaling would blur it.
QString IconResourcePath(int iconId);
QString SizedIconResourcePath(int iconId, int size);
QString BitmapResourcePath(int bitmapId);

// The icon at size x size pixels: its picture for that size if there is one,
// else its picture scaled. A null pixmap when the resource is missing.
QPixmap LoadIcon(int iconId, int size);
QPixmap LoadBitmap(int bitmapId);

}  // namespace platform
