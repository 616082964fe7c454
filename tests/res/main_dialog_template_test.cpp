#include "res/main_dialog_template.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using res::kMainDialogTemplate;
using ::testing::ElementsAre;

constexpr int kUnaddressed = -1;
constexpr int kGraphBandBottom = 202;

std::span<const ControlTemplate> Controls() {
  return kMainDialogTemplate.controls;
}

const ControlTemplate* FindControl(int id) {
  const auto found = std::ranges::find(Controls(), id, &ControlTemplate::id);
  return found == Controls().end() ? nullptr : &*found;
}

bool Contains(const ControlTemplate& outer, const ControlTemplate& inner) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

TEST(MainDialogTemplate, HeaderDescribesTheMainWindow) {
  EXPECT_EQ(kMainDialogTemplate.id, 102);
  EXPECT_EQ(kMainDialogTemplate.caption, "Corvellan");
  EXPECT_EQ(kMainDialogTemplate.width, 552);
  EXPECT_EQ(kMainDialogTemplate.height, 382);
  EXPECT_EQ(kMainDialogTemplate.fontFace, "MS Shell Dlg");
  EXPECT_EQ(kMainDialogTemplate.fontPoints, 8);
}

TEST(MainDialogTemplate, ClientAreaIs828By621Pixels) {
  EXPECT_EQ(platform::DialogUnitsToPixelsX(kMainDialogTemplate.width), 828);
  EXPECT_EQ(platform::DialogUnitsToPixelsY(kMainDialogTemplate.height), 621);
}

TEST(MainDialogTemplate, HoldsNinetySixControls) {
  EXPECT_EQ(Controls().size(), 96u);
}

TEST(MainDialogTemplate, IdsAreUniqueExceptTenUnaddressedStatics) {
  std::multiset<int> ids;
  for (const ControlTemplate& control : Controls()) ids.insert(control.id);
  EXPECT_EQ(ids.count(kUnaddressed), 10u);
  for (const int id : ids) {
    if (id != kUnaddressed) {
      EXPECT_EQ(ids.count(id), 1u) << id;
    }
  }
}

// Every addressed id of the dialog, group by group.
TEST(MainDialogTemplate, HoldsEveryAddressedControl) {
  const std::vector<int> expected = {
      1027, 1028, 1029, 1063, 1062, 1064, 1036, 1030, 1043, 1089, 1032, 1090,  // R
      1039, 1040, 1041, 1066, 1065, 1067, 1037, 1042, 1044,                    // I
      1056, 1057, 1058, 1069, 1068, 1070, 1060, 1059, 1061,                    // T
      1074, 1075, 1076, 1081, 1080, 1082, 1078, 1077, 1079,                    // E
      1098, 1095, 1099, 1031, 1033, 1034, 1072, 1071, 1073, 1038, 1035, 1055,  // Sanctions
      1106, 1105, 1107, 1097, 1051, 1054, 1096, 1053, 1052,                    // ... and R'
      1100, 1101, 1102, 1103, 1104, 1002, 1003,                                // legend, counts
      1091, 1047, 1048, 1092, 1083, 1084, 1093, 1085, 1086, 1094, 1087, 1088,  // Correlation
      1045, 1050, 1049, 1046, 1011, 1004, 1,                                   // bottom row
  };
  std::vector<int> actual;
  for (const ControlTemplate& control : Controls()) {
    if (control.id != kUnaddressed) actual.push_back(control.id);
  }
  EXPECT_THAT(actual, ::testing::ElementsAreArray(expected));
}

TEST(MainDialogTemplate, NoControlLiesInTheGraphBand) {
  for (const ControlTemplate& control : Controls()) {
    EXPECT_GE(control.y, kGraphBandBottom) << control.id << " " << control.caption;
  }
}

TEST(MainDialogTemplate, EveryControlFitsInTheDialog) {
  for (const ControlTemplate& control : Controls()) {
    EXPECT_LE(control.x + control.width, kMainDialogTemplate.width) << control.id;
    EXPECT_LE(control.y + control.height, kMainDialogTemplate.height) << control.id;
  }
}

