// A fresh, empty overlay bitmap, built in memory.
#pragma once

#include <cstdint>
#include <vector>

namespace bitmap_export {

// The bytes of a complete 640 x 340 8-bit bitmap: the overlay palette, every
// pixel white, and byte 1079 holding the first curve colour.
std::vector<std::uint8_t> BuildBlankOverlay();

}  // namespace bitmap_export
