#include "tests/ui/modal_dialog_driver.h"

#include <QTest>

#include "platform/dialog_window.h"

namespace ui_test {

void ClickButton(platform::Dialog& dialog, int buttonId) {
  QWidget* button = dialog.Window()->Control(buttonId);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

}  // namespace ui_test
