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

// A bitmap may also come drawn at twice its size, ":/corvellan/bitmap-<id>@2x.png",
// for screens of device pixel ratio 2.
QString DoubleBitmapResourcePath(int bitmapId);

inline constexpr int kDoubleScale = 2;

// The icon at size x size pixels of a screen of device pixel ratio scale
// (size * scale device pixels): its picture for that many pixels if there is
// one, else its largest picture scaled. A null pixmap when the resource is
// missing.
QPixmap LoadIcon(int iconId, int size, int scale = 1);
// The bitmap for a screen of device pixel ratio scale: its picture at twice
// the size where there is one and scale is 2 or more, else its own.
QPixmap LoadBitmap(int bitmapId, int scale = 1);
// 2 when a screen of the session has a device pixel ratio above 1, else 1.
int ScaleForScreens();

}  // namespace platform
