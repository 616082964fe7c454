// The SVG paint context: lines become polylines and dashed lines over the
// window's pixels, text keeps the window's place and font, icons are embedded.
#include "drawing/svg_paint_context.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <QXmlStreamReader>
#include <functional>
#include <string>
#include <vector>

#include "drawing/dialog_font.h"
#include "drawing/paint_context.h"
#include "test_dialog.h"
#include "tests/support/case_name.h"

namespace platform_test {
namespace {

using platform::PaintContext;
using platform::PenStyle;
using platform::Rgb;

constexpr Rgb kRed{222, 0, 0};
constexpr Rgb kGreen{0, 200, 0};

struct Element {
  std::string name;
  QXmlStreamAttributes attributes;
  std::string text;

  std::string Get(const char* attribute) const {
    return attributes.value(QString::fromLatin1(attribute)).toString().toStdString();
  }
};

// The elements the paint writes, parsed as a document would hold them.
std::vector<Element> Paint(const std::function<void(PaintContext&)>& draw) {
  platform::SvgPaintContext context(platform::DialogFont("MS Shell Dlg", 8));
  draw(context);
  const std::string document =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">" +
      context.Elements() + "</svg>";
  QXmlStreamReader xml(QString::fromStdString(document));
  std::vector<Element> elements;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() == QStringLiteral("svg") ||
        xml.name() == QStringLiteral("g")) {
      continue;
    }
    Element element{xml.name().toString().toStdString(), xml.attributes(), {}};
    if (element.name == "text") {
      element.text = xml.readElementText().toStdString();
    }
    elements.push_back(std::move(element));
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return elements;
}

// A line element in a few words: "polyline 1,2 3,4 #de0000" or
// "line 0.5,2 9.5,2 #de0000 3 3".
std::string Summary(const Element& e) {
  if (e.name == "polyline") {
    return "polyline " + e.Get("points") + " " + e.Get("stroke");
  }
  return "line " + e.Get("x1") + "," + e.Get("y1") + " " + e.Get("x2") + "," + e.Get("y2") + " " +
         e.Get("stroke") + " " + e.Get("stroke-dasharray");
}

void WithPen(PaintContext& context, PenStyle style, Rgb colour, const std::function<void()>& draw) {
  const auto previous = context.SelectObject(context.CreatePen(style, 1, colour));
  draw();
  context.SelectObject(previous);
}

struct LineCase {
  std::string name;
  std::function<void(PaintContext&)> draw;
  std::vector<std::string> expected;
};

const std::vector<LineCase> kLineCases = {
    {"ConsecutiveLinesAreOnePolylineThroughTheirVertices",
     [](PaintContext& c) {
       WithPen(c, PenStyle::kSolid, kRed, [&c] {
         c.MoveTo(14, 305);
         c.LineTo(14, 300);
         c.LineTo(22, 227);
         c.LineTo(30, 227);
       });
     },
     {"polyline 14,305 14,300 22,227 30,227 #de0000"}},
    {"AMoveStartsANewPolyline",
     [](PaintContext& c) {
       WithPen(c, PenStyle::kSolid, kRed, [&c] {
         c.MoveTo(0, 0);
         c.LineTo(5, 5);
         c.MoveTo(9, 9);
         c.LineTo(12, 3);
       });
     },
     {"polyline 0,0 5,5 #de0000", "polyline 9,9 12,3 #de0000"}},
    {"AnotherPenStartsANewPolylineInItsColour",
     [](PaintContext& c) {
       WithPen(c, PenStyle::kSolid, kRed, [&c] { c.LineTo(5, 5); });
       WithPen(c, PenStyle::kSolid, kGreen, [&c] { c.LineTo(9, 5); });
     },
     {"polyline 0,0 5,5 #de0000", "polyline 5,5 9,5 #00c800"}},
    {"ALineThatDoesNotMoveIsLeftOut",
     [](PaintContext& c) {
       c.MoveTo(4, 4);
       c.LineTo(4, 4);
     },
     {}},
    // Dots cover the pixels from the first one on, without the end point.
    {"DottedLinesAreDashedOverTheWindowsPixelsEachOnItsOwn",
     [](PaintContext& c) {
       WithPen(c, PenStyle::kDot, kGreen, [&c] {
         c.MoveTo(10, 30);
         c.LineTo(10, 0);
         c.LineTo(40, 0);
       });
     },
     {"line 10,30.5 10,0.5 #00c800 3 3", "line 9.5,0 39.5,0 #00c800 3 3"}},
    // Three pixels along the major axis of a 45 degree line are 3 * sqrt(2) long.
    {"SlantedDotsAreThreePixelsOfTheMajorAxisLong",
     [](PaintContext& c) { WithPen(c, PenStyle::kDot, kGreen, [&c] { c.LineTo(8, 8); }); },
     {"line -0.5,-0.5 7.5,7.5 #00c800 4.2426 4.2426"}},
};

class SvgLines : public testing::TestWithParam<LineCase> {};

TEST_P(SvgLines, FollowTheWindowsLines) {
  std::vector<std::string> summaries;
  for (const Element& element : Paint(GetParam().draw)) {
    summaries.push_back(Summary(element));
  }
  EXPECT_EQ(summaries, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SvgLines, testing::ValuesIn(kLineCases), test_support::CaseName());

struct TextCase {
  std::string name;
  unsigned align;
  std::string anchor;
  std::string anchorX;  // the middle of the 20-pixel cell, or its left edge
  std::string cellX;
};

class SvgText : public testing::TestWithParam<TextCase> {};

// "100" in Arial at cell height 14 is Liberation Sans at 12 pixels: 20 pixels
// wide, ascent 11, in a 14-pixel cell.
TEST_P(SvgText, StandsWhereTheWindowPutsItInTheFontItSelects) {
  const std::vector<Element> elements = Paint([](PaintContext& c) {
    c.SelectObject(c.CreateFont("Arial", 14, platform::kFontWeightLight));
    c.SetTextAlign(GetParam().align);
    c.TextOut(40, 6, "100");
  });
  ASSERT_EQ(elements.size(), 2u);
  const Element& cell = elements[0];
  EXPECT_EQ(cell.name, "rect");
  EXPECT_EQ(cell.Get("x"), GetParam().cellX);
  EXPECT_EQ(cell.Get("y"), "6");
  EXPECT_EQ(cell.Get("width"), "20");
  EXPECT_EQ(cell.Get("height"), "14");
  EXPECT_EQ(cell.Get("fill"), "#ffffff");
  const Element& text = elements[1];
  EXPECT_EQ(text.name, "text");
  EXPECT_EQ(text.text, "100");
  EXPECT_EQ(text.Get("x"), GetParam().anchorX);
  EXPECT_EQ(text.Get("y"), "17");
  EXPECT_EQ(text.Get("text-anchor"), GetParam().anchor);
  EXPECT_EQ(text.Get("font-size"), "12");
  EXPECT_EQ(text.Get("font-family"), "'Liberation Sans', 'Arial', sans-serif");
  EXPECT_EQ(text.Get("font-weight"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, SvgText,
    testing::Values(TextCase{"LeftTop", platform::kTextAlignLeft, "start", "40", "40"},
                    TextCase{"CentreTop", platform::kTextAlignCenter | platform::kTextAlignTop,
                             "middle", "40", "30"}),
    test_support::CaseName());

TEST(SvgTextContent, IsEscapedAndKeepsItsBlanks) {
  const std::vector<Element> elements = Paint([](PaintContext& c) { c.TextOut(0, 0, " a<b&c "); });
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[1].text, " a<b&c ");
}

struct IconCase {
  std::string name;
  int iconId;
  bool drawn;
};

class SvgIcons : public testing::TestWithParam<IconCase> {};

TEST_P(SvgIcons, AreEmbeddedAs32By32PngImages) {
  const std::vector<Element> elements =
      Paint([](PaintContext& c) { c.DrawIcon(5, 6, GetParam().iconId); });
  ASSERT_EQ(elements.size(), GetParam().drawn ? 1u : 0u);
  if (!GetParam().drawn) {
    return;
  }
  const Element& image = elements[0];
  EXPECT_EQ(image.name, "image");
  EXPECT_EQ(image.Get("x"), "5");
  EXPECT_EQ(image.Get("y"), "6");
  EXPECT_EQ(image.Get("width"), "32");
  EXPECT_EQ(image.Get("height"), "32");
  const QString href = image.attributes.value(QStringLiteral("xlink:href")).toString();
  ASSERT_TRUE(href.startsWith(QStringLiteral("data:image/png;base64,")));
  const QImage decoded =
      QImage::fromData(QByteArray::fromBase64(href.mid(href.indexOf(',') + 1).toLatin1()), "PNG");
  EXPECT_EQ(decoded.size(), QSize(32, 32));
}

INSTANTIATE_TEST_SUITE_P(Icons, SvgIcons,
                         testing::Values(IconCase{"Present", kTestIconId, true},
                                         IconCase{"Missing", kMissingResourceId, false}),
                         test_support::CaseName());

}  // namespace
}  // namespace platform_test
