// Bitmaps the export must refuse, each a small change to a valid one.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "export/bitmap_check.h"
#include "test_bitmap.h"

namespace bitmap_export::fixtures {

struct HeaderPatch {
  std::size_t offset;
  std::size_t size;
  std::uint32_t value;
};

struct BadBitmap {
  std::string_view name;
  std::size_t length;  // the valid file cut to this many bytes
  std::optional<HeaderPatch> patch;
  BitmapCheck expected;
};

Bytes MakeBadBitmap(const BadBitmap& bad);

std::ostream& operator<<(std::ostream& out, const BadBitmap& bad);

// Names the parameterised tests after their case.
std::string BadBitmapName(const ::testing::TestParamInfo<BadBitmap>& param);

inline constexpr std::uint32_t kNegativeHeight = 0xFFFF'FEAC;  // -340
inline constexpr std::uint32_t kNegativeWidth = 0xFFFF'FD80;   // -640

inline constexpr BadBitmap kBadBitmaps[] = {
    {"Empty", 0, std::nullopt, BitmapCheck::kTooShort},
    {"TruncatedHeader", 30, std::nullopt, BitmapCheck::kTooShort},
    {"TruncatedPalette", 600, std::nullopt, BitmapCheck::kTooShort},
    {"TruncatedPixels", kFileBytes - 1, std::nullopt, BitmapCheck::kTooShort},
    {"WrongSignature", kFileBytes, HeaderPatch{0, 2, 0x4142}, BitmapCheck::kBadSignature},
    {"WidthTooLarge", kFileBytes, HeaderPatch{18, 4, 641}, BitmapCheck::kBadWidth},
    {"WidthNegative", kFileBytes, HeaderPatch{18, 4, kNegativeWidth}, BitmapCheck::kBadWidth},
    {"HeightTooSmall", kFileBytes, HeaderPatch{22, 4, 339}, BitmapCheck::kBadHeight},
    {"HeightNegative", kFileBytes, HeaderPatch{22, 4, kNegativeHeight}, BitmapCheck::kBadHeight},
    {"TwoPlanes", kFileBytes, HeaderPatch{26, 2, 2}, BitmapCheck::kBadPlanes},
    {"TwentyFourBitsPerPixel", kFileBytes, HeaderPatch{28, 2, 24}, BitmapCheck::kBadBitCount},
    {"RunLengthCompressed", kFileBytes, HeaderPatch{30, 4, 1}, BitmapCheck::kBadCompression},
    {"PixelOffsetShifted", kFileBytes, HeaderPatch{10, 4, 1079}, BitmapCheck::kBadPixelOffset},
};

}  // namespace bitmap_export::fixtures
