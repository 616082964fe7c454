#include "drawing/dialog_font.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/dialog_template.h"

namespace platform_test {
namespace {

using platform::DialogFont;
using platform::FontForCellHeight;

constexpr int kDialogPoints = 8;
constexpr int kArialEmPixels = 11;
constexpr int kShellEmPixels = 10;

TEST(DialogFont, MapsTheShellFaceToLiberationSansAtTenPixels) {
  const QFont font = DialogFont("MS Shell Dlg", kDialogPoints);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(font.pixelSize(), kShellEmPixels);
}

TEST(DialogFont, MapsArialToLiberationSansAtItsOwnSize) {
  const QFont font = DialogFont("Arial", kDialogPoints);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(font.pixelSize(), kArialEmPixels);
}

// The base units are those the templates were laid out in; the 8-point size
// of a face with Arial's metrics has that character cell.
TEST(DialogFont, TheEightPointCellIsTheDialogBaseUnits) {
  const platform::BaseUnits units = platform::MeasureBaseUnits(DialogFont("Arial", kDialogPoints));
  EXPECT_EQ(units.x, platform::kBaseUnitX);
  EXPECT_EQ(units.y, platform::kBaseUnitY);
}

TEST(CharacterCell, RoundsAscentAndDescentUp) {
  QFont font = DialogFont("Arial", kDialogPoints);
  EXPECT_EQ(platform::MeasureCharacterCell(font).height, 13);
  EXPECT_EQ(platform::MeasureCharacterCell(font).ascent, 10);
  font.setPixelSize(12);
  EXPECT_EQ(platform::MeasureCharacterCell(font).height, 14);
}

TEST(MappedFace, LeavesUnknownFacesAlone) {
  EXPECT_EQ(platform::MappedFace("Arial"), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(platform::MappedFace("MS Shell Dlg"), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(platform::MappedFace("Liberation Serif"), QStringLiteral("Liberation Serif"));
}

struct CellCase {
  int cellHeight;
  int emPixels;
};

class CellHeights : public testing::TestWithParam<CellCase> {};

TEST_P(CellHeights, GiveTheEmOfAFaceWhoseCellFitsThem) {
  const QFont font = FontForCellHeight("Arial", GetParam().cellHeight, kArialEmPixels);
  EXPECT_EQ(font.pixelSize(), GetParam().emPixels);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
}

// Liberation Sans has a cell of 2288 units on an em of 2048, like Arial.
INSTANTIATE_TEST_SUITE_P(Heights, CellHeights,
                         testing::Values(CellCase{14, 12}, CellCase{13, 11}, CellCase{16, 14},
                                         CellCase{-12, 12}, CellCase{0, kArialEmPixels}));

TEST(MappedWeight, DrawsLightAsRegular) {
  EXPECT_EQ(platform::MappedWeight(300), QFont::Normal);
  EXPECT_EQ(platform::MappedWeight(400), QFont::Normal);
  EXPECT_EQ(platform::MappedWeight(700), QFont::Bold);
}

}  // namespace
}  // namespace platform_test
