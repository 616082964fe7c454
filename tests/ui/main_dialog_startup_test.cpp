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
#include "run_description/parameter_table.h"
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
    {res::kIdButtonExit, true},
    {res::kIdButtonSlopeParameter, true},
    {res::kIdButtonDumpData, true},
    // Distribution radio buttons of R, I, T and E.
    {res::kIdRadioConstantR, true},
    {res::kIdRadioNormalR, true},
    {res::kIdRadioLogNormalR, true},
    {res::kIdRadioConstantI, true},
    {res::kIdRadioNormalI, true},
    {res::kIdRadioLogNormalI, true},
    {res::kIdRadioConstantT, true},
    {res::kIdRadioNormalT, true},
    {res::kIdRadioLogNormalT, true},
    {res::kIdRadioConstantE, true},
    {res::kIdRadioNormalE, true},
    {res::kIdRadioLogNormalE, true},
    // R: the "N" row is usable, Median and Sigma are not.
    {res::kIdCaptionCountR, true},
    {res::kIdSliderCountR, true},
    {res::kIdReadoutCountR, true},
    {res::kIdCaptionMedianR, false},
    {res::kIdSliderMedianR, false},
    {res::kIdReadoutMedianR, false},
    {res::kIdCaptionSigmaR, false},
    {res::kIdSliderSigmaR, false},
    {res::kIdReadoutSigmaR, false},
    // I, T, E: Value rows usable, Sigma rows not.
    {res::kIdCaptionValueI, true},
    {res::kIdSliderValueI, true},
    {res::kIdReadoutValueI, true},
    {res::kIdCaptionSigmaI, false},
    {res::kIdSliderSigmaI, false},
    {res::kIdReadoutSigmaI, false},
    {res::kIdCaptionValueT, true},
    {res::kIdSliderValueT, true},
    {res::kIdReadoutValueT, true},
    {res::kIdCaptionSigmaT, false},
    {res::kIdSliderSigmaT, false},
    {res::kIdReadoutSigmaT, false},
    {res::kIdCaptionValueE, true},
    {res::kIdSliderValueE, true},
    {res::kIdReadoutValueE, true},
    {res::kIdCaptionSigmaE, false},
    {res::kIdSliderSigmaE, false},
    {res::kIdReadoutSigmaE, false},
    // Sanctions: the box is usable, everything it switches is not.
    {res::kIdCheckSanctions, true},
    {res::kIdGroupSanctions, false},
    {res::kIdGroupRPrime, false},
    {res::kIdRadioConstantRPrime, false},
    {res::kIdRadioNormalRPrime, false},
    {res::kIdRadioLogNormalRPrime, false},
    {res::kIdCaptionMedianRPrime, false},
    {res::kIdSliderMedianRPrime, false},
    {res::kIdReadoutMedianRPrime, false},
    {res::kIdCaptionSigmaRPrime, false},
    {res::kIdSliderSigmaRPrime, false},
    {res::kIdReadoutSigmaRPrime, false},
    {res::kIdCaptionCountRPrime, false},
    {res::kIdSliderCountRPrime, false},
    {res::kIdReadoutCountRPrime, false},
    {res::kIdCaptionJPrime, false},
    {res::kIdSliderJPrime, false},
    {res::kIdReadoutJPrime, false},
    {res::kIdCaptionM, false},
    {res::kIdSliderM, false},
    {res::kIdReadoutM, false},
    // Series check boxes.
    {res::kIdCheckFirstOrderRate, true},
    {res::kIdCheckSecondOrderRate, true},
    {res::kIdCheckMeanPropensityVolunteers, true},
    {res::kIdCheckMeanPropensityNonVolunteers, true},
    {res::kIdCheckMeanPropensity, true},
    // The fixed counts.
    {res::kIdEditAgentCount, false},
    {res::kIdEditIterations, false},
    // Correlation rows.
    {res::kIdCaptionCorrRRPrime, false},
    {res::kIdSliderCorrRRPrime, false},
    {res::kIdReadoutCorrRRPrime, false},
    {res::kIdCaptionCorrRI, false},
    {res::kIdSliderCorrRI, false},
    {res::kIdReadoutCorrRI, false},
    {res::kIdCaptionCorrRPrimeI, false},
    {res::kIdSliderCorrRPrimeI, false},
    {res::kIdReadoutCorrRPrimeI, false},
    {res::kIdCaptionCorrET, false},
    {res::kIdSliderCorrET, false},
    {res::kIdReadoutCorrET, false},
    // Bottom row: J and X.
    {res::kIdSliderJ, true},
    {res::kIdReadoutJ, true},
    {res::kIdSliderX, true},
    {res::kIdReadoutX, true},
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
    testing::Values(
        CheckCase{res::kIdRadioConstantR, true}, CheckCase{res::kIdRadioNormalR, false},
        CheckCase{res::kIdRadioLogNormalR, false}, CheckCase{res::kIdRadioConstantI, true},
        CheckCase{res::kIdRadioNormalI, false}, CheckCase{res::kIdRadioLogNormalI, false},
        CheckCase{res::kIdRadioConstantT, true}, CheckCase{res::kIdRadioNormalT, false},
        CheckCase{res::kIdRadioLogNormalT, false}, CheckCase{res::kIdRadioConstantE, true},
        CheckCase{res::kIdRadioNormalE, false}, CheckCase{res::kIdRadioLogNormalE, false},
        CheckCase{res::kIdRadioConstantRPrime, true}, CheckCase{res::kIdRadioNormalRPrime, false},
        CheckCase{res::kIdRadioLogNormalRPrime, false}, CheckCase{res::kIdCheckSanctions, false},
        CheckCase{res::kIdCheckFirstOrderRate, true},
        CheckCase{res::kIdCheckSecondOrderRate, false},
        CheckCase{res::kIdCheckMeanPropensityVolunteers, false},
        CheckCase{res::kIdCheckMeanPropensityNonVolunteers, false},
        CheckCase{res::kIdCheckMeanPropensity, false}));

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

