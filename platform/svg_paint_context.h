#pragma once

#include <QFont>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/line_raster.h"
#include "platform/object_table.h"
#include "platform/paint_context.h"

namespace platform {

// A paint context that writes SVG elements instead of pixels, for pictures
// that are scaled, printed and edited. Coordinates are the window's pixels.
// Consecutive lines with one solid or dashed pen become one polyline through the
// vertices the window's lines join; a dotted pen's line becomes a dashed line
// over exactly the pixels the window's dots would cover; text stays text at
// the place and in the font the window draws it; icons are embedded images.
// Line art sits half a pixel off the grid, so a one-pixel stroke through whole
// vertices covers the pixels the window fills. Dotted gaps are left open (the
// window paints them white).
class SvgPaintContext final : public PaintContext {
 public:
  // The context starts with a black solid 1-pixel pen and initialFont.
  explicit SvgPaintContext(const QFont& initialFont);
  SvgPaintContext(const SvgPaintContext&) = delete;
  SvgPaintContext& operator=(const SvgPaintContext&) = delete;

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

  // The elements painted so far, in paint order, one per line.
  std::string Elements();

 private:
  struct Pen {
    PenStyle style;
    int width;
    Rgb colour;
    std::optional<DashPattern> dashes;  // a dashed pen's own pattern
    friend bool operator==(const Pen&, const Pen&) = default;
  };
  struct Font {
    QFont font;
    std::string requestedFace;  // named as a fallback where the mapped face is missing
  };

  const Pen& SelectedPen() const { return objects_.SelectedPen(); }
  const Font& SelectedFont() const { return objects_.SelectedFont(); }
  // The open polyline goes out as an element; consecutive lines join it until then.
  void FlushPolyline();
  void WriteDashedLine(PixelPoint from, PixelPoint to, const Pen& pen);
  // Line art shares one shifted group; text and images stay on the pixel grid.
  void OpenLineGroup();
  void CloseLineGroup();

  ObjectTable<Pen, Font> objects_;
  unsigned textAlign_ = kTextAlignLeft | kTextAlignTop;
  PixelPoint position_{0, 0};
  Rgb textColour_{0, 0, 0};
  std::vector<PixelPoint> polyline_;
  Pen polylinePen_{};
  bool lineGroupOpen_ = false;
  std::string elements_;
};

}  // namespace platform
