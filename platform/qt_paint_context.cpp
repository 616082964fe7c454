#include "platform/qt_paint_context.h"

#include <QPainter>
#include <optional>
#include <utility>

#include "platform/dialog_font.h"
#include "platform/direct_pixels.h"
#include "platform/line_rects.h"
#include "platform/picture_fonts.h"
#include "platform/qt_strings.h"
#include "platform/resource_images.h"
#include "platform/system_colours.h"
#include "platform/text_placement.h"

namespace platform {
namespace {

// Text and the gaps of dotted lines are drawn opaque, on white.
const QColor kBackgroundColour(Qt::white);

constexpr int kThinPenWidth = 1;
// Only opaque pens can be written straight into the pixels.
constexpr int kOpaqueAlpha = 255;
QFont Unsmoothed(QFont font) {
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

}  // namespace

QtPaintContext::QtPaintContext(QPainter& painter, const QFont& initialFont, PaintTarget target,
                               std::size_t objectQuota)
    : painter_(painter), target_(target), objects_(objectQuota) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
  objects_.Select(
      objects_.Add(Pen{PenStyle::kSolid, kThinPenWidth, QColor(Qt::black), std::nullopt}, true));
  objects_.Select(objects_.Add(Unsmoothed(ForTarget(initialFont)), true));
}

DrawingObject QtPaintContext::CreatePen(PenStyle style, int width, Colour colour) {
  return objects_.Add(Pen{style, std::max(width, kThinPenWidth), ColourValue(colour), std::nullopt},
                      false);
}

DrawingObject QtPaintContext::CreateDashedPen(const DashPattern& pattern, Rgb colour) {
  return objects_.Add(Pen{PenStyle::kDash, kThinPenWidth, ColourValue(colour), pattern}, false);
}

DrawingObject QtPaintContext::CreateFont(std::string_view face, int cellHeight, int weight) {
  QFont font = FontForCellHeight(face, cellHeight, SelectedFont().pixelSize());
  font.setWeight(MappedWeight(weight));
  return objects_.Add(Unsmoothed(ForTarget(font)), false);
}

DrawingObject QtPaintContext::SelectObject(DrawingObject object) {
  return objects_.Select(object);
}

void QtPaintContext::DeleteObject(DrawingObject object) {
  objects_.Delete(object);
}

void QtPaintContext::SetTextAlign(unsigned flags) {
  textAlign_ = flags;
}

void QtPaintContext::SetTextColour(Rgb colour) {
  textColour_ = ColourValue(colour);
}

TextSize QtPaintContext::MeasureText(std::string_view text) {
  const TextPlacement placed = PlaceText(SelectedFont(), textAlign_, 0, 0, ToQString(text));
  return {placed.width, placed.height};
}

void QtPaintContext::TextOut(int x, int y, std::string_view text) {
  const QFont font = SelectedFont();
  const QString shown = ToQString(text);
  const TextPlacement placed = PlaceText(font, textAlign_, x, y, shown);
  painter_.fillRect(QRect(placed.left, placed.top, placed.width, placed.height), kBackgroundColour);
  painter_.setFont(font);
  painter_.setPen(textColour_);
  painter_.drawText(placed.left, placed.baseline, shown);
}

void QtPaintContext::MoveTo(int x, int y) {
  position_ = {x, y};
  dashIndex_ = 0;
}

void QtPaintContext::LineTo(int x, int y) {
  const Pen& pen = SelectedPen();
  const PixelPoint to{x, y};
  if (pen.dashes) {
    DrawDashedLine(to, pen);
    position_ = to;
    return;
  }
  const std::optional<DirectPixels> pixels =
      pen.colour.alpha() == kOpaqueAlpha ? DirectPixels::Of(painter_) : std::nullopt;
  if (pixels) {
    WriteLine(*pixels, to, pen);
  } else {
    DrawLine(to, pen);
  }
  position_ = to;
}

// A dotted or dashed pen wider than one pixel draws solid.
bool QtPaintContext::IsDotted(const Pen& pen) {
  return pen.style != PenStyle::kSolid && pen.width == kThinPenWidth;
}

bool QtPaintContext::PaintsGaps(const Pen& pen) {
  return pen.style == PenStyle::kDot;
}

void QtPaintContext::WriteLine(const DirectPixels& pixels, PixelPoint to, const Pen& pen) {
  const QRgb dotColour = pen.colour.rgba();
  const QRgb gapColour = kBackgroundColour.rgba();
  const bool paintsGaps = PaintsGaps(pen);
  ForEachLineRect(position_, to, pen.width, IsDotted(pen),
                  [&pixels, dotColour, gapColour, paintsGaps](const QRect& rect, bool dot) {
                    if (dot || paintsGaps) pixels.Fill(rect, dot ? dotColour : gapColour);
                  });
}

// A line's dots and gaps do not overlap, so they can go in two batches.
void QtPaintContext::DrawLine(PixelPoint to, const Pen& pen) {
  dotRects_.clear();
  gapRects_.clear();
  ForEachLineRect(position_, to, pen.width, IsDotted(pen), [this](const QRect& rect, bool dot) {
    (dot ? dotRects_ : gapRects_).push_back(rect);
  });
  FillRects(dotRects_, pen.colour);
  if (PaintsGaps(pen)) FillRects(gapRects_, kBackgroundColour);
}

// One pixel at a time: the pattern runs on across lines, so no line's dashes
// line up with its runs.
void QtPaintContext::DrawDashedLine(PixelPoint to, const Pen& pen) {
  dotRects_.clear();
  for (const PixelPoint pixel : LinePixels(position_, to)) {
    if (IsDashPixel(*pen.dashes, dashIndex_++)) dotRects_.emplace_back(pixel.x, pixel.y, 1, 1);
  }
  FillRects(dotRects_, pen.colour);
}

void QtPaintContext::FillPolygon(std::span<const PolygonPoint> points, Rgb colour,
                                 std::uint8_t opacity) {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const PolygonPoint& point : points) polygon.append(QPoint(point.x, point.y));
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(QColor(colour.red, colour.green, colour.blue, opacity));
  painter_.drawPolygon(polygon);
  painter_.restore();
}

void QtPaintContext::FillRects(const std::vector<QRect>& rects, const QColor& colour) {
  if (rects.empty()) {
    return;
  }
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(colour);
  painter_.drawRects(rects.data(), static_cast<int>(rects.size()));
}

void QtPaintContext::DrawIcon(int x, int y, int iconId) {
  // On a fine device (a window at scale 2, a 2x picture) the icon's own
  // pixels for that scale, not its 32 pixels enlarged.
  const int scale = painter_.device() != nullptr && painter_.device()->devicePixelRatioF() > 1.0
                        ? kDoubleScale
                        : 1;
  const QPixmap icon = LoadIcon(iconId, kIconSize, scale);
  if (!icon.isNull()) {
    painter_.drawPixmap(QRect(x, y, kIconSize, kIconSize), icon);
  }
}

QFont QtPaintContext::SelectedFont() const {
  return objects_.SelectedFont();
}

QFont QtPaintContext::ForTarget(QFont font) const {
  return target_ == PaintTarget::kPicture ? ForPictures(std::move(font)) : font;
}

std::size_t QtPaintContext::LiveObjectCount() const {
  return objects_.LiveCount();
}

}  // namespace platform
