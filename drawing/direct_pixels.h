#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <optional>
#include <span>

class QImage;
class QPainter;

namespace platform {

// The 32-bit image a raster QPainter draws on, for filling rectangles of an
// opaque colour straight into its pixels: one QPainter call per rectangle costs
// far more than the few pixels of a line's stretch. Only offered where the
// result is the painter's own: no transform beyond a whole-pixel translation,
// source-over at full opacity, no clip of the painter's own; the system clip
// (the region of a widget's paint event) is kept to. Valid while the painter's
// state stays as it was.
class DirectPixels {
 public:
  // Empty when the painter has to draw itself.
  static std::optional<DirectPixels> Of(const QPainter& painter);

  // A rectangle in the painter's coordinates with positive width and height;
  // colour with full alpha.
  void Fill(const QRect& rect, QRgb colour) const;

 private:
  DirectPixels(QImage& image, QPoint offset, QRegion systemClip);
  void FillClipped(const QRect& deviceRect, QRgb colour) const;
  void FillRows(const QRect& deviceRect, QRgb colour) const;

  uchar* bits_;
  qsizetype bytesPerLine_;
  QPoint offset_;
  // Empty for none.
  QRegion systemClip_;
  // The system clip's rectangles, sorted by their top edge.
  std::span<const QRect> clipParts_;
  // Where pixels may change at all; all of it when the clip is one rectangle.
  QRect clipBounds_;
  bool clipIsRect_;
};

}  // namespace platform
