#include "platform/svg_paint_context.h"

#include <QBuffer>
#include <QByteArray>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/dialog_font.h"
#include "platform/dot_pattern.h"
#include "platform/picture_fonts.h"
#include "platform/qt_strings.h"
#include "platform/resource_images.h"
#include "platform/svg_markup.h"
#include "platform/system_colours.h"
#include "platform/text_placement.h"

namespace platform {
namespace {

constexpr int kThinPenWidth = 1;
constexpr Rgb kBlack{0, 0, 0};
// Text stands on an opaque white cell, as in the window.
constexpr Rgb kTextCellColour{255, 255, 255};
// Like a device context's handle table, a context holds only so many objects.
// A one-pixel stroke through whole coordinates would straddle two pixels.
constexpr double kHalfPixel = 0.5;
constexpr std::string_view kGenericFamily = "sans-serif";

Rgb ToRgb(const Colour& colour) {
  const QColor value = ColourValue(colour);
  return {static_cast<std::uint8_t>(value.red()), static_cast<std::uint8_t>(value.green()),
          static_cast<std::uint8_t>(value.blue())};
}

std::string Point(double x, double y) {
  return SvgNumber(x) + "," + SvgNumber(y);
}

std::string Attribute(std::string_view name, std::string_view value) {
  std::string attribute(" ");
  attribute.append(name).append("=\"").append(XmlEscaped(value)).append("\"");
  return attribute;
}

// The used lengths of a pattern; along the path, as the window counts them
// along the major axis of each line.
std::string DashArray(const DashPattern& pattern) {
  std::string lengths;
  for (const std::uint8_t length : pattern.lengths) {
    if (length == 0) break;
    if (!lengths.empty()) lengths += ' ';
    lengths += std::to_string(length);
  }
  return lengths;
}

std::string Stroke(int width, Rgb colour) {
  std::string stroke = Attribute("stroke", SvgColour(colour));
  if (width != kThinPenWidth) {
    stroke += Attribute("stroke-width", std::to_string(width));
  }
  return stroke;
}

// "Liberation Sans", then the face the paint asked for if it is another, then
// any sans-serif face.
std::string FontFamily(const QFont& font, std::string_view requestedFace) {
  const std::string mapped = ToStdString(font.family());
  std::string family = "'" + mapped + "'";
  if (!requestedFace.empty() && requestedFace != mapped) {
    family += ", '" + std::string(requestedFace) + "'";
  }
  return family + ", " + std::string(kGenericFamily);
}

std::string TextAnchor(unsigned align) {
  switch (align & kTextAlignCenter) {
    case kTextAlignCenter:
      return "middle";
    case kTextAlignLeft:
      return "start";
    default:
      return "end";
  }
}

// Where the anchor of the text lies in its cell for that alignment.
double AnchorX(unsigned align, const TextPlacement& placed) {
  switch (align & kTextAlignCenter) {
    case kTextAlignCenter:
      return placed.left + placed.width * kHalfPixel;
    case kTextAlignLeft:
      return placed.left;
    default:
      return placed.left + placed.width;
  }
}

std::string PngDataUrl(const QPixmap& pixmap) {
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !pixmap.save(&buffer, "PNG")) {
    return {};
  }
  return "data:image/png;base64," + png.toBase64().toStdString();
}

}  // namespace

SvgPaintContext::SvgPaintContext(const QFont& initialFont) {
  objects_.Select(objects_.Add(Pen{PenStyle::kSolid, kThinPenWidth, kBlack, std::nullopt}, true));
  objects_.Select(objects_.Add(Font{ForPictures(initialFont), {}}, true));
}

DrawingObject SvgPaintContext::CreatePen(PenStyle style, int width, Colour colour) {
  return objects_.Add(Pen{style, std::max(width, kThinPenWidth), ToRgb(colour), std::nullopt},
                      false);
}

DrawingObject SvgPaintContext::CreateDashedPen(const DashPattern& pattern, Rgb colour) {
  return objects_.Add(Pen{PenStyle::kDash, kThinPenWidth, colour, pattern}, false);
}

DrawingObject SvgPaintContext::CreateFont(std::string_view face, int cellHeight, int weight) {
  QFont font = FontForCellHeight(face, cellHeight, SelectedFont().font.pixelSize());
  font.setWeight(MappedWeight(weight));
  // Measured as the picture's PNG measures it, whatever the screen.
  return objects_.Add(Font{ForPictures(font), std::string(face)}, false);
}

DrawingObject SvgPaintContext::SelectObject(DrawingObject object) {
  return objects_.Select(object);
}

void SvgPaintContext::DeleteObject(DrawingObject object) {
  objects_.Delete(object);
}

void SvgPaintContext::SetTextAlign(unsigned flags) {
  textAlign_ = flags;
}

void SvgPaintContext::SetTextColour(Rgb colour) {
  textColour_ = colour;
}

TextSize SvgPaintContext::MeasureText(std::string_view text) {
  const TextPlacement placed = PlaceText(SelectedFont().font, textAlign_, 0, 0, ToQString(text));
  return {placed.width, placed.height};
}

