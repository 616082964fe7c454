#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/control_factory.h"
#include "platform/dialog_window.h"
#include "platform/trackbar.h"
#include "test_dialog.h"

namespace platform_test {
namespace {

using platform::ClientRect;

TEST(DialogUnits, ConvertEachCoordinateWithRounding) {
  EXPECT_EQ(platform::DialogUnitsToPixelsX(552), 828);
  EXPECT_EQ(platform::DialogUnitsToPixelsY(382), 621);
  EXPECT_EQ(platform::DialogUnitsToPixelsX(187), 281);  // 280.5 rounds up
  EXPECT_EQ(platform::DialogUnitsToPixelsY(51), 83);    // 82.875
  EXPECT_EQ(platform::DialogUnitsToPixelsY(4), 7);      // 6.5 rounds up
  EXPECT_EQ(platform::DialogUnitsToPixelsY(-4), -7);
}

TEST(DialogLayout, TheMainDialogSizeGivesAn828By621ClientArea) {
  RecordingDialog dialog(kMainSizeTemplate);
  dialog.Create();
  EXPECT_EQ(dialog.GetClientRect(), (ClientRect{0, 0, 828, 621}));
  EXPECT_EQ(dialog.Window()->width(), 828);
  EXPECT_EQ(dialog.Window()->height(), 621);
  EXPECT_EQ(dialog.Window()->windowTitle(), QStringLiteral("Corvellan"));
}

TEST(DialogLayout, UsesTheDialogFontAtTenPixels) {
  RecordingDialog dialog;
  dialog.Create();
  EXPECT_EQ(dialog.Window()->font().pixelSize(), 10);
  EXPECT_EQ(dialog.Window()->font().family(), QStringLiteral("Liberation Sans"));
}

struct PlacedControl {
  int id;
  QRect pixels;
};

class ControlPlaces : public testing::TestWithParam<PlacedControl> {};

// Pixels worked out by hand: x and width times 6/4, y and height times 13/8,
// each rounded half away from zero.
TEST_P(ControlPlaces, AreWhereTheTemplatePutsThem) {
  RecordingDialog dialog;
  dialog.Create();
  const QWidget* control = dialog.Window()->Control(GetParam().id);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->geometry(), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Controls, ControlPlaces,
                         testing::Values(PlacedControl{platform::kIdOk, QRect(218, 228, 75, 23)},
                                         PlacedControl{kApplyId, QRect(53, 228, 75, 23)},
                                         PlacedControl{kOuterRadioA, QRect(15, 24, 75, 16)},
                                         PlacedControl{kInnerBoxId, QRect(15, 65, 150, 81)},
                                         PlacedControl{kTrackbarId, QRect(195, 114, 62, 13)},
                                         PlacedControl{kReadOnlyEditId, QRect(195, 146, 60, 20)},
                                         PlacedControl{kWideTrackbarId, QRect(60, 179, 120, 20)}));

TEST(DialogLayout, CreatesControlsInTemplateOrderAndFindsThemById) {
  RecordingDialog dialog;
  dialog.Create();
  platform::DialogWindow* window = dialog.Window();
  ASSERT_EQ(window->ControlCount(), static_cast<int>(kTestControls.size()));
  // Creation order is the order of the window's children.
  int index = 0;
  for (QObject* child : window->children()) {
    if (auto* widget = qobject_cast<QWidget*>(child); widget != nullptr && !widget->isWindow()) {
      const ControlTemplate& control = kTestControls[static_cast<std::size_t>(index++)];
      if (control.id != platform::kUnaddressedId) {
        EXPECT_EQ(window->Control(control.id), widget) << "id " << control.id;
      }
    }
  }
  EXPECT_EQ(index, static_cast<int>(kTestControls.size()));
  EXPECT_EQ(window->Control(12345), nullptr);
  EXPECT_TRUE(dialog.HasControl(kEditId));
  EXPECT_FALSE(dialog.HasControl(12345));
}

TEST(DialogLayout, MakesTheKindOfWidgetEachControlAsksFor) {
  RecordingDialog dialog;
  dialog.Create();
  platform::DialogWindow* window = dialog.Window();
  EXPECT_TRUE(window->ControlAs<QPushButton>(platform::kIdOk)->isDefault());
  EXPECT_FALSE(window->ControlAs<QPushButton>(kApplyId)->isDefault());
  EXPECT_NE(window->ControlAs<QGroupBox>(kInnerBoxId), nullptr);
  EXPECT_NE(window->ControlAs<platform::Trackbar>(kTrackbarId), nullptr);
  EXPECT_TRUE(window->ControlAs<QLineEdit>(kReadOnlyEditId)->isReadOnly());
  EXPECT_TRUE(window->ControlAs<QLineEdit>(kReadOnlyEditId)->hasFrame());
  EXPECT_FALSE(window->ControlAs<QLineEdit>(kEditId)->isReadOnly());
  EXPECT_EQ(window->ControlAs<platform::Trackbar>(kTrackbarId)->tickPosition(), QSlider::NoTicks);
}

TEST(DialogLayout, APictureShowsItsBitmapInsideAThinBorder) {
  RecordingDialog dialog;
  dialog.Create();
  const QLabel* picture = nullptr;
  for (QLabel* label : dialog.Window()->findChildren<QLabel*>()) {
    if (!label->pixmap().isNull()) {
      picture = label;
    }
  }
  ASSERT_NE(picture, nullptr);
  // The 40 x 20 test bitmap, one pixel of border around it, at 5, 110 DU.
  EXPECT_EQ(picture->geometry(), QRect(8, 179, 42, 22));
  EXPECT_EQ(picture->frameWidth(), 1);
  EXPECT_EQ(picture->pixmap().toImage().pixelColor(0, 0), QColor(255, 0, 255));
}

}  // namespace
}  // namespace platform_test
