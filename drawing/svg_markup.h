#pragma once

#include <string>
#include <string_view>

#include "drawing/paint_context.h"

namespace platform {

// Text as XML character data or a double-quoted attribute value: &, <, > and "
// escaped.
std::string XmlEscaped(std::string_view text);

// A colour as SVG writes it: "#rrggbb".
std::string SvgColour(Rgb colour);

// A coordinate or length in the fewest characters that give it back exactly
// for the values a picture uses (whole pixels, halves, a few decimals):
// "12", "100.5", "2.8284".
std::string SvgNumber(double value);

}  // namespace platform
