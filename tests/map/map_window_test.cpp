#include "map/map_window.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/distribution_kind.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace map {
namespace {

constexpr int kWaitMs = 60'000;
using Moves = std::vector<std::pair<std::size_t, std::size_t>>;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

batch::ResponseAxis Axis(const char* label, const char* name, int count, double step,
                         std::size_t current) {
  batch::ResponseAxis axis{label, *run::FindParameter(name), {}, current};
  for (int p = 0; p < count; ++p) axis.values.push_back(p * step);
  return axis;
}

// Axis indices in the context below.
constexpr std::size_t kJ = 0;
constexpr std::size_t kT = 1;
constexpr std::size_t kSigmaR = 2;
constexpr std::size_t kKindOfR = 3;

batch::ResponseContext Context(int distR) {
  batch::ResponseContext context;
  context.arguments = run::DefaultRunArguments();
  context.arguments.distR = distR;
  context.arguments.paramJ = 0.5;
  context.arguments.valueT = 0.25;
  context.seed = 77;
  context.axes = {
      Axis("J", "paramJ", 21, 0.05, 10),
      Axis("T", "valueT", 21, 0.05, 5),
      Axis("Sigma R", "sigmaR", 8, 0.05, 3),
      {"R distribution", *run::FindParameter("distR"), {0, 1, 2}, static_cast<std::size_t>(distR)}};
  context.lastMovedAxis = kJ;
  return context;
}

constexpr int kNormal = static_cast<int>(model::DistributionKind::Normal);
constexpr int kConstant = static_cast<int>(model::DistributionKind::Constant);

class MapWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ =
        std::make_unique<MapWindow>(nullptr, [this](Moves moves) { moves_.push_back(moves); });
    window_->ChooseReplicates(2);
  }

  bool WaitForWhole() {
    return QTest::qWaitFor([this] { return !window_->Computing() && window_->Plot().level.finest; },
                           kWaitMs);
  }

  std::unique_ptr<MapWindow> window_;
  std::vector<Moves> moves_;
};

TEST_F(MapWindowTest, RefinesToEveryPositionAndShowsWhatTheEngineGives) {
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(WaitForWhole());
  EXPECT_EQ(window_->LevelsShown(), 2);  // 11 x 11, then 21 x 21
  const batch::MapLevel& shown = window_->Plot().level;
  EXPECT_EQ(shown.xPositions.size(), 21u);
  EXPECT_EQ(shown.yPositions.size(), 21u);
  ASSERT_TRUE(window_->ShownRequest().has_value());
  EXPECT_EQ(window_->ShownRequest()->x.parameter, *run::FindParameter("paramJ"));
  EXPECT_EQ(window_->ShownRequest()->y.parameter, *run::FindParameter("valueT"));
  EXPECT_TRUE(window_->ShownRequest()->samePopulations);
  const std::atomic<bool> stop{false};
  const auto afresh = batch::ComputeMap(*window_->ShownRequest(), 1, stop, {});
  ASSERT_TRUE(afresh.has_value());
  ASSERT_EQ(afresh->cells.size(), shown.cells.size());
  for (std::size_t c = 0; c < shown.cells.size(); ++c) {
    EXPECT_EQ(shown.cells[c].median, afresh->cells[c].median) << c;
    EXPECT_EQ(shown.cells[c].q95, afresh->cells[c].q95) << c;
  }
}

struct OfferCase {
  const char* name;
  int distR;
  bool sigmaMarked;
};

const OfferCase kOffers[] = {
    {"SpreadOfNormalR", kNormal, false},
    {"SpreadOfConstantR", kConstant, true},
};

class MapWindowOffers : public MapWindowTest, public testing::WithParamInterface<OfferCase> {};

TEST_P(MapWindowOffers, TrackbarsOnlyMarkedWhenTheModelDoesNotReadThem) {
  window_->ShowFor(Context(GetParam().distR));
  const auto offered = window_->OfferedAxes();
  ASSERT_EQ(offered.size(), 3u);
  for (const auto& [axis, text] : offered) EXPECT_NE(axis, kKindOfR);
  EXPECT_EQ(offered[kSigmaR].second.find("no effect") != std::string::npos, GetParam().sigmaMarked);
  EXPECT_EQ(offered[kJ].second, "J");
}

INSTANTIATE_TEST_SUITE_P(Cases, MapWindowOffers, testing::ValuesIn(kOffers),
                         test_support::CaseName());

