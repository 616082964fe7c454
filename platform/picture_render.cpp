#include "platform/picture_render.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>

#include "platform/picture_fonts.h"
#include "platform/qt_paint_context.h"
#include "platform/qt_strings.h"

namespace platform {
namespace {

constexpr int kMinimumScale = 1;
// A CSS pixel: viewers show the document at the size the window showed it.
constexpr int kSvgDotsPerInch = 96;
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

QByteArray RenderPictureSvg(const Picture& picture) {
  QByteArray document;
  QBuffer buffer(&document);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(picture.width, picture.height));
  generator.setViewBox(QRect(0, 0, picture.width, picture.height));
  generator.setResolution(kSvgDotsPerInch);
  generator.setTitle(ToQString(picture.title));
  {
    QPainter painter(&generator);
    PaintPicture(painter, picture);
  }
  return document;
}

}  // namespace platform
