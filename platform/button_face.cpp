#include "platform/button_face.h"

#include <QAbstractButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "platform/dialog_template.h"
#include "platform/focus_mark.h"

namespace platform {
namespace {

QStyle::State ButtonState(const QAbstractButton& button) {
  QStyle::State state = QStyle::State_None;
  state |= button.isEnabled() ? QStyle::State_Enabled : QStyle::State_None;
  state |= button.hasFocus() ? QStyle::State_HasFocus : QStyle::State_None;
  state |= button.isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  state |= button.isChecked() ? QStyle::State_On : QStyle::State_Off;
  return state;
}

QRect IndicatorRect(const QAbstractButton& button, const ButtonFaceLayout& layout) {
  const int left = layout.indicatorOnRight ? button.width() - kIndicatorSide : 0;
  return QRect(left, (button.height() - kIndicatorSide) / 2, kIndicatorSide, kIndicatorSide);
}

QRect TextRect(const QAbstractButton& button, const ButtonFaceLayout& layout, const QRect& box) {
  QRect text = button.rect();
  if (layout.indicatorOnRight) {
    text.setRight(box.left() - kIndicatorTextGap - 1);
  } else {
    text.setLeft(box.right() + kIndicatorTextGap + 1);
  }
  return text;
}

// The caption's ink where it is drawn: from its first to its last glyph and
// from its highest to its lowest pixel, whatever the advances say.
QRect CaptionInk(const QFontMetrics& metrics, const QRect& room, int flags, const QString& text) {
  const QRect layout = metrics.boundingRect(room, flags, text);
  const QRect ink =
      metrics.tightBoundingRect(text).translated(layout.left(), layout.top() + metrics.ascent());
  return QRect(QPoint(std::min(layout.left(), ink.left()), ink.top()),
               QPoint(std::max(layout.right(), ink.right()), ink.bottom()));
}

}  // namespace

void PaintButtonFace(QAbstractButton& button, QStyle::PrimitiveElement indicator,
                     const ButtonFaceLayout& layout) {
  QStylePainter painter(&button);
  QStyleOptionButton option;
  option.initFrom(&button);
  option.state = ButtonState(button);

  option.rect = IndicatorRect(button, layout);
  painter.drawPrimitive(indicator, option);

  const QRect text = TextRect(button, layout, option.rect);
  // A caption wider than its room keeps its beginning in view.
  const bool fits = button.fontMetrics().horizontalAdvance(button.text()) <= text.width();
  const Qt::Alignment alignment = fits ? layout.textAlignment : Qt::AlignLeft;
  const int flags = static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextShowMnemonic;
  painter.drawItemText(text, flags, button.palette(), button.isEnabled(), button.text(),
                       QPalette::WindowText);

  if (button.hasFocus()) {
    if (button.text().isEmpty()) {
      // Around the box, inside the button.
      const QRect box = option.rect.adjusted(-kFocusMarkWidth, -kFocusMarkWidth, kFocusMarkWidth,
                                             kFocusMarkWidth);
      PaintFocusMark(painter, box.intersected(button.rect()), button);
      return;
    }
    // Around the caption's ink with a pixel to spare. Where the button ends
    // first, that side of the frame is cut off with it rather than drawn over
    // a glyph.
    constexpr int kOut = kFocusMarkWidth + 1;
    painter.setClipRect(button.rect());
    PaintFocusMark(painter,
                   CaptionInk(painter.fontMetrics(), text, flags, button.text())
                       .adjusted(-kOut, -kOut, kOut, kOut),
                   button);
  }
}

ButtonFaceLayout FaceLayoutForStyle(unsigned style) {
  ButtonFaceLayout layout;
  layout.indicatorOnRight = (style & kStyleLeftText) != 0;
  if ((style & kStyleAlignRight) != 0) {
    layout.textAlignment = Qt::AlignRight;
  } else if ((style & kStyleCenter) != 0) {
    layout.textAlignment = Qt::AlignHCenter;
  }
  return layout;
}

}  // namespace platform
