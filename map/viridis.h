#pragma once

#include <array>
#include <cstdint>

namespace map {

using Rgb = std::array<std::uint8_t, 3>;

// The perceptually uniform viridis colour map (van der Walt, Smith and
// Firing; public domain, CC0): t from 0 (dark blue) to 1 (yellow), clamped;
// a value that is not a number gives grey.
Rgb Viridis(double t);

// Relative luminance (sRGB, 0 to 1) of a colour: what a contour or a marker
// drawn over it must contrast with.
double Luminance(Rgb colour);

}  // namespace map
