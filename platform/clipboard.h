#pragma once

#include <string_view>

#include "drawing/picture.h"

namespace platform {

// Puts the picture on the clipboard as an image of its own size.
void CopyPictureToClipboard(const Picture& picture);

// Puts text (UTF-8) on the clipboard as plain text.
void CopyTextToClipboard(std::string_view text);

}  // namespace platform
