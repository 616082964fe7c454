#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <vector>

#include "platform/dialog.h"

namespace platform_test {

using platform::ControlKind;
using platform::ControlTemplate;

// Control ids of the test template.
inline constexpr int kApplyId = 10;
inline constexpr int kOuterRadioA = 20;
inline constexpr int kOuterRadioB = 21;
inline constexpr int kInnerBoxId = 30;
inline constexpr int kInnerRadioA = 31;
inline constexpr int kInnerRadioB = 32;
inline constexpr int kLooseRadioA = 40;
inline constexpr int kLooseRadioB = 41;
inline constexpr int kCheckBoxId = 50;
inline constexpr int kLeftTextCheckBoxId = 51;
inline constexpr int kAmpersandLabelId = 60;
inline constexpr int kTrackbarId = 70;
inline constexpr int kBuddyLabelId = 71;
inline constexpr int kReadOnlyEditId = 80;
inline constexpr int kEditId = 81;
inline constexpr int kWideTrackbarId = 90;
// Icon 901: 32 x 32 in four coloured quadrants, plus a cyan 16 x 16 picture.
inline constexpr int kTestIconId = 901;
// Icon 903: one green 64 x 64 picture only.
inline constexpr int kLargeTestIconId = 903;
inline constexpr int kTestBitmapId = 902;
inline constexpr int kMissingResourceId = 999;

inline constexpr std::uint32_t kCountEdit =
    platform::kStyleReadOnly | platform::kStyleNumber | platform::kStyleBorder;

// Group boxes come before the controls inside them; "Inner" nests in "Outer".
inline constexpr std::array<ControlTemplate, 20> kTestControls = {{
    {platform::kIdOk, ControlKind::kDefPushButton, "OK", platform::kStyleTabStop, 145, 140, 50, 14},
    {platform::kIdCancel, ControlKind::kPushButton, "Cancel", platform::kStyleTabStop, 90, 140, 50,
     14},
    {kApplyId, ControlKind::kPushButton, "Apply", platform::kStyleTabStop, 35, 140, 50, 14},
    {platform::kUnaddressedId, ControlKind::kGroupBox, "Outer", 0, 5, 5, 120, 100},
    {kOuterRadioA, ControlKind::kRadioButton, "Outer A", platform::kStyleAlignRight, 10, 15, 50,
     10},
    {kOuterRadioB, ControlKind::kRadioButton, "Outer B", 0, 10, 27, 50, 10},
    {kInnerBoxId, ControlKind::kGroupBox, "Inner", 0, 10, 40, 100, 50},
    {kInnerRadioA, ControlKind::kRadioButton, "Inner A", 0, 15, 52, 60, 10},
    {kInnerRadioB, ControlKind::kRadioButton, "Inner B", 0, 15, 64, 60, 10},
    {kLooseRadioA, ControlKind::kRadioButton, "Loose A", 0, 130, 5, 60, 10},
    {kLooseRadioB, ControlKind::kRadioButton, "Loose B", 0, 130, 17, 60, 10},
    {kCheckBoxId, ControlKind::kCheckBox, "Show", 0, 130, 30, 60, 10},
    {kLeftTextCheckBoxId, ControlKind::kCheckBox, "", platform::kStyleLeftText, 130, 42, 16, 8},
    {kAmpersandLabelId, ControlKind::kLabel, "R && R'", 0, 130, 55, 40, 8},
    {kTrackbarId, ControlKind::kTrackbar, "", 0, 130, 70, 41, 8},
    {kBuddyLabelId, ControlKind::kLabel, "0.00", 0, 175, 68, 20, 8},
    {kReadOnlyEditId, ControlKind::kEdit, "", kCountEdit, 130, 90, 40, 12},
    {kEditId, ControlKind::kEdit, "", platform::kStyleBorder, 130, 105, 40, 12},
    {platform::kUnaddressedId, ControlKind::kBitmap, "", platform::kStyleBorder, 5, 110, 30, 15,
     kTestBitmapId},
    {kWideTrackbarId, ControlKind::kTrackbar, "", 0, 40, 110, 80, 12},
}};

inline constexpr platform::DialogTemplate kTestTemplate = {
    7, "Test", 200, 160, "MS Shell Dlg", 8, kTestControls};

// The size of the main dialog, without controls.
inline constexpr platform::DialogTemplate kMainSizeTemplate = {
    102, "Corvellan", 552, 382, "MS Shell Dlg", 8, {}};

struct ScrollEvent {
  int code;
  int position;
  int controlId;
  friend bool operator==(const ScrollEvent&, const ScrollEvent&) = default;
};
std::ostream& operator<<(std::ostream& out, const ScrollEvent& event);

// A dialog that records what the platform hands it. Its OnCommand does what
// the real dialogs do: the framework's handling first, then closing steps
// that must run once for every command, OK and Cancel included.
class RecordingDialog : public platform::Dialog {
 public:
  // Paints of the dialog's window so far.
  int PaintCount() const { return paints_; }

  explicit RecordingDialog(const platform::DialogTemplate& dialogTemplate = kTestTemplate)
      : Dialog(dialogTemplate) {}

  std::vector<std::uint32_t> commands;
  std::vector<ScrollEvent> scrolls;
  int initCount = 0;
  int closingSteps = 0;
  // Whether the window still existed and was visible at each closing step.
  std::vector<bool> windowAliveAtClosing;

  using Dialog::MapClicked;
  using Dialog::MapCommand;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(std::uint32_t commandWord) override;
  void OnHScroll(int code, int position, int controlId) override;
  // Counts the paint; subclasses that paint call it first.
  void OnPaint(platform::PaintContext& context) override;

 private:
  int paints_ = 0;
};

}  // namespace platform_test
