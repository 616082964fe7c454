#include "platform/check_box.h"

namespace platform {

CheckBox::CheckBox(const QString& text, ButtonFaceLayout layout, QWidget* parent)
    : QCheckBox(text, parent), layout_(layout) {}

bool CheckBox::hitButton(const QPoint& position) const {
  return rect().contains(position);
}

void CheckBox::paintEvent(QPaintEvent* /*event*/) {
  PaintButtonFace(*this, QStyle::PE_IndicatorCheckBox, layout_);
}

}  // namespace platform
