// Fuzzes the overlay of a series onto a bitmap buffer. Each buffer is sized
// exactly, so the address sanitizer stops any write past it; the checks below
// stop any write outside the pixel array, any change to a refused buffer, and
// any curve pixel not in the stored colour.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "export/bitmap_layout.h"
#include "export/blank_overlay.h"
#include "export/overlay_geometry.h"
#include "export/series_overlay.h"
#include "fuzz_input.h"

namespace bitmap_export::fuzz {
namespace {

// The first input byte chooses how the rest is read.
constexpr std::uint8_t kFromTemplate = 0x01;  // else the rest is the file, as is
constexpr std::uint8_t kTrailingMask = 0x06;  // 0 to 3 bytes after a template file
constexpr int kTrailingShift = 1;
constexpr std::uint8_t kNoSeries = 0x08;
constexpr std::uint8_t kRawFloatBits = 0x10;  // else values spread over [-0.5, 1.5]

constexpr std::uint8_t kPatchCountMask = 0x03;
constexpr std::size_t kHeaderBytes = kPixelOffsetField + kInfoHeaderBytes;
constexpr float kSpreadLow = -0.5F;
constexpr float kSpreadWidth = 2.0F;
constexpr float kSpreadSteps = 65535.0F;

void Require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

// A valid bitmap, then a few header bytes overwritten and a chosen colour byte.
std::vector<std::uint8_t> TemplateFile(FuzzInput& input, std::uint8_t mode) {
  static const std::vector<std::uint8_t> blank = BuildBlankOverlay();
  const std::size_t trailing = static_cast<std::size_t>((mode & kTrailingMask) >> kTrailingShift);
  std::vector<std::uint8_t> file(blank.size() + trailing);
  std::copy(blank.begin(), blank.end(), file.begin());
  file[kCurveColourOffset] = input.Take<std::uint8_t>();
  const int patches = input.Take<std::uint8_t>() & kPatchCountMask;
  for (int i = 0; i < patches; ++i) {
    const std::size_t offset = input.Take<std::uint8_t>() % kHeaderBytes;
    file[offset] = input.Take<std::uint8_t>();
  }
  return file;
}

std::vector<float> FuzzedSeries(FuzzInput& input, std::uint8_t mode) {
  std::vector<float> series(kOverlayPointCount);
  for (float& value : series) {
    if (mode & kRawFloatBits) {
      value = input.Take<float>();
    } else {
      value = kSpreadLow +
              kSpreadWidth * static_cast<float>(input.Take<std::uint16_t>()) / kSpreadSteps;
    }
  }
  return series;
}

bool SameBytes(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
               std::size_t from, std::size_t to) {
  return std::memcmp(a.data() + from, b.data() + from, to - from) == 0;
}

// Only pixel-array bytes may change, and only to the curve colour. The pixel
// array is compared a word at a time: per-byte checks would dominate the run.
void CheckDrawnPixels(const std::vector<std::uint8_t>& before,
                      const std::vector<std::uint8_t>& after, std::uint8_t colour) {
  const std::size_t pixelEnd = kPixelDataOffset + kPixelDataBytes;
  Require(SameBytes(before, after, 0, kCurveColourOffset));
  Require(SameBytes(before, after, pixelEnd, before.size()));
  static_assert(kPixelDataBytes % sizeof(std::uint64_t) == 0);
  for (std::size_t word = kPixelDataOffset; word < pixelEnd; word += sizeof(std::uint64_t)) {
    std::uint64_t was = 0;
    std::uint64_t is = 0;
    std::memcpy(&was, before.data() + word, sizeof was);
    std::memcpy(&is, after.data() + word, sizeof is);
    if (was == is) {
      continue;
    }
    for (std::size_t offset = word; offset < word + sizeof(std::uint64_t); ++offset) {
      Require(offset == kCurveColourOffset || before[offset] == after[offset] ||
              after[offset] == colour);
    }
  }
}

void CheckOverlay(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                  BitmapCheck check, bool drew) {
  Require(after.size() == before.size());
  if (check != BitmapCheck::kOk || !drew) {
    Require(after == before);
    return;
  }
  const std::uint8_t colour = before[kCurveColourOffset];
  Require(after[kCurveColourOffset] == static_cast<std::uint8_t>(colour + 1));
  CheckDrawnPixels(before, after, colour);
}

}  // namespace
}  // namespace bitmap_export::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bitmap_export;
  using namespace bitmap_export::fuzz;
  FuzzInput input(data, size);
  const auto mode = input.Take<std::uint8_t>();
  std::vector<std::uint8_t> file;
  if (mode & kFromTemplate) {
    file = TemplateFile(input, mode);
  } else {
    file.assign(input.Rest().begin(), input.Rest().end());
  }
  const std::vector<float> series = FuzzedSeries(input, mode);
  const bool drew = (mode & kNoSeries) == 0;

  // Reused between inputs: only the buffer under test needs a fresh, exact allocation.
  static std::vector<std::uint8_t> before;
  before.assign(file.begin(), file.end());
  const BitmapCheck check = OverlaySeries(file, drew ? series.data() : nullptr);
  Require(check == CheckOverlayBitmap(before));
  CheckOverlay(before, file, check, drew);
  return 0;
}
