#include "ui/slider_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/main_dialog_template.h"
#include "run_description/parameter_table.h"

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

// The run's parameter table and the slider table describe the same trackbars:
// a parameter's default is its trackbar's default position times the scale,
// its bounds are the trackbar's ends, and each trackbar feeds one parameter.
double Value(const SliderSpec& row, int position) {
  return position * row.scale;
}

TEST(SliderTable, EachRowFeedsTheParameterThatSaysSo) {
  std::set<int> rowsFed;
  const double agents = run::DefaultRunArguments().agentCount;
  for (const run::ParameterRow& parameter : run::ParameterTable()) {
    const run::FedBy fedBy = parameter.fedBy;
    if (fedBy.feeder != run::Feeder::kTrackbar && fedBy.feeder != run::Feeder::kTrackbarShare)
      continue;
    SCOPED_TRACE(parameter.name);
    EXPECT_TRUE(rowsFed.insert(fedBy.index).second) << "row " << fedBy.index << " feeds twice";
    const SliderSpec& row = kSliderTable.at(static_cast<std::size_t>(fedBy.index));
    if (fedBy.feeder == run::Feeder::kTrackbarShare) {
      EXPECT_EQ(parameter.defaultValue, static_cast<int>(Value(row, row.defaultPos) * agents));
      continue;
    }
    EXPECT_EQ(parameter.defaultValue, Value(row, row.defaultPos));
    if (parameter.minimum) {
      EXPECT_EQ(*parameter.minimum, Value(row, row.rangeMin));
    }
    if (parameter.maximum) {
      EXPECT_EQ(*parameter.maximum, Value(row, row.rangeMax));
    }
  }
  EXPECT_EQ(rowsFed.size(), kSliderTable.size());
}

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
    {res::kIdSliderJ, 0},
    {res::kIdSliderMedianR, 3},
    {res::kIdSliderCountRPrime, 15},
    {res::kIdSliderCorrET, 19},
    {res::kIdReadoutJ, -1},
    {res::kIdCheckFirstOrderRate, -1},
    {0, -1},
    {res::kIdUnaddressed, -1},
};

INSTANTIATE_TEST_SUITE_P(Ids, FindSlider, ::testing::ValuesIn(kLookups));

}  // namespace
