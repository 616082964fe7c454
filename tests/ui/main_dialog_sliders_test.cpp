// The slider operations of the main dialog driven by real input: value labels,
// the linked-sigma rule, the "N" trackbars and what every trackbar feeds a run.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/main_dialog_harness.h"
#include "ui/slider_table.h"
#include "ui/value_label_text.h"

namespace ui_test {
namespace {

constexpr double kScale = 0.01;
constexpr int kDecimals = 2;

std::string Label(int position) {
  return ui::ValueLabelText(position * kScale, kDecimals);
}

// A location trackbar, its Sigma trackbar and labels, and the clicks that make
// the pair usable.
struct LinkedPair {
  const char* name;
  int locationId;
  int locationLabelId;
  int sigmaId;
  int sigmaLabelId;
  std::function<void(MainDialogHarness&)> prepare;
};

void Nothing(MainDialogHarness& /*harness*/) {}

const std::vector<LinkedPair> kLinkedPairs = {
    {"R", res::kIdSliderMedianR, res::kIdReadoutMedianR, res::kIdSliderSigmaR,
     res::kIdReadoutSigmaR, [](MainDialogHarness& h) { h.Click(res::kIdRadioNormalR); }},
    // I, T and E are Constant: their Sigma trackbars are disabled and still follow.
    {"I", res::kIdSliderValueI, res::kIdReadoutValueI, res::kIdSliderSigmaI, res::kIdReadoutSigmaI,
     Nothing},
    {"T", res::kIdSliderValueT, res::kIdReadoutValueT, res::kIdSliderSigmaT, res::kIdReadoutSigmaT,
     Nothing},
    {"E", res::kIdSliderValueE, res::kIdReadoutValueE, res::kIdSliderSigmaE, res::kIdReadoutSigmaE,
     Nothing},
    {"RPrime", res::kIdSliderMedianRPrime, res::kIdReadoutMedianRPrime, res::kIdSliderSigmaRPrime,
     res::kIdReadoutSigmaRPrime, EnableRPrime},
};

// Keys that bring a location trackbar to a position, and where Sigma follows.
struct LinkedMove {
  const char* name;
  std::vector<int> keys;
  int location;
  int sigma;
};

std::vector<int> Repeat(std::vector<int> keys, int key, int times) {
  keys.insert(keys.end(), static_cast<std::size_t>(times), key);
  return keys;
}

const std::vector<LinkedMove> kLinkedMoves = {
    {"At0", {Qt::Key_Home}, 0, 0},
    {"At2", Repeat({Qt::Key_Home}, Qt::Key_Right, 2), 2, 1},
    {"At15", Repeat({Qt::Key_Home, Qt::Key_PageDown}, Qt::Key_Left, 5), 15, 5},
    {"At50", Repeat({Qt::Key_Home, Qt::Key_PageDown, Qt::Key_PageDown}, Qt::Key_Down, 10), 50, 17},
    {"At51", Repeat({Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageUp}, Qt::Key_Up, 9), 51, 16},
    {"At70", Repeat({Qt::Key_End, Qt::Key_PageUp}, Qt::Key_Left, 10), 70, 10},
    {"At100", {Qt::Key_End}, 100, 0},
};

class LinkedSigmaKeys : public testing::TestWithParam<std::tuple<LinkedPair, LinkedMove>> {};

TEST_P(LinkedSigmaKeys, SigmaFollowsTheLocationAndEveryKeyRunsTwice) {
  const auto& [pair, move] = GetParam();
  MainDialogHarness harness;
  pair.prepare(harness);
  const int runsBefore = harness.Runs();
  for (const int key : move.keys) {
    harness.Key(pair.locationId, key);
  }
  EXPECT_EQ(harness.Position(pair.locationId), move.location);
  EXPECT_EQ(harness.Position(pair.sigmaId), move.sigma);
  EXPECT_EQ(harness.Text(pair.locationLabelId), Label(move.location));
  EXPECT_EQ(harness.Text(pair.sigmaLabelId), Label(move.sigma));
  // A step and the end of tracking per key.
  EXPECT_EQ(harness.Runs() - runsBefore, 2 * static_cast<int>(move.keys.size()));
}

INSTANTIATE_TEST_SUITE_P(LocationTrackbars, LinkedSigmaKeys,
                         testing::Combine(testing::ValuesIn(kLinkedPairs),
                                          testing::ValuesIn(kLinkedMoves)),
                         [](const testing::TestParamInfo<LinkedSigmaKeys::ParamType>& row) {
                           return std::string(std::get<0>(row.param).name) +
                                  std::get<1>(row.param).name;
                         });

// Every attribute Normal and sanctions on: every trackbar takes input.
void EnableEverything(MainDialogHarness& harness) {
  for (const int radio :
       {res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT, res::kIdRadioNormalE}) {
    harness.Click(radio);
  }
  EnableRPrime(harness);
}

class UnlinkedTrackbars : public testing::TestWithParam<ui::SliderSpec> {};

TEST_P(UnlinkedTrackbars, MoveNoOtherTrackbar) {
  const ui::SliderSpec& row = GetParam();
  MainDialogHarness harness;
  EnableEverything(harness);
  ASSERT_TRUE(harness.Enabled(row.trackbarId));
  std::map<int, int> before;
  for (const ui::SliderSpec& other : ui::kSliderTable) {
    before[other.trackbarId] = harness.Position(other.trackbarId);
  }
  const bool atTop = before[row.trackbarId] == row.rangeMax;
  harness.Key(row.trackbarId, atTop ? Qt::Key_Left : Qt::Key_Right);
  const int moved = before[row.trackbarId] + (atTop ? -1 : 1);
  for (const ui::SliderSpec& other : ui::kSliderTable) {
    const int expected = other.trackbarId == row.trackbarId ? moved : before[other.trackbarId];
    EXPECT_EQ(harness.Position(other.trackbarId), expected) << "trackbar " << other.trackbarId;
  }
  EXPECT_EQ(harness.Text(row.labelId), Label(moved));
}

std::vector<ui::SliderSpec> RowsWithoutLinkedSigma() {
  std::vector<ui::SliderSpec> rows;
  for (const ui::SliderSpec& row : ui::kSliderTable) {
    if (row.linkedSigmaId == ui::kNoLinkedSigma) {
      rows.push_back(row);
    }
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(EveryUnlinkedRow, UnlinkedTrackbars,
                         testing::ValuesIn(RowsWithoutLinkedSigma()),
                         [](const testing::TestParamInfo<ui::SliderSpec>& row) {
                           return "Trackbar" + std::to_string(row.param.trackbarId);
                         });

struct EndCase {
  const char* name;
  int trackbarId;
  int key;
  const char* label;
};

std::ostream& operator<<(std::ostream& out, const EndCase& c) {
  return out << c.name;
}

class TrackbarEnds : public testing::TestWithParam<EndCase> {};

TEST_P(TrackbarEnds, ShowTheirValues) {
  MainDialogHarness harness;
  EnableRPrime(harness);
  harness.Key(GetParam().trackbarId, GetParam().key);
  EXPECT_EQ(harness.Text(ui::FindSlider(GetParam().trackbarId)->labelId), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(Ends, TrackbarEnds,
                         testing::Values(EndCase{"XLeft", res::kIdSliderX, Qt::Key_Home, "-1.00"},
                                         EndCase{"XRight", res::kIdSliderX, Qt::Key_End, "1.00"},
                                         EndCase{"MRight", res::kIdSliderM, Qt::Key_End, "2.00"},
                                         EndCase{"MLeft", res::kIdSliderM, Qt::Key_Home, "1.00"},
                                         EndCase{"JLeft", res::kIdSliderJ, Qt::Key_Home, "0.00"},
                                         EndCase{"SigmaRPrimeRight", res::kIdSliderSigmaRPrime,
                                                 Qt::Key_End, "0.35"}),
                         test_support::CaseName());

// The requested count is the share times 100 agents in double precision,
// truncated: 0.29 x 100 and 0.58 x 100 fall just below 29 and 58.
struct CountCase {
  const char* name;
  int trackbarId;
  int position;
  int requested;
  const char* label;
};

std::ostream& operator<<(std::ostream& out, const CountCase& c) {
  return out << c.name;
}

class CountTrackbars : public testing::TestWithParam<CountCase> {};

TEST_P(CountTrackbars, RequestTruncatedAgentCounts) {
  const CountCase& c = GetParam();
  MainDialogHarness harness;
  EnableRPrime(harness);
  // Stand one position off and step onto the position with a key.
  const bool fromBelow = c.position > 0;
  harness.Dialog().SetTrackbarPos(c.trackbarId, fromBelow ? c.position - 1 : c.position + 1, true);
  harness.Key(c.trackbarId, fromBelow ? Qt::Key_Right : Qt::Key_Left);
  ASSERT_EQ(harness.Position(c.trackbarId), c.position);
  EXPECT_EQ(harness.Text(ui::FindSlider(c.trackbarId)->labelId), c.label);
  const model::CPopulationModel& model = harness.Dialog().model;
  if (c.trackbarId == res::kIdSliderCountR) {
    EXPECT_EQ(harness.LastRun().requestedCountR, c.requested);
    EXPECT_EQ(model.countR, c.requested);
  } else {
    EXPECT_EQ(harness.LastRun().requestedCountRPrime, c.requested);
    EXPECT_EQ(model.countRPrime, c.requested);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shares, CountTrackbars,
    testing::Values(CountCase{"RAt29", res::kIdSliderCountR, 29, 28, "0.29"},
                    CountCase{"RAt58", res::kIdSliderCountR, 58, 57, "0.58"},
                    CountCase{"RAt0", res::kIdSliderCountR, 0, 0, "0.00"},
                    CountCase{"RAt100", res::kIdSliderCountR, 100, 100, "1.00"},
                    CountCase{"RAt57", res::kIdSliderCountR, 57, 57, "0.57"},
                    CountCase{"RPrimeAt29", res::kIdSliderCountRPrime, 29, 28, "0.29"},
                    CountCase{"RPrimeAt58", res::kIdSliderCountRPrime, 58, 57, "0.58"},
                    CountCase{"RPrimeAt0", res::kIdSliderCountRPrime, 0, 0, "0.00"}),
    test_support::CaseName());

// A disabled trackbar, set from code, passes its value to the next run.
struct DisabledCase {
  const char* name;
  int trackbarId;
  int position;
  double model::RunArguments::*argument;
};

std::ostream& operator<<(std::ostream& out, const DisabledCase& c) {
  return out << c.name;
}

class DisabledTrackbars : public testing::TestWithParam<DisabledCase> {};

TEST_P(DisabledTrackbars, StillFeedTheRun) {
  const DisabledCase& c = GetParam();
  MainDialogHarness harness;
  ASSERT_FALSE(harness.Enabled(c.trackbarId));
  harness.Dialog().SetTrackbarPos(c.trackbarId, c.position, true);
  harness.Click(res::kIdCheckSecondOrderRate);
  EXPECT_EQ(harness.LastRun().*c.argument, c.position * kScale);
}

INSTANTIATE_TEST_SUITE_P(
    WhileDisabled, DisabledTrackbars,
    testing::Values(
        DisabledCase{"MedianR", res::kIdSliderMedianR, 30, &model::RunArguments::medianR},
        DisabledCase{"SigmaR", res::kIdSliderSigmaR, 7, &model::RunArguments::sigmaR},
        DisabledCase{"SigmaI", res::kIdSliderSigmaI, 3, &model::RunArguments::sigmaI},
        DisabledCase{"JPrime", res::kIdSliderJPrime, 83, &model::RunArguments::paramJPrime},
        DisabledCase{"M", res::kIdSliderM, 169, &model::RunArguments::paramM},
        DisabledCase{"MedianRPrime", res::kIdSliderMedianRPrime, 41,
                     &model::RunArguments::medianRPrime},
        DisabledCase{"CorrRI", res::kIdSliderCorrRI, -57, &model::RunArguments::corrRI},
        DisabledCase{"CorrET", res::kIdSliderCorrET, 95, &model::RunArguments::corrET}),
    test_support::CaseName());

TEST(DisabledTrackbars, TheCountOfRPrimeStillFeedsTheRun) {
  MainDialogHarness harness;
  ASSERT_FALSE(harness.Enabled(res::kIdSliderCountRPrime));
  harness.Dialog().SetTrackbarPos(res::kIdSliderCountRPrime, 58, true);
  harness.Click(res::kIdCheckSecondOrderRate);
  EXPECT_EQ(harness.LastRun().requestedCountRPrime, 57);
}

TEST(SliderOperations, AnIdOutsideTheTableGivesZeroAndChangesNothing) {
  MainDialogHarness harness;
  EXPECT_EQ(harness.Dialog().SliderValue(res::kIdButtonExit), 0.0);
  const std::string before = harness.Text(res::kIdReadoutSigmaR);
  harness.Dialog().ApplyLinkedSigma(res::kIdButtonExit);
  harness.Dialog().ApplyLinkedSigma(res::kIdSliderSigmaR);
  EXPECT_EQ(harness.Text(res::kIdReadoutSigmaR), before);
  EXPECT_EQ(harness.Position(res::kIdSliderSigmaR), 15);
}

TEST(SliderOperations, SetSliderValueRoundsToTheNearestPositionAndClamps) {
  MainDialogHarness harness;
  harness.Dialog().SetSliderValue(res::kIdSliderJ, 0.374f);
  EXPECT_EQ(harness.Position(res::kIdSliderJ), 37);
  EXPECT_EQ(harness.Text(res::kIdReadoutJ), "0.37");
  harness.Dialog().SetSliderValue(res::kIdSliderSigmaI, 0.9f);
  EXPECT_EQ(harness.Position(res::kIdSliderSigmaI), 20);
  EXPECT_EQ(harness.Text(res::kIdReadoutSigmaI), "0.20");
}

}  // namespace
}  // namespace ui_test
