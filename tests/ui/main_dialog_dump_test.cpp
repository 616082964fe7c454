// "Dump data to file": the overlay of the run on screen into Graph.bmp in the
// current directory, and what the user is told.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "export/overlay_file.h"
#include "res/control_ids.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/temporary_current_directory.h"

namespace ui_test {
namespace {

using bitmap_export::OverlayStatus;

constexpr const char* kGraphFile = "Graph.bmp";
constexpr const char* kReferenceFile = "Reference.bmp";
constexpr int kPoints = 101;

std::vector<char> Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class DumpData : public testing::Test {
 protected:
  TemporaryCurrentDirectory directory_;
  MainDialogHarness harness_;
};

// Draws the series of the run that was on screen, not of the click's own run.
TEST_F(DumpData, DrawsTheSeriesOnScreenAsTheOverlayDoes) {
  // Normal R so that each run samples afresh and the click's run may differ.
  harness_.Click(res::kIdRadioNormalR);
  ASSERT_EQ(bitmap_export::WriteBlankOverlay(kGraphFile).status, OverlayStatus::kWritten);
  std::filesystem::copy_file(kGraphFile, kReferenceFile);
  const float* onScreen = harness_.Dialog().model.firstOrderRate.get();
  const std::vector<float> series(onScreen, onScreen + kPoints);
  const std::vector<char> blank = Bytes(kGraphFile);

  harness_.Click(res::kIdButtonDumpData);

  ASSERT_EQ(bitmap_export::OverlayFirstOrderRate(kReferenceFile, series.data()).status,
            OverlayStatus::kWritten);
  EXPECT_EQ(Bytes(kGraphFile), Bytes(kReferenceFile));
  EXPECT_NE(Bytes(kGraphFile), blank);
  EXPECT_TRUE(harness_.Messages().empty());
}

TEST_F(DumpData, EveryExportAddsACurveInTheNextColour) {
  ASSERT_EQ(bitmap_export::WriteBlankOverlay(kGraphFile).status, OverlayStatus::kWritten);
  std::filesystem::copy_file(kGraphFile, kReferenceFile);
  for (int exportIndex = 0; exportIndex < 2; ++exportIndex) {
    const float* onScreen = harness_.Dialog().model.firstOrderRate.get();
    const std::vector<float> series(onScreen, onScreen + kPoints);
    harness_.Click(res::kIdButtonDumpData);
    bitmap_export::OverlayFirstOrderRate(kReferenceFile, series.data());
  }
  EXPECT_EQ(Bytes(kGraphFile), Bytes(kReferenceFile));
}

TEST_F(DumpData, ARefusedFileStaysUnchangedAndTheUserLearnsWhy) {
  const std::string notABitmap = "this is not a 640 x 340 bitmap";
  WriteBytes(kGraphFile, notABitmap);
  const std::vector<char> before = Bytes(kGraphFile);
  harness_.Click(res::kIdButtonDumpData);
  EXPECT_EQ(Bytes(kGraphFile), before);
  ASSERT_EQ(harness_.Messages().size(), 1U);
  const ShownMessage& shown = harness_.Messages().front();
  EXPECT_EQ(shown.icon, platform::MessageIcon::kExclamation);
  EXPECT_NE(shown.text.find(kGraphFile), std::string::npos) << shown.text;
  EXPECT_GT(shown.text.size(), std::string(kGraphFile).size() + 2) << shown.text;
}

// A FIFO named Graph.bmp would hold the window until another program opened
// it: the window never waits for it, and says why nothing was drawn.
TEST_F(DumpData, AFifoIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(kGraphFile, 0644), 0);
  harness_.Click(res::kIdButtonDumpData);
  ASSERT_EQ(harness_.Messages().size(), 1U);
  EXPECT_EQ(harness_.Messages().front().text, std::string(kGraphFile) + ": not a regular file");
  EXPECT_TRUE(std::filesystem::is_fifo(kGraphFile));
}

TEST_F(DumpData, AMissingFileIsSilentAndCreatesNothing) {
  harness_.Click(res::kIdButtonDumpData);
  EXPECT_TRUE(harness_.Messages().empty());
  EXPECT_FALSE(std::filesystem::exists(kGraphFile));
}

}  // namespace
}  // namespace ui_test
