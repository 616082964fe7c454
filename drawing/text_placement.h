#pragma once

#include <QFont>
#include <QString>

namespace platform {

// Where a paint context draws a string: its cell, as wide as the text and as
// high as the font's character cell, placed around the reference point by the
// text alignment flags, and the baseline the glyphs stand on.
struct TextPlacement {
  int left;
  int top;
  int width;
  int height;
  int baseline;
};

TextPlacement PlaceText(const QFont& font, unsigned align, int x, int y, const QString& text);

}  // namespace platform
