#include "export/blank_overlay.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "export/bitmap_check.h"
#include "export/overlay_file.h"
#include "export/overlay_palette.h"
#include "test_bitmap.h"
#include "test_files.h"

namespace bitmap_export::fixtures {
namespace {

constexpr std::size_t kPaletteStart = 54;
constexpr std::size_t kEntryBytes = 4;
constexpr std::size_t kDistinctCurveColours = 12;

struct HeaderValue {
  std::string_view name;
  std::size_t offset;
  std::size_t size;
  std::uint32_t value;
};

// What image viewers read from the headers.
constexpr HeaderValue kExpectedHeader[] = {
    {"signature", 0, 2, 0x4D42},     {"file size", 2, 4, 218'678},   {"reserved", 6, 4, 0},
    {"pixel offset", 10, 4, 1078},   {"info size", 14, 4, 40},       {"width", 18, 4, 640},
    {"height", 22, 4, 340},          {"planes", 26, 2, 1},           {"bits per pixel", 28, 2, 8},
    {"compression", 30, 4, 0},       {"image size", 34, 4, 217'600}, {"colours used", 46, 4, 256},
    {"colours important", 50, 4, 0},
};

using Rgb = std::tuple<int, int, int>;

Rgb PaletteEntry(const Bytes& file, std::size_t index) {
  const std::size_t at = kPaletteStart + index * kEntryBytes;
  return {file[at + 2], file[at + 1], file[at]};
}

TEST(BlankOverlay, HeadersDescribeA640By340EightBitBitmap) {
  const Bytes file = BuildBlankOverlay();
  ASSERT_EQ(file.size(), kFileBytes);
  for (const HeaderValue& field : kExpectedHeader) {
    EXPECT_EQ(GetLittleEndian(file, field.offset, field.size), field.value) << field.name;
  }
  EXPECT_EQ(CheckOverlayBitmap(file), BitmapCheck::kOk);
}

TEST(BlankOverlay, IsWhiteWithTheFirstCurveColourStored) {
  const Bytes file = BuildBlankOverlay();
  EXPECT_EQ(PaletteEntry(file, kBackgroundIndex), Rgb(255, 255, 255));
  EXPECT_EQ(file[kColourByte], kFirstCurveIndex);
  for (std::size_t offset = kPixelStart; offset < kPixelEnd; ++offset) {
    if (offset != kColourByte) {
      ASSERT_EQ(file[offset], kBackgroundIndex) << offset;
    }
  }
  for (std::size_t index = 0; index < 256; ++index) {
    EXPECT_EQ(file[kPaletteStart + index * kEntryBytes + 3], 0) << index;
  }
}

TEST(BlankOverlay, CurveColoursAreDistinctAndNeverWhite) {
  const Bytes file = BuildBlankOverlay();
  std::set<Rgb> firstColours;
  for (std::size_t index = kFirstCurveIndex; index < 256; ++index) {
    EXPECT_NE(PaletteEntry(file, index), PaletteEntry(file, kBackgroundIndex)) << index;
    EXPECT_NE(PaletteEntry(file, index), PaletteEntry(file, index - 1)) << index;
    if (index < kFirstCurveIndex + kDistinctCurveColours) {
      firstColours.insert(PaletteEntry(file, index));
    }
  }
  EXPECT_EQ(firstColours.size(), kDistinctCurveColours);
}

TEST(WriteBlankOverlay, CreatesAFileTheExportAccepts) {
  TempDir dir;
  const std::string path = dir.File("Graph.bmp");
  const OverlayResult created = WriteBlankOverlay(path);
  ASSERT_EQ(created.status, OverlayStatus::kWritten) << created.message;
  EXPECT_EQ(ReadFileBytes(path), BuildBlankOverlay());

  const std::vector<float> series = FlatSeries(0.5F);
  EXPECT_EQ(OverlayFirstOrderRate(path, series.data()).status, OverlayStatus::kWritten);
  const Bytes drawn = ReadFileBytes(path);
  EXPECT_EQ(PixelAt(drawn, 20, 170), kFirstCurveIndex);
  EXPECT_EQ(drawn[kColourByte], kFirstCurveIndex + 1);
}

TEST(WriteBlankOverlay, RefusesToOverwriteAnExistingFile) {
  TempDir dir;
  const std::string path = dir.File("Graph.bmp");
  const Bytes existing = {'k', 'e', 'e', 'p'};
  WriteFileBytes(path, existing);
  EXPECT_EQ(WriteBlankOverlay(path).status, OverlayStatus::kRefused);
  EXPECT_EQ(ReadFileBytes(path), existing);
}

TEST(WriteBlankOverlay, ReportsAFolderThatDoesNotExist) {
  TempDir dir;
  const std::string path = dir.File("missing/Graph.bmp");
  const OverlayResult result = WriteBlankOverlay(path);
  EXPECT_EQ(result.status, OverlayStatus::kWriteFailed);
  EXPECT_NE(result.message.find(std::strerror(ENOENT)), std::string::npos) << result.message;
}

}  // namespace
}  // namespace bitmap_export::fixtures
