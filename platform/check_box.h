#pragma once

#include <QCheckBox>

#include "platform/button_face.h"

namespace platform {

// An automatic check box: a click anywhere on it toggles it.
class CheckBox final : public QCheckBox {
  Q_OBJECT

 public:
  CheckBox(const QString& text, ButtonFaceLayout layout, QWidget* parent);

 protected:
  bool hitButton(const QPoint& position) const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  ButtonFaceLayout layout_;
};

}  // namespace platform
