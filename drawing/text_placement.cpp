#include "drawing/text_placement.h"

#include <QFontMetrics>

#include "drawing/dialog_font.h"
#include "drawing/paint_context.h"

namespace platform {
namespace {

// Text alignment bits: horizontal left 0, right 2, centre 6; vertical top 0,
// bottom 8, baseline 24.
constexpr unsigned kHorizontalAlignMask = 6;
constexpr unsigned kAlignRight = 2;
constexpr unsigned kVerticalAlignMask = 24;
constexpr unsigned kAlignBottom = 8;
constexpr unsigned kAlignBaseline = 24;

int CellLeft(unsigned align, int x, int width) {
  switch (align & kHorizontalAlignMask) {
    case kTextAlignCenter:
      return x - width / 2;
    case kAlignRight:
      return x - width;
    default:
      return x;
  }
}

int CellTop(unsigned align, int y, CharacterCell cell) {
  switch (align & kVerticalAlignMask) {
    case kAlignBaseline:
      return y - cell.ascent;
    case kAlignBottom:
      return y - cell.height;
    default:
      return y;
  }
}

}  // namespace

TextPlacement PlaceText(const QFont& font, unsigned align, int x, int y, const QString& text) {
  const int width = QFontMetrics(font).horizontalAdvance(text);
  const CharacterCell cell = MeasureCharacterCell(font);
  const int top = CellTop(align, y, cell);
  return {CellLeft(align, x, width), top, width, cell.height, top + cell.ascent};
}

}  // namespace platform
