// The state of every control of the main dialog once OnInitDialog has returned,
// and the runs start-up makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "res/main_dialog_template.h"
#include "tests/ui/main_dialog_harness.h"
#include "ui/slider_table.h"

namespace ui_test {
namespace {

struct ControlCase {
  int id;
  bool enabled;
};

std::ostream& operator<<(std::ostream& out, const ControlCase& c) {
  return out << c.id << (c.enabled ? " enabled" : " disabled");
}

// Every addressed control of template 102.
const std::vector<ControlCase> kStartUpStates = {
    // Buttons.
    {1, true},
    {1004, true},
    {1011, true},
    // Distribution radio buttons of R, I, T and E.
    {1027, true},
    {1028, true},
    {1029, true},
    {1039, true},
    {1040, true},
    {1041, true},
    {1056, true},
    {1057, true},
    {1058, true},
    {1074, true},
    {1075, true},
    {1076, true},
    // R: the "N" row is usable, Median and Sigma are not.
    {1089, true},
    {1032, true},
    {1090, true},
    {1063, false},
    {1062, false},
    {1064, false},
    {1036, false},
    {1030, false},
    {1043, false},
    // I, T, E: Value rows usable, Sigma rows not.
    {1066, true},
    {1065, true},
    {1067, true},
    {1037, false},
    {1042, false},
    {1044, false},
    {1069, true},
    {1068, true},
    {1070, true},
    {1060, false},
    {1059, false},
    {1061, false},
    {1081, true},
    {1080, true},
    {1082, true},
    {1078, false},
    {1077, false},
    {1079, false},
    // Sanctions: the box is usable, everything it switches is not.
    {1095, true},
    {1098, false},
    {1099, false},
    {1031, false},
    {1033, false},
    {1034, false},
    {1072, false},
    {1071, false},
    {1073, false},
    {1038, false},
    {1035, false},
    {1055, false},
    {1106, false},
    {1105, false},
    {1107, false},
    {1097, false},
    {1051, false},
    {1054, false},
    {1096, false},
    {1053, false},
    {1052, false},
    // Series check boxes.
    {1100, true},
    {1101, true},
    {1102, true},
    {1103, true},
    {1104, true},
    // The fixed counts.
    {1002, false},
    {1003, false},
    // Correlation rows.
    {1091, false},
    {1047, false},
    {1048, false},
    {1092, false},
    {1083, false},
    {1084, false},
    {1093, false},
    {1085, false},
    {1086, false},
    {1094, false},
    {1087, false},
    {1088, false},
    // Bottom row: J and X.
    {1045, true},
    {1050, true},
    {1049, true},
    {1046, true},
};

class StartUpEnabling : public testing::TestWithParam<ControlCase> {};

TEST_P(StartUpEnabling, MatchesTheStartUpTable) {
  MainDialogHarness harness;
  ASSERT_NE(harness.Control(GetParam().id), nullptr);
  EXPECT_EQ(harness.Enabled(GetParam().id), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(EveryControl, StartUpEnabling, testing::ValuesIn(kStartUpStates));

TEST(StartUpEnabling, TheTableCoversEveryAddressedControlOfTheTemplate) {
  for (const platform::ControlTemplate& control : res::kMainDialogTemplate.controls) {
    if (control.id == res::kIdUnaddressed) {
      continue;
    }
    const bool listed = std::ranges::any_of(
        kStartUpStates, [&](const ControlCase& c) { return c.id == control.id; });
    EXPECT_TRUE(listed) << "control " << control.id;
  }
}

struct CheckCase {
  int id;
  bool checked;
};

std::ostream& operator<<(std::ostream& out, const CheckCase& c) {
  return out << c.id << (c.checked ? " checked" : " clear");
}

class StartUpChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(StartUpChecks, MatchTheStartUpTable) {
  MainDialogHarness harness;
  EXPECT_EQ(harness.Checked(GetParam().id), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(
    EveryButton, StartUpChecks,
    testing::Values(CheckCase{1027, true}, CheckCase{1028, false}, CheckCase{1029, false},
                    CheckCase{1039, true}, CheckCase{1040, false}, CheckCase{1041, false},
                    CheckCase{1056, true}, CheckCase{1057, false}, CheckCase{1058, false},
                    CheckCase{1074, true}, CheckCase{1075, false}, CheckCase{1076, false},
                    CheckCase{1031, true}, CheckCase{1033, false}, CheckCase{1034, false},
                    CheckCase{1095, false}, CheckCase{1100, true}, CheckCase{1101, false},
                    CheckCase{1102, false}, CheckCase{1103, false}, CheckCase{1104, false}));

struct TextCase {
  int id;
  const char* text;
};

std::ostream& operator<<(std::ostream& out, const TextCase& c) {
  return out << c.id << " \"" << c.text << '"';
}

class StartUpTexts : public testing::TestWithParam<TextCase> {};

TEST_P(StartUpTexts, MatchTheDefaults) {
  MainDialogHarness harness;
  EXPECT_EQ(harness.Text(GetParam().id), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(CaptionsAndValueLabels, StartUpTexts,
                         testing::Values(
                             // Location captions: "Value" for I, T and E, "Median" for R and R'.
                             TextCase{1066, "Value"}, TextCase{1069, "Value"},
                             TextCase{1081, "Value"}, TextCase{1063, "Median"},
                             TextCase{1072, "Median"},
                             // The fixed counts.
                             TextCase{1002, "100"}, TextCase{1003, "100"},
                             // Every value label at its trackbar's default.
                             TextCase{1050, "0.50"}, TextCase{1046, "0.00"}, TextCase{1043, "0.15"},
                             TextCase{1064, "0.50"}, TextCase{1044, "0.20"}, TextCase{1067, "1.00"},
                             TextCase{1061, "0.20"}, TextCase{1070, "0.50"}, TextCase{1079, "0.20"},
                             TextCase{1082, "0.50"}, TextCase{1054, "0.50"}, TextCase{1052, "1.00"},
                             TextCase{1055, "0.15"}, TextCase{1073, "0.50"}, TextCase{1090, "1.00"},
                             TextCase{1107, "1.00"}, TextCase{1048, "0.00"}, TextCase{1084, "0.00"},
                             TextCase{1086, "0.00"}, TextCase{1088, "0.00"}));

TEST(StartUp, EveryTrackbarHasItsRangeDefaultAndBuddy) {
  MainDialogHarness harness;
  for (const ui::SliderSpec& row : ui::kSliderTable) {
    SCOPED_TRACE(row.trackbarId);
    EXPECT_EQ(harness.Dialog().TrackbarMin(row.trackbarId), row.rangeMin);
    EXPECT_EQ(harness.Dialog().TrackbarMax(row.trackbarId), row.rangeMax);
    EXPECT_EQ(harness.Position(row.trackbarId), row.defaultPos);
    EXPECT_EQ(harness.Dialog().TrackbarBuddy(row.trackbarId), row.labelId);
  }
}

TEST(StartUp, FieldsHoldConstantKindsAndAReadyPlot) {
  MainDialogHarness harness;
  const ui::CMainDlg& dialog = harness.Dialog();
  EXPECT_TRUE(dialog.plotReady);
  EXPECT_EQ(dialog.agentCount, 100);
  EXPECT_FALSE(dialog.sanctionsEnabled);
  EXPECT_EQ(dialog.appIcon, 128);
  for (const int kind :
       {dialog.distR, dialog.distI, dialog.distT, dialog.distE, dialog.distRPrime}) {
    EXPECT_EQ(kind, 0);
  }
}

TEST(StartUp, FiveRunsWithoutKindsComeBeforeTheFirstRealRun) {
  MainDialogHarness harness;
  // ResetSliders, then the update and change notifications of the two edits,
  // then the run at the end of initialisation.
  ASSERT_EQ(harness.Runs(), 6);
  for (int run = 0; run < 5; ++run) {
    SCOPED_TRACE(run);
    const model::RunArguments& arguments = harness.RunLog()[static_cast<std::size_t>(run)];
    for (const int kind : {arguments.distR, arguments.distI, arguments.distT, arguments.distE,
                           arguments.distRPrime}) {
      EXPECT_EQ(kind, ui::CMainDlg::kNotChosen);
    }
  }
  EXPECT_NE(harness.Dialog().model.firstOrderRate, nullptr);
}

double Value(int position) {
  return position * 0.01;
}

TEST(StartUp, TheFirstRealRunHasEveryDefault) {
  MainDialogHarness harness;
  const model::RunArguments& run = harness.LastRun();
  EXPECT_EQ(run.paramJ, Value(50));
  EXPECT_EQ(run.paramX, Value(0));
  EXPECT_EQ(run.distR, 0);
  EXPECT_EQ(run.medianR, Value(50));
  EXPECT_EQ(run.sigmaR, Value(15));
  EXPECT_EQ(run.distI, 0);
  EXPECT_EQ(run.valueI, Value(100));
  EXPECT_EQ(run.sigmaI, Value(20));
  EXPECT_EQ(run.distT, 0);
  EXPECT_EQ(run.valueT, Value(50));
  EXPECT_EQ(run.sigmaT, Value(20));
  EXPECT_EQ(run.distE, 0);
  EXPECT_EQ(run.valueE, Value(50));
  EXPECT_EQ(run.sigmaE, Value(20));
  EXPECT_EQ(run.sanctionsOn, 0);
  EXPECT_EQ(run.distRPrime, 0);
  EXPECT_EQ(run.medianRPrime, Value(50));
  EXPECT_EQ(run.sigmaRPrime, Value(15));
  EXPECT_EQ(run.paramJPrime, Value(50));
  EXPECT_EQ(run.paramM, Value(100));
  EXPECT_EQ(run.corrRRPrime, Value(0));
  EXPECT_EQ(run.corrRI, Value(0));
  EXPECT_EQ(run.corrRPrimeI, Value(0));
  EXPECT_EQ(run.corrET, Value(0));
  EXPECT_EQ(run.agentCount, 100);
  EXPECT_EQ(run.requestedCountR, 100);
  EXPECT_EQ(run.requestedCountRPrime, 100);
  EXPECT_EQ(run.reservedArg, 0);
  EXPECT_EQ(run.slopeM, 10);
}

TEST(StartUp, TheWindowIsTheMainDialog) {
  MainDialogHarness harness;
  EXPECT_EQ(harness.Dialog().Window()->windowTitle().toStdString(), "Corvellan");
  EXPECT_EQ(harness.Dialog().GetClientRect(), (platform::ClientRect{0, 0, 828, 621}));
  EXPECT_TRUE(harness.Messages().empty());
}

}  // namespace
}  // namespace ui_test

namespace ui_test {
namespace {

// The dialog never passes a rejected parameter; a run made on its model
// directly shows how a failed check reaches the user.
TEST(FailedCheckNotice, ShowsInTheModalMessageBox) {
  MainDialogHarness harness;
  model::RunArguments arguments = harness.LastRun();
  arguments.paramJ = 2.0;
  harness.Dialog().model.Run(arguments);
  ASSERT_EQ(harness.Messages().size(), 1U);
  EXPECT_EQ(harness.Messages().front().text, "Inappropriate parameter J");
  EXPECT_EQ(harness.Messages().front().icon, platform::MessageIcon::kNone);
}

}  // namespace
}  // namespace ui_test
