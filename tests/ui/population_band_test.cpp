#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QToolTip>
#include <atomic>

#include "batch/replicate_summary.h"
#include "platform/dialog_window.h"
#include "res/control_ids.h"
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
  return QTest::qWaitFor([&dialog] { return !dialog.Band().empty(); }, kBandWaitMs);
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
  ASSERT_TRUE(harness_.Dialog().BandShown());
  EXPECT_EQ(harness_.Dialog().BandPopulations(), c.populations);
  ASSERT_TRUE(WaitForBand(harness_.Dialog()));
  EXPECT_TRUE(
      SameStatistics(harness_.Dialog().Band(), ExpectedBand(harness_.Dialog(), c.populations)));
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
  EXPECT_TRUE(SameStatistics(harness_.Dialog().Band(),
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
  EXPECT_FALSE(harness_.Dialog().BandShown());
  EXPECT_TRUE(harness_.Dialog().Band().empty());
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
