#include "test_bitmap.h"

#include <algorithm>
#include <array>

namespace bitmap_export::fixtures {
namespace {

struct Field {
  std::size_t offset;
  std::size_t size;
  std::uint32_t value;
};

// BITMAPFILEHEADER then BITMAPINFOHEADER of a 640 x 340, 8-bit, 256-colour bitmap.
constexpr std::array kHeader = {
    Field{0, 2, 0x4D42},    // "BM"
    Field{2, 4, 218'678},   // file size
    Field{10, 4, 1078},     // pixel data offset
    Field{14, 4, 40},       // info header size
    Field{18, 4, 640},      // width
    Field{22, 4, 340},      // height, bottom-up
    Field{26, 2, 1},        // planes
    Field{28, 2, 8},        // bits per pixel
    Field{30, 4, 0},        // no compression
    Field{34, 4, 217'600},  // image size
    Field{46, 4, 256},      // colours used
};

constexpr std::size_t kPaletteStart = 54;
constexpr std::size_t kBitsPerByte = 8;
constexpr std::size_t kPaletteEntryBytes = 4;
constexpr std::size_t kColourChannels = 3;
constexpr std::size_t kPaletteEntries = 256;
constexpr int kWhiteLevel = 255;
constexpr std::uint8_t kTrailingFill = 0xA5;

}  // namespace

void PutLittleEndian(Bytes& bytes, std::size_t offset, std::size_t size, std::uint32_t value) {
  for (std::size_t i = 0; i < size; ++i) {
    bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (kBitsPerByte * i));
  }
}

std::uint32_t GetLittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset,
                              std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value |= static_cast<std::uint32_t>(bytes[offset + i]) << (kBitsPerByte * i);
  }
  return value;
}

Bytes MakeOverlayBitmap(std::uint8_t curveColour, std::size_t trailingBytes) {
  Bytes bytes(kFileBytes + trailingBytes, kTrailingFill);
  std::fill(bytes.begin(), bytes.begin() + kPixelStart, 0);
  for (const Field& field : kHeader) {
    PutLittleEndian(bytes, field.offset, field.size, field.value);
  }
  for (std::size_t entry = 0; entry < kPaletteEntries; ++entry) {
    for (std::size_t channel = 0; channel < kColourChannels; ++channel) {
      bytes[kPaletteStart + entry * kPaletteEntryBytes + channel] =
          static_cast<std::uint8_t>(kWhiteLevel - static_cast<int>(entry));
    }
  }
  std::fill(bytes.begin() + kPixelStart, bytes.begin() + kPixelEnd, kTestBackground);
  bytes[kColourByte] = curveColour;
  return bytes;
}

std::vector<Pixel> ChangedPixels(std::span<const std::uint8_t> before,
                                 std::span<const std::uint8_t> after) {
  std::vector<Pixel> changed;
  for (std::size_t offset = kPixelStart; offset < kPixelEnd; ++offset) {
    if (offset != kColourByte && before[offset] != after[offset]) {
      const auto index = static_cast<int>(offset - kPixelStart);
      changed.push_back({index % kWidth, index / kWidth});
    }
  }
  return changed;
}

std::vector<Pixel> PixelsOfColour(std::span<const std::uint8_t> pixels, int width,
                                  std::uint8_t colour) {
  std::vector<Pixel> found;
  for (std::size_t index = 0; index < pixels.size(); ++index) {
    if (pixels[index] == colour) {
      const auto position = static_cast<int>(index);
      found.push_back({position % width, position / width});
    }
  }
  return found;
}

bool SameOutsidePixelArray(std::span<const std::uint8_t> before,
                           std::span<const std::uint8_t> after) {
  if (before.size() != after.size() || before.size() < kPixelEnd) {
    return false;
  }
  return std::equal(before.begin(), before.begin() + kPixelStart, after.begin()) &&
         std::equal(before.begin() + kPixelEnd, before.end(), after.begin() + kPixelEnd);
}

std::uint8_t PixelAt(std::span<const std::uint8_t> file, int x, int row) {
  return file[kPixelStart + static_cast<std::size_t>(row) * kWidth + static_cast<std::size_t>(x)];
}

std::vector<float> FlatSeries(float value) {
  return std::vector<float>(kSeriesPoints, value);
}

}  // namespace bitmap_export::fixtures
