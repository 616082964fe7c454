#pragma once

#include <string>

#include "drawing/picture.h"

namespace platform {

// The picture as a standalone SVG document of width x height CSS pixels: its
// title, its background, then what its paint draws as vector elements (see
// SvgPaintContext).
std::string SvgDocument(const Picture& picture);

}  // namespace platform
