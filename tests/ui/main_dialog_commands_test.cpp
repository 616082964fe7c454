// OnCommand of the main dialog: the work of each distribution radio button,
// the correlation rules and the sanctions rule.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/ui/main_dialog_harness.h"

namespace ui_test {
namespace {

using Rows = std::vector<int>;

const Rows kRLocationSigma = {1062, 1064, 1063, 1030, 1043, 1036};
const Rows kISigma = {1042, 1044, 1037};
const Rows kTSigma = {1059, 1061, 1060};
const Rows kESigma = {1077, 1079, 1078};
const Rows kRPrimeLocationSigma = {1071, 1073, 1072, 1035, 1055, 1038};

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
     1027,
     1028,
     &ui::CMainDlg::distR,
     0,
     kRLocationSigma,
     false,
     1063,
     "Median",
     1030,
     kHandSetSigma,
     {1028, 1029}},
    {"NormalR",
     1028,
     1027,
     &ui::CMainDlg::distR,
     1,
     kRLocationSigma,
     true,
     1063,
     "Median",
     1030,
     17,
     {1027, 1029}},
    {"LogNormalR",
     1029,
     1027,
     &ui::CMainDlg::distR,
     2,
     kRLocationSigma,
     true,
     1063,
     "Median",
     1030,
     17,
     {1027, 1028}},
    {"ConstantI",
     1039,
     1040,
     &ui::CMainDlg::distI,
     0,
     kISigma,
     false,
     1066,
     "Value",
     1042,
     kHandSetSigma,
     {1040, 1041}},
    // I's Value stands at 1.00: the linked Sigma is 0.
    {"NormalI",
     1040,
     1039,
     &ui::CMainDlg::distI,
     1,
     kISigma,
     true,
     1066,
     "Median",
     1042,
     0,
     {1039, 1041}},
    {"LogNormalI",
     1041,
     1039,
     &ui::CMainDlg::distI,
     2,
     kISigma,
     true,
     1066,
     "Median",
     1042,
     0,
     {1039, 1040}},
    {"ConstantT",
     1056,
     1057,
     &ui::CMainDlg::distT,
     0,
     kTSigma,
     false,
     1069,
     "Value",
     1059,
     kHandSetSigma,
     {1057, 1058}},
    {"NormalT",
     1057,
     1056,
     &ui::CMainDlg::distT,
     1,
     kTSigma,
     true,
     1069,
     "Median",
     1059,
     17,
     {1056, 1058}},
    {"LogNormalT",
     1058,
     1056,
     &ui::CMainDlg::distT,
     2,
     kTSigma,
     true,
     1069,
     "Median",
     1059,
     17,
     {1056, 1057}},
    {"ConstantE",
     1074,
     1075,
     &ui::CMainDlg::distE,
     0,
     kESigma,
     false,
     1081,
     "Value",
     1077,
     kHandSetSigma,
     {1075, 1076}},
    {"NormalE",
     1075,
     1074,
     &ui::CMainDlg::distE,
     1,
     kESigma,
     true,
     1081,
     "Median",
     1077,
     17,
     {1074, 1076}},
    {"LogNormalE",
     1076,
     1074,
     &ui::CMainDlg::distE,
     2,
     kESigma,
     true,
     1081,
     "Median",
     1077,
     17,
     {1074, 1075}},
    {"ConstantRPrime",
     1031,
     1033,
     &ui::CMainDlg::distRPrime,
     0,
     kRPrimeLocationSigma,
     false,
     1072,
     "Median",
     1035,
     kHandSetSigma,
     {1033, 1034}},
    {"NormalRPrime",
     1033,
     1031,
     &ui::CMainDlg::distRPrime,
     1,
     kRPrimeLocationSigma,
     true,
     1072,
     "Median",
     1035,
     17,
     {1031, 1034}},
    {"LogNormalRPrime",
     1034,
     1031,
     &ui::CMainDlg::distRPrime,
     2,
     kRPrimeLocationSigma,
     true,
     1072,
     "Median",
     1035,
     17,
     {1031, 1033}},
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
                         [](const testing::TestParamInfo<RadioCase>& row) {
                           return std::string(row.param.name);
                         });

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
    {"RAndRPrimeNormalWithSanctions", {kSanctions, 1028, 1033}, true, false, false, false},
    {"RAndRPrimeLogNormal", {kSanctions, 1029, 1034}, false, false, false, false},
    {"RNormalRPrimeLogNormal", {kSanctions, 1028, 1034}, false, false, false, false},
    {"RAndINormal", {1028, 1040}, false, true, false, false},
    {"RNormalILogNormal", {1028, 1041}, false, false, false, false},
    {"RPrimeAndINormal", {kSanctions, 1033, 1040}, false, false, true, false},
    {"EAndTNormal", {1075, 1057}, false, false, false, true},
    {"ELogNormalTNormal", {1076, 1057}, false, false, false, false},
    {"AllNormal", {kSanctions, 1028, 1040, 1057, 1075, 1033}, true, true, true, true},
    {"AllNormalThenSanctionsOff",
     {kSanctions, 1028, 1040, 1057, 1075, 1033, kSanctions},
     false,
     true,
     false,
     true},
    {"AllNormalThenRConstant",
     {kSanctions, 1028, 1040, 1057, 1075, 1033, 1027},
     false,
     false,
     true,
     true},
    {"AllNormalThenSanctionsOffAndOn",
     {kSanctions, 1028, 1040, 1057, 1075, 1033, kSanctions, kSanctions},
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
      {{1091, 1047, 1048}, c.rRPrime},
      {{1092, 1083, 1084}, c.rI},
      {{1093, 1085, 1086}, c.rPrimeI},
      {{1094, 1087, 1088}, c.eT},
  };
  for (const auto& [row, enabled] : rows) {
    for (const int id : row) {
      EXPECT_EQ(harness.Enabled(id), enabled) << "control " << id;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CorrelationRules, testing::ValuesIn(kCorrelationCases),
                         [](const testing::TestParamInfo<CorrelationCase>& row) {
                           return std::string(row.param.name);
                         });

const Rows kSanctionsOn = {1098, 1051, 1054, 1097, 1053, 1052, 1096,
                           1099, 1031, 1033, 1034, 1106, 1105, 1107};

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
  for (const int id : {kSanctions, 1028, 1040, 1057, 1075, 1033}) {
    harness.Click(id);
  }
  harness.Click(kSanctions);
  EXPECT_FALSE(harness.Dialog().sanctionsEnabled);
  EXPECT_EQ(harness.LastRun().sanctionsOn, 0);
  Rows off = kSanctionsOn;
  off.insert(off.end(), kRPrimeLocationSigma.begin(), kRPrimeLocationSigma.end());
  off.insert(off.end(), {1091, 1047, 1048, 1093, 1085, 1086});
  for (const int id : off) {
    EXPECT_FALSE(harness.Enabled(id)) << "control " << id;
  }
  // R & I and E & T stay as their kinds decide.
  for (const int id : {1092, 1083, 1084, 1094, 1087, 1088}) {
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

INSTANTIATE_TEST_SUITE_P(RPrimeKinds, SanctionsBackOn,
                         testing::Values(ReEnableCase{"Constant", 1031, false},
                                         ReEnableCase{"Normal", 1033, true},
                                         ReEnableCase{"LogNormal", 1034, true}),
                         [](const testing::TestParamInfo<ReEnableCase>& row) {
                           return std::string(row.param.name);
                         });

TEST(Commands, NotificationsOfOtherControlsOnlyRunTheClosingSteps) {
  MainDialogHarness harness;
  harness.Dialog().EnableControl(1047, true);
  const int runsBefore = harness.Runs();
  harness.Dialog().SetControlText(res::kIdEditAgentCount, "100");
  // Update and change: two commands, each with its own run.
  EXPECT_EQ(harness.Runs() - runsBefore, 2);
  EXPECT_FALSE(harness.Enabled(1047));
  EXPECT_EQ(harness.Dialog().distR, 0);
}

}  // namespace
}  // namespace ui_test
