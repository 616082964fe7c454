#include "drawing/dialog_font.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QRawFont>
#include <array>
#include <cmath>

#include "drawing/mul_div.h"
#include "drawing/qt_strings.h"

namespace platform {
namespace {

struct FaceMapping {
  std::string_view requested;
  const char* installed;
  int emAdjustment;  // pixels added to the em a size in points gives
};

constexpr const char* kSansFace = "Liberation Sans";
// Liberation Sans has Arial's widths, wider than those of the shell dialog
// face the templates were laid out for: at the 11-pixel em of 8 points some
// captions overflow their controls by up to 3 pixels, at 10 pixels every one
// fits. The dialog units stay those of the templates (kBaseUnitX, kBaseUnitY).
constexpr int kShellFaceEmAdjustment = -1;

constexpr std::array<FaceMapping, 5> kFaceMappings = {{
    {"MS Shell Dlg", kSansFace, kShellFaceEmAdjustment},
    {"MS Shell Dlg 2", kSansFace, kShellFaceEmAdjustment},
    {"MS Sans Serif", kSansFace, kShellFaceEmAdjustment},
    {"Microsoft Sans Serif", kSansFace, kShellFaceEmAdjustment},
    {"Arial", kSansFace, 0},
}};

constexpr int kLogicalDotsPerInch = 96;
constexpr int kPointsPerInch = 72;
constexpr int kHeaviestRegularWeight = 500;

// The base-unit width is the average over the upper- and lower-case letters,
// rounded to the nearest pixel.
constexpr std::string_view kBaseUnitLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kLettersPerCase = 26;

QFont FaceFont(std::string_view face) {
  QFont font(MappedFace(face));
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

QString MappedFace(std::string_view face) {
  for (const FaceMapping& mapping : kFaceMappings) {
    if (mapping.requested == face) {
      return QString::fromLatin1(mapping.installed);
    }
  }
  return ToQString(face);
}

QFont DialogFont(std::string_view face, int points) {
  QFont font = FaceFont(face);
  int adjustment = 0;
  for (const FaceMapping& mapping : kFaceMappings) {
    if (mapping.requested == face) adjustment = mapping.emAdjustment;
  }
  font.setPixelSize(MulDiv(points, kLogicalDotsPerInch, kPointsPerInch) + adjustment);
  return font;
}

QFont FontForCellHeight(std::string_view face, int cellHeight, int fallbackPixels) {
  QFont font = FaceFont(face);
  if (cellHeight == 0) {
    font.setPixelSize(fallbackPixels);
    return font;
  }
  if (cellHeight < 0) {
    font.setPixelSize(-cellHeight);
    return font;
  }
  QRawFont raw = QRawFont::fromFont(font);
  raw.setPixelSize(raw.unitsPerEm());
  const qreal cellUnits = raw.ascent() + raw.descent();
  const qreal em = cellUnits > 0 ? cellHeight * raw.unitsPerEm() / cellUnits : cellHeight;
  font.setPixelSize(std::max(1, static_cast<int>(std::floor(em))));
  return font;
}

QFont::Weight MappedWeight(int weight) {
  return weight <= kHeaviestRegularWeight ? QFont::Normal : QFont::Bold;
}

CharacterCell MeasureCharacterCell(const QFont& font) {
  const QFontMetricsF metrics(font);
  const int ascent = static_cast<int>(std::ceil(metrics.ascent()));
  const int descent = static_cast<int>(std::ceil(metrics.descent()));
  return {ascent, ascent + descent};
}

BaseUnits MeasureBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int lettersWidth = metrics.horizontalAdvance(ToQString(kBaseUnitLetters));
  return {(lettersWidth / kLettersPerCase + 1) / 2, MeasureCharacterCell(font).height};
}

}  // namespace platform
