#include "platform/radio_button.h"

#include <utility>

namespace platform {

RadioButton::RadioButton(const QString& text, ButtonFaceLayout layout, QWidget* parent)
    : QRadioButton(text, parent), layout_(layout) {
  // Exclusivity follows the group boxes, not the parent widget.
  setAutoExclusive(false);
}

void RadioButton::SetPeers(std::vector<RadioButton*> peers) {
  peers_ = std::move(peers);
}

void RadioButton::nextCheckState() {
  setChecked(true);
  for (RadioButton* peer : peers_) {
    if (peer != this) {
      peer->setChecked(false);
    }
  }
}

bool RadioButton::hitButton(const QPoint& position) const {
  return rect().contains(position);
}

void RadioButton::paintEvent(QPaintEvent* /*event*/) {
  PaintButtonFace(*this, QStyle::PE_IndicatorRadioButton, layout_);
}

}  // namespace platform
