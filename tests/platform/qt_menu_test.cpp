#include "platform/qt_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>
#include <array>

#include "drawing/dialog_font.h"

namespace {

using platform::MenuItem;

const std::array<MenuItem, 3> kItems = {{
    {101, "Copy Graph", true},
    {102, "Save Graph as PNG\u2026", false},
    {103, "Copy Re-run Command", true},
}};

TEST(QtMenu, UsesItsOwnersFontNotTheDesktopsMenuFont) {
  QWidget owner;
  const QFont dialogFont = platform::DialogFont("MS Shell Dlg", 8);
  owner.setFont(dialogFont);
  const auto menu = platform::MakeQtMenu(owner, kItems);
  EXPECT_EQ(menu->font(), dialogFont);
  EXPECT_EQ(menu->font().pixelSize(), dialogFont.pixelSize());
  EXPECT_EQ(menu->parentWidget(), &owner);
}

TEST(QtMenu, HasOneActionPerItemWithItsIdTextAndState) {
  QWidget owner;
  const auto menu = platform::MakeQtMenu(owner, kItems);
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(kItems.size()));
  for (std::size_t i = 0; i < kItems.size(); ++i) {
    const QAction& action = *actions[static_cast<qsizetype>(i)];
    EXPECT_EQ(action.data().toInt(), kItems[i].id);
    EXPECT_EQ(action.text().toStdString(), std::string(kItems[i].text));
    EXPECT_EQ(action.isEnabled(), kItems[i].enabled);
  }
}

}  // namespace
