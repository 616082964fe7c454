#pragma once

#include <QPushButton>

namespace platform {

// A push button with our focus mark inside its bevel: the style marks the
// focus of the default button no differently from its default state.
class PushButton final : public QPushButton {
  Q_OBJECT

 public:
  PushButton(const QString& text, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace platform
