#include "ui/pinned_runs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/runner.h"
#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "run_description/parameter_table.h"
#include "run_description/rerun_command.h"
#include "tests/support/case_name.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/temporary_current_directory.h"

namespace ui_test {
namespace {

constexpr std::string_view kPinItem = "Pin This Run";
constexpr std::string_view kRemoveAllItem = "Remove All Pins";

struct DifferenceCase {
  const char* name;
  void (*change)(model::RunArguments& pinned);
  std::int32_t pinnedSeed;
  std::string expected;
};

const DifferenceCase kDifferenceCases[] = {
    {"JAndSanctions",
     [](model::RunArguments& a) {
       a.paramJ = 0.3;
       a.sanctionsOn = 1;
     },
     7, "Pin 2: J 0.30 (now 0.50), Sanctions on (now off)"},
    {"KindAndCount",
     [](model::RunArguments& a) {
       a.sanctionsOn = 1;
       a.distRPrime = 2;
       a.requestedCountR = 35;
     },
     7, "Pin 2: Sanctions on (now off), R' Log-Normal (now Constant),\nR N 35 (now 100)"},
    {"OnlyTheSeed", [](model::RunArguments&) {}, 9,
     "Pin 2: the same parameters as now; seed 9 (now 7)"},
    // What the pin's own setting ignores is no difference.
    {"SigmaOfAConstant", [](model::RunArguments& a) { a.sigmaI = 0.4; }, 7,
     "Pin 2: the same parameters as now"},
    {"SigmaOfANormal",
     [](model::RunArguments& a) {
       a.distI = 1;
       a.sigmaI = 0.4;
     },
     7, "Pin 2: I Normal (now Constant), I Sigma 0.40 (now 0.20)"},
    {"RPrimeWithoutSanctions",
     [](model::RunArguments& a) {
       a.distRPrime = 2;
       a.paramM = 0.9;
     },
     7, "Pin 2: the same parameters as now"},
    {"CorrelationOfTwoNormals",
     [](model::RunArguments& a) {
       a.distE = 1;
       a.distT = 1;
       a.corrET = 0.5;
       a.corrRI = 0.5;
     },
     7, "Pin 2: T Normal (now Constant), E Normal (now Constant),\nE & T 0.50 (now 0.00)"},
};

class PinDifference : public testing::TestWithParam<DifferenceCase> {};

TEST_P(PinDifference, NamesWhatDiffersFromTheRunNow) {
  const DifferenceCase& c = GetParam();
  const ui::RunOnScreen now{7, run::DefaultRunArguments()};
  ui::PinnedRun pin{2, now, {}};
  pin.run.seed = c.pinnedSeed;
  c.change(pin.run.arguments);
  EXPECT_EQ(ui::PinDifference(pin, now), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PinDifference, testing::ValuesIn(kDifferenceCases),
                         test_support::CaseName());

struct MenuTextCase {
  const char* name;
  void (*change)(model::RunArguments& pinned);
  std::int32_t pinnedSeed;
  std::string expected;
};

const MenuTextCase kMenuTextCases[] = {
    {"OneDifference", [](model::RunArguments& a) { a.paramJ = 0.3; }, 7,
     "Remove Pin &2: J 0.30 (now 0.50)"},
    {"FirstTwoOfThree",
     [](model::RunArguments& a) {
       a.paramJ = 0.3;
       a.paramX = 0.1;
       a.sanctionsOn = 1;
     },
     7, "Remove Pin &2: J 0.30 (now 0.50), X 0.10 (now 0.00), \u2026"},
    {"AmpersandShownAsItIs",
     [](model::RunArguments& a) {
       a.distR = 1;
       a.distI = 1;
       a.corrRI = 0.5;
     },
     7, "Remove Pin &2: R Normal (now Constant), I Normal (now Constant), \u2026"},
    {"OnlyTheSeed", [](model::RunArguments&) {}, 9, "Remove Pin &2: seed 9"},
    {"NothingDiffers", [](model::RunArguments&) {}, 7, "Remove Pin &2: as now"},
};

class RemovePinMenuText : public testing::TestWithParam<MenuTextCase> {};

TEST_P(RemovePinMenuText, NamesThePinByItsFirstDifferences) {
  const MenuTextCase& c = GetParam();
  const ui::RunOnScreen now{7, run::DefaultRunArguments()};
  ui::PinnedRun pin{2, now, {}};
  pin.run.seed = c.pinnedSeed;
  c.change(pin.run.arguments);
  EXPECT_EQ(ui::RemovePinMenuText(pin, now), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemovePinMenuText, testing::ValuesIn(kMenuTextCases),
                         test_support::CaseName());

TEST(RemovePinMenuTexts, DoubleAnAmpersandOfADifference) {
  ui::RunOnScreen now{7, run::DefaultRunArguments()};
  ui::PinnedRun pin{3, now, {}};
  pin.run.arguments.distE = 1;
  pin.run.arguments.distT = 1;
  pin.run.arguments.corrET = 0.5;
  now.arguments.distE = 1;
  EXPECT_EQ(ui::RemovePinMenuText(pin, now),
            "Remove Pin &3: T Normal (now Constant), E && T 0.50 (now 0.00)");
}

std::vector<std::string> OfferedTexts(MainDialogHarness& harness, MenuChooser& chooser) {
  chooser.Choose({});
  RightClick(harness, kInGraph);
  return chooser.Offers().back().texts;
}

// An item of that text, or whose text begins with it and a colon.
bool Offers(const std::vector<std::string>& texts, std::string_view text) {
  return std::ranges::any_of(texts, [text](const std::string& offered) {
    return offered == text || offered.starts_with(std::string(text) + ':');
  });
}

std::string ToolTipAt(MainDialogHarness& harness, QPoint point) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->inherits("QTipLabel")) widget->hide();
  }
  platform::DialogWindow* window = harness.Dialog().Window();
  QHelpEvent event(QEvent::ToolTip, point, window->mapToGlobal(point));
  QApplication::sendEvent(window, &event);
  return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

class PinnedRunsInTheWindow : public testing::Test {
 protected:
  MainDialogHarness harness_;
  MenuChooser chooser_;
};

TEST_F(PinnedRunsInTheWindow, DrawsPinsBeneathTheLiveCurveAndRemovesThem) {
  const QImage without = GrabGraphBand(harness_);
  ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  harness_.Keys(res::kIdSliderJ, {Qt::Key_End});
  ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  ASSERT_EQ(harness_.Dialog().Pins().Pins().size(), 2U);
  const std::vector<std::string> texts = OfferedTexts(harness_, chooser_);
  EXPECT_TRUE(Offers(texts, "Remove Pin 1"));
  EXPECT_TRUE(Offers(texts, "Remove Pin 2"));
  EXPECT_NE(GrabGraphBand(harness_), without);

  ChooseFromGraphMenu(harness_, chooser_, "Remove Pin 1");
  ASSERT_EQ(harness_.Dialog().Pins().Pins().size(), 1U);
  EXPECT_EQ(harness_.Dialog().Pins().Pins().front().number, 2);
  ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  EXPECT_EQ(harness_.Dialog().Pins().Pins().back().number, 1);  // the free number again
  ChooseFromGraphMenu(harness_, chooser_, kRemoveAllItem);
  EXPECT_TRUE(harness_.Dialog().Pins().Empty());
}

TEST_F(PinnedRunsInTheWindow, LeaveNoTraceOnceRemoved) {
  harness_.Click(res::kIdCheckSecondOrderRate);
  harness_.Click(res::kIdCheckSanctions);
  const QImage before = GrabGraphBand(harness_);
  ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  ChooseFromGraphMenu(harness_, chooser_, kRemoveAllItem);
  EXPECT_EQ(GrabGraphBand(harness_), before);
}

TEST_F(PinnedRunsInTheWindow, KeepsAtMostSixAndGreysThePinItemThen) {
  for (std::size_t i = 0; i < ui::kMaxPins + 2; ++i) {
    ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  }
  EXPECT_EQ(harness_.Dialog().Pins().Pins().size(), ui::kMaxPins);
  RightClick(harness_, kInGraph);
  const OfferedMenu& offer = chooser_.Offers().back();
  for (std::size_t i = 0; i < offer.items.size(); ++i) {
    if (offer.texts[i] == kPinItem) {
      EXPECT_FALSE(offer.items[i].enabled);
    }
    if (offer.texts[i] == kRemoveAllItem) {
      EXPECT_TRUE(offer.items[i].enabled);
    }
  }
}

// Pinned at J 0.50, shown at J 1.00: over the pin's first-order curve the
// tooltip names the pin and the difference.
TEST_F(PinnedRunsInTheWindow, ItsCurveTellsWhatDiffersInATooltip) {
  harness_.Dialog().model.fixedSeed = 11;
  harness_.Keys(res::kIdSliderJ, {Qt::Key_Right});
  harness_.Keys(res::kIdSliderJ, {Qt::Key_Left});
  ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  const ui::PinnedRun pin = harness_.Dialog().Pins().Pins().front();
  harness_.Keys(res::kIdSliderJ, {Qt::Key_End});
  const ui::GraphGeometry g = ui::ComputeGraphGeometry(harness_.Dialog().GetClientRect());
  constexpr int kStep = 60;
  const float value =
      pin.values[static_cast<std::size_t>(model::kFirstOrderRate) * model::kStepCount + kStep];
  const QPoint over(g.plotLeft + kStep * g.xScale, *ui::PlotY(g, value));
  EXPECT_EQ(ToolTipAt(harness_, over), "Pin 1: J 0.50 (now 1.00)");
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// The step and the five series at the end of a row.
std::string RowTail(const std::string& row) {
  constexpr int kTailCells = 1 + model::kSeriesCount;
  std::size_t at = row.size();
  for (int i = 0; i < kTailCells; ++i) at = row.rfind(',', at - 1);
  return row.substr(at + 1);
}

// The live run is run 0, each pin the run of its number; every run's rows
// are what `corvellan-run` prints for that run's own seed and parameters.
TEST_F(PinnedRunsInTheWindow, SavesThePinsAndTheLiveRunAsBatchRows) {
  TemporaryCurrentDirectory directory;
  const std::filesystem::path file = directory.Path() / "pins.csv";
  ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  harness_.Click(res::kIdCheckSanctions);
  ChooseFromGraphMenu(harness_, chooser_, kPinItem);
  harness_.Keys(res::kIdSliderJ, {Qt::Key_Home});
  const SaveFileAnswer answer(file.string());
  ChooseFromGraphMenu(harness_, chooser_, "Save Pinned Runs as CSV\u2026");
  std::ifstream in(file);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::vector<std::string> lines = SplitLines(saved);
  ASSERT_EQ(lines.size(), 1 + 3 * static_cast<std::size_t>(model::kStepCount));
  EXPECT_TRUE(lines[0].starts_with("run,replicate,seed,paramJ,"));

  std::vector<ui::RunOnScreen> runs = {*harness_.Dialog().ShownRun()};
  for (const ui::PinnedRun& pin : harness_.Dialog().Pins().Pins()) runs.push_back(pin.run);
  for (std::size_t r = 0; r < runs.size(); ++r) {
    std::istringstream command(run::ShortRerunCommand(runs[r].seed, runs[r].arguments));
    std::vector<std::string> args;
    for (std::string word; command >> word;) args.push_back(word);
    args.erase(args.begin());
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();
    const std::vector<std::string> alone = SplitLines(out.str());
    for (int k = 0; k < model::kStepCount; ++k) {
      const std::string& row = lines[1 + r * model::kStepCount + static_cast<std::size_t>(k)];
      EXPECT_TRUE(row.starts_with(std::to_string(r) + ",0," + std::to_string(runs[r].seed) + ","))
          << row;
      EXPECT_EQ(RowTail(row), alone[2 + static_cast<std::size_t>(k)]) << "run " << r;
    }
  }
}

}  // namespace
}  // namespace ui_test
