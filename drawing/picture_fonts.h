#pragma once

#include <QFont>

namespace platform {

// Pictures are files and clipboard contents: they must come out the same
// bytes on every screen. Left to itself a font's hinting follows the session
// (none at all once it is scaled), so picture fonts name theirs: vertical
// only, what the desktop's font configuration gives an unscaled session.
QFont ForPictures(QFont font);

// The font a picture's paint starts with: the dialog font, sized in pixels
// rather than by the screen's dots per inch.
QFont PictureInitialFont();

}  // namespace platform
