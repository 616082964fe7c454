#include "tests/support/recording_paint_context.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "tests/support/case_name.h"

namespace {

using platform::CreatePenOp;
using platform::DrawingObject;
using platform::kNoObject;
using platform::LineToOp;
using platform::PenStyle;
using platform::RecordingPaintContext;
using platform::Rgb;
using platform::SystemColour;
using platform::TextOutOp;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr Rgb kRed{255, 0, 0};

TEST(RecordingPaintContext, StartsCleanWithItsOwnPenAndFont) {
  RecordingPaintContext context;
  EXPECT_THAT(context.Problems(), IsEmpty());
  EXPECT_EQ(context.CurrentPen(), context.OriginalPen());
  EXPECT_EQ(context.CurrentFont(), context.OriginalFont());
  EXPECT_NE(context.OriginalPen(), context.OriginalFont());
  const auto original = context.PenOf(context.OriginalPen());
  ASSERT_TRUE(original.has_value());
  EXPECT_EQ(original->style, PenStyle::kSolid);
  EXPECT_EQ(original->colour, platform::Colour(Rgb{0, 0, 0}));
}

TEST(RecordingPaintContext, SelectReturnsThePreviousObjectOfTheSameKind) {
  RecordingPaintContext context;
  const DrawingObject pen = context.CreatePen(PenStyle::kDot, 1, SystemColour::kAppWorkspace);
  const DrawingObject font = context.CreateFont("Arial", 14, 300);
  EXPECT_EQ(context.SelectObject(pen), context.OriginalPen());
  EXPECT_EQ(context.SelectObject(font), context.OriginalFont());
  EXPECT_EQ(context.CurrentPen(), pen);
  EXPECT_EQ(context.CurrentFont(), font);
  EXPECT_EQ(context.SelectObject(context.OriginalPen()), pen);
}

TEST(RecordingPaintContext, LinesRecordStartEndAndPen) {
  RecordingPaintContext context;
  const DrawingObject pen = context.CreatePen(PenStyle::kSolid, 1, kRed);
  context.SelectObject(pen);
  context.MoveTo(3, 4);
  context.LineTo(5, 6);
  context.LineTo(7, 8);
  EXPECT_THAT(context.OpsOf<LineToOp>(),
              ElementsAre(LineToOp{{3, 4}, {5, 6}, pen}, LineToOp{{5, 6}, {7, 8}, pen}));
  EXPECT_EQ(context.CurrentPosition(), (platform::PaintPoint{7, 8}));
}

TEST(RecordingPaintContext, TextRecordsFontAndAlignmentAndKeepsThePosition) {
  RecordingPaintContext context;
  context.MoveTo(1, 2);
  context.SetTextAlign(platform::kTextAlignCenter);
  context.TextOut(10, 20, "label");
  EXPECT_THAT(context.OpsOf<TextOutOp>(),
              ElementsAre(TextOutOp{
                  {10, 20}, "label", context.OriginalFont(), platform::kTextAlignCenter}));
  EXPECT_EQ(context.CurrentPosition(), (platform::PaintPoint{1, 2}));
}

TEST(RecordingPaintContext, FailsOnlyTheChosenPenCreation) {
  RecordingPaintContext context;
  context.FailCreatePenAt(2);
  EXPECT_NE(context.CreatePen(PenStyle::kSolid, 1, kRed), kNoObject);
  EXPECT_EQ(context.CreatePen(PenStyle::kSolid, 1, kRed), kNoObject);
  EXPECT_NE(context.CreatePen(PenStyle::kSolid, 1, kRed), kNoObject);
  const auto made = context.OpsOf<CreatePenOp>();
  ASSERT_THAT(made, SizeIs(3));
  EXPECT_EQ(made[1].result, kNoObject);
}

TEST(RecordingPaintContext, FailsOnlyTheChosenFontCreation) {
  RecordingPaintContext context;
  context.FailCreateFontAt(1);
  EXPECT_EQ(context.CreateFont("Arial", 14, 300), kNoObject);
  EXPECT_NE(context.CreateFont("Arial", 14, 300), kNoObject);
}

TEST(RecordingPaintContext, BalancedPaintLeavesNoProblems) {
  RecordingPaintContext context;
  const DrawingObject pen = context.CreatePen(PenStyle::kSolid, 1, kRed);
  const DrawingObject font = context.CreateFont("Arial", 14, 300);
  const DrawingObject oldPen = context.SelectObject(pen);
  const DrawingObject oldFont = context.SelectObject(font);
  context.SelectObject(oldFont);
  context.SelectObject(oldPen);
  context.DeleteObject(font);
  context.DeleteObject(pen);
  EXPECT_THAT(context.Problems(), IsEmpty());
}

// Each misuse a paint handler can commit, and the word the report must carry.
struct MisuseCase {
  const char* name;
  std::function<void(RecordingPaintContext&)> misuse;
  const char* reported;
  friend void PrintTo(const MisuseCase& c, std::ostream* out) { *out << c.name; }
};

class RecordingPaintContextMisuse : public ::testing::TestWithParam<MisuseCase> {};

TEST_P(RecordingPaintContextMisuse, IsReported) {
  RecordingPaintContext context;
  GetParam().misuse(context);
  EXPECT_THAT(context.Problems(), ElementsAre(HasSubstr(GetParam().reported)));
}

const MisuseCase kMisuses[] = {
    {"LeakedPen", [](RecordingPaintContext& c) { c.CreatePen(PenStyle::kSolid, 1, kRed); },
     "never deleted"},
    {"PenLeftSelected",
     [](RecordingPaintContext& c) {
       const DrawingObject pen = c.CreatePen(PenStyle::kSolid, 1, kRed);
       c.SelectObject(pen);
       c.DeleteObject(pen);
       c.SelectObject(c.OriginalPen());
       c.DeleteObject(pen);
     },
     "while it was selected"},
    {"DeletedTwice",
     [](RecordingPaintContext& c) {
       const DrawingObject pen = c.CreatePen(PenStyle::kSolid, 1, kRed);
       c.DeleteObject(pen);
       c.DeleteObject(pen);
     },
     "not a live object"},
    {"SelectedAfterDelete",
     [](RecordingPaintContext& c) {
       const DrawingObject pen = c.CreatePen(PenStyle::kSolid, 1, kRed);
       c.DeleteObject(pen);
       c.SelectObject(pen);
     },
     "not a live object"},
    {"SelectedNoObject", [](RecordingPaintContext& c) { c.SelectObject(kNoObject); },
     "not a live object"},
    {"DeletedOriginal",
     [](RecordingPaintContext& c) {
       const DrawingObject font = c.CreateFont("Arial", 14, 300);
       c.SelectObject(font);
       c.SelectObject(c.OriginalFont());
       c.DeleteObject(c.OriginalFont());
       c.DeleteObject(font);
     },
     "context's own"},
};

INSTANTIATE_TEST_SUITE_P(All, RecordingPaintContextMisuse, ::testing::ValuesIn(kMisuses),
                         test_support::CaseName());

TEST(RecordingPaintContext, FontStillSelectedIsReportedBesidesTheLeak) {
  RecordingPaintContext context;
  context.SelectObject(context.CreateFont("Arial", 14, 300));
  EXPECT_THAT(context.Problems(),
              ElementsAre(HasSubstr("never deleted"), HasSubstr("font #3 is still selected")));
}

}  // namespace
