// The legend beside the series boxes: drawn for the screen's scale (its fine
// picture on a screen of device pixel ratio 2, so it is as crisp as the text
// around it), and in the same place and size at every scale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "platform/dialog_window.h"
#include "tests/ui/main_dialog_harness.h"

namespace ui_test {
namespace {

constexpr QSize kLegendSize(278, 81);
constexpr int kBorder = 1;

const QLabel* Legend(const QWidget& window) {
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->pixmap().isNull()) return label;
  }
  return nullptr;
}

TEST(LegendPicture, IsDrawnForTheScreensScaleAtOneSize) {
  MainDialogHarness harness;
  const QLabel* legend = Legend(*harness.Dialog().Window());
  ASSERT_NE(legend, nullptr);
  const qreal expected = qApp->devicePixelRatio() > 1.0 ? 2.0 : 1.0;
  EXPECT_EQ(legend->pixmap().devicePixelRatio(), expected);
  EXPECT_EQ(legend->pixmap().size(), kLegendSize * expected);
  EXPECT_EQ(legend->size(), kLegendSize + QSize(2 * kBorder, 2 * kBorder));
}

}  // namespace
}  // namespace ui_test
