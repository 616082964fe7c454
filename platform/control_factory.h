#pragma once

#include <QRect>

#include "platform/dialog_template.h"

class QWidget;

namespace platform {

// A control's rectangle in pixels: x, y, width and height each converted from
// dialog units on its own.
QRect TemplateRect(const ControlTemplate& control);

// Makes the widget for one template control, placed where the template puts
// it. A picture takes the size of its bitmap plus its border.
QWidget* MakeControl(const ControlTemplate& control, QWidget* parent);

}  // namespace platform
