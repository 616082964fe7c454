#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QToolTip>
#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "batch/batch_output.h"
#include "batch/replicate_summary.h"
#include "cli/runner.h"
#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "run_description/rerun_command.h"
#include "tests/support/case_name.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "ui/graph_view.h"

namespace ui_test {
namespace {

constexpr std::string_view kBandItem = "Population Band";
constexpr std::string_view kKeepSeedItem = "Keep This Seed";
constexpr int kBandWaitMs = 10'000;

// The statistics the band of the run on screen must hold.
std::vector<batch::SummaryStatistics> ExpectedBand(const ui::CMainDlg& dialog, int populations) {
  const std::atomic<bool> stop{false};
  const ui::RunOnScreen& run = *dialog.ShownRun();
  return *batch::SummariseReplicates(
      {run.arguments, run.seed, static_cast<std::uint64_t>(populations), 1}, stop);
}

bool WaitForBand(const ui::CMainDlg& dialog) {
  return QTest::qWaitFor([&dialog] { return !dialog.Band().Current().empty(); }, kBandWaitMs);
}

bool SameStatistics(const std::vector<batch::SummaryStatistics>& a,
                    const std::vector<batch::SummaryStatistics>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (const batch::SummaryColumn& column : batch::kSummaryColumns) {
      const double x = a[i].*column.member;
      const double y = b[i].*column.member;
      if (!(x == y || (x != x && y != y))) return false;
    }
  }
  return true;
}

struct BandCase {
  const char* name;
  std::string_view sizeItem;
  int populations;
};

const BandCase kBandCases[] = {
    {"Eight", "Band of 8 Populations", 8},
    {"ThirtyTwo", "Band of 32 Populations", 32},
    {"HundredTwentyEight", "Band of 128 Populations", 128},
};

class PopulationBand : public testing::TestWithParam<BandCase> {
 protected:
  void SetUp() override {
    harness_.Click(res::kIdRadioNormalR);
    harness_.Click(res::kIdRadioNormalI);
  }
  MainDialogHarness harness_;
  MenuChooser chooser_;
};

TEST_P(PopulationBand, HoldsTheReplicateQuantilesOfTheRunOnScreen) {
  const BandCase& c = GetParam();
  ChooseFromGraphMenu(harness_, chooser_, c.sizeItem);
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  ASSERT_TRUE(harness_.Dialog().Band().Shown());
  EXPECT_EQ(harness_.Dialog().Band().Populations(), c.populations);
  ASSERT_TRUE(WaitForBand(harness_.Dialog()));
  EXPECT_TRUE(SameStatistics(harness_.Dialog().Band().Current(),
                             ExpectedBand(harness_.Dialog(), c.populations)));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PopulationBand, testing::ValuesIn(kBandCases),
                         test_support::CaseName());

class BandOnScreen : public PopulationBand {};

// After a quick series of moves only the last position's band shows.
TEST_F(BandOnScreen, FollowsTheLastMoveOnly) {
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  harness_.Keys(res::kIdSliderJ, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left,
                                  Qt::Key_Right, Qt::Key_Right});
  ASSERT_TRUE(WaitForBand(harness_.Dialog()));
  // Any stale delivery still queued would land now.
  QTest::qWait(50);
  EXPECT_TRUE(SameStatistics(harness_.Dialog().Band().Current(),
                             ExpectedBand(harness_.Dialog(), ui::kDefaultBandPopulations)));
}

TEST_F(BandOnScreen, TintsThePlotBeneathTheCurvesAndGoesAwayWhenSwitchedOff) {
  const QImage without = GrabGraphBand(harness_);
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  ASSERT_TRUE(WaitForBand(harness_.Dialog()));
  const QImage with = GrabGraphBand(harness_);
  // The first-order curve (black, the only series ticked at start) stays on
  // top; the tint changes only what lies beneath it.
  const QRgb curve = qRgb(0, 0, 0);
  int tinted = 0;
  int curveCovered = 0;
  for (int y = 0; y < without.height(); ++y) {
    for (int x = 0; x < without.width(); ++x) {
      const QRgb before = without.pixel(x, y);
      if (before == with.pixel(x, y)) continue;
      ++(before == curve ? curveCovered : tinted);
    }
  }
  EXPECT_GT(tinted, 100);
  EXPECT_EQ(curveCovered, 0);
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  EXPECT_FALSE(harness_.Dialog().Band().Shown());
  EXPECT_TRUE(harness_.Dialog().Band().Current().empty());
  EXPECT_EQ(GrabGraphBand(harness_), without);
}

TEST_F(BandOnScreen, SaysSoWhenEveryPopulationIsTheSame) {
  harness_.Click(res::kIdRadioConstantR);
  harness_.Click(res::kIdRadioConstantI);
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  platform::DialogWindow* window = harness_.Dialog().Window();
  QHelpEvent event(QEvent::ToolTip, kInGraph, window->mapToGlobal(kInGraph));
  QApplication::sendEvent(window, &event);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_NE(QToolTip::text().toStdString().find("every\npopulation is the same"),
            std::string::npos);
}

// Channel sum: lower is darker.
int Lightness(QRgb pixel) {
  return qRed(pixel) + qGreen(pixel) + qBlue(pixel);
}

