#include "ui/slope_dialog.h"

#include <optional>
#include <string>

#include "platform/command_word.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/slope_dialog_template.h"
#include "ui/slope_exchange.h"
#include "ui/slope_preview.h"

namespace ui {

CAdvDlg::CAdvDlg() : Dialog(res::kSlopeDialogTemplate) {
  MapCommand(res::kIdSlopeEdit, platform::kEnChange, [this] { OnChangeSlope(); });
}

bool CAdvDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  SetControlText(res::kIdSlopeEdit, SlopeText(slopeValue));
  return true;
}

void CAdvDlg::OnChangeSlope() {
  Invalidate(true);
}

// The dialog stays open while the field does not hold a valid slope.
void CAdvDlg::OnOK() {
  if (ExchangeFromField()) {
    EndDialog(platform::kIdOk);
  }
}

bool CAdvDlg::ExchangeFromField() {
  const std::optional<double> scanned = ScanSlope(ControlText(res::kIdSlopeEdit));
  if (!scanned) {
    RejectField(std::string(kMessageNotANumber));
    return false;
  }
  slopeValue = *scanned;
  if (!SlopeInRange(slopeValue)) {
    RejectField(SlopeRangeMessage());
    return false;
  }
  return true;
}

void CAdvDlg::RejectField(const std::string& message) {
  platform::ShowMessageBox(message, platform::MessageIcon::kExclamation);
  FocusAndSelectAll(res::kIdSlopeEdit);
}

void CAdvDlg::OnPaint(platform::PaintContext& context) {
  SlopePreview(context, ControlText(res::kIdSlopeEdit));
}

}  // namespace ui
