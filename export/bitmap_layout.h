// Byte layout of the overlay bitmap: a 640 x 340 Windows bitmap with 8 bits per
// pixel, a 256-entry palette and no compression, stored bottom row first.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bitmap_export {

inline constexpr int kCanvasWidth = 640;
inline constexpr int kCanvasHeight = 340;
inline constexpr int kBitsPerPixel = 8;
inline constexpr int kPaletteEntries = 256;
inline constexpr int kPaletteEntryBytes = 4;  // blue, green, red, reserved

inline constexpr std::size_t kFileHeaderBytes = 14;
inline constexpr std::size_t kInfoHeaderBytes = 40;
inline constexpr std::size_t kPaletteOffset = kFileHeaderBytes + kInfoHeaderBytes;
inline constexpr std::size_t kPixelDataOffset =
    kPaletteOffset + std::size_t{kPaletteEntries} * kPaletteEntryBytes;
// 640 is a multiple of 4, so rows carry no padding and the stride is the width.
inline constexpr std::size_t kPixelDataBytes = std::size_t{kCanvasWidth} * kCanvasHeight;
inline constexpr std::size_t kOverlayFileBytes = kPixelDataOffset + kPixelDataBytes;

// The pixel at x = 1 of the bottom row doubles as the palette index of the next
// curve; every export draws in it and then advances it.
inline constexpr std::size_t kCurveColourOffset = kPixelDataOffset + 1;

static_assert(kPixelDataOffset == 1078);
static_assert(kCurveColourOffset == 1079);
static_assert(kOverlayFileBytes == 218'678);

// Header fields are little-endian words and double words.
inline constexpr std::size_t kWordBytes = 2;
inline constexpr std::size_t kDwordBytes = 4;

// Header fields, as offsets from the start of the file.
inline constexpr std::size_t kSignatureField = 0;          // 2 bytes, "BM"
inline constexpr std::size_t kFileSizeField = 2;           // 4 bytes
inline constexpr std::size_t kPixelOffsetField = 10;       // 4 bytes
inline constexpr std::size_t kInfoSizeField = 14;          // 4 bytes
inline constexpr std::size_t kWidthField = 18;             // 4 bytes, signed
inline constexpr std::size_t kHeightField = 22;            // 4 bytes, signed; > 0 is bottom-up
inline constexpr std::size_t kPlanesField = 26;            // 2 bytes
inline constexpr std::size_t kBitCountField = 28;          // 2 bytes
inline constexpr std::size_t kCompressionField = 30;       // 4 bytes, 0 = uncompressed
inline constexpr std::size_t kImageSizeField = 34;         // 4 bytes
inline constexpr std::size_t kXPixelsPerMetreField = 38;   // 4 bytes
inline constexpr std::size_t kYPixelsPerMetreField = 42;   // 4 bytes
inline constexpr std::size_t kColoursUsedField = 46;       // 4 bytes
inline constexpr std::size_t kColoursImportantField = 50;  // 4 bytes

inline constexpr std::uint16_t kBitmapSignature = 0x4D42;  // "BM" read little-endian
inline constexpr std::uint32_t kUncompressed = 0;
inline constexpr std::uint16_t kPlaneCount = 1;

}  // namespace bitmap_export
