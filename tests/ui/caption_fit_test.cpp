// Every caption of both dialogs fits its control, measured with the font the
// control actually draws in: labels in their rectangle (wrapped where they
// wrap), radio buttons and check boxes beside their box, group box titles
// within the frame, push buttons within their margins.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <climits>
#include <string>
#include <vector>

#include "platform/button_face.h"
#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/main_dialog_harness.h"
#include "ui/slope_dialog.h"

namespace ui_test {
namespace {

struct Misfit {
  std::string caption;
  int needed;     // pixels the text takes
  int available;  // pixels the control gives it
};

std::string Describe(const std::vector<Misfit>& misfits) {
  std::string text;
  for (const Misfit& m : misfits) {
    text += "\n  \"" + m.caption + "\" needs " + std::to_string(m.needed) + " px of " +
            std::to_string(m.available);
  }
  return text;
}

// Width the text of a label takes when wrapped at the label's width, and the
// height its lines take, against what the label has.
void MeasureLabel(const QLabel& label, std::vector<Misfit>& misfits) {
  if (label.text().isEmpty() || !label.pixmap().isNull()) return;
  const QRect room = label.contentsRect();
  const QRect needed = label.fontMetrics().boundingRect(
      QRect(0, 0, room.width(), INT_MAX), Qt::TextWordWrap | label.alignment(), label.text());
  if (needed.width() > room.width()) {
    misfits.push_back({label.text().toStdString(), needed.width(), room.width()});
  } else if (needed.height() > room.height()) {
    misfits.push_back({label.text().toStdString() + " (lines)", needed.height(), room.height()});
  }
}

// The box and the gap come first; the text has the rest of the width.
void MeasureBoxButton(const QAbstractButton& button, std::vector<Misfit>& misfits) {
  if (button.text().isEmpty()) return;
  const int available = button.width() - platform::kIndicatorSide - platform::kIndicatorTextGap;
  const int needed = button.fontMetrics().horizontalAdvance(button.text());
  if (needed > available) misfits.push_back({button.text().toStdString(), needed, available});
}

void MeasurePushButton(const QPushButton& button, std::vector<Misfit>& misfits) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QRect contents =
      button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  const int needed = button.fontMetrics().horizontalAdvance(button.text());
  if (needed > contents.width()) {
    misfits.push_back({button.text().toStdString(), needed, contents.width()});
  }
}

// The style places the title; it must end inside the frame.
void MeasureGroupBox(const QGroupBox& box, std::vector<Misfit>& misfits) {
  if (box.title().isEmpty()) return;
  QStyleOptionGroupBox option;
  option.initFrom(&box);
  option.text = box.title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect title =
      box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
  const int needed = title.left() + box.fontMetrics().horizontalAdvance(box.title());
  if (needed > box.width()) misfits.push_back({box.title().toStdString(), needed, box.width()});
}

std::vector<Misfit> Misfits(const QWidget& window) {
  std::vector<Misfit> misfits;
  for (const QWidget* child : window.findChildren<QWidget*>()) {
    if (const auto* label = qobject_cast<const QLabel*>(child)) {
      MeasureLabel(*label, misfits);
    } else if (const auto* push = qobject_cast<const QPushButton*>(child)) {
      MeasurePushButton(*push, misfits);
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(child)) {
      MeasureBoxButton(*button, misfits);
    } else if (const auto* box = qobject_cast<const QGroupBox*>(child)) {
      MeasureGroupBox(*box, misfits);
    }
  }
  return misfits;
}

// Captions change with the distributions ("Value" becomes "Median" for I, T
// and E): each one is measured in every state that shows it, not only in the
// start-up state.
struct CaptionState {
  const char* name;
  std::vector<int> clicks;  // after sanctions are switched on
};

const CaptionState kCaptionStates[] = {
    {"AtStartUp", {}},
    {"EveryAttributeNormal",
     {res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT, res::kIdRadioNormalE,
      res::kIdRadioNormalRPrime}},
    {"EveryAttributeLogNormal",
     {res::kIdRadioLogNormalR, res::kIdRadioLogNormalI, res::kIdRadioLogNormalT,
      res::kIdRadioLogNormalE, res::kIdRadioLogNormalRPrime}},
};

class CaptionFitInState : public testing::TestWithParam<CaptionState> {};

TEST_P(CaptionFitInState, EveryCaptionOfTheMainDialogFits) {
  MainDialogHarness harness;
  if (!GetParam().clicks.empty()) EnableRPrime(harness);
  for (const int id : GetParam().clicks) harness.Click(id);
  const QWidget& window = *harness.Dialog().Window();
  ASSERT_GT(window.findChildren<QAbstractButton*>().size(), 20);
  const std::vector<Misfit> misfits = Misfits(window);
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);
}

INSTANTIATE_TEST_SUITE_P(States, CaptionFitInState, testing::ValuesIn(kCaptionStates),
                         test_support::CaseName());

TEST(CaptionFit, EveryCaptionOfTheSlopeDialogFits) {
  MessageRecorder messages;
  ui::CAdvDlg dialog;
  dialog.Create();
  const std::vector<Misfit> misfits = Misfits(*dialog.Window());
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);
}

}  // namespace
}  // namespace ui_test
