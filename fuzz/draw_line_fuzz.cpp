// Fuzzes DrawIndexedLine with any ends, including the extremes of int, on
// small exactly sized canvases: no write may leave the array, and a line
// takes at most one pixel per column (shallow) or per row (steep).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "export/draw_indexed_line.h"
#include "fuzz_input.h"

namespace bitmap_export::fuzz {
namespace {

constexpr std::uint8_t kNearEnds = 0x01;  // ends as small ints, so lines cross the canvas
constexpr int kMaxSide = 48;
constexpr std::uint8_t kInk = 0xC3;
constexpr std::uint8_t kPaper = 0x3C;

void Require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

int TakeEnd(FuzzInput& input, bool near) {
  return near ? static_cast<int>(input.Take<std::int8_t>()) : input.Take<std::int32_t>();
}

int TakeSide(FuzzInput& input) {
  return 1 + input.Take<std::uint8_t>() % kMaxSide;
}

// Counts the inked pixels along each row (by_row) or each column.
bool AtMostOnePerLine(const std::vector<std::uint8_t>& pixels, int width, int height, bool by_row) {
  const int lines = by_row ? height : width;
  const int along = by_row ? width : height;
  for (int line = 0; line < lines; ++line) {
    int inked = 0;
    for (int step = 0; step < along; ++step) {
      const int x = by_row ? step : line;
      const int row = by_row ? line : step;
      inked += pixels[static_cast<std::size_t>(row * width + x)] == kInk ? 1 : 0;
    }
    if (inked > 1) {
      return false;
    }
  }
  return true;
}

}  // namespace
}  // namespace bitmap_export::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bitmap_export;
  using namespace bitmap_export::fuzz;
  FuzzInput input(data, size);
  const bool near = (input.Take<std::uint8_t>() & kNearEnds) != 0;
  const int x1 = TakeEnd(input, near);
  const int y1 = TakeEnd(input, near);
  const int x2 = TakeEnd(input, near);
  const int y2 = TakeEnd(input, near);
  const int width = TakeSide(input);
  const int height = TakeSide(input);

  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height), kPaper);
  DrawIndexedLine(x1, y1, x2, y2, kInk, pixels.data(), width, height);

  const long long dx = static_cast<long long>(x1) - x2;
  const long long dy = static_cast<long long>(y1) - y2;
  const bool steep = std::llabs(dx) < std::llabs(dy);
  Require(AtMostOnePerLine(pixels, width, height, steep));
  for (const std::uint8_t pixel : pixels) {
    Require(pixel == kInk || pixel == kPaper);
  }
  return 0;
}
