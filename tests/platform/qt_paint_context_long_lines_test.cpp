#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "drawing/dialog_font.h"
#include "drawing/dot_pattern.h"
#include "drawing/line_raster.h"
#include "drawing/qt_paint_context.h"
#include "paint_image.h"

namespace platform_test {
namespace {

using platform::PaintContext;
using platform::PenStyle;
using platform::PixelPoint;

constexpr int kSide = 240;
constexpr platform::Rgb kPenColour = {200, 100, 200};
const QColor kPenQColour(200, 100, 200);
const QColor kGapColour(Qt::white);

// How the painter stands when the context draws: as it comes, which lets the
// context write the image's pixels itself; with a clip of its own, which
// leaves the drawing to the painter; or translated by whole pixels.
enum class Painter { kPlain, kClipped, kTranslated };
constexpr QPoint kTranslation(7, -5);

using Draw = std::function<void(PaintContext&)>;

QImage Paint(Painter setup, const Draw& draw) {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(kMarker);
  QPainter painter(&image);
  if (setup == Painter::kClipped) {
    painter.setClipRect(image.rect());
  } else if (setup == Painter::kTranslated) {
    painter.translate(kTranslation);
  }
  {
    platform::QtPaintContext context(painter, platform::DialogFont("MS Shell Dlg", 8));
    draw(context);
  }
  painter.end();
  return image;
}

// The line as the walk lists it, pixel by pixel, each pixel a width x width square.
QImage Reference(PixelPoint from, PixelPoint to, PenStyle style, int width, QPoint shift = {}) {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(kMarker);
  const bool dotted = style == PenStyle::kDot && width == 1;
  const std::vector<PixelPoint> pixels = platform::LinePixels(from, to);
  for (std::size_t index = 0; index < pixels.size(); ++index) {
    const bool dot = !dotted || platform::IsDotPixel(static_cast<int>(index));
    const QRect square(pixels[index].x - width / 2 + shift.x(),
                       pixels[index].y - width / 2 + shift.y(), width, width);
    for (int y = square.top(); y <= square.bottom(); ++y) {
      for (int x = square.left(); x <= square.right(); ++x) {
        if (image.rect().contains(x, y)) {
          image.setPixelColor(x, y, dot ? kPenQColour : kGapColour);
        }
      }
    }
  }
  return image;
}

Draw LineWith(PixelPoint from, PixelPoint to, PenStyle style, int width) {
  return [from, to, style, width](PaintContext& context) {
    context.SelectObject(context.CreatePen(style, width, kPenColour));
    context.MoveTo(from.x, from.y);
    context.LineTo(to.x, to.y);
  };
}

struct LongLine {
  std::string name;
  PixelPoint from;
  PixelPoint to;
};

const std::vector<LongLine> kLongLines = {
    {"East", {10, 120}, {230, 120}},       {"Octant1", {10, 100}, {230, 173}},
    {"Octant2", {100, 10}, {173, 230}},    {"South", {120, 10}, {120, 230}},
    {"Octant3", {140, 10}, {67, 230}},     {"Octant4", {230, 100}, {10, 173}},
    {"West", {230, 120}, {10, 120}},       {"Octant5", {230, 173}, {10, 100}},
    {"Octant6", {173, 230}, {100, 10}},    {"North", {120, 230}, {120, 10}},
    {"Octant7", {67, 230}, {140, 10}},     {"Octant8", {10, 173}, {230, 100}},
    {"Diagonal", {10, 10}, {230, 230}},    {"SteepSeriesStep", {14, 228}, {22, 12}},
    {"OffTheImage", {-50, 30}, {300, 90}},
};

struct LongLineCase {
  LongLine line;
  PenStyle style;
  int width;
};

std::string CaseName(const testing::TestParamInfo<LongLineCase>& row) {
  const std::string pen = row.param.style == PenStyle::kDot ? "Dotted" : "Solid";
  return row.param.line.name + pen + std::to_string(row.param.width);
}

std::vector<LongLineCase> AllCases() {
  std::vector<LongLineCase> cases;
  for (const LongLine& line : kLongLines) {
    cases.push_back({line, PenStyle::kSolid, 1});
    cases.push_back({line, PenStyle::kDot, 1});
    cases.push_back({line, PenStyle::kSolid, 3});
  }
  return cases;
}

class LongLines : public testing::TestWithParam<LongLineCase> {
 protected:
  Draw Line() const {
    return LineWith(GetParam().line.from, GetParam().line.to, GetParam().style, GetParam().width);
  }
  QImage Expected(QPoint shift = {}) const {
    return Reference(GetParam().line.from, GetParam().line.to, GetParam().style, GetParam().width,
                     shift);
  }
};

TEST_P(LongLines, WrittenStraightIntoTheImageArePixelIdenticalToTheWalk) {
  EXPECT_EQ(Paint(Painter::kPlain, Line()), Expected());
}

TEST_P(LongLines, DrawnByThePainterArePixelIdenticalToTheWalk) {
  EXPECT_EQ(Paint(Painter::kClipped, Line()), Expected());
}

TEST_P(LongLines, FollowATranslatedPainter) {
  EXPECT_EQ(Paint(Painter::kTranslated, Line()), Expected(kTranslation));
}

INSTANTIATE_TEST_SUITE_P(EveryOctant, LongLines, testing::ValuesIn(AllCases()), CaseName);

// Hundreds of lines of every pen crossing each other, later ones covering
// earlier ones: the context writing the pixels itself and the painter
// drawing them give the same picture.
TEST(ManyLines, GiveTheSamePictureWrittenOrDrawn) {
  constexpr int kLineCount = 400;
  constexpr unsigned kSeed = 20240611;
  const Draw draw = [](PaintContext& context) {
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> coordinate(-20, kSide + 20);
    std::uniform_int_distribution<int> choice(0, 3);
    const std::array<platform::Colour, 3> colours = {
        platform::Rgb{0, 0, 0}, platform::Rgb{222, 0, 0}, platform::SystemColour::kAppWorkspace};
    for (int line = 0; line < kLineCount; ++line) {
      const int pick = choice(random);
      const PenStyle style = pick == 0 ? PenStyle::kDot : PenStyle::kSolid;
      const int width = pick == 3 ? 2 : 1;
      const platform::DrawingObject pen =
          context.CreatePen(style, width, colours[static_cast<std::size_t>(line) % 3]);
      const platform::DrawingObject previous = context.SelectObject(pen);
      context.MoveTo(coordinate(random), coordinate(random));
      context.LineTo(coordinate(random), coordinate(random));
      context.LineTo(coordinate(random), coordinate(random));
      context.SelectObject(previous);
      context.DeleteObject(pen);
    }
  };
  EXPECT_EQ(Paint(Painter::kPlain, draw), Paint(Painter::kClipped, draw));
}

}  // namespace
}  // namespace platform_test
