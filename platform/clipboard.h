#pragma once

#include "platform/picture.h"

namespace platform {

// Puts the picture on the clipboard as an image of its own size.
void CopyPictureToClipboard(const Picture& picture);

}  // namespace platform
