#include "export/overlay_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bad_bitmaps.h"
#include "export/series_overlay.h"
#include "test_bitmap.h"
#include "test_files.h"

namespace bitmap_export::fixtures {
namespace {

constexpr std::uint8_t kCurve = 12;

std::vector<float> RampSeries() {
  std::vector<float> series(kSeriesPoints);
  for (int k = 0; k < kSeriesPoints; ++k) {
    series[static_cast<std::size_t>(k)] = static_cast<float>(k) / 100.0F;
  }
  return series;
}

// The bytes the export should leave: the same overlay done in memory.
Bytes ExpectedOverlay(Bytes file, const std::vector<float>& series) {
  EXPECT_EQ(OverlaySeries(file, series.data()), BitmapCheck::kOk);
  return file;
}

class OverlayFileTest : public ::testing::Test {
 protected:
  std::string WriteBitmap(const Bytes& bytes) {
    const std::string path = dir_.File("Graph.bmp");
    WriteFileBytes(path, bytes);
    return path;
  }

  TempDir dir_;
};

TEST_F(OverlayFileTest, DrawsTheCurveAndWritesTheFileBack) {
  const Bytes original = MakeOverlayBitmap(kCurve, 2);
  const std::string path = WriteBitmap(original);
  const std::vector<float> series = RampSeries();

  const OverlayResult result = OverlayFirstOrderRate(path, series.data());

  EXPECT_EQ(result.status, OverlayStatus::kWritten) << result.message;
  const Bytes written = ReadFileBytes(path);
  EXPECT_EQ(written.size(), original.size());
  EXPECT_EQ(written, ExpectedOverlay(original, series));
  EXPECT_EQ(written[kColourByte], kCurve + 1);
}

TEST_F(OverlayFileTest, SuccessiveExportsAdvanceTheColour) {
  const std::string path = WriteBitmap(MakeOverlayBitmap(kCurve));
  const std::vector<float> series = RampSeries();
  ASSERT_EQ(OverlayFirstOrderRate(path, series.data()).status, OverlayStatus::kWritten);
  ASSERT_EQ(OverlayFirstOrderRate(path, series.data()).status, OverlayStatus::kWritten);
  const Bytes written = ReadFileBytes(path);
  EXPECT_EQ(written[kColourByte], kCurve + 2);
  EXPECT_EQ(PixelAt(written, 620, 320), kCurve + 1);
}

TEST_F(OverlayFileTest, WithoutSeriesTheFileIsUnchanged) {
  const Bytes original = MakeOverlayBitmap(kCurve);
  const std::string path = WriteBitmap(original);
  EXPECT_EQ(OverlayFirstOrderRate(path, nullptr).status, OverlayStatus::kNoSeries);
  EXPECT_EQ(ReadFileBytes(path), original);
}

TEST_F(OverlayFileTest, MissingFileIsANoOpAndIsNotCreated) {
  const std::string path = dir_.File("Graph.bmp");
  const std::vector<float> series = RampSeries();
  const OverlayResult result = OverlayFirstOrderRate(path, series.data());
  EXPECT_EQ(result.status, OverlayStatus::kUnavailable);
  EXPECT_NE(result.message.find(std::strerror(ENOENT)), std::string::npos) << result.message;
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(OverlayFileTest, DirectoryIsANoOp) {
  const std::vector<float> series = RampSeries();
  EXPECT_EQ(OverlayFirstOrderRate(dir_.path().string(), series.data()).status,
            OverlayStatus::kUnavailable);
}

TEST_F(OverlayFileTest, LockedFileIsANoOpUntilReleased) {
  const Bytes original = MakeOverlayBitmap(kCurve);
  const std::string path = WriteBitmap(original);
  const std::vector<float> series = RampSeries();
  const int holder = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);

  EXPECT_EQ(OverlayFirstOrderRate(path, series.data()).status, OverlayStatus::kUnavailable);
  EXPECT_EQ(ReadFileBytes(path), original);

  ::close(holder);
  EXPECT_EQ(OverlayFirstOrderRate(path, series.data()).status, OverlayStatus::kWritten);
}

constexpr mode_t kReadOnly = 0444;
constexpr mode_t kOpenDirectory = 0755;
constexpr mode_t kPipeMode = 0644;
constexpr int kCannotDropPrivileges = 125;
constexpr uid_t kNobody = 65534;

// Root opens read-only files for writing regardless, so as root the export
// runs in a child process that has given up root first.
OverlayStatus OverlayAsUnprivileged(const std::string& path, const std::vector<float>& series,
                                    bool& skipped) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
      ::_exit(kCannotDropPrivileges);
    }
    ::_exit(static_cast<int>(OverlayFirstOrderRate(path, series.data()).status));
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  skipped = !WIFEXITED(status) || WEXITSTATUS(status) == kCannotDropPrivileges;
  return static_cast<OverlayStatus>(WEXITSTATUS(status));
}

