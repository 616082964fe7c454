#include "drawing/picture_fonts.h"

#include "drawing/dialog_font.h"

namespace platform {
namespace {

constexpr const char* kDialogFace = "MS Shell Dlg";
constexpr int kDialogPoints = 8;

}  // namespace

QFont ForPictures(QFont font) {
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

QFont PictureInitialFont() {
  return ForPictures(DialogFont(kDialogFace, kDialogPoints));
}

}  // namespace platform
