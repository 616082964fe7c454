// Random series and random refusals on exactly sized buffers: under the
// sanitizer any write outside a buffer fails the test, and these checks catch
// any write outside the pixel array.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "bad_bitmaps.h"
#include "export/series_overlay.h"
#include "test_bitmap.h"

namespace bitmap_export::fixtures {
namespace {

constexpr unsigned kSeed = 20'240'611;
constexpr int kRounds = 300;
constexpr std::size_t kMaxTrailingBytes = 3;

using Random = std::mt19937;

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Values a run never yields but a series may hold: far out, infinite, NaN, tiny.
constexpr std::array kExtremes = {
    kInfinity,
    -kInfinity,
    std::numeric_limits<float>::quiet_NaN(),
    std::numeric_limits<float>::max(),
    std::numeric_limits<float>::lowest(),
    std::numeric_limits<float>::denorm_min(),
    -0.0F,
    1.0e9F,
    -1.0e9F,
    7.158e6F,
    -7.158e6F,
};

float RandomValue(Random& random) {
  std::uniform_int_distribution<int> kind(0, 3);
  switch (kind(random)) {
    case 0:
      return std::uniform_real_distribution<float>(0.0F, 1.0F)(random);
    case 1:
      return std::uniform_real_distribution<float>(-3.0F, 4.0F)(random);
    case 2:
      return std::uniform_real_distribution<float>(-1.0e7F, 1.0e7F)(random);
    default:
      return kExtremes[std::uniform_int_distribution<std::size_t>(0, kExtremes.size() - 1)(random)];
  }
}

std::vector<float> RandomSeries(Random& random) {
  std::vector<float> series(kSeriesPoints);
  for (float& value : series) {
    value = RandomValue(random);
  }
  return series;
}

// A valid bitmap with random pixels, colour byte and trailing length.
Bytes RandomBitmap(Random& random) {
  std::uniform_int_distribution<int> byte(0, 255);
  Bytes file =
      MakeOverlayBitmap(static_cast<std::uint8_t>(byte(random)),
                        std::uniform_int_distribution<std::size_t>(0, kMaxTrailingBytes)(random));
  for (std::size_t offset = kPixelStart; offset < kPixelEnd; ++offset) {
    if (offset != kColourByte) {
      file[offset] = static_cast<std::uint8_t>(byte(random));
    }
  }
  return file;
}

TEST(SeriesOverlayProperty, RandomSeriesChangeOnlyPixelsAndTheColourByte) {
  Random random(kSeed);
  for (int round = 0; round < kRounds; ++round) {
    const Bytes before = RandomBitmap(random);
    Bytes after = before;
    const std::uint8_t colour = before[kColourByte];
    ASSERT_EQ(OverlaySeries(after, RandomSeries(random).data()), BitmapCheck::kOk);

    ASSERT_TRUE(SameOutsidePixelArray(before, after)) << "round " << round;
    ASSERT_EQ(after[kColourByte], static_cast<std::uint8_t>(colour + 1)) << "round " << round;
    for (const Pixel& p : ChangedPixels(before, after)) {
      ASSERT_EQ(PixelAt(after, p.x, p.row), colour) << "round " << round;
      ASSERT_GE(p.x, 20) << "round " << round;
      ASSERT_LE(p.x, 620) << "round " << round;
    }
  }
}

TEST(SeriesOverlayProperty, RefusedBuffersStayUnchanged) {
  Random random(kSeed);
  std::uniform_int_distribution<std::uint32_t> word;
  for (int round = 0; round < kRounds; ++round) {
    const BadBitmap& pattern =
        kBadBitmaps[static_cast<std::size_t>(round) % std::size(kBadBitmaps)];
    Bytes before = MakeBadBitmap(pattern);
    if (pattern.patch) {
      // Any other value of the faulty field is refused too.
      const HeaderPatch& field = *pattern.patch;
      PutLittleEndian(before, field.offset, field.size, word(random));
      const Bytes valid = MakeOverlayBitmap(0);
      if (GetLittleEndian(before, field.offset, field.size) ==
          GetLittleEndian(valid, field.offset, field.size)) {
        continue;
      }
    }
    Bytes after = before;
    ASSERT_NE(OverlaySeries(after, RandomSeries(random).data()), BitmapCheck::kOk) << pattern.name;
    ASSERT_EQ(after, before) << pattern.name;
  }
}

}  // namespace
}  // namespace bitmap_export::fixtures
