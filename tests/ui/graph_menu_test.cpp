// The graph's context menu: where it opens, what it offers, and that it
// neither runs the model nor changes the dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "platform/dialog_window.h"
#include "platform/mnemonic_text.h"
#include "res/control_ids.h"
#include "res/main_dialog_template.h"
#include "tests/support/case_name.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/modal_dialog_driver.h"
#include "tests/ui/temporary_current_directory.h"
#include "ui/graph_band.h"
#include "ui/pinned_runs.h"
#include "ui/slider_table.h"

namespace ui_test {
namespace {

const std::vector<std::string> kMenuTexts = {std::string(kSaveCsvItem),
                                             std::string(kSavePngItem),
                                             std::string(kSavePng2xItem),
                                             std::string(kSaveSvgItem),
                                             std::string(kCopyItem),
                                             std::string(kCopyRerunItem),
                                             "Population Band",
                                             "Band of 8 Populations",
                                             "Band of 32 Populations",
                                             "Band of 128 Populations",
                                             "Keep This Seed",
                                             "Pin This Run",
                                             "Remove All Pins",
                                             "Save Pinned Runs as CSV\u2026",
                                             "Open Series CSV\u2026",
                                             "Explore Parameter\u2026",
                                             "Map Two Parameters\u2026",
                                             "Sensitivity\u2026",
                                             "Calibrate to Data\u2026",
                                             "Show Population\u2026"};
// The analysis windows' items: greyed without the application that makes them.
const std::vector<std::string> kAnalysisTexts = {
    "Explore Parameter\u2026", "Map Two Parameters\u2026", "Sensitivity\u2026",
    "Calibrate to Data\u2026", "Show Population\u2026"};

// Nothing to remove or save before the first pin; no analysis window without
// the application that makes it.
bool GreyedAtStart(std::string_view text) {
  return text == "Remove All Pins" || text == "Save Pinned Runs as CSV\u2026" ||
         std::ranges::find(kAnalysisTexts, text) != kAnalysisTexts.end();
}

const int kBandBottom = ui::GraphBandBottom(res::kMainDialogTemplate);

TEST(GraphBand, EndsAtTheTopOfTheHighestControl) {
  // The R, I and T group boxes start 202 dialog units down: 328 pixels.
  EXPECT_EQ(kBandBottom, 328);
}

class GraphMenu : public testing::Test {
 protected:
  MainDialogHarness harness_;
  MenuChooser chooser_;
};

TEST_F(GraphMenu, ARightClickOnTheGraphOffersEveryItemWhereItWasClicked) {
  RightClick(harness_, kInGraph);
  ASSERT_EQ(chooser_.Offers().size(), 1U);
  const OfferedMenu& offer = chooser_.Offers().front();
  EXPECT_EQ(offer.texts, kMenuTexts);
  EXPECT_EQ(offer.at, kInGraph);
  for (std::size_t i = 0; i < offer.items.size(); ++i) {
    EXPECT_EQ(offer.items[i].enabled, !GreyedAtStart(offer.texts[i])) << offer.texts[i];
  }
}

// Letters of the items offered, each required; a repeated one reported.
void ExpectUniqueAccessLetters(const OfferedMenu& offer) {
  std::map<char, std::string> taken;
  for (const std::string& caption : offer.captions) {
    const std::optional<char> letter = platform::AccessLetter(caption);
    ASSERT_TRUE(letter.has_value()) << caption;
    const auto [at, fresh] = taken.emplace(*letter, caption);
    EXPECT_TRUE(fresh) << caption << " repeats " << at->second;
  }
}

// The fixed items are there in every state; the only others are the six
// "Remove Pin n", so the menu with every pin holds every item there can be.
// The pins differ from the run in an "R & I" correlation, whose ampersand
// must not become a second access letter.
TEST_F(GraphMenu, EveryItemHasAnAccessLetterOfItsOwnInEveryState) {
  RightClick(harness_, kInGraph);
  ExpectUniqueAccessLetters(chooser_.Offers().back());
  harness_.Click(res::kIdRadioNormalR);
  harness_.Click(res::kIdRadioNormalI);
  for (std::size_t pin = 0; pin < ui::kMaxPins; ++pin) {
    harness_.Keys(res::kIdSliderCorrRI, {Qt::Key_Right});
    ChooseFromGraphMenu(harness_, chooser_, "Pin This Run");
  }
  harness_.Keys(res::kIdSliderCorrRI, {Qt::Key_End});
  RightClick(harness_, kInGraph);
  const OfferedMenu& full = chooser_.Offers().back();
  ASSERT_EQ(full.captions.size(), kMenuTexts.size() + ui::kMaxPins);
  ExpectUniqueAccessLetters(full);
}

struct ClickCase {
  const char* name;
  QPoint point;
  bool offered;
};

std::ostream& operator<<(std::ostream& out, const ClickCase& c) {
  return out << c.name;
}

class MenuWhereClicked : public GraphMenu, public testing::WithParamInterface<ClickCase> {};

TEST_P(MenuWhereClicked, OpensOnlyOverTheBandAboveTheControls) {
  RightClick(harness_, GetParam().point);
  EXPECT_EQ(chooser_.Offers().size(), GetParam().offered ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(
    Points, MenuWhereClicked,
    testing::Values(ClickCase{"TopLeftCorner", {0, 0}, true},
                    ClickCase{"LastRowOfTheBand", {700, kBandBottom - 1}, true},
                    ClickCase{"FirstRowBelowTheBand", {700, kBandBottom}, false},
                    ClickCase{"OnTheControls", kBelowGraph, false},
                    ClickCase{"BottomRightCorner", {827, 620}, false}),
    test_support::CaseName());

TEST_F(GraphMenu, AClickOnATrackbarOffersNothing) {
  QWidget* trackbar = harness_.Control(res::kIdSliderJ);
  const QPoint centre = trackbar->mapTo(harness_.Dialog().Window(), trackbar->rect().center());
  RightClick(harness_, centre);
  EXPECT_TRUE(chooser_.Offers().empty());
}

struct KeyCase {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  bool offered;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
  return out << c.name;
}

class MenuFromKeyboard : public GraphMenu, public testing::WithParamInterface<KeyCase> {};

// Whatever control has the focus, the menu comes up over the graph.
TEST_P(MenuFromKeyboard, TheMenuKeyAndShiftF10OpenItOverTheGraph) {
  for (const int focusId : {res::kIdSliderJ, res::kIdCheckSanctions, res::kIdButtonExit}) {
    QWidget* control = harness_.Control(focusId);
    control->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(control, GetParam().key, GetParam().modifiers);
  }
  if (!GetParam().offered) {
    EXPECT_TRUE(chooser_.Offers().empty());
    return;
  }
  ASSERT_EQ(chooser_.Offers().size(), 3U);
  for (const OfferedMenu& offer : chooser_.Offers()) {
    EXPECT_EQ(offer.texts, kMenuTexts);
    EXPECT_LT(offer.at.y(), kBandBottom);
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, MenuFromKeyboard,
                         testing::Values(KeyCase{"MenuKey", Qt::Key_Menu, Qt::NoModifier, true},
                                         KeyCase{"ShiftF10", Qt::Key_F10, Qt::ShiftModifier, true},
                                         KeyCase{"F10Alone", Qt::Key_F10, Qt::NoModifier, false},
                                         KeyCase{"ControlF10", Qt::Key_F10, Qt::ControlModifier,
                                                 false}),
                         test_support::CaseName());

// Everything the user can see or change on the panel.
struct PanelState {
  std::vector<int> positions;
  std::vector<int> checks;
  std::vector<bool> enabled;
  std::vector<std::string> texts;
  friend bool operator==(const PanelState&, const PanelState&) = default;
};

PanelState ReadPanel(const MainDialogHarness& harness) {
  PanelState state;
  for (const ui::SliderSpec& row : ui::kSliderTable) {
    state.positions.push_back(harness.Position(row.trackbarId));
  }
  for (const platform::ControlTemplate& control : res::kMainDialogTemplate.controls) {
    if (control.id == platform::kUnaddressedId) {
      continue;
    }
    state.checks.push_back(harness.Dialog().GetCheck(control.id));
    state.enabled.push_back(harness.Enabled(control.id));
    state.texts.push_back(harness.Text(control.id));
  }
  return state;
}

struct ItemCase {
  const char* name;
  std::string_view text;  // empty: the menu is dismissed
};

std::ostream& operator<<(std::ostream& out, const ItemCase& c) {
  return out << c.name;
}

const std::vector<ItemCase> kItemCases = {
    {"SaveCsv", kSaveCsvItem}, {"SavePng", kSavePngItem}, {"SavePng2x", kSavePng2xItem},
    {"SaveSvg", kSaveSvgItem}, {"Copy", kCopyItem},       {"CopyRerunCommand", kCopyRerunItem},
    {"Dismissed", {}},
};

class EachItem : public GraphMenu, public testing::WithParamInterface<ItemCase> {
 protected:
  TemporaryCurrentDirectory directory_;
};

TEST_P(EachItem, RunsTheModelZeroTimesAndChangesNothingInTheDialog) {
  harness_.Click(res::kIdRadioNormalR);  // every run samples afresh
  const SaveFileAnswer answer((directory_.Path() / "out").string());
  const int runsBefore = harness_.Runs();
  const PanelState panelBefore = ReadPanel(harness_);
  const auto shownBefore = harness_.Dialog().ShownRun();
  const float firstPointBefore = harness_.Dialog().model.firstOrderRate[50];

  ChooseFromGraphMenu(harness_, chooser_, GetParam().text);

  EXPECT_EQ(harness_.Runs(), runsBefore);
  EXPECT_TRUE(ReadPanel(harness_) == panelBefore);
  ASSERT_TRUE(harness_.Dialog().ShownRun().has_value());
  EXPECT_EQ(harness_.Dialog().ShownRun()->seed, shownBefore->seed);
  EXPECT_EQ(harness_.Dialog().model.firstOrderRate[50], firstPointBefore);
  EXPECT_EQ(harness_.Dialog().Window()->windowTitle().toStdString(), "Corvellan");
  EXPECT_TRUE(harness_.Messages().empty());
}

TEST_P(EachItem, ACancelledSaveDialogWritesNothing) {
  const SaveFileAnswer cancel(std::nullopt);
  ChooseFromGraphMenu(harness_, chooser_, GetParam().text);
  EXPECT_TRUE(std::filesystem::is_empty(directory_.Path()));
  EXPECT_TRUE(harness_.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Items, EachItem, testing::ValuesIn(kItemCases), test_support::CaseName());

struct QuestionCase {
  const char* name;
  std::string_view text;
  std::string_view title;
  std::string_view nameEnding;
  std::string_view suffix;
};

std::ostream& operator<<(std::ostream& out, const QuestionCase& c) {
  return out << c.name;
}

class SaveQuestion : public GraphMenu, public testing::WithParamInterface<QuestionCase> {};

TEST_P(SaveQuestion, SuggestsANameWithTheSeedOfTheRunOnScreen) {
  const SaveFileAnswer cancel(std::nullopt);
  ChooseFromGraphMenu(harness_, chooser_, GetParam().text);
  ASSERT_EQ(cancel.Questions().size(), 1U);
  const SaveFileAnswer::Question& question = cancel.Questions().front();
  const std::string seed = std::to_string(harness_.Dialog().model.runSeed);
  EXPECT_EQ(question.title, GetParam().title);
  EXPECT_EQ(question.suggestedName, "corvellan-" + seed + std::string(GetParam().nameEnding));
  EXPECT_EQ(question.defaultSuffix, GetParam().suffix);
  EXPECT_NE(question.filter.find("*." + std::string(GetParam().suffix)), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Items, SaveQuestion,
    testing::Values(QuestionCase{"Csv", kSaveCsvItem, "Save Series as CSV", ".csv", "csv"},
                    QuestionCase{"Png", kSavePngItem, "Save Graph as PNG", ".png", "png"},
                    QuestionCase{"Png2x", kSavePng2xItem, "Save Graph as PNG (2x)", "@2x.png",
                                 "png"},
                    QuestionCase{"Svg", kSaveSvgItem, "Save Graph as SVG", ".svg", "svg"}),
    test_support::CaseName());

// The clipboard gets the tooltip's command on one line; run, it prints what
// "Save Series as CSV" saves.
TEST_F(GraphMenu, CopyRerunCommandCopiesTheCommandThatRepeatsTheRun) {
  TemporaryCurrentDirectory directory;
  harness_.Click(res::kIdRadioNormalE);
  harness_.Keys(res::kIdSliderValueE, {Qt::Key_PageDown, Qt::Key_Right});
  QGuiApplication::clipboard()->clear();
  ChooseFromGraphMenu(harness_, chooser_, kCopyRerunItem);
  const std::string command = QGuiApplication::clipboard()->text().toStdString();
  ASSERT_EQ(
      command.rfind(
          "corvellan-run --seed " + std::to_string(harness_.Dialog().ShownRun()->seed) + " ", 0),
      0U)
      << command;
  EXPECT_EQ(command.find('\n'), std::string::npos);
  EXPECT_NE(command.find("--distE 1"), std::string::npos) << command;

  const std::string path = (directory.Path() / "series.csv").string();
  const SaveFileAnswer answer(path);
  ChooseFromGraphMenu(harness_, chooser_, kSaveCsvItem);
  std::istringstream words(command);
  std::vector<std::string> args(std::istream_iterator<std::string>(words), {});
  args.erase(args.begin());  // the program's name
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();
  std::ifstream saved(path, std::ios::binary);
  EXPECT_EQ(out.str(), std::string(std::istreambuf_iterator<char>(saved), {}));
}

TEST_F(GraphMenu, CopyGraphAsksForNoFile) {
  const SaveFileAnswer cancel(std::nullopt);
  ChooseFromGraphMenu(harness_, chooser_, kCopyItem);
  EXPECT_TRUE(cancel.Questions().empty());
}

// Works on the real popup menu once it is open: re-queues itself until then.
void WhenPopupOpens(std::function<void(QMenu&)> work, int roundsLeft = kDialogWaitRounds) {
  QTimer::singleShot(0, [work, roundsLeft] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      work(*menu);
    } else if (roundsLeft > 0) {
      WhenPopupOpens(work, roundsLeft - 1);
    }
  });
}

std::string ActionCaption(const QAction* action) {
  return platform::ShownCaption(action->text().toStdString());
}

// The platform's own menu, without a chooser: a click on its last item copies the graph.
TEST(RealGraphMenu, ShowsTheItemsAndRunsTheOneClicked) {
  MainDialogHarness harness;
  QGuiApplication::clipboard()->clear();
  std::vector<std::string> shown;
  WhenPopupOpens([&shown](QMenu& menu) {
    for (const QAction* action : menu.actions()) {
      if (!action->isSeparator()) shown.push_back(ActionCaption(action));
    }
    const auto actions = menu.actions();
    QAction* copy = *std::ranges::find(actions, std::string(kCopyItem), ActionCaption);
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(copy).center());
  });
  const int runsBefore = harness.Runs();
  RightClick(harness, kInGraph);
  EXPECT_EQ(shown, kMenuTexts);
  EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
  EXPECT_EQ(harness.Runs(), runsBefore);
}

// The marked letter picks its item in the platform's own menu.
TEST(RealGraphMenu, AnAccessLetterRunsItsItem) {
  MainDialogHarness harness;
  QGuiApplication::clipboard()->clear();
  WhenPopupOpens([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_C); });
  RightClick(harness, kInGraph);
  EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
}

TEST(RealGraphMenu, EscapeClosesItWithoutDoingAnything) {
  MainDialogHarness harness;
  QGuiApplication::clipboard()->clear();
  bool opened = false;
  WhenPopupOpens([&opened](QMenu& menu) {
    opened = true;
    QTest::keyClick(&menu, Qt::Key_Escape);
  });
  const int runsBefore = harness.Runs();
  RightClick(harness, kInGraph);
  EXPECT_TRUE(opened);
  EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
  EXPECT_EQ(harness.Runs(), runsBefore);
}

}  // namespace
}  // namespace ui_test

namespace ui_test {
namespace {

struct AnalysisItemCase {
  const char* name;
  const char* text;
  ui::AnalysisWindow window;
};

class AnalysisItems : public testing::TestWithParam<AnalysisItemCase> {};

// Each analysis item opens its own window, and only that one, with the
// context of the run on screen.
TEST_P(AnalysisItems, OpenTheirOwnWindowWithTheRunOnScreen) {
  MainDialogHarness harness;
  MenuChooser chooser;
  std::vector<ui::AnalysisWindow> shown;
  std::vector<std::int32_t> seeds;
  for (std::size_t w = 0; w < ui::kAnalysisWindowCount; ++w) {
    const auto window = static_cast<ui::AnalysisWindow>(w);
    harness.Dialog().SetAnalysisHost(
        window, {[&shown, &seeds, window](const batch::ResponseContext& context) {
                   shown.push_back(window);
                   seeds.push_back(context.seed);
                 },
                 [] { return false; },
                 {}});
  }
  ChooseFromGraphMenu(harness, chooser, GetParam().text);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown.front(), GetParam().window);
  EXPECT_EQ(seeds.front(), harness.Dialog().ShownRun()->seed);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, AnalysisItems,
    testing::Values(
        AnalysisItemCase{"Response", "Explore Parameter\u2026", ui::AnalysisWindow::kResponse},
        AnalysisItemCase{"Map", "Map Two Parameters\u2026", ui::AnalysisWindow::kMap},
        AnalysisItemCase{"Sensitivity", "Sensitivity\u2026", ui::AnalysisWindow::kSensitivity},
        AnalysisItemCase{"Calibration", "Calibrate to Data\u2026",
                         ui::AnalysisWindow::kCalibration},
        AnalysisItemCase{"Population", "Show Population\u2026", ui::AnalysisWindow::kPopulation}),
    test_support::CaseName());

}  // namespace
}  // namespace ui_test
