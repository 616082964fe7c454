#include "platform/focus_mark.h"

#include <QPen>

namespace platform {

void PaintFocusMark(QPainter& painter, const QRect& around, const QWidget& control) {
  const QPainter::RenderHints hints = painter.renderHints();
  painter.save();
  painter.setRenderHints(hints, false);
  QPen pen(control.palette().color(QPalette::Active, QPalette::Highlight));
  pen.setWidth(kFocusMarkWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // A pen two pixels wide is centred on its path: one pixel in keeps both
  // pixels inside around.
  const int inset = kFocusMarkWidth / 2;
  painter.drawRect(around.adjusted(inset, inset, -inset, -inset));
  painter.restore();
}

}  // namespace platform
