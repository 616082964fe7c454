#pragma once

#include <string_view>

#include "platform/file_write.h"
#include "platform/picture.h"

namespace platform {

// Both write the file whole or not at all (WriteWholeFile).
// A PNG image of scale times the picture's size.
FileWriteResult SavePictureAsPng(const Picture& picture, int scale, std::string_view path);
// An SVG document of the picture's size.
FileWriteResult SavePictureAsSvg(const Picture& picture, std::string_view path);

}  // namespace platform
