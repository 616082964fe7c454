#include "drawing/direct_pixels.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {
namespace {

bool HasOpaque32BitPixels(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      return true;
    default:
      return false;
  }
}

// Empty (right of left or below bottom) when they do not overlap.
QRect Overlap(const QRect& first, const QRect& second) {
  return {
      QPoint(std::max(first.left(), second.left()), std::max(first.top(), second.top())),
      QPoint(std::min(first.right(), second.right()), std::min(first.bottom(), second.bottom()))};
}

bool IsWholePixel(qreal value) {
  return value == std::floor(value);
}

// The translation from the painter's coordinates to the image's, when that is all there is.
std::optional<QPoint> WholePixelOffset(const QTransform& transform) {
  if (transform.type() > QTransform::TxTranslate || !IsWholePixel(transform.dx()) ||
      !IsWholePixel(transform.dy())) {
    return std::nullopt;
  }
  return QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
}

bool DrawsPlainly(const QPainter& painter) {
  return !painter.hasClipping() && painter.opacity() == 1.0 &&
         painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

QImage* RasterImage(const QPainter& painter) {
  QPaintEngine* engine = painter.paintEngine();
  if (engine == nullptr || engine->type() != QPaintEngine::Raster) {
    return nullptr;
  }
  QPaintDevice* device = engine->paintDevice();
  if (device == nullptr || device->devType() != QInternal::Image) {
    return nullptr;
  }
  auto* image = static_cast<QImage*>(device);
  return HasOpaque32BitPixels(*image) ? image : nullptr;
}

}  // namespace

std::optional<DirectPixels> DirectPixels::Of(const QPainter& painter) {
  if (!painter.isActive() || !DrawsPlainly(painter)) {
    return std::nullopt;
  }
  QImage* image = RasterImage(painter);
  const std::optional<QPoint> offset = WholePixelOffset(painter.deviceTransform());
  if (image == nullptr || !offset) {
    return std::nullopt;
  }
  return DirectPixels(*image, *offset, painter.paintEngine()->systemClip());
}

// Written through the constant bits so that the image is never detached from
// the memory the painter draws into.
DirectPixels::DirectPixels(QImage& image, QPoint offset, QRegion systemClip)
    : bits_(const_cast<uchar*>(image.constBits())),
      bytesPerLine_(image.bytesPerLine()),
      offset_(offset),
      systemClip_(std::move(systemClip)),
      clipParts_(systemClip_.begin(), systemClip_.end()),
      clipBounds_(systemClip_.isEmpty() ? image.rect()
                                        : Overlap(systemClip_.boundingRect(), image.rect())),
      clipIsRect_(systemClip_.rectCount() <= 1) {}

void DirectPixels::Fill(const QRect& rect, QRgb colour) const {
  const QRect deviceRect = Overlap(rect.translated(offset_), clipBounds_);
  if (deviceRect.isEmpty()) {
    return;
  }
  if (clipIsRect_) {
    FillRows(deviceRect, colour);
  } else {
    FillClipped(deviceRect, colour);
  }
}

void DirectPixels::FillClipped(const QRect& deviceRect, QRgb colour) const {
  for (const QRect& part : clipParts_) {
    if (part.top() > deviceRect.bottom()) {
      return;
    }
    const QRect visible = Overlap(part, deviceRect);
    if (!visible.isEmpty()) {
      FillRows(visible, colour);
    }
  }
}

void DirectPixels::FillRows(const QRect& deviceRect, QRgb colour) const {
  for (int y = deviceRect.top(); y <= deviceRect.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_);
    std::fill_n(row + deviceRect.left(), deviceRect.width(), colour);
  }
}

}  // namespace platform
