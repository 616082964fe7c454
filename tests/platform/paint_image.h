#pragma once

#include <QColor>
#include <QImage>
#include <functional>

#include "drawing/paint_context.h"

namespace platform_test {

// Background of test pictures: a colour no paint operation produces.
inline const QColor kMarker(0, 0, 128);
inline constexpr int kPictureSide = 64;

// A picture painted by draw through a QtPaintContext over a marker background.
QImage PaintPicture(const std::function<void(platform::PaintContext&)>& draw);

// Pixels that differ from the marker.
int PaintedPixelCount(const QImage& image);

}  // namespace platform_test
