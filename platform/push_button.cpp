#include "platform/push_button.h"

#include <QPainter>

#include "platform/focus_mark.h"

namespace platform {
namespace {

// Inside the bevel and the style's own frame of a default button.
constexpr int kMarkInset = 3;

}  // namespace

PushButton::PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void PushButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (hasFocus()) {
    QPainter painter(this);
    PaintFocusMark(painter, rect().adjusted(kMarkInset, kMarkInset, -kMarkInset, -kMarkInset),
                   *this);
  }
}

}  // namespace platform
