#include "export/blank_overlay.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "export/bitmap_layout.h"
#include "export/little_endian.h"
#include "export/overlay_palette.h"

namespace bitmap_export {
namespace {

struct HeaderField {
  std::size_t offset;
  std::size_t size;
  std::uint32_t value;
};

inline constexpr std::size_t kReservedField = 6;
inline constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
inline constexpr std::uint32_t kAllColoursImportant = 0;

// Byte positions within one palette entry.
inline constexpr std::size_t kBlueByte = 0;
inline constexpr std::size_t kGreenByte = 1;
inline constexpr std::size_t kRedByte = 2;
inline constexpr std::size_t kReservedByte = 3;

inline constexpr std::array kHeaderFields = {
    HeaderField{kSignatureField, kWordBytes, kBitmapSignature},
    HeaderField{kFileSizeField, kDwordBytes, kOverlayFileBytes},
    HeaderField{kReservedField, kDwordBytes, 0},
    HeaderField{kPixelOffsetField, kDwordBytes, kPixelDataOffset},
    HeaderField{kInfoSizeField, kDwordBytes, kInfoHeaderBytes},
    HeaderField{kWidthField, kDwordBytes, kCanvasWidth},
    HeaderField{kHeightField, kDwordBytes, kCanvasHeight},
    HeaderField{kPlanesField, kWordBytes, kPlaneCount},
    HeaderField{kBitCountField, kWordBytes, kBitsPerPixel},
    HeaderField{kCompressionField, kDwordBytes, kUncompressed},
    HeaderField{kImageSizeField, kDwordBytes, kPixelDataBytes},
    HeaderField{kXPixelsPerMetreField, kDwordBytes, kPixelsPerMetre},
    HeaderField{kYPixelsPerMetreField, kDwordBytes, kPixelsPerMetre},
    HeaderField{kColoursUsedField, kDwordBytes, kPaletteEntries},
    HeaderField{kColoursImportantField, kDwordBytes, kAllColoursImportant},
};

void WritePalette(std::span<std::uint8_t> file) {
  const auto palette = OverlayPalette();
  std::size_t offset = kPaletteOffset;
  for (const PaletteColour& colour : palette) {
    file[offset + kBlueByte] = colour.blue;
    file[offset + kGreenByte] = colour.green;
    file[offset + kRedByte] = colour.red;
    file[offset + kReservedByte] = 0;
    offset += kPaletteEntryBytes;
  }
}

}  // namespace

std::vector<std::uint8_t> BuildBlankOverlay() {
  std::vector<std::uint8_t> file(kOverlayFileBytes, 0);
  for (const HeaderField& field : kHeaderFields) {
    WriteLittleEndian(file, field.offset, field.size, field.value);
  }
  WritePalette(file);
  std::fill(file.begin() + kPixelDataOffset, file.end(), kBackgroundIndex);
  file[kCurveColourOffset] = kFirstCurveIndex;
  return file;
}

}  // namespace bitmap_export