// Controls are created in order: a group box must exist before what it frames.
TEST(MainDialogTemplate, GroupBoxesComeBeforeTheControlsInsideThem) {
  const auto controls = Controls();
  for (std::size_t inner = 0; inner < controls.size(); ++inner) {
    for (std::size_t outer = 0; outer < controls.size(); ++outer) {
      if (outer == inner || controls[outer].kind != ControlKind::kGroupBox) continue;
      if (!Contains(controls[outer], controls[inner])) continue;
      EXPECT_LT(outer, inner) << "group box \"" << controls[outer].caption << "\" comes after "
                              << controls[inner].id << " \"" << controls[inner].caption << "\"";
    }
  }
}

TEST(MainDialogTemplate, KindsAreCountedAsTheDialogNeedsThem) {
  std::map<ControlKind, int> counts;
  for (const ControlTemplate& control : Controls()) ++counts[control.kind];
  EXPECT_EQ(counts[ControlKind::kTrackbar], 20);
  EXPECT_EQ(counts[ControlKind::kRadioButton], 15);
  EXPECT_EQ(counts[ControlKind::kCheckBox], 6);
  EXPECT_EQ(counts[ControlKind::kGroupBox], 7);
  EXPECT_EQ(counts[ControlKind::kEdit], 2);
  EXPECT_EQ(counts[ControlKind::kPushButton], 2);
  EXPECT_EQ(counts[ControlKind::kDefPushButton], 1);
  EXPECT_EQ(counts[ControlKind::kBitmap], 1);
  EXPECT_EQ(counts[ControlKind::kLabel], 42);
}

TEST(MainDialogTemplate, RadioCaptionsAreRightAlignedExceptRPrimeLogNormal) {
  constexpr int kLeftAligned = 1034;
  for (const ControlTemplate& control : Controls()) {
    if (control.kind != ControlKind::kRadioButton) continue;
    const bool right = (control.style & platform::kStyleAlignRight) != 0;
    EXPECT_EQ(right, control.id != kLeftAligned) << control.id;
  }
}

// The three choices of one attribute share a group box, and no other attribute's.
TEST(MainDialogTemplate, EachAttributesRadioButtonsShareOneInnermostGroupBox) {
  const std::vector<std::vector<int>> attributes = {{1027, 1028, 1029},
                                                    {1039, 1040, 1041},
                                                    {1056, 1057, 1058},
                                                    {1074, 1075, 1076},
                                                    {1031, 1033, 1034}};
  std::set<const ControlTemplate*> boxes;
  for (const auto& radios : attributes) {
    std::set<const ControlTemplate*> innermost;
    for (const int id : radios) {
      const ControlTemplate* radio = FindControl(id);
      ASSERT_NE(radio, nullptr) << id;
      const ControlTemplate* box = nullptr;
      for (const ControlTemplate& candidate : Controls()) {
        if (candidate.kind == ControlKind::kGroupBox && Contains(candidate, *radio) &&
            (box == nullptr || Contains(*box, candidate))) {
          box = &candidate;
        }
      }
      innermost.insert(box);
    }
    ASSERT_EQ(innermost.size(), 1u) << radios.front();
    EXPECT_NE(*innermost.begin(), nullptr);
    boxes.insert(*innermost.begin());
  }
  EXPECT_EQ(boxes.size(), attributes.size());
}

TEST(MainDialogTemplate, SeriesBoxesStandCaptionlessBesideTheLegendRows) {
  std::vector<int> ids;
  std::vector<int> ys;
  for (const ControlTemplate& control : Controls()) {
    if (control.kind != ControlKind::kCheckBox || !control.caption.empty()) continue;
    ids.push_back(control.id);
    ys.push_back(control.y);
    EXPECT_EQ(control.style & platform::kStyleLeftText, platform::kStyleLeftText);
    EXPECT_EQ(control.x, 340);
    EXPECT_EQ(control.width, 16);
    EXPECT_EQ(control.height, 8);
  }
  EXPECT_THAT(ids, ElementsAre(1100, 1101, 1102, 1103, 1104));
  EXPECT_THAT(ys, ElementsAre(207, 217, 227, 236, 246));
}

