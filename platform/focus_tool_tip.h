#pragma once

class QWidget;

namespace platform {

// Shows control's tooltip beside it whenever it takes the focus from the
// keyboard (Tab or Shift+Tab), so that keyboard users read what the mouse
// pointer would show. Installing it twice has no further effect.
void ShowToolTipOnKeyboardFocus(QWidget* control);

}  // namespace platform
