// File-system faults around the overlay export: whatever happens, the file
// holds either its old picture or the complete new one, and failures are
// reported.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "export/overlay_file.h"
#include "export/series_overlay.h"
#include "test_bitmap.h"
#include "test_files.h"
#include "tests/support/case_name.h"

namespace bitmap_export::fixtures {
namespace {

constexpr std::uint8_t kCurve = 3;
constexpr mode_t kReadOnly = 0444;
constexpr mode_t kGroupReadable = 0640;
constexpr mode_t kPermissionBits = 07777;
// Room for the picture but not for a second copy of it beside it.
constexpr const char* kSmallFileSystemSize = "size=300k";

std::vector<float> FlatSeries() {
  return std::vector<float>(kSeriesPoints, 0.25F);
}

Bytes Overlaid(Bytes file) {
  const std::vector<float> series = FlatSeries();
  EXPECT_EQ(OverlaySeries(file, series.data()), BitmapCheck::kOk);
  return file;
}

// Names in the folder other than the picture: a failed export must leave no
// temporary file behind.
std::vector<std::string> Leftovers(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename() != "Graph.bmp") names.push_back(entry.path().filename());
  }
  return names;
}

class OverlayFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("Graph.bmp");
    original_ = MakeOverlayBitmap(kCurve);
    WriteFileBytes(path_, original_);
  }

  OverlayResult Export(std::function<void()> beforeReplace = {}) {
    const std::vector<float> series = FlatSeries();
    return OverlayFirstOrderRate(path_, series.data(), OverlayFaultHooks{beforeReplace});
  }

  TempDir dir_;
  std::string path_;
  Bytes original_;
};

TEST_F(OverlayFaults, NewPictureKeepsTheFilesPermissions) {
  ASSERT_EQ(::chmod(path_.c_str(), kGroupReadable), 0);
  const OverlayResult result = Export();
  ASSERT_EQ(result.status, OverlayStatus::kWritten) << result.message;
  EXPECT_EQ(ReadFileBytes(path_), Overlaid(original_));
  struct stat status {};
  ASSERT_EQ(::stat(path_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & kPermissionBits, kGroupReadable);
  EXPECT_TRUE(Leftovers(dir_.path()).empty());
}

// Whatever privileges the process has, a file nobody may write is left alone.
TEST_F(OverlayFaults, ReadOnlyFileIsLeftAlone) {
  ASSERT_EQ(::chmod(path_.c_str(), kReadOnly), 0);
  EXPECT_EQ(Export().status, OverlayStatus::kUnavailable);
  EXPECT_EQ(ReadFileBytes(path_), original_);
}

TEST_F(OverlayFaults, FileLockedByAnotherProcessIsLeftAlone) {
  int ready[2];
  int release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = ::open(path_.c_str(), O_RDONLY);
    const char locked = ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
    (void)!::write(ready[1], &locked, 1);
    char done = 0;
    (void)!::read(release[0], &done, 1);
    ::_exit(0);
  }
  char locked = 0;
  ASSERT_EQ(::read(ready[0], &locked, 1), 1);
  ASSERT_EQ(locked, 'y');
  const OverlayResult result = Export();
  const char done = 'x';
  (void)!::write(release[1], &done, 1);
  ::waitpid(child, nullptr, 0);
  for (int fd : {ready[0], ready[1], release[0], release[1]}) ::close(fd);

  EXPECT_EQ(result.status, OverlayStatus::kUnavailable) << result.message;
  EXPECT_EQ(ReadFileBytes(path_), original_);
}

TEST_F(OverlayFaults, ADirectoryInItsPlaceIsLeftAlone) {
  std::filesystem::remove(path_);
  std::filesystem::create_directory(path_);
  EXPECT_EQ(Export().status, OverlayStatus::kUnavailable);
  EXPECT_TRUE(std::filesystem::is_directory(path_));
}

struct MidwayFault {
  const char* name;
  void (*apply)(const std::string& path);
  bool pathExistsAfter;
};

const MidwayFault kMidwayFaults[] = {
    {"Disappears", [](const std::string& path) { std::filesystem::remove(path); }, false},
    {"ReplacedByADirectory",
     [](const std::string& path) {
       std::filesystem::remove(path);
       std::filesystem::create_directory(path);
     },
     true},
    {"ReplacedByAnotherFile",
     [](const std::string& path) {
       std::filesystem::remove(path);
       WriteFileBytes(path, MakeOverlayBitmap(kCurve + 1));
     },
     true},
};

class OverlayMidwayFaults : public OverlayFaults,
                            public ::testing::WithParamInterface<MidwayFault> {};

// The file changes while the new picture is being written aside: nothing
// takes its place, and whatever is there now stays as it is.
TEST_P(OverlayMidwayFaults, NothingIsWrittenOverWhatIsThereNow) {
  std::vector<std::uint8_t> replacementBytes;
  const OverlayResult result = Export([&] {
    GetParam().apply(path_);
    if (std::filesystem::is_regular_file(path_)) replacementBytes = ReadFileBytes(path_);
  });
  EXPECT_EQ(result.status, OverlayStatus::kRefused) << result.message;
  EXPECT_EQ(std::filesystem::exists(path_), GetParam().pathExistsAfter);
  if (!replacementBytes.empty()) {
    EXPECT_EQ(ReadFileBytes(path_), replacementBytes);
  }
  EXPECT_TRUE(Leftovers(dir_.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, OverlayMidwayFaults, ::testing::ValuesIn(kMidwayFaults),
                         test_support::CaseName());

// A real full file system where mounting one is allowed.
TEST(OverlayFullFileSystem, OldPictureSurvivesAndTheFailureIsReported) {
  TempDir mountPoint;
  if (::mount("tmpfs", mountPoint.path().c_str(), "tmpfs", 0, kSmallFileSystemSize) != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here";
  }
  const std::string path = (mountPoint.path() / "Graph.bmp").string();
  const Bytes original = MakeOverlayBitmap(kCurve);
  WriteFileBytes(path, original);
  const std::vector<float> series = FlatSeries();

  const OverlayResult result = OverlayFirstOrderRate(path, series.data());

  const Bytes after = ReadFileBytes(path);
  const std::vector<std::string> leftovers = Leftovers(mountPoint.path());
  ::umount(mountPoint.path().c_str());
  EXPECT_EQ(result.status, OverlayStatus::kWriteFailed);
  EXPECT_NE(result.message.find("space"), std::string::npos) << result.message;
  EXPECT_EQ(after, original);
  EXPECT_TRUE(leftovers.empty());
}

}  // namespace
}  // namespace bitmap_export::fixtures
