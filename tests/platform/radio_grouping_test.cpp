#include "platform/radio_grouping.h"

#include <gtest/gtest.h>

#include "test_dialog.h"

namespace platform_test {
namespace {

using platform::InnermostGroupBoxes;
using platform::kNoGroupBox;
using platform::RadioGroups;

// Indices into kTestControls.
constexpr int kOuterBoxIndex = 3;
constexpr int kInnerBoxIndex = 6;

TEST(InnermostGroupBoxes, FindTheSmallestContainingBoxOfEveryControl) {
  const std::vector<int> boxes = InnermostGroupBoxes(kTestControls);
  const std::vector<int> expected = {
      kNoGroupBox,    kNoGroupBox,    kNoGroupBox,  // buttons below the boxes
      kNoGroupBox,                                  // the outer box itself
      kOuterBoxIndex, kOuterBoxIndex,               // outer radio buttons
      kOuterBoxIndex,                               // the inner box nests in the outer
      kInnerBoxIndex, kInnerBoxIndex,               // inner radio buttons
      kNoGroupBox,    kNoGroupBox,                  // loose radio buttons
      kNoGroupBox,    kNoGroupBox,    kNoGroupBox,  // check boxes, label
      kNoGroupBox,    kNoGroupBox,    kNoGroupBox,  // trackbar, buddy, read-only edit
      kNoGroupBox,    kNoGroupBox,    kNoGroupBox,  // edit, picture, wide trackbar
  };
  EXPECT_EQ(boxes, expected);
}

TEST(RadioGroups, SplitRadioButtonsByInnermostBoxOnly) {
  const std::vector<std::vector<int>> expected = {{9, 10}, {4, 5}, {7, 8}};
  EXPECT_EQ(RadioGroups(kTestControls), expected);
}

// The sanctions frame holds a check box and the nested R' frame, whose three
// radio buttons are one group; R's radio buttons are another.
constexpr std::array<ControlTemplate, 9> kNestedLayout = {{
    {-1, ControlKind::kGroupBox, "R", 0, 12, 202, 95, 80},
    {1027, ControlKind::kRadioButton, "Constant", 0, 17, 212, 87, 8},
    {1028, ControlKind::kRadioButton, "Normal", 0, 17, 222, 87, 10},
    {1098, ControlKind::kGroupBox, "Sanctions", 0, 220, 202, 118, 150},
    {1095, ControlKind::kCheckBox, "Sanctions", 0, 234, 212, 47, 10},
    {1099, ControlKind::kGroupBox, "R'", 0, 230, 225, 99, 85},
    {1031, ControlKind::kRadioButton, "Constant", 0, 235, 234, 86, 8},
    {1033, ControlKind::kRadioButton, "Normal", 0, 235, 244, 86, 8},
    {1034, ControlKind::kRadioButton, "Log-Normal", 0, 235, 254, 86, 8},
}};

TEST(InnermostGroupBoxes, PreferTheNestedBoxOverItsFrame) {
  const std::vector<int> expected = {kNoGroupBox, 0, 0, kNoGroupBox, 3, 3, 5, 5, 5};
  EXPECT_EQ(InnermostGroupBoxes(kNestedLayout), expected);
  const std::vector<std::vector<int>> groups = {{1, 2}, {6, 7, 8}};
  EXPECT_EQ(RadioGroups(kNestedLayout), groups);
}

TEST(InnermostGroupBoxes, NeedTheWholeRectangleInside) {
  constexpr std::array<ControlTemplate, 2> kOverlapping = {{
      {-1, ControlKind::kGroupBox, "Box", 0, 10, 10, 50, 20},
      {1, ControlKind::kRadioButton, "Sticks out", 0, 15, 15, 50, 8},
  }};
  const std::vector<int> expected = {kNoGroupBox, kNoGroupBox};
  EXPECT_EQ(InnermostGroupBoxes(kOverlapping), expected);
}

}  // namespace
}  // namespace platform_test
