// The operations of CMainDlg that work through the slider table.
#include "ui/linked_sigma.h"
#include "ui/main_dialog.h"
#include "ui/slider_table.h"
#include "ui/value_label_text.h"

namespace ui {
namespace {

constexpr bool kRedraw = true;
constexpr bool kNoRedraw = false;
constexpr int kNoBuddy = 0;

}  // namespace

void CMainDlg::SetUpTrackbars() {
  for (const SliderSpec& row : kSliderTable) {
    SetTrackbarRange(row.trackbarId, row.rangeMin, row.rangeMax, kNoRedraw);
    SetTrackbarBuddy(row.trackbarId, row.labelId);
  }
}

// A product with the scale, not a division: the run sees exactly this value.
double CMainDlg::SliderValue(int trackbarId) const {
  const SliderSpec* row = FindSlider(trackbarId);
  if (row == nullptr) {
    return 0.0;
  }
  return TrackbarPos(trackbarId) * row->scale;
}

// The label is reached through the buddy link, which set-up made from the table.
void CMainDlg::UpdateValueLabel(int trackbarId) {
  const int buddyId = TrackbarBuddy(trackbarId);
  if (buddyId == kNoBuddy) {
    return;
  }
  const SliderSpec* row = FindSlider(trackbarId);
  if (row == nullptr) {
    return;
  }
  SetControlText(buddyId, ValueLabelText(SliderValue(trackbarId), row->decimals));
}

void CMainDlg::SetSliderValue(int trackbarId, float value) {
  for (const SliderSpec& row : kSliderTable) {
    if (row.trackbarId != trackbarId) {
      continue;
    }
    SetTrackbarPos(trackbarId, PositionForValue(value, row.scale), kRedraw);
    UpdateValueLabel(trackbarId);
  }
}

void CMainDlg::ResetSliders() {
  for (const SliderSpec& row : kSliderTable) {
    SetTrackbarPos(row.trackbarId, row.defaultPos, kRedraw);
    UpdateValueLabel(row.trackbarId);
  }
  Recompute();
}

// Moves the Sigma trackbar whatever the kind and whether it is enabled.
void CMainDlg::ApplyLinkedSigma(int trackbarId) {
  const float sigma = LinkedSigmaValue(SliderValue(trackbarId));
  for (const SliderSpec& row : kSliderTable) {
    if (row.trackbarId == trackbarId && row.linkedSigmaId != kNoLinkedSigma) {
      SetSliderValue(row.linkedSigmaId, sigma);
    }
  }
}

// Every notification runs the model, whatever its code; the position is read
// from the trackbar, not taken from the message.
void CMainDlg::OnHScroll(int code, int position, int controlId) {
  lastMovedTrackbar_ = controlId;
  UpdateValueLabel(controlId);
  ApplyLinkedSigma(controlId);
  Recompute();
  Dialog::OnHScroll(code, position, controlId);
}

}  // namespace ui
