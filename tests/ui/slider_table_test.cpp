#include "ui/slider_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "res/main_dialog_template.h"

namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using ui::kSliderTable;
using ui::SliderSpec;

const ControlTemplate* FindControl(int id) {
  const auto& controls = res::kMainDialogTemplate.controls;
  const auto found = std::ranges::find(controls, id, &ControlTemplate::id);
  return found == controls.end() ? nullptr : &*found;
}

TEST(SliderTable, HasTwentyRowsWithUniqueTrackbarsAndLabels) {
  std::set<int> trackbars;
  std::set<int> labels;
  for (const SliderSpec& row : kSliderTable) {
    trackbars.insert(row.trackbarId);
    labels.insert(row.labelId);
  }
  EXPECT_EQ(kSliderTable.size(), 20u);
  EXPECT_EQ(trackbars.size(), kSliderTable.size());
  EXPECT_EQ(labels.size(), kSliderTable.size());
}

TEST(SliderTable, EveryRowStepsByOneHundredthAndShowsTwoDecimals) {
  for (const SliderSpec& row : kSliderTable) {
    SCOPED_TRACE(row.trackbarId);
    EXPECT_EQ(row.scale, 0.01);
    EXPECT_EQ(row.decimals, 2);
  }
}

TEST(SliderTable, DefaultLiesInsideTheRange) {
  for (const SliderSpec& row : kSliderTable) {
    SCOPED_TRACE(row.trackbarId);
    EXPECT_LT(row.rangeMin, row.rangeMax);
    EXPECT_GE(row.defaultPos, row.rangeMin);
    EXPECT_LE(row.defaultPos, row.rangeMax);
  }
}

// The linked Sigma may land anywhere from 0 to 17 (a location of 0.50 gives
// 0.17), so every linked Sigma trackbar must reach at least 17.
TEST(SliderTable, LocationRowsDriveSigmaRowsThatCanTakeTheLinkedValue) {
  constexpr int kHighestLinkedSigma = 17;
  std::vector<std::size_t> locationRows;
  for (std::size_t i = 0; i < kSliderTable.size(); ++i) {
    const SliderSpec& row = kSliderTable[i];
    if (row.linkedSigmaId == ui::kNoLinkedSigma) continue;
    locationRows.push_back(i);
    const SliderSpec* sigma = ui::FindSlider(row.linkedSigmaId);
    ASSERT_NE(sigma, nullptr) << row.trackbarId;
    EXPECT_EQ(sigma->linkedSigmaId, ui::kNoLinkedSigma);
    EXPECT_EQ(sigma->rangeMin, 0);
    EXPECT_GE(sigma->rangeMax, kHighestLinkedSigma);
  }
  EXPECT_THAT(locationRows, ::testing::ElementsAre(3, 5, 7, 9, 13));
}

TEST(SliderTable, TrackbarsAndLabelsAreThoseOfTheMainDialog) {
  for (const SliderSpec& row : kSliderTable) {
    SCOPED_TRACE(row.trackbarId);
    const ControlTemplate* trackbar = FindControl(row.trackbarId);
    const ControlTemplate* label = FindControl(row.labelId);
    ASSERT_NE(trackbar, nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(trackbar->kind, ControlKind::kTrackbar);
    EXPECT_EQ(label->kind, ControlKind::kLabel);
    EXPECT_EQ(label->caption, "0.00");
  }
  const auto trackbars = std::ranges::count(res::kMainDialogTemplate.controls,
                                            ControlKind::kTrackbar, &ControlTemplate::kind);
  EXPECT_EQ(trackbars, static_cast<long>(kSliderTable.size()));
}

struct RowCase {
  std::size_t index;
  SliderSpec expected;
  friend void PrintTo(const RowCase& c, std::ostream* out) { *out << "row " << c.index; }
};

class SliderTableRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(SliderTableRow, MatchesTheTrackbarItDescribes) {
  const SliderSpec& row = kSliderTable.at(GetParam().index);
  const SliderSpec& expected = GetParam().expected;
  EXPECT_EQ(row.trackbarId, expected.trackbarId);
  EXPECT_EQ(row.labelId, expected.labelId);
  EXPECT_EQ(row.linkedSigmaId, expected.linkedSigmaId);
  EXPECT_EQ(row.rangeMin, expected.rangeMin);
  EXPECT_EQ(row.rangeMax, expected.rangeMax);
  EXPECT_EQ(row.defaultPos, expected.defaultPos);
}

const RowCase kRows[] = {
    {0, {1045, 1050, 0, 0, 100, 50, 0.01, 2}},      // J
    {1, {1049, 1046, 0, -100, 100, 0, 0.01, 2}},    // X
    {2, {1030, 1043, 0, 0, 35, 15, 0.01, 2}},       // R Sigma
    {3, {1062, 1064, 1030, 0, 100, 50, 0.01, 2}},   // R Median
    {5, {1065, 1067, 1042, 0, 100, 100, 0.01, 2}},  // I Value
    {11, {1053, 1052, 0, 100, 200, 100, 0.01, 2}},  // m
    {13, {1071, 1073, 1035, 0, 100, 50, 0.01, 2}},  // R' Median
    {15, {1105, 1107, 0, 0, 100, 100, 0.01, 2}},    // R' N
    {19, {1087, 1088, 0, -100, 100, 0, 0.01, 2}},   // E && T
};

INSTANTIATE_TEST_SUITE_P(Sample, SliderTableRow, ::testing::ValuesIn(kRows),
                         [](const auto& test) { return "Row" + std::to_string(test.param.index); });

struct LookupCase {
  int trackbarId;
  int expectedRow;  // -1: not a trackbar
  friend void PrintTo(const LookupCase& c, std::ostream* out) { *out << "id " << c.trackbarId; }
};

class FindSlider : public ::testing::TestWithParam<LookupCase> {};

TEST_P(FindSlider, FindsTheRowOfATrackbarAndNothingElse) {
  const SliderSpec* found = ui::FindSlider(GetParam().trackbarId);
  if (GetParam().expectedRow < 0) {
    EXPECT_EQ(found, nullptr);
  } else {
    EXPECT_EQ(found, &kSliderTable.at(static_cast<std::size_t>(GetParam().expectedRow)));
  }
}

const LookupCase kLookups[] = {
    {1045, 0},  {1062, 3}, {1105, 15}, {1087, 19}, {1050, -1},  // a value label
    {1100, -1},                                                 // a check box
    {0, -1},    {-1, -1},
};

INSTANTIATE_TEST_SUITE_P(Ids, FindSlider, ::testing::ValuesIn(kLookups));

}  // namespace