TEST(MainDialogTemplate, LegendShowsBitmap139WithABorder) {
  const auto legend = std::ranges::find(Controls(), ControlKind::kBitmap, &ControlTemplate::kind);
  ASSERT_NE(legend, Controls().end());
  EXPECT_EQ(legend->id, kUnaddressed);
  EXPECT_EQ(legend->resourceId, 139);
  EXPECT_NE(legend->style & platform::kStyleBorder, 0u);
  for (const ControlTemplate& control : Controls()) {
    if (&control != &*legend) {
      EXPECT_EQ(control.resourceId, 0) << control.id;
    }
  }
}

TEST(MainDialogTemplate, CountEditsAreReadOnlyDigitsWithBorder) {
  constexpr std::uint32_t kExpected =
      platform::kStyleReadOnly | platform::kStyleNumber | platform::kStyleBorder;
  for (const int id : {1002, 1003}) {
    const ControlTemplate* edit = FindControl(id);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->kind, ControlKind::kEdit);
    EXPECT_EQ(edit->style, kExpected);
  }
}

// A single '&' would mark a mnemonic; every ampersand shown is written doubled.
TEST(MainDialogTemplate, AmpersandsAreDoubledInCorrelationCaptionsOnly) {
  std::vector<int> withAmpersand;
  for (const ControlTemplate& control : Controls()) {
    const std::string_view caption = control.caption;
    if (caption.find('&') == std::string_view::npos) continue;
    withAmpersand.push_back(control.id);
    const auto singles = std::ranges::count(caption, '&');
    EXPECT_EQ(singles, 2) << caption;
    EXPECT_NE(caption.find("&&"), std::string_view::npos) << caption;
  }
  EXPECT_THAT(withAmpersand, ElementsAre(1091, 1092, 1093, 1094));
}

// --- A sample of rows, as the dialog's tables give them -------------------

struct RowCase {
  int id;
  ControlKind kind;
  std::string_view caption;
  std::uint32_t style;
  int x, y, width, height;
  friend void PrintTo(const RowCase& c, std::ostream* out) { *out << "id " << c.id; }
};

class MainDialogRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(MainDialogRow, HasItsKindCaptionStyleAndRectangle) {
  const RowCase& expected = GetParam();
  const ControlTemplate* control = FindControl(expected.id);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->kind, expected.kind);
  EXPECT_EQ(control->caption, expected.caption);
  EXPECT_EQ(control->style, expected.style);
  EXPECT_EQ(control->x, expected.x);
  EXPECT_EQ(control->y, expected.y);
  EXPECT_EQ(control->width, expected.width);
  EXPECT_EQ(control->height, expected.height);
}

constexpr auto kRadio = ControlKind::kRadioButton;
constexpr auto kLabel = ControlKind::kLabel;
constexpr auto kTrack = ControlKind::kTrackbar;
constexpr auto kCheck = ControlKind::kCheckBox;
constexpr std::uint32_t kRight = platform::kStyleAlignRight;
constexpr std::uint32_t kCount =
    platform::kStyleReadOnly | platform::kStyleNumber | platform::kStyleBorder;