TEST_F(MapWindowTest, MovingOnTheTwoAxesOnlyMovesTheMarker) {
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(WaitForWhole());
  batch::ResponseContext moved = Context(kNormal);
  moved.axes[kJ].current = 4;
  moved.axes[kT].current = 17;
  moved.arguments.paramJ = 0.2;
  moved.arguments.valueT = 0.85;
  window_->Follow(moved);
  EXPECT_FALSE(window_->Computing());
  EXPECT_EQ(window_->Plot().xCurrent, 4u);
  EXPECT_EQ(window_->Plot().yCurrent, 17u);
  EXPECT_FALSE(window_->Plot().faded);
}

TEST_F(MapWindowTest, AnotherSettingFadesTheOldMapAndComputesANewOne) {
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(WaitForWhole());
  batch::ResponseContext changed = Context(kNormal);
  changed.arguments.medianR = 0.3;
  window_->Follow(changed);
  EXPECT_TRUE(window_->Computing());
  EXPECT_TRUE(window_->Plot().faded);
  ASSERT_TRUE(WaitForWhole());
  EXPECT_FALSE(window_->Plot().faded);
  EXPECT_EQ(window_->ShownRequest()->arguments.medianR, 0.3);
}

TEST_F(MapWindowTest, CancelKeepsTheLastWholeLevelUnfaded) {
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(WaitForWhole());
  window_->ChooseReplicates(50);
  EXPECT_TRUE(window_->Computing());
  window_->Cancel();
  EXPECT_FALSE(window_->Computing());
  EXPECT_FALSE(window_->Plot().faded);
  EXPECT_EQ(window_->Plot().level.xPositions.size(), 21u);
}

TEST_F(MapWindowTest, PickingACellMovesBothTrackbars) {
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(WaitForWhole());
  window_->PickCell({7, 12});
  ASSERT_EQ(moves_.size(), 1u);
  EXPECT_EQ(moves_[0], (Moves{{kJ, 7}, {kT, 12}}));
}

TEST_F(MapWindowTest, ClickingACellMovesBothTrackbars) {
  window_->resize(900, 700);
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(WaitForWhole());
  MapPlot* plot = window_->PlotWidget();
  const QPointF centre = CentreOf(plot->Data(), plot->size(), plot->font(), {3, 18});
  QTest::mouseClick(plot, Qt::LeftButton, {}, centre.toPoint());
  ASSERT_EQ(moves_.size(), 1u);
  EXPECT_EQ(moves_[0], (Moves{{kJ, 3}, {kT, 18}}));
}

TEST_F(MapWindowTest, TheArrowKeysAndReturnPickACell) {
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(WaitForWhole());
  MapPlot* plot = window_->PlotWidget();
  plot->setFocus();
  QTest::keyClick(plot, Qt::Key_Right);  // from the middle cell, 10 x 10
  QTest::keyClick(plot, Qt::Key_Up);
  QTest::keyClick(plot, Qt::Key_Up);
  QTest::keyClick(plot, Qt::Key_Return);
  ASSERT_EQ(moves_.size(), 1u);
  EXPECT_EQ(moves_[0], (Moves{{kJ, 11}, {kT, 12}}));
}

TEST_F(MapWindowTest, SavesItsNumbersAndPicturesInPixels) {
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(WaitForWhole());
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "corvellan-map-test";
  std::filesystem::create_directories(folder);
  EXPECT_EQ(window_->SaveCsv((folder / "m.csv").string()), "");
  EXPECT_EQ(ReadFile(folder / "m.csv"),
            batch::MapCsv(*window_->ShownRequest(), window_->Plot().level));
  EXPECT_EQ(window_->SavePng((folder / "m.png").string()), "");
  const QImage png(QString::fromStdString((folder / "m.png").string()));
  EXPECT_EQ(png.size(), QSize(760, 560));
  EXPECT_EQ(window_->SaveSvg((folder / "m.svg").string()), "");
  const std::string svg = ReadFile(folder / "m.svg");
  EXPECT_NE(svg.find("width=\"760px\" height=\"560px\""), std::string::npos);
  EXPECT_NE(svg.find(window_->font().family().toStdString()), std::string::npos);
  std::filesystem::remove_all(folder);
}

struct CloseCase {
  const char* name;
  QKeySequence keys;
};

const CloseCase kCloses[] = {
    {"Escape", QKeySequence(Qt::Key_Escape)},
    {"CtrlW", QKeySequence(Qt::ControlModifier | Qt::Key_W)},
};

class MapWindowCloses : public MapWindowTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(MapWindowCloses, ByKey) {
  window_->ShowFor(Context(kNormal));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  window_->activateWindow();
  QTest::keySequence(window_.get(), GetParam().keys);
  EXPECT_FALSE(window_->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, MapWindowCloses, testing::ValuesIn(kCloses),
                         test_support::CaseName());

}  // namespace
}  // namespace map
