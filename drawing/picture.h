#pragma once

#include <functional>
#include <string>

#include "drawing/paint_context.h"

namespace platform {

// Paints into a context whose origin is the picture's top-left pixel.
using PaintFunction = std::function<void(PaintContext& context)>;

inline constexpr Rgb kWhite{255, 255, 255};

// A picture made by paint code, for files and the clipboard: width x height
// pixels on a plain background, painted the way a window paints.
struct Picture {
  int width;
  int height;
  PaintFunction paint;
  Rgb background = kWhite;
  std::string title;  // kept in formats that carry one (SVG)
};

}  // namespace platform
