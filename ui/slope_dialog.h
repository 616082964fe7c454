#pragma once

#include <string>

#include "platform/dialog.h"

namespace ui {

// The slope dialog: shows the slope of the logistic response in a read-only
// field with a preview of the curve. A preview only: the main dialog reads
// nothing back from it.
class CAdvDlg : public platform::Dialog {
 public:
  static constexpr double kDefaultSlope = 10.0;

  CAdvDlg();

  // Exchanged with the field: into it on initialisation, out of it on OK.
  double slopeValue = kDefaultSlope;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnPaint(platform::PaintContext& context) override;

  // Every change of the field's text: the preview is drawn for the new text.
  void OnChangeSlope();

 private:
  // Reads the field into slopeValue; false (after telling the user and
  // selecting the field) when the text is no number in the valid range.
  bool ExchangeFromField();
  void RejectField(const std::string& message);
};

}  // namespace ui
