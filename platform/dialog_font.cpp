#include "platform/dialog_font.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QRawFont>
#include <array>
#include <cmath>

#include "platform/dialog_template.h"
#include "platform/qt_strings.h"

namespace platform {
namespace {

struct FaceMapping {
  std::string_view requested;
  const char* installed;
};

constexpr const char* kSansFace = "Liberation Sans";

constexpr std::array<FaceMapping, 5> kFaceMappings = {{
    {"MS Shell Dlg", kSansFace},
    {"MS Shell Dlg 2", kSansFace},
    {"MS Sans Serif", kSansFace},
    {"Microsoft Sans Serif", kSansFace},
    {"Arial", kSansFace},
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
  font.setPixelSize(MulDiv(points, kLogicalDotsPerInch, kPointsPerInch));
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
