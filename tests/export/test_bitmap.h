// Fixtures for the export tests: overlay bitmaps built byte by byte from the
// file format (not by the code under test), and comparisons of before and after.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace bitmap_export::fixtures {

inline constexpr std::size_t kFileBytes = 218'678;
inline constexpr std::size_t kPixelStart = 1078;
inline constexpr std::size_t kColourByte = 1079;
inline constexpr int kWidth = 640;
inline constexpr int kHeight = 340;
inline constexpr std::size_t kPixelEnd = kPixelStart + std::size_t{kWidth} * kHeight;
inline constexpr int kSeriesPoints = 101;
inline constexpr std::uint8_t kTestBackground = 0;

using Bytes = std::vector<std::uint8_t>;

// A valid 640 x 340 8-bit bitmap with a grey-ramp palette, every pixel
// kTestBackground and byte 1079 holding `curveColour`, followed by
// `trailingBytes` bytes of other data.
Bytes MakeOverlayBitmap(std::uint8_t curveColour, std::size_t trailingBytes = 0);

void PutLittleEndian(Bytes& bytes, std::size_t offset, std::size_t size, std::uint32_t value);
std::uint32_t GetLittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset,
                              std::size_t size);

struct Pixel {
  int x;
  int row;
  auto operator<=>(const Pixel&) const = default;
};

// Pixel-array positions whose bytes differ, the colour byte excepted, in file order.
std::vector<Pixel> ChangedPixels(std::span<const std::uint8_t> before,
                                 std::span<const std::uint8_t> after);

// Positions in a bare pixel array of `width` columns that hold `colour`.
std::vector<Pixel> PixelsOfColour(std::span<const std::uint8_t> pixels, int width,
                                  std::uint8_t colour);

// True when the two files have one length and agree everywhere outside the
// pixel array.
bool SameOutsidePixelArray(std::span<const std::uint8_t> before,
                           std::span<const std::uint8_t> after);

std::uint8_t PixelAt(std::span<const std::uint8_t> file, int x, int row);

std::vector<float> FlatSeries(float value);

}  // namespace bitmap_export::fixtures
