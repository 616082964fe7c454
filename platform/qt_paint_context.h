#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/line_raster.h"
#include "platform/object_table.h"
#include "platform/paint_context.h"

class QPainter;

namespace platform {

class DirectPixels;

// What a context draws for: a window on the screen, or a picture (a file or
// the clipboard) whose fonts must not depend on the screen.
enum class PaintTarget : std::uint8_t { kWindow, kPicture };

// A paint context drawing through a QPainter the way the dialogs' paint code
// expects a device context to draw: lines pixel by pixel without their end
// points, three-on three-off dotted pens with opaque white gaps, text
// unsmoothed in black on an opaque white cell, fonts chosen by cell height.
class QtPaintContext final : public PaintContext {
 public:
  // The context starts with a black solid 1-pixel pen and initialFont, which
  // count towards objectQuota.
  QtPaintContext(QPainter& painter, const QFont& initialFont,
                 PaintTarget target = PaintTarget::kWindow, std::size_t objectQuota = kObjectQuota);
  QtPaintContext(const QtPaintContext&) = delete;
  QtPaintContext& operator=(const QtPaintContext&) = delete;

  DrawingObject CreatePen(PenStyle style, int width, Colour colour) override;
  DrawingObject CreateDashedPen(const DashPattern& pattern, Rgb colour) override;
  DrawingObject CreateFont(std::string_view face, int cellHeight, int weight) override;
  DrawingObject SelectObject(DrawingObject object) override;
  void DeleteObject(DrawingObject object) override;
  void SetTextAlign(unsigned flags) override;
  void SetTextColour(Rgb colour) override;
  TextSize MeasureText(std::string_view text) override;
  void TextOut(int x, int y, std::string_view text) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void DrawIcon(int x, int y, int iconId) override;
  void FillPolygon(std::span<const PolygonPoint> points, Rgb colour, std::uint8_t opacity) override;

  // The font text is drawn in now, as the painter receives it.
  QFont SelectedFont() const;
  // Pens and fonts made and not yet released.
  std::size_t LiveObjectCount() const;

 private:
  struct Pen {
    PenStyle style;
    int width;
    QColor colour;
    std::optional<DashPattern> dashes;  // a dashed pen's own pattern
  };
  const Pen& SelectedPen() const { return objects_.SelectedPen(); }
  QFont ForTarget(QFont font) const;
  static bool IsDotted(const Pen& pen);
  // A dashed pen leaves its gaps unpainted.
  static bool PaintsGaps(const Pen& pen);
  // The line from the current position: straight into the pixels, or through
  // the painter.
  void WriteLine(const DirectPixels& pixels, PixelPoint to, const Pen& pen);
  void DrawLine(PixelPoint to, const Pen& pen);
  void DrawDashedLine(PixelPoint to, const Pen& pen);
  void FillRects(const std::vector<QRect>& rects, const QColor& colour);

  QPainter& painter_;
  PaintTarget target_;
  ObjectTable<Pen, QFont> objects_;
  unsigned textAlign_ = kTextAlignLeft | kTextAlignTop;
  PixelPoint position_{0, 0};
  QColor textColour_{Qt::black};
  // Pixels of the dash pattern drawn since the last MoveTo.
  int dashIndex_ = 0;
  // Kept from line to line so that drawing a line allocates nothing once they have grown.
  std::vector<QRect> dotRects_;
  std::vector<QRect> gapRects_;
};

}  // namespace platform
