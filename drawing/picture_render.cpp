#include "drawing/picture_render.h"

#include <QPainter>
#include <algorithm>

#include "drawing/picture_fonts.h"
#include "drawing/qt_paint_context.h"

namespace platform {
namespace {

constexpr int kMinimumScale = 1;
// Images say 96 dots per inch (3780 per metre) whatever the screen has.
constexpr int kImageDotsPerMetre = 3780;

QColor ToQColor(Rgb colour) {
  return {colour.red, colour.green, colour.blue};
}

// Background first, then the paint code through a context like a window's.
void PaintPicture(QPainter& painter, const Picture& picture) {
  painter.fillRect(QRect(0, 0, picture.width, picture.height), ToQColor(picture.background));
  QtPaintContext context(painter, PictureInitialFont(), PaintTarget::kPicture);
  if (picture.paint) {
    picture.paint(context);
  }
}

}  // namespace

QImage RenderPictureImage(const Picture& picture, int scale) {
  const int factor = std::max(scale, kMinimumScale);
  QImage image(picture.width * factor, picture.height * factor, QImage::Format_RGB32);
  if (image.isNull()) {
    return image;
  }
  image.setDotsPerMeterX(kImageDotsPerMetre);
  image.setDotsPerMeterY(kImageDotsPerMetre);
  QPainter painter(&image);
  painter.scale(factor, factor);
  PaintPicture(painter, picture);
  return image;
}

}  // namespace platform