INSTANTIATE_TEST_SUITE_P(
    CaptionsAndValueLabels, StartUpTexts,
    testing::Values(
        // Location captions: "Value" for I, T and E, "Median" for R and R'.
        TextCase{res::kIdCaptionValueI, "Value"}, TextCase{res::kIdCaptionValueT, "Value"},
        TextCase{res::kIdCaptionValueE, "Value"}, TextCase{res::kIdCaptionMedianR, "Median"},
        TextCase{res::kIdCaptionMedianRPrime, "Median"},
        // The fixed counts.
        TextCase{res::kIdEditAgentCount, "100"}, TextCase{res::kIdEditIterations, "100"},
        // Every value label at its trackbar's default.
        TextCase{res::kIdReadoutJ, "0.50"}, TextCase{res::kIdReadoutX, "0.00"},
        TextCase{res::kIdReadoutSigmaR, "0.15"}, TextCase{res::kIdReadoutMedianR, "0.50"},
        TextCase{res::kIdReadoutSigmaI, "0.20"}, TextCase{res::kIdReadoutValueI, "1.00"},
        TextCase{res::kIdReadoutSigmaT, "0.20"}, TextCase{res::kIdReadoutValueT, "0.50"},
        TextCase{res::kIdReadoutSigmaE, "0.20"}, TextCase{res::kIdReadoutValueE, "0.50"},
        TextCase{res::kIdReadoutJPrime, "0.50"}, TextCase{res::kIdReadoutM, "1.00"},
        TextCase{res::kIdReadoutSigmaRPrime, "0.15"}, TextCase{res::kIdReadoutMedianRPrime, "0.50"},
        TextCase{res::kIdReadoutCountR, "1.00"}, TextCase{res::kIdReadoutCountRPrime, "1.00"},
        TextCase{res::kIdReadoutCorrRRPrime, "0.00"}, TextCase{res::kIdReadoutCorrRI, "0.00"},
        TextCase{res::kIdReadoutCorrRPrimeI, "0.00"}, TextCase{res::kIdReadoutCorrET, "0.00"}));

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

// Every trackbar at its default, every kind Constant, sanctions off, 100
// agents: what corvellan-run takes when no option is given.
TEST(StartUp, TheFirstRealRunHasEveryDefault) {
  MainDialogHarness harness;
  EXPECT_EQ(harness.LastRun(), run::DefaultRunArguments());
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
