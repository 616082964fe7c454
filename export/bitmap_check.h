// Recognises the one bitmap layout the overlay export may edit in place.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace bitmap_export {

enum class BitmapCheck {
  kOk,
  kTooShort,
  kBadSignature,
  kBadPixelOffset,
  kBadWidth,
  kBadHeight,
  kBadPlanes,
  kBadBitCount,
  kBadCompression,
};

// kOk when `file` is at least a complete 640 x 340, 8-bit, uncompressed,
// bottom-up bitmap with its pixels at byte 1078; otherwise the first fault found.
BitmapCheck CheckOverlayBitmap(std::span<const std::uint8_t> file);

// A short English phrase naming the fault, for messages.
std::string_view DescribeBitmapCheck(BitmapCheck check);

}  // namespace bitmap_export
