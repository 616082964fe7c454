#include "paint_image.h"

#include <QPainter>

#include "drawing/dialog_font.h"
#include "drawing/qt_paint_context.h"

namespace platform_test {

QImage PaintPicture(const std::function<void(platform::PaintContext&)>& draw) {
  QImage image(kPictureSide, kPictureSide, QImage::Format_RGB32);
  image.fill(kMarker);
  QPainter painter(&image);
  {
    platform::QtPaintContext context(painter, platform::DialogFont("MS Shell Dlg", 8));
    draw(context);
  }
  painter.end();
  return image;
}

int PaintedPixelCount(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += image.pixelColor(x, y) != kMarker ? 1 : 0;
    }
  }
  return count;
}

}  // namespace platform_test