// The cell and the baseline come from the window's own text placement; the
// anchor keeps the text centred (or flush) there if a viewer's font is a
// little wider or narrower.
void SvgPaintContext::TextOut(int x, int y, std::string_view text) {
  FlushPolyline();
  CloseLineGroup();
  const Font& font = SelectedFont();
  const TextPlacement placed = PlaceText(font.font, textAlign_, x, y, ToQString(text));
  elements_ += "<rect" + Attribute("x", std::to_string(placed.left)) +
               Attribute("y", std::to_string(placed.top)) +
               Attribute("width", std::to_string(placed.width)) +
               Attribute("height", std::to_string(placed.height)) +
               Attribute("fill", SvgColour(kTextCellColour)) + "/>\n";
  std::string attributes = Attribute("x", SvgNumber(AnchorX(textAlign_, placed))) +
                           Attribute("y", std::to_string(placed.baseline)) +
                           Attribute("font-family", FontFamily(font.font, font.requestedFace)) +
                           Attribute("font-size", std::to_string(font.font.pixelSize()));
  if (font.font.weight() > QFont::Normal) {
    attributes += Attribute("font-weight", "bold");
  }
  attributes += Attribute("text-anchor", TextAnchor(textAlign_));
  if (textColour_ != kBlack) {
    attributes += Attribute("fill", SvgColour(textColour_));
  }
  // Leading and trailing blanks count in the text's width in the window.
  elements_ += "<text" + attributes + " xml:space=\"preserve\">" + XmlEscaped(text) + "</text>\n";
}

void SvgPaintContext::MoveTo(int x, int y) {
  position_ = {x, y};
}

// A dotted pen wider than one pixel draws solid, as in the window.
void SvgPaintContext::LineTo(int x, int y) {
  const Pen& pen = SelectedPen();
  const PixelPoint to{x, y};
  if (pen.style != PenStyle::kSolid && pen.width == kThinPenWidth && !pen.dashes) {
    FlushPolyline();
    WriteDashedLine(position_, to, pen);
  } else {
    const bool joins = !polyline_.empty() && polyline_.back() == position_ && polylinePen_ == pen;
    if (!joins) {
      FlushPolyline();
      polyline_.push_back(position_);
      polylinePen_ = pen;
    }
    polyline_.push_back(to);
  }
  position_ = to;
}

void SvgPaintContext::FillPolygon(std::span<const PolygonPoint> points, Rgb colour,
                                  std::uint8_t opacity) {
  constexpr double kFullOpacity = 255.0;
  FlushPolyline();
  if (points.empty()) {
    return;
  }
  OpenLineGroup();
  std::string list;
  for (const PolygonPoint& p : points) {
    if (!list.empty()) {
      list += ' ';
    }
    list += Point(p.x, p.y);
  }
  elements_ += "<polygon" + Attribute("points", list) + Attribute("fill", SvgColour(colour)) +
               Attribute("fill-opacity", SvgNumber(opacity / kFullOpacity)) +
               Attribute("stroke", "none") + "/>\n";
}

void SvgPaintContext::DrawIcon(int x, int y, int iconId) {
  FlushPolyline();
  CloseLineGroup();
  const std::string url = PngDataUrl(LoadIcon(iconId, kIconSize));
  if (url.empty()) {
    return;
  }
  elements_ += "<image" + Attribute("x", std::to_string(x)) + Attribute("y", std::to_string(y)) +
               Attribute("width", std::to_string(kIconSize)) +
               Attribute("height", std::to_string(kIconSize)) + Attribute("xlink:href", url) +
               "/>\n";
}

std::string SvgPaintContext::Elements() {
  FlushPolyline();
  CloseLineGroup();
  return elements_;
}

// Lines that do not move draw nothing in the window, so they are dropped.
void SvgPaintContext::FlushPolyline() {
  std::vector<PixelPoint> points = std::exchange(polyline_, {});
  const bool moves = std::any_of(points.begin(), points.end(),
                                 [&points](const PixelPoint& p) { return p != points.front(); });
  if (!moves) {
    return;
  }
  OpenLineGroup();
  std::string list;
  for (const PixelPoint& p : points) {
    if (!list.empty()) {
      list += ' ';
    }
    list += Point(p.x, p.y);
  }
  elements_ += "<polyline" + Attribute("points", list) +
               Stroke(polylinePen_.width, polylinePen_.colour) +
               (polylinePen_.dashes ? Attribute("stroke-dasharray", DashArray(*polylinePen_.dashes))
                                    : std::string()) +
               "/>\n";
}

// The window counts dots and gaps in pixels along the major axis from the
// line's first pixel and leaves out the end point; so the dashed line runs
// from half a pixel before `from` to half a pixel before `to`, and each dash
// and gap is as long as three of its pixels are along the slant.
void SvgPaintContext::WriteDashedLine(PixelPoint from, PixelPoint to, const Pen& pen) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const int major = std::max(std::abs(dx), std::abs(dy));
  if (major == 0) {
    return;
  }
  OpenLineGroup();
  const double backX = kHalfPixel * dx / major;
  const double backY = kHalfPixel * dy / major;
  const double pixelLength = std::hypot(dx, dy) / major;
  elements_ +=
      "<line" + Attribute("x1", SvgNumber(from.x - backX)) +
      Attribute("y1", SvgNumber(from.y - backY)) + Attribute("x2", SvgNumber(to.x - backX)) +
      Attribute("y2", SvgNumber(to.y - backY)) + Stroke(pen.width, pen.colour) +
      Attribute("stroke-dasharray",
                SvgNumber(kDotLength * pixelLength) + " " + SvgNumber(kGapLength * pixelLength)) +
      "/>\n";
}

void SvgPaintContext::OpenLineGroup() {
  if (lineGroupOpen_) {
    return;
  }
  elements_ += "<g fill=\"none\" stroke-linecap=\"butt\" stroke-linejoin=\"miter\"" +
               Attribute("transform",
                         "translate(" + SvgNumber(kHalfPixel) + " " + SvgNumber(kHalfPixel) + ")") +
               ">\n";
  lineGroupOpen_ = true;
}

void SvgPaintContext::CloseLineGroup() {
  if (lineGroupOpen_) {
    elements_ += "</g>\n";
    lineGroupOpen_ = false;
  }
}

}  // namespace platform
