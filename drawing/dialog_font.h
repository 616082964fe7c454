#pragma once

#include <QFont>
#include <string_view>

namespace platform {

// The installed face that stands in for a face the templates and paints name:
// "MS Shell Dlg" and "Arial" map to the metric-compatible "Liberation Sans".
QString MappedFace(std::string_view face);

// The font of a dialog template: points are turned into pixels at 96 dots per
// inch, so 8 points give an 11-pixel em, whose character cell is the 6 x 13
// pixels of the dialog base units. The shell dialog faces are drawn one pixel
// smaller (8 points: a 10-pixel em), so that every caption fits its control.
QFont DialogFont(std::string_view face, int points);

// A font by cell height (ascent plus descent, in pixels) as paint contexts
// create them: the em is the cell height scaled by the face's em over its
// cell, truncated ("Arial" at cell height 14 gets a 12-pixel em). A negative
// height asks for that em directly; 0 keeps fallbackPixels.
QFont FontForCellHeight(std::string_view face, int cellHeight, int fallbackPixels);

// Weights at or below normal draw regular (the face has no lighter cut);
// heavier ones draw bold.
QFont::Weight MappedWeight(int weight);

// The character cell of a font in whole pixels, ascent and descent each
// rounded up: Liberation Sans at 11 pixels has a 13-pixel cell, at 12 pixels
// a 14-pixel one.
struct CharacterCell {
  int ascent;
  int height;
};
CharacterCell MeasureCharacterCell(const QFont& font);

// The dialog base units a font gives: the average width of the 52 Latin
// letters rounded, and the height of the character cell.
struct BaseUnits {
  int x;
  int y;
};
BaseUnits MeasureBaseUnits(const QFont& font);

}  // namespace platform
