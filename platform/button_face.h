#pragma once

#include <QStyle>
#include <Qt>

class QAbstractButton;

namespace platform {

// How a radio button or check box lays out its face: the box on the left or
// the right, the text aligned left, right or centred in the rest of the
// rectangle.
struct ButtonFaceLayout {
  bool indicatorOnRight = false;
  Qt::Alignment textAlignment = Qt::AlignLeft;
};

// The box keeps the classic 13-pixel square and a gap of half a base unit
// before the text, so captions laid out for dialog units fit their rectangles
// (the style's own box and gap are wider).
inline constexpr int kIndicatorSide = 13;
inline constexpr int kIndicatorTextGap = 3;

// Paints box (the primitive), text and focus frame of button over its whole
// rectangle.
void PaintButtonFace(QAbstractButton& button, QStyle::PrimitiveElement indicator,
                     const ButtonFaceLayout& layout);

// The layout a template style asks for.
ButtonFaceLayout FaceLayoutForStyle(unsigned style);

}  // namespace platform
