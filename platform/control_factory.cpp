#include "platform/control_factory.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <array>

#include "drawing/qt_strings.h"
#include "drawing/resource_images.h"
#include "platform/check_box.h"
#include "platform/label.h"
#include "platform/push_button.h"
#include "platform/radio_button.h"
#include "platform/trackbar.h"

namespace platform {
namespace {

constexpr int kThinBorder = 1;

bool Has(const ControlTemplate& control, ControlStyle style) {
  return (control.style & style) != 0;
}

Qt::Alignment TextAlignment(const ControlTemplate& control) {
  return Has(control, kStyleCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
}

QWidget* MakePushButton(const ControlTemplate& control, QWidget* parent) {
  return new PushButton(ToQString(control.caption), parent);
}

QWidget* MakeDefaultPushButton(const ControlTemplate& control, QWidget* parent) {
  auto* button = new PushButton(ToQString(control.caption), parent);
  button->setDefault(true);
  return button;
}

QWidget* MakeRadioButton(const ControlTemplate& control, QWidget* parent) {
  return new RadioButton(ToQString(control.caption), FaceLayoutForStyle(control.style), parent);
}

QWidget* MakeCheckBox(const ControlTemplate& control, QWidget* parent) {
  return new CheckBox(ToQString(control.caption), FaceLayoutForStyle(control.style), parent);
}

QWidget* MakeGroupBox(const ControlTemplate& control, QWidget* parent) {
  auto* box = new QGroupBox(ToQString(control.caption), parent);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

QWidget* MakeLabel(const ControlTemplate& control, QWidget* parent) {
  return new Label(control.caption, TextAlignment(control), parent);
}

QWidget* MakeEdit(const ControlTemplate& control, QWidget* parent) {
  auto* edit = new QLineEdit(ToQString(control.caption), parent);
  edit->setReadOnly(Has(control, kStyleReadOnly));
  edit->setFrame(Has(control, kStyleBorder));
  edit->setAlignment(TextAlignment(control) | Qt::AlignVCenter);
  if (Has(control, kStyleNumber)) {
    // Only typing is restricted; text set from code is taken as it is.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  }
  return edit;
}

QWidget* MakeTrackbar(const ControlTemplate& /*control*/, QWidget* parent) {
  return new Trackbar(parent);
}

QWidget* MakeBitmap(const ControlTemplate& control, QWidget* parent) {
  auto* picture = new QLabel(parent);
  const QPixmap bitmap = LoadBitmap(control.resourceId, ScaleForScreens());
  picture->setPixmap(bitmap);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (Has(control, kStyleBorder)) {
    picture->setFrameStyle(QFrame::Box | QFrame::Plain);
    picture->setLineWidth(kThinBorder);
  }
  return picture;
}

using ControlMaker = QWidget* (*)(const ControlTemplate&, QWidget*);

struct ControlMakerEntry {
  ControlKind kind;
  ControlMaker make;
};

constexpr std::array<ControlMakerEntry, 9> kControlMakers = {{
    {ControlKind::kPushButton, MakePushButton},
    {ControlKind::kDefPushButton, MakeDefaultPushButton},
    {ControlKind::kRadioButton, MakeRadioButton},
    {ControlKind::kCheckBox, MakeCheckBox},
    {ControlKind::kGroupBox, MakeGroupBox},
    {ControlKind::kLabel, MakeLabel},
    {ControlKind::kEdit, MakeEdit},
    {ControlKind::kTrackbar, MakeTrackbar},
    {ControlKind::kBitmap, MakeBitmap},
}};

ControlMaker MakerFor(ControlKind kind) {
  for (const ControlMakerEntry& entry : kControlMakers) {
    if (entry.kind == kind) {
      return entry.make;
    }
  }
  return MakeLabel;
}

// A picture sizes itself to its bitmap, its border around it.
QRect PlacedRect(const ControlTemplate& control, const QWidget& widget) {
  QRect rect = TemplateRect(control);
  const auto* picture = qobject_cast<const QLabel*>(&widget);
  if (control.kind == ControlKind::kBitmap && picture != nullptr && !picture->pixmap().isNull()) {
    const int border = 2 * picture->frameWidth();
    rect.setSize(picture->pixmap().deviceIndependentSize().toSize() + QSize(border, border));
  }
  return rect;
}

}  // namespace

QRect TemplateRect(const ControlTemplate& control) {
  return QRect(DialogUnitsToPixelsX(control.x), DialogUnitsToPixelsY(control.y),
               DialogUnitsToPixelsX(control.width), DialogUnitsToPixelsY(control.height));
}

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent) {
  QWidget* widget = MakerFor(control.kind)(control, parent);
  if (auto* label = qobject_cast<Label*>(widget)) {
    label->SetLayoutRect(PlacedRect(control, *widget));
  } else {
    widget->setGeometry(PlacedRect(control, *widget));
  }
  return widget;
}

}  // namespace platform
