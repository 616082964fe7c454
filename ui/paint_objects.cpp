#include "ui/paint_objects.h"

namespace ui {

PaintObjects::~PaintObjects() {
  if (font_ != platform::kNoObject) {
    context_.SelectObject(previousFont_);
    context_.DeleteObject(font_);
  }
  for (const platform::DrawingObject pen : pens_) {
    context_.DeleteObject(pen);
  }
}

void PaintObjects::SelectFont(std::string_view face, int cellHeight, int weight) {
  const platform::DrawingObject font = context_.CreateFont(face, cellHeight, weight);
  if (font == platform::kNoObject) return;
  font_ = font;
  previousFont_ = context_.SelectObject(font);
}

platform::DrawingObject PaintObjects::MakePen(platform::PenStyle style, platform::Colour colour) {
  const platform::DrawingObject pen = context_.CreatePen(style, kPenWidth, colour);
  if (pen != platform::kNoObject) pens_.push_back(pen);
  return pen;
}

}  // namespace ui