const RowCase kRows[] = {
    {1027, kRadio, "Constant", kRight, 17, 212, 87, 8},
    {1029, kRadio, "Log-Normal Distribution", kRight, 17, 232, 87, 10},
    {1062, kTrack, "", 0, 42, 247, 41, 8},
    {1090, kLabel, "0.00", 0, 88, 268, 16, 8},
    {1066, kLabel, "Value", 0, 121, 245, 25, 8},
    {1044, kLabel, "0.00", 0, 189, 256, 16, 8},
    {1058, kRadio, "Log-Normal Distribution", kRight, 18, 315, 87, 10},
    {1068, kTrack, "", 0, 45, 331, 41, 8},
    {1081, kLabel, "Value", 0, 119, 328, 18, 8},
    {1077, kTrack, "", 0, 143, 340, 41, 8},
    {1098, ControlKind::kGroupBox, "Sanctions", 0, 220, 202, 118, 150},
    {1095, kCheck, "Sanctions", 0, 234, 212, 47, 10},
    {1099, ControlKind::kGroupBox, "R'", 0, 230, 225, 99, 85},
    {1033, kRadio, "Normal Distribution", kRight, 235, 244, 86, 8},
    {1034, kRadio, "Log-Normal Distribution", 0, 235, 254, 86, 8},
    {1038, kLabel, "Sigma", 0, 240, 281, 20, 8},
    {1105, kTrack, "", 0, 249, 296, 59, 8},
    {1097, kLabel, "J'", 0, 235, 320, 8, 9},
    {1051, kTrack, "", 0, 243, 321, 68, 9},
    {1052, kLabel, "0.00", 0, 315, 337, 22, 8},
    {1100, kCheck, "", platform::kStyleLeftText, 340, 207, 16, 8},
    {1002, ControlKind::kEdit, "", kCount, 403, 262, 28, 12},
    {1003, ControlKind::kEdit, "", kCount, 497, 263, 28, 12},
    {1091, kLabel, "R && R'", 0, 394, 289, 21, 8},
    {1093, kLabel, "R' && I", 0, 394, 316, 21, 8},
    {1085, kTrack, "", 0, 418, 319, 59, 8},
    {1088, kLabel, "0.00", 0, 486, 335, 19, 8},
    {1045, kTrack, "", 0, 22, 361, 73, 9},
    {1046, kLabel, "0.00", 0, 199, 360, 22, 8},
    {1011, ControlKind::kPushButton, "Dump data to file", 0, 222, 361, 60, 15},
    {1004, ControlKind::kPushButton, "Slope Parameter", 0, 300, 361, 58, 15},
    {1, ControlKind::kDefPushButton, "EXIT", 0, 495, 360, 50, 16},
};

INSTANTIATE_TEST_SUITE_P(Sample, MainDialogRow, ::testing::ValuesIn(kRows),
                         [](const auto& test) { return "Id" + std::to_string(test.param.id); });

struct Static {
  ControlKind kind;
  std::string_view caption;
  int x, y, width, height;
  friend bool operator==(const Static&, const Static&) = default;
  friend void PrintTo(const Static& s, std::ostream* out) {
    *out << "\"" << s.caption << "\" at " << s.x << "," << s.y << " " << s.width << "x" << s.height;
  }
};

// The ten statics the program never addresses, in template order.
TEST(MainDialogTemplate, UnaddressedStaticsAreTheGroupFramesFixedLabelsAndLegend) {
  std::vector<Static> actual;
  for (const ControlTemplate& c : Controls()) {
    if (c.id == kUnaddressed) actual.push_back({c.kind, c.caption, c.x, c.y, c.width, c.height});
  }
  const std::vector<Static> expected = {
      {ControlKind::kGroupBox, "R", 12, 202, 95, 80},
      {ControlKind::kGroupBox, "I", 112, 202, 96, 66},
      {ControlKind::kGroupBox, "T", 12, 286, 95, 66},
      {ControlKind::kGroupBox, "E", 111, 286, 95, 66},
      {ControlKind::kBitmap, "", 358, 204, 187, 51},
      {kLabel, "N", 365, 265, 8, 8},
      {kLabel, "Iterations #", 449, 265, 43, 8},
      {ControlKind::kGroupBox, "Correlation", 362, 276, 164, 74},
      {kLabel, "J", 16, 360, 8, 9},
      {kLabel, "X", 115, 361, 8, 8},
  };
  EXPECT_THAT(actual, ::testing::ElementsAreArray(expected));
}

}  // namespace
