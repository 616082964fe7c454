#pragma once

#include <string>

#include "drawing/picture.h"

namespace platform {

// The picture as the bytes of a PNG image of scale times its size; empty when
// the image could not be made.
std::string PictureAsPng(const Picture& picture, int scale);
// The picture as an SVG document of its size; empty when it could not be made.
std::string PictureAsSvg(const Picture& picture);

}  // namespace platform
