#include "platform/label.h"

#include <QShowEvent>
#include <algorithm>

#include "drawing/qt_strings.h"
#include "platform/mnemonic_text.h"

namespace platform {

Label::Label(std::string_view caption, Qt::Alignment alignment, QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(alignment | Qt::AlignTop);
  setWordWrap(true);
  SetCaption(caption);
}

void Label::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  setText(ToQString(ShownCaption(caption)));
  FitCaption();
}

void Label::SetLayoutRect(const QRect& rect) {
  layoutRect_ = rect;
  setGeometry(rect);
}

// The other controls exist by the time the dialog shows.
void Label::showEvent(QShowEvent* event) {
  FitCaption();
  QLabel::showEvent(event);
}

void Label::FitCaption() {
  if (!layoutRect_.isValid()) return;
  QRect fitted = layoutRect_;
  const QString shown = text();
  const int needed = fontMetrics().horizontalAdvance(shown);
  if (needed > fitted.width() && !shown.contains(' ')) {
    fitted.setWidth(std::max(fitted.width(), std::min(needed, FreeRoomRight())));
  }
  if (fitted != geometry()) setGeometry(fitted);
}

// Up to the nearest sibling that starts right of the label's own rectangle on
// its rows (a group box around the label starts left of it), or to the
// parent's edge.
int Label::FreeRoomRight() const {
  const QWidget* parent = parentWidget();
  if (parent == nullptr) return layoutRect_.width();
  int limit = parent->width();
  for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (sibling == this || sibling->isHidden()) continue;
    const QRect other = sibling->geometry();
    const bool sameRows =
        other.top() <= layoutRect_.bottom() && other.bottom() >= layoutRect_.top();
    if (sameRows && other.left() > layoutRect_.right()) limit = std::min(limit, other.left());
  }
  return limit - layoutRect_.left();
}

}  // namespace platform
