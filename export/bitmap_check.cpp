#include "export/bitmap_check.h"

#include <array>
#include <cstddef>

#include "export/bitmap_layout.h"
#include "export/little_endian.h"

namespace bitmap_export {
namespace {

struct RequiredField {
  std::size_t offset;
  std::size_t size;
  std::uint32_t expected;
  BitmapCheck fault;
};

// Signed fields compare by their two's-complement bits, so a top-down
// bitmap (negative height) does not match.
inline constexpr std::array kRequiredFields = {
    RequiredField{kSignatureField, kWordBytes, kBitmapSignature, BitmapCheck::kBadSignature},
    RequiredField{kPixelOffsetField, kDwordBytes, kPixelDataOffset, BitmapCheck::kBadPixelOffset},
    RequiredField{kWidthField, kDwordBytes, kCanvasWidth, BitmapCheck::kBadWidth},
    RequiredField{kHeightField, kDwordBytes, kCanvasHeight, BitmapCheck::kBadHeight},
    RequiredField{kPlanesField, kWordBytes, kPlaneCount, BitmapCheck::kBadPlanes},
    RequiredField{kBitCountField, kWordBytes, kBitsPerPixel, BitmapCheck::kBadBitCount},
    RequiredField{kCompressionField, kDwordBytes, kUncompressed, BitmapCheck::kBadCompression},
};

struct CheckDescription {
  BitmapCheck check;
  std::string_view text;
};

inline constexpr std::array kDescriptions = {
    CheckDescription{BitmapCheck::kOk, "a 640 x 340 8-bit bitmap"},
    CheckDescription{BitmapCheck::kTooShort, "shorter than a 640 x 340 8-bit bitmap"},
    CheckDescription{BitmapCheck::kBadSignature, "not a bitmap (no \"BM\" signature)"},
    CheckDescription{BitmapCheck::kBadPixelOffset, "pixel data does not start at byte 1078"},
    CheckDescription{BitmapCheck::kBadWidth, "width is not 640"},
    CheckDescription{BitmapCheck::kBadHeight, "height is not +340 (bottom-up)"},
    CheckDescription{BitmapCheck::kBadPlanes, "plane count is not 1"},
    CheckDescription{BitmapCheck::kBadBitCount, "not 8 bits per pixel"},
    CheckDescription{BitmapCheck::kBadCompression, "compressed"},
};

}  // namespace

BitmapCheck CheckOverlayBitmap(std::span<const std::uint8_t> file) {
  if (file.size() < kOverlayFileBytes) {
    return BitmapCheck::kTooShort;
  }
  for (const RequiredField& field : kRequiredFields) {
    if (ReadLittleEndian(file, field.offset, field.size) != field.expected) {
      return field.fault;
    }
  }
  return BitmapCheck::kOk;
}

std::string_view DescribeBitmapCheck(BitmapCheck check) {
  for (const CheckDescription& description : kDescriptions) {
    if (description.check == check) {
      return description.text;
    }
  }
  return "unknown fault";
}

}  // namespace bitmap_export
