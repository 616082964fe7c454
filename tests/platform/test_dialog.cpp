#include "test_dialog.h"

namespace platform_test {

std::ostream& operator<<(std::ostream& out, const ScrollEvent& event) {
  return out << "{code " << event.code << ", position " << event.position << ", control "
             << event.controlId << "}";
}

bool RecordingDialog::OnInitDialog() {
  ++initCount;
  return Dialog::OnInitDialog();
}

bool RecordingDialog::OnCommand(std::uint32_t commandWord) {
  commands.push_back(commandWord);
  DefaultOnCommand(commandWord);
  ++closingSteps;
  windowAliveAtClosing.push_back(HasWindow());
  return true;
}

void RecordingDialog::OnHScroll(int code, int position, int controlId) {
  scrolls.push_back({code, position, controlId});
}

void RecordingDialog::OnPaint(platform::PaintContext& context) {
  ++paints_;
  Dialog::OnPaint(context);
}

}  // namespace platform_test
