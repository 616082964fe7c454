#pragma once

#include <QPainter>
#include <QRect>
#include <QWidget>

namespace platform {

// The keyboard focus as every control of ours shows it: a frame two pixels
// wide in the palette's highlight colour, drawn on the inside edge of around.
// The style's own marks are too faint on some controls (a thin outline on a
// trackbar's handle) or missing (a check box without a caption).
inline constexpr int kFocusMarkWidth = 2;

void PaintFocusMark(QPainter& painter, const QRect& around, const QWidget& control);

}  // namespace platform