TEST_F(OverlayFileTest, ReadOnlyFileIsANoOp) {
  const Bytes original = MakeOverlayBitmap(kCurve);
  const std::string path = WriteBitmap(original);
  const std::vector<float> series = RampSeries();
  ASSERT_EQ(::chmod(path.c_str(), kReadOnly), 0);

  OverlayStatus status = OverlayStatus::kWritten;
  if (::geteuid() == 0) {
    ASSERT_EQ(::chmod(dir_.path().c_str(), kOpenDirectory),
              0);  // let the unprivileged child reach it
    bool skipped = false;
    status = OverlayAsUnprivileged(path, series, skipped);
    if (skipped) {
      GTEST_SKIP() << "running as root and cannot give up root to test a read-only file";
    }
  } else {
    status = OverlayFirstOrderRate(path, series.data()).status;
  }
  EXPECT_EQ(status, OverlayStatus::kUnavailable);
  EXPECT_EQ(ReadFileBytes(path), original);
}

TEST_F(OverlayFileTest, PipeIsRefused) {
  const std::string path = dir_.File("Graph.bmp");
  ASSERT_EQ(::mkfifo(path.c_str(), kPipeMode), 0);
  const std::vector<float> series = RampSeries();
  EXPECT_EQ(OverlayFirstOrderRate(path, series.data()).status, OverlayStatus::kRefused);
}

// Caps the size this process may give a file, so writes past `bytes` fail
// with EFBIG; restores the limit and the signal it would raise.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ok_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previous_);
  }
  bool ok() const { return ok_; }

 private:
  rlimit saved_{};
  sighandler_t previous_{};
  bool ok_ = false;
};

constexpr rlim_t kSmallFileLimit = 100'000;

TEST_F(OverlayFileTest, FailedWriteIsReportedWithTheSystemReason) {
  // Written before the limit: afterwards only a smaller file could be.
  const std::string path = WriteBitmap(MakeOverlayBitmap(kCurve));
  const std::vector<float> series = RampSeries();
  OverlayResult result;
  {
    FileSizeLimit limit(kSmallFileLimit);
    ASSERT_TRUE(limit.ok());
    result = OverlayFirstOrderRate(path, series.data());
  }
  EXPECT_EQ(result.status, OverlayStatus::kWriteFailed);
  EXPECT_NE(result.message.find(std::strerror(EFBIG)), std::string::npos) << result.message;
}

TEST_F(OverlayFileTest, FailedBlankWriteIsReportedAndLeavesNoFile) {
  const std::string path = dir_.File("Graph.bmp");
  OverlayResult result;
  {
    FileSizeLimit limit(kSmallFileLimit);
    ASSERT_TRUE(limit.ok());
    result = WriteBlankOverlay(path);
  }
  EXPECT_EQ(result.status, OverlayStatus::kWriteFailed);
  EXPECT_NE(result.message.find(std::strerror(EFBIG)), std::string::npos) << result.message;
  EXPECT_FALSE(std::filesystem::exists(path));
}

class BadFileTest : public ::testing::TestWithParam<BadBitmap> {};

TEST_P(BadFileTest, IsRefusedAndLeftByteForByte) {
  TempDir dir;
  const std::string path = dir.File("Graph.bmp");
  const Bytes original = MakeBadBitmap(GetParam());
  WriteFileBytes(path, original);
  const std::vector<float> series = RampSeries();

  const OverlayResult result = OverlayFirstOrderRate(path, series.data());

  EXPECT_EQ(result.status, OverlayStatus::kRefused);
  EXPECT_NE(result.message.find(DescribeBitmapCheck(GetParam().expected)), std::string::npos)
      << result.message;
  EXPECT_EQ(ReadFileBytes(path), original);
}

INSTANTIATE_TEST_SUITE_P(Faults, BadFileTest, ::testing::ValuesIn(kBadBitmaps), BadBitmapName);

}  // namespace
}  // namespace bitmap_export::fixtures
