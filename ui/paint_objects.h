#pragma once

#include <string_view>
#include <vector>

#include "drawing/paint_context.h"

namespace ui {

// The pens and the font that live for a whole paint. On leaving scope the
// context's previous font is put back first (a selected object cannot be
// released), then the font and the pens are released in the order they were
// made; this also cleans up a paint that stops early.
class PaintObjects {
 public:
  explicit PaintObjects(platform::PaintContext& context) : context_(context) {}
  PaintObjects(const PaintObjects&) = delete;
  PaintObjects& operator=(const PaintObjects&) = delete;
  ~PaintObjects();

  // Makes a font current. When it cannot be made nothing changes: text is then
  // drawn in the context's current font.
  void SelectFont(std::string_view face, int cellHeight, int weight);

  // A 1-pixel pen kept until the end of the paint; kNoObject when it cannot be made.
  platform::DrawingObject MakePen(platform::PenStyle style, platform::Colour colour);

 private:
  platform::PaintContext& context_;
  platform::DrawingObject font_ = platform::kNoObject;
  platform::DrawingObject previousFont_ = platform::kNoObject;
  std::vector<platform::DrawingObject> pens_;
};

// Every pen of the graph and the preview is one pixel wide.
inline constexpr int kPenWidth = 1;

// Runs draw with pen selected, then selects the pen that was current before.
template <class Draw>
void DrawWithPen(platform::PaintContext& context, platform::DrawingObject pen, Draw&& draw) {
  const platform::DrawingObject previous = context.SelectObject(pen);
  draw();
  context.SelectObject(previous);
}

}  // namespace ui
