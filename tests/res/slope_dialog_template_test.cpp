#include "res/slope_dialog_template.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using res::kSlopeDialogTemplate;

TEST(SlopeDialogTemplate, HeaderDescribesTheSlopeDialog) {
  EXPECT_EQ(kSlopeDialogTemplate.id, 135);
  EXPECT_EQ(kSlopeDialogTemplate.caption, "Dialog");
  EXPECT_EQ(kSlopeDialogTemplate.width, 209);
  EXPECT_EQ(kSlopeDialogTemplate.height, 138);
  EXPECT_EQ(kSlopeDialogTemplate.fontFace, "MS Shell Dlg");
  EXPECT_EQ(kSlopeDialogTemplate.fontPoints, 8);
  EXPECT_EQ(kSlopeDialogTemplate.controls.size(), 4u);
}

// The preview owns client pixels 10..210; the controls stay to its right.
TEST(SlopeDialogTemplate, ControlsLieRightOfThePreviewBox) {
  constexpr int kPreviewRightPixels = 210;
  for (const ControlTemplate& control : kSlopeDialogTemplate.controls) {
    EXPECT_GT(platform::DialogUnitsToPixelsX(control.x), kPreviewRightPixels) << control.id;
  }
}

struct RowCase {
  std::size_t index;  // template order is also the tab order
  int id;
  ControlKind kind;
  std::string_view caption;
  std::uint32_t style;
  int x, y, width, height;
  friend void PrintTo(const RowCase& c, std::ostream* out) { *out << "row " << c.index; }
};

class SlopeDialogRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(SlopeDialogRow, HasItsPlaceKindCaptionStyleAndRectangle) {
  const RowCase& expected = GetParam();
  const ControlTemplate& control = kSlopeDialogTemplate.controls[expected.index];
  EXPECT_EQ(control.id, expected.id);
  EXPECT_EQ(control.kind, expected.kind);
  EXPECT_EQ(control.caption, expected.caption);
  EXPECT_EQ(control.style, expected.style);
  EXPECT_EQ(control.x, expected.x);
  EXPECT_EQ(control.y, expected.y);
  EXPECT_EQ(control.width, expected.width);
  EXPECT_EQ(control.height, expected.height);
}

constexpr std::uint32_t kEditStyle = platform::kStyleCenter | platform::kStyleAutoHScroll |
                                     platform::kStyleReadOnly | platform::kStyleNumber |
                                     platform::kStyleBorder | platform::kStyleTabStop;

const RowCase kRows[] = {
    {0, 1, ControlKind::kDefPushButton, "OK", platform::kStyleTabStop, 152, 105, 50, 14},
    {1, 2, ControlKind::kPushButton, "Cancel", platform::kStyleTabStop, 152, 83, 50, 14},
    {2, 1002, ControlKind::kEdit, "", kEditStyle, 156, 51, 40, 14},
    {3, -1, ControlKind::kLabel, "Slope parameter (M)",
     platform::kStyleCenter | platform::kStyleGroup, 155, 22, 42, 26},
};

INSTANTIATE_TEST_SUITE_P(All, SlopeDialogRow, ::testing::ValuesIn(kRows),
                         [](const auto& test) { return "Row" + std::to_string(test.param.index); });

}  // namespace