// A move keeps the last band on the plot, fainter, until the band of the new
// position is there. Delivery needs the event loop, so right after the key
// the new band cannot have arrived.
TEST_F(BandOnScreen, StaysFainterWhileTheNewOneIsComputed) {
  const QImage without = GrabGraphBand(harness_);
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  ASSERT_TRUE(WaitForBand(harness_.Dialog()));
  const QImage current = GrabGraphBand(harness_);

  harness_.Keys(res::kIdSliderJ, {Qt::Key_Right});
  ASSERT_TRUE(harness_.Dialog().Band().OutOfDate());
  EXPECT_TRUE(harness_.Dialog().Band().Current().empty());
  const QImage outOfDate = GrabGraphBand(harness_);
  int fainter = 0;
  int notFainter = 0;
  const QRgb white = qRgb(255, 255, 255);
  for (int y = 0; y < without.height(); ++y) {
    for (int x = 0; x < without.width(); ++x) {
      // Plot area tinted both times, clear of every curve.
      if (without.pixel(x, y) != white || current.pixel(x, y) == white ||
          outOfDate.pixel(x, y) == white || Lightness(current.pixel(x, y)) < 3 * 128 ||
          Lightness(outOfDate.pixel(x, y)) < 3 * 128) {
        continue;
      }
      ++(Lightness(outOfDate.pixel(x, y)) > Lightness(current.pixel(x, y)) ? fainter : notFainter);
    }
  }
  EXPECT_GT(fainter, 100);
  EXPECT_EQ(notFainter, 0);

  ASSERT_TRUE(WaitForBand(harness_.Dialog()));
  EXPECT_FALSE(harness_.Dialog().Band().OutOfDate());
}

TEST_F(BandOnScreen, OutOfDateGoesAwayWhenSwitchedOff) {
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  ASSERT_TRUE(WaitForBand(harness_.Dialog()));
  harness_.Keys(res::kIdSliderJ, {Qt::Key_Right});
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  EXPECT_FALSE(harness_.Dialog().Band().OutOfDate());
  QTest::qWait(50);
  EXPECT_TRUE(harness_.Dialog().Band().Current().empty());
}

std::string GraphToolTip(MainDialogHarness& harness) {
  platform::DialogWindow* window = harness.Dialog().Window();
  QHelpEvent event(QEvent::ToolTip, kInGraph, window->mapToGlobal(kInGraph));
  QApplication::sendEvent(window, &event);
  return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

// The wrapped lines joined again, as a shell reads them.
std::string Unwrapped(const std::string& text) {
  constexpr std::string_view kBreak = " \\\n  ";
  std::string joined;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(kBreak, from)) != std::string::npos;
       from = at + kBreak.size()) {
    joined.append(text, from, at - from).push_back(' ');
  }
  return joined.append(text, from);
}

// The tooltip's command prints exactly the band's quantiles.
TEST_F(BandOnScreen, ItsTooltipGivesThePopulationsAndTheCommandOfItsNumbers) {
  ChooseFromGraphMenu(harness_, chooser_, "Band of 8 Populations");
  ChooseFromGraphMenu(harness_, chooser_, kBandItem);
  ASSERT_TRUE(WaitForBand(harness_.Dialog()));
  const std::string tip = Unwrapped(GraphToolTip(harness_));
  EXPECT_NE(tip.find("of 8 populations"), std::string::npos) << tip;
  const ui::RunOnScreen& run = *harness_.Dialog().ShownRun();
  const std::string command =
      run::ShortRerunCommand(run.seed, run.arguments) + " --replicates 8 --summary";
  ASSERT_NE(tip.find(command), std::string::npos) << tip;

  std::istringstream words(command);
  std::vector<std::string> args;
  for (std::string word; words >> word;) args.push_back(word);
  args.erase(args.begin());
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();
  std::string expected;
  batch::AppendSummaryCsvHeader(expected);
  batch::AppendSummaryCsv(expected, {0, 8, run.seed}, run.arguments,
                          harness_.Dialog().Band().Current());
  EXPECT_EQ(out.str(), expected);
}

TEST_F(BandOnScreen, ItsTooltipSaysNothingOfABandSwitchedOff) {
  EXPECT_EQ(GraphToolTip(harness_).find("Population band"), std::string::npos);
}

// A clock that moves on by a second at every reading.
std::int32_t TickingClock() {
  static std::int32_t seconds = 1'000'000;
  return ++seconds;
}

TEST(KeptSeed, EveryRunTakesTheSeedOnScreenUntilReleased) {
  MainDialogHarness harness;
  MenuChooser chooser;
  // Without the kept seed every run would take a new seed from this clock.
  harness.Dialog().model.seedClock = TickingClock;
  const std::int32_t kept = harness.Dialog().ShownRun()->seed;
  ChooseFromGraphMenu(harness, chooser, kKeepSeedItem);
  EXPECT_TRUE(harness.Dialog().SeedKept());
  harness.Keys(res::kIdSliderJ, {Qt::Key_Right, Qt::Key_Right});
  EXPECT_EQ(harness.Dialog().ShownRun()->seed, kept);
  EXPECT_EQ(harness.Dialog().ShownRun()->arguments.paramJ, harness.LastRun().paramJ);
  ChooseFromGraphMenu(harness, chooser, kKeepSeedItem);
  EXPECT_FALSE(harness.Dialog().SeedKept());
  EXPECT_FALSE(harness.Dialog().model.fixedSeed.has_value());
  harness.Keys(res::kIdSliderJ, {Qt::Key_Right});
  EXPECT_NE(harness.Dialog().ShownRun()->seed, kept);
}

}  // namespace
}  // namespace ui_test
