// OnCommand of the main dialog: the work of each distribution radio button,
// the correlation rules and the sanctions rule.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/main_dialog_harness.h"

namespace ui_test {
namespace {

using Rows = std::vector<int>;

const Rows kRLocationSigma = {res::kIdSliderMedianR, res::kIdReadoutMedianR, res::kIdCaptionMedianR,
                              res::kIdSliderSigmaR,  res::kIdReadoutSigmaR,  res::kIdCaptionSigmaR};
const Rows kISigma = {res::kIdSliderSigmaI, res::kIdReadoutSigmaI, res::kIdCaptionSigmaI};
const Rows kTSigma = {res::kIdSliderSigmaT, res::kIdReadoutSigmaT, res::kIdCaptionSigmaT};
const Rows kESigma = {res::kIdSliderSigmaE, res::kIdReadoutSigmaE, res::kIdCaptionSigmaE};
const Rows kRPrimeLocationSigma = {res::kIdSliderMedianRPrime,  res::kIdReadoutMedianRPrime,
                                   res::kIdCaptionMedianRPrime, res::kIdSliderSigmaRPrime,
                                   res::kIdReadoutSigmaRPrime,  res::kIdCaptionSigmaRPrime};

constexpr int kHandSetSigma = 7;

// One radio button: the kind field it sets, the rows it switches, the caption
// it writes, the trackbars it links and the button to click before it so that
// its work shows.
struct RadioCase {
  const char* name;
  int radioId;
  int peerId;
  int ui::CMainDlg::*kind;
  int expectedKind;
  Rows rows;
  bool rowsEnabled;
  int captionId;
  const char* caption;
  int sigmaId;
  int linkedSigma;  // where Sigma lands; kHandSetSigma when it stays
  std::vector<int> otherRadios;
};

std::ostream& operator<<(std::ostream& out, const RadioCase& c) {
  return out << c.name;
}

const std::vector<RadioCase> kRadioCases = {
    {"ConstantR",
     res::kIdRadioConstantR,
     res::kIdRadioNormalR,
     &ui::CMainDlg::distR,
     0,
     kRLocationSigma,
     false,
     res::kIdCaptionMedianR,
     "Median",
     res::kIdSliderSigmaR,
     kHandSetSigma,
     {res::kIdRadioNormalR, res::kIdRadioLogNormalR}},
    {"NormalR",
     res::kIdRadioNormalR,
     res::kIdRadioConstantR,
     &ui::CMainDlg::distR,
     1,
     kRLocationSigma,
     true,
     res::kIdCaptionMedianR,
     "Median",
     res::kIdSliderSigmaR,
     17,
     {res::kIdRadioConstantR, res::kIdRadioLogNormalR}},
    {"LogNormalR",
     res::kIdRadioLogNormalR,
     res::kIdRadioConstantR,
     &ui::CMainDlg::distR,
     2,
     kRLocationSigma,
     true,
     res::kIdCaptionMedianR,
     "Median",
     res::kIdSliderSigmaR,
     17,
     {res::kIdRadioConstantR, res::kIdRadioNormalR}},
    {"ConstantI",
     res::kIdRadioConstantI,
     res::kIdRadioNormalI,
     &ui::CMainDlg::distI,
     0,
     kISigma,
     false,
     res::kIdCaptionValueI,
     "Value",
     res::kIdSliderSigmaI,
     kHandSetSigma,
     {res::kIdRadioNormalI, res::kIdRadioLogNormalI}},
    // I's Value stands at 1.00: the linked Sigma is 0.
    {"NormalI",
     res::kIdRadioNormalI,
     res::kIdRadioConstantI,
     &ui::CMainDlg::distI,
     1,
     kISigma,
     true,
     res::kIdCaptionValueI,
     "Median",
     res::kIdSliderSigmaI,
     0,
     {res::kIdRadioConstantI, res::kIdRadioLogNormalI}},
    {"LogNormalI",
     res::kIdRadioLogNormalI,
     res::kIdRadioConstantI,
     &ui::CMainDlg::distI,
     2,
     kISigma,
     true,
     res::kIdCaptionValueI,
     "Median",
     res::kIdSliderSigmaI,
     0,
     {res::kIdRadioConstantI, res::kIdRadioNormalI}},
    {"ConstantT",
     res::kIdRadioConstantT,
     res::kIdRadioNormalT,
     &ui::CMainDlg::distT,
     0,
     kTSigma,
     false,
     res::kIdCaptionValueT,
     "Value",
     res::kIdSliderSigmaT,
     kHandSetSigma,
     {res::kIdRadioNormalT, res::kIdRadioLogNormalT}},
    {"NormalT",
     res::kIdRadioNormalT,
     res::kIdRadioConstantT,
     &ui::CMainDlg::distT,
     1,
     kTSigma,
     true,
     res::kIdCaptionValueT,
     "Median",
     res::kIdSliderSigmaT,
     17,
     {res::kIdRadioConstantT, res::kIdRadioLogNormalT}},
    {"LogNormalT",
     res::kIdRadioLogNormalT,
     res::kIdRadioConstantT,
     &ui::CMainDlg::distT,
     2,
     kTSigma,
     true,
     res::kIdCaptionValueT,
     "Median",
     res::kIdSliderSigmaT,
     17,
     {res::kIdRadioConstantT, res::kIdRadioNormalT}},
    {"ConstantE",
     res::kIdRadioConstantE,
     res::kIdRadioNormalE,
     &ui::CMainDlg::distE,
     0,
     kESigma,
     false,
     res::kIdCaptionValueE,
     "Value",
     res::kIdSliderSigmaE,
     kHandSetSigma,
     {res::kIdRadioNormalE, res::kIdRadioLogNormalE}},
    {"NormalE",
     res::kIdRadioNormalE,
     res::kIdRadioConstantE,
     &ui::CMainDlg::distE,
     1,
     kESigma,
     true,
     res::kIdCaptionValueE,
     "Median",
     res::kIdSliderSigmaE,
     17,
     {res::kIdRadioConstantE, res::kIdRadioLogNormalE}},
    {"LogNormalE",
     res::kIdRadioLogNormalE,
     res::kIdRadioConstantE,
     &ui::CMainDlg::distE,
     2,
     kESigma,
     true,
     res::kIdCaptionValueE,
     "Median",
     res::kIdSliderSigmaE,
     17,
     {res::kIdRadioConstantE, res::kIdRadioNormalE}},
    {"ConstantRPrime",
     res::kIdRadioConstantRPrime,
     res::kIdRadioNormalRPrime,
     &ui::CMainDlg::distRPrime,
     0,
     kRPrimeLocationSigma,
     false,
     res::kIdCaptionMedianRPrime,
     "Median",
     res::kIdSliderSigmaRPrime,
     kHandSetSigma,
     {res::kIdRadioNormalRPrime, res::kIdRadioLogNormalRPrime}},
    {"NormalRPrime",
     res::kIdRadioNormalRPrime,
     res::kIdRadioConstantRPrime,
     &ui::CMainDlg::distRPrime,
     1,
     kRPrimeLocationSigma,
     true,
     res::kIdCaptionMedianRPrime,
     "Median",
     res::kIdSliderSigmaRPrime,
     17,
     {res::kIdRadioConstantRPrime, res::kIdRadioLogNormalRPrime}},
    {"LogNormalRPrime",
     res::kIdRadioLogNormalRPrime,
     res::kIdRadioConstantRPrime,
     &ui::CMainDlg::distRPrime,
     2,
     kRPrimeLocationSigma,
     true,
     res::kIdCaptionMedianRPrime,
     "Median",
     res::kIdSliderSigmaRPrime,
     17,
     {res::kIdRadioConstantRPrime, res::kIdRadioNormalRPrime}},
};

class RadioWork : public testing::TestWithParam<RadioCase> {
 protected:
  // Sanctions on so that R' takes clicks; the peer clicked first; Sigma set by hand.
  void Prepare(MainDialogHarness& harness) const {
    harness.Click(res::kIdCheckSanctions);
    harness.Click(GetParam().peerId);
    harness.Dialog().SetTrackbarPos(GetParam().sigmaId, kHandSetSigma, true);
  }
};

TEST_P(RadioWork, SetsTheKindAndSwitchesTheRows) {
  const RadioCase& c = GetParam();
  MainDialogHarness harness;
  Prepare(harness);
  const int runsBefore = harness.Runs();
  harness.Click(c.radioId);
  EXPECT_EQ(harness.Dialog().*c.kind, c.expectedKind);
  for (const int id : c.rows) {
    EXPECT_EQ(harness.Enabled(id), c.rowsEnabled) << "control " << id;
  }
  EXPECT_EQ(harness.Text(c.captionId), c.caption);
  EXPECT_EQ(harness.Runs() - runsBefore, 1);
}

TEST_P(RadioWork, ChecksOnlyItselfInItsGroup) {
  const RadioCase& c = GetParam();
  MainDialogHarness harness;
  Prepare(harness);
  harness.Click(c.radioId);
  EXPECT_TRUE(harness.Checked(c.radioId));
  for (const int other : c.otherRadios) {
    EXPECT_FALSE(harness.Checked(other)) << "radio " << other;
  }
}

TEST_P(RadioWork, PullsSigmaOnlyForNormalAndLogNormal) {
  const RadioCase& c = GetParam();
  MainDialogHarness harness;
  Prepare(harness);
  harness.Click(c.radioId);
  EXPECT_EQ(harness.Position(c.sigmaId), c.linkedSigma);
}

// Clicking the button that is already checked does its work again.
TEST_P(RadioWork, RepeatsItsWorkWhenClickedAgain) {
  const RadioCase& c = GetParam();
  MainDialogHarness harness;
  Prepare(harness);
  harness.Click(c.radioId);
  harness.Dialog().SetTrackbarPos(c.sigmaId, kHandSetSigma, true);
  harness.Dialog().EnableControl(c.rows.front(), !c.rowsEnabled);
  harness.Click(c.radioId);
  EXPECT_EQ(harness.Enabled(c.rows.front()), c.rowsEnabled);
  EXPECT_EQ(harness.Position(c.sigmaId), c.linkedSigma);
}

TEST_P(RadioWork, TheRunSeesTheNewKind) {
  const RadioCase& c = GetParam();
  MainDialogHarness harness;
  Prepare(harness);
  harness.Click(c.radioId);
  const model::RunArguments& run = harness.LastRun();
  const std::vector<int> kinds = {run.distR, run.distI, run.distT, run.distE, run.distRPrime};
  const std::vector<int> fields = {harness.Dialog().distR, harness.Dialog().distI,
                                   harness.Dialog().distT, harness.Dialog().distE,
                                   harness.Dialog().distRPrime};
  EXPECT_EQ(kinds, fields);
}

INSTANTIATE_TEST_SUITE_P(EveryRadioButton, RadioWork, testing::ValuesIn(kRadioCases),
                         test_support::CaseName());

// The four correlation rows after a sequence of clicks.
struct CorrelationCase {
  const char* name;
  std::vector<int> clicks;
  bool rRPrime;
  bool rI;
  bool rPrimeI;
  bool eT;
};

std::ostream& operator<<(std::ostream& out, const CorrelationCase& c) {
  return out << c.name;
}

constexpr int kSanctions = res::kIdCheckSanctions;

const std::vector<CorrelationCase> kCorrelationCases = {
    {"NothingNormal", {}, false, false, false, false},
    {"RAndRPrimeNormalWithSanctions",
     {kSanctions, res::kIdRadioNormalR, res::kIdRadioNormalRPrime},
     true,
     false,
     false,
     false},
    {"RAndRPrimeLogNormal",
     {kSanctions, res::kIdRadioLogNormalR, res::kIdRadioLogNormalRPrime},
     false,
     false,
     false,
     false},
    {"RNormalRPrimeLogNormal",
     {kSanctions, res::kIdRadioNormalR, res::kIdRadioLogNormalRPrime},
     false,
     false,
     false,
     false},
    {"RAndINormal", {res::kIdRadioNormalR, res::kIdRadioNormalI}, false, true, false, false},
    {"RNormalILogNormal",
     {res::kIdRadioNormalR, res::kIdRadioLogNormalI},
     false,
     false,
     false,
     false},
    {"RPrimeAndINormal",
     {kSanctions, res::kIdRadioNormalRPrime, res::kIdRadioNormalI},
     false,
     false,
     true,
     false},
    {"EAndTNormal", {res::kIdRadioNormalE, res::kIdRadioNormalT}, false, false, false, true},
    {"ELogNormalTNormal",
     {res::kIdRadioLogNormalE, res::kIdRadioNormalT},
     false,
     false,
     false,
     false},
    {"AllNormal",
     {kSanctions, res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT,
      res::kIdRadioNormalE, res::kIdRadioNormalRPrime},
     true,
     true,
     true,
     true},
    {"AllNormalThenSanctionsOff",
     {kSanctions, res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT,
      res::kIdRadioNormalE, res::kIdRadioNormalRPrime, kSanctions},
     false,
     true,
     false,
     true},
    {"AllNormalThenRConstant",
     {kSanctions, res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT,
      res::kIdRadioNormalE, res::kIdRadioNormalRPrime, res::kIdRadioConstantR},
     false,
     false,
     true,
     true},
    {"AllNormalThenSanctionsOffAndOn",
     {kSanctions, res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT,
      res::kIdRadioNormalE, res::kIdRadioNormalRPrime, kSanctions, kSanctions},
     true,
     true,
     true,
     true},
};

class CorrelationRules : public testing::TestWithParam<CorrelationCase> {};

TEST_P(CorrelationRules, EnableARowOnlyWhenBothSidesAreNormal) {
  const CorrelationCase& c = GetParam();
  MainDialogHarness harness;
  for (const int id : c.clicks) {
    harness.Click(id);
  }
  const std::vector<std::pair<Rows, bool>> rows = {
      {{res::kIdCaptionCorrRRPrime, res::kIdSliderCorrRRPrime, res::kIdReadoutCorrRRPrime},
       c.rRPrime},
      {{res::kIdCaptionCorrRI, res::kIdSliderCorrRI, res::kIdReadoutCorrRI}, c.rI},
      {{res::kIdCaptionCorrRPrimeI, res::kIdSliderCorrRPrimeI, res::kIdReadoutCorrRPrimeI},
       c.rPrimeI},
      {{res::kIdCaptionCorrET, res::kIdSliderCorrET, res::kIdReadoutCorrET}, c.eT},
  };
  for (const auto& [row, enabled] : rows) {
    for (const int id : row) {
      EXPECT_EQ(harness.Enabled(id), enabled) << "control " << id;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CorrelationRules, testing::ValuesIn(kCorrelationCases),
                         test_support::CaseName());

const Rows kSanctionsOn = {res::kIdGroupSanctions,
                           res::kIdSliderJPrime,
                           res::kIdReadoutJPrime,
                           res::kIdCaptionJPrime,
                           res::kIdSliderM,
                           res::kIdReadoutM,
                           res::kIdCaptionM,
                           res::kIdGroupRPrime,
                           res::kIdRadioConstantRPrime,
                           res::kIdRadioNormalRPrime,
                           res::kIdRadioLogNormalRPrime,
                           res::kIdCaptionCountRPrime,
                           res::kIdSliderCountRPrime,
                           res::kIdReadoutCountRPrime};

TEST(SanctionsRule, SwitchingOnEnablesTheGroupButNotTheConstantRPrimeRows) {
  MainDialogHarness harness;
  harness.Click(kSanctions);
  EXPECT_TRUE(harness.Dialog().sanctionsEnabled);
  EXPECT_EQ(harness.LastRun().sanctionsOn, 1);
  for (const int id : kSanctionsOn) {
    EXPECT_TRUE(harness.Enabled(id)) << "control " << id;
  }
  for (const int id : kRPrimeLocationSigma) {
    EXPECT_FALSE(harness.Enabled(id)) << "control " << id;
  }
}

TEST(SanctionsRule, SwitchingOffDisablesTheGroupAndTheRowsOfRPrime) {
  MainDialogHarness harness;
  for (const int id : {kSanctions, res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT,
                       res::kIdRadioNormalE, res::kIdRadioNormalRPrime}) {
    harness.Click(id);
  }
  harness.Click(kSanctions);
  EXPECT_FALSE(harness.Dialog().sanctionsEnabled);
  EXPECT_EQ(harness.LastRun().sanctionsOn, 0);
  Rows off = kSanctionsOn;
  off.insert(off.end(), kRPrimeLocationSigma.begin(), kRPrimeLocationSigma.end());
  off.insert(off.end(),
             {res::kIdCaptionCorrRRPrime, res::kIdSliderCorrRRPrime, res::kIdReadoutCorrRRPrime,
              res::kIdCaptionCorrRPrimeI, res::kIdSliderCorrRPrimeI, res::kIdReadoutCorrRPrimeI});
  for (const int id : off) {
    EXPECT_FALSE(harness.Enabled(id)) << "control " << id;
  }
  // R & I and E & T stay as their kinds decide.
  for (const int id : {res::kIdCaptionCorrRI, res::kIdSliderCorrRI, res::kIdReadoutCorrRI,
                       res::kIdCaptionCorrET, res::kIdSliderCorrET, res::kIdReadoutCorrET}) {
    EXPECT_TRUE(harness.Enabled(id)) << "control " << id;
  }
}

// Switching sanctions back on gives the R' location and sigma rows back when
// R' is Normal or Log-Normal.
struct ReEnableCase {
  const char* name;
  int rPrimeRadio;
  bool rowsEnabled;
};

std::ostream& operator<<(std::ostream& out, const ReEnableCase& c) {
  return out << c.name;
}

class SanctionsBackOn : public testing::TestWithParam<ReEnableCase> {};

TEST_P(SanctionsBackOn, RestoresTheRPrimeRowsFromItsKind) {
  MainDialogHarness harness;
  harness.Click(kSanctions);
  harness.Click(GetParam().rPrimeRadio);
  harness.Click(kSanctions);
  harness.Click(kSanctions);
  for (const int id : kRPrimeLocationSigma) {
    EXPECT_EQ(harness.Enabled(id), GetParam().rowsEnabled) << "control " << id;
  }
  EXPECT_TRUE(harness.Checked(GetParam().rPrimeRadio));
}

INSTANTIATE_TEST_SUITE_P(
    RPrimeKinds, SanctionsBackOn,
    testing::Values(ReEnableCase{"Constant", res::kIdRadioConstantRPrime, false},
                    ReEnableCase{"Normal", res::kIdRadioNormalRPrime, true},
                    ReEnableCase{"LogNormal", res::kIdRadioLogNormalRPrime, true}),
    test_support::CaseName());

TEST(Commands, NotificationsOfOtherControlsOnlyRunTheClosingSteps) {
  MainDialogHarness harness;
  harness.Dialog().EnableControl(res::kIdSliderCorrRRPrime, true);
  const int runsBefore = harness.Runs();
  harness.Dialog().SetControlText(res::kIdEditAgentCount, "100");
  // Update and change: two commands, each with its own run.
  EXPECT_EQ(harness.Runs() - runsBefore, 2);
  EXPECT_FALSE(harness.Enabled(res::kIdSliderCorrRRPrime));
  EXPECT_EQ(harness.Dialog().distR, 0);
}

}  // namespace
}  // namespace ui_test
