// The overlay export on real files: it updates the file in place, so the
// file's name, links, owner, mode and appended bytes stay; whatever fails, the
// file keeps its old picture and the failure is reported.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "export/overlay_file.h"
#include "export/series_overlay.h"
#include "test_bitmap.h"
#include "test_files.h"
#include "tests/support/case_name.h"
#include "tests/support/system_users.h"

namespace bitmap_export::fixtures {
namespace {

constexpr std::uint8_t kCurve = 3;
constexpr mode_t kReadOnly = 0444;
constexpr mode_t kGroupReadable = 0640;
constexpr mode_t kPermissionBits = 07777;

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

  OverlayResult Export(OverlayFaultHooks hooks = {}) {
    const std::vector<float> series = FlatSeries();
    return OverlayFirstOrderRate(path_, series.data(), hooks);
  }

  OverlayResult ExportFrom(const std::string& path) {
    const std::vector<float> series = FlatSeries();
    return OverlayFirstOrderRate(path, series.data());
  }

  struct stat Status() const {
    struct stat status {};
    EXPECT_EQ(::stat(path_.c_str(), &status), 0);
    return status;
  }

  TempDir dir_;
  std::string path_;
  Bytes original_;
};

// What the file system holds around the picture, before and after an export.
struct KeptCase {
  const char* name;
  mode_t mode;
};

class OverlayKeeps : public OverlayFaults, public ::testing::WithParamInterface<KeptCase> {};

TEST_P(OverlayKeeps, TheFileItsModeAndItsIdentity) {
  ASSERT_EQ(::chmod(path_.c_str(), GetParam().mode), 0);
  const struct stat before = Status();
  const OverlayResult result = Export();
  ASSERT_EQ(result.status, OverlayStatus::kWritten) << result.message;
  EXPECT_EQ(ReadFileBytes(path_), Overlaid(original_));
  const struct stat after = Status();
  EXPECT_EQ(after.st_mode & kPermissionBits, GetParam().mode);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_TRUE(Leftovers(dir_.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, OverlayKeeps,
                         ::testing::Values(KeptCase{"GroupReadable", kGroupReadable},
                                           KeptCase{"GroupWritable", 0660},
                                           KeptCase{"SetGroupId", 02660},
                                           KeptCase{"SetUserId", 04640}),
                         test_support::CaseName());

TEST_F(OverlayFaults, ASymbolicLinkStaysALinkAndItsTargetGetsTheCurve) {
  const std::string link = dir_.File("link.bmp");
  ASSERT_EQ(::symlink("Graph.bmp", link.c_str()), 0);
  const OverlayResult result = ExportFrom(link);
  ASSERT_EQ(result.status, OverlayStatus::kWritten) << result.message;
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(path_), Overlaid(original_));
}

TEST_F(OverlayFaults, HardLinksStayOneFile) {
  const std::string second = dir_.File("second.bmp");
  ASSERT_EQ(::link(path_.c_str(), second.c_str()), 0);
  ASSERT_EQ(Export().status, OverlayStatus::kWritten);
  EXPECT_EQ(ReadFileBytes(second), Overlaid(original_));
  EXPECT_EQ(Status().st_nlink, 2U);
}

TEST_F(OverlayFaults, AnotherUsersFileKeepsItsOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  constexpr uid_t kOtherUser = 4242;
  constexpr gid_t kOtherGroup = 4343;
  ASSERT_EQ(::chown(path_.c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_EQ(::chmod(path_.c_str(), 0660), 0);
  ASSERT_EQ(Export().status, OverlayStatus::kWritten);
  EXPECT_EQ(Status().st_uid, kOtherUser);
  EXPECT_EQ(Status().st_gid, kOtherGroup);
}

// An unprivileged owner's write makes the system clear setuid and setgid; the
// export puts them back. As root the export runs in a child that has become
// the owner, the unprivileged user "nobody".
TEST_F(OverlayFaults, AnUnprivilegedOwnerKeepsSetUserId) {
  constexpr uid_t kNobody = 65534;
  constexpr mode_t kSetUserId = 04660;
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  ASSERT_EQ(::chown(path_.c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(path_.c_str(), kSetUserId), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    ::_exit(Export().status == OverlayStatus::kWritten ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFileBytes(path_), Overlaid(original_));
  EXPECT_EQ(Status().st_mode & kPermissionBits, kSetUserId);
}

// A member of the file's group drawing on another user's setuid or setgid
// picture: the system clears the bits on the write and only the owner may set
// them again, so the picture is drawn and the user told, in one line.
struct ClearedBitsCase {
  const char* name;
  mode_t mode;       // group-writable; setgid is cleared only with group execute
  const char* lost;  // and how the line refers back to it
};

const ClearedBitsCase kClearedBits[] = {
    {"SetUserId", 04660, "set-user-ID bit on writing, and only its owner can set it"},
    {"SetGroupId", 02670, "set-group-ID bit on writing, and only its owner can set it"},
    {"Both", 06670,
     "set-user-ID and set-group-ID bits on writing, and only its owner can set them"},
};

class ClearedBitsOfAnotherUser : public OverlayFaults,
                                 public ::testing::WithParamInterface<ClearedBitsCase> {};

TEST_P(ClearedBitsOfAnotherUser, AreReportedAfterDrawing) {
  const std::optional<test_support::SystemUser> owner =
      test_support::EnsureUser("corvellan-planter");
  const std::optional<test_support::SystemUser> member =
      test_support::EnsureUser("corvellan-victim");
  if (!owner || !member) GTEST_SKIP() << test_support::SkipReason();
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  ASSERT_EQ(::chown(path_.c_str(), owner->uid, member->gid), 0);
  ASSERT_EQ(::chmod(path_.c_str(), GetParam().mode), 0);
  const test_support::ChildOutcome child = test_support::RunAs(member, [&] {
    const OverlayResult result = Export();
    return std::to_string(static_cast<int>(result.status)) + "|" + result.notice;
  });
  ASSERT_EQ(child.status, 0);
  EXPECT_EQ(child.said, std::to_string(static_cast<int>(OverlayStatus::kWritten)) + "|" + path_ +
                            ": drawn, but the system cleared its " + GetParam().lost + " again");
  EXPECT_EQ(ReadFileBytes(path_), Overlaid(original_));
}

INSTANTIATE_TEST_SUITE_P(Modes, ClearedBitsOfAnotherUser, ::testing::ValuesIn(kClearedBits),
                         test_support::CaseName());

// The owner's own write keeps every bit, and there is nothing to say.
TEST_F(OverlayFaults, NothingIsSaidWhenTheModeStays) {
  ASSERT_EQ(::chmod(path_.c_str(), 06660), 0);
  const OverlayResult result = Export();
  EXPECT_EQ(result.status, OverlayStatus::kWritten);
  EXPECT_EQ(result.notice, "");
  EXPECT_EQ(Status().st_mode & kPermissionBits, 06660U);
}

// What is not a regular file is refused without waiting for it: a FIFO
// nobody writes would hold the caller for ever.
TEST_F(OverlayFaults, AFifoIsRefusedWithoutWaiting) {
  const std::string fifo = dir_.File("pipe.bmp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  const test_support::ChildOutcome child = test_support::RunAs(std::nullopt, [&] {
    const OverlayResult result = ExportFrom(fifo);
    return std::to_string(static_cast<int>(result.status)) + "|" + result.message;
  });
  ASSERT_EQ(child.status, 0) << "the export waited for the FIFO";
  EXPECT_EQ(child.said, std::to_string(static_cast<int>(OverlayStatus::kRefused)) + "|" + fifo +
                            ": not a regular file");
}

// A folder nobody may write, and a name as long as the system allows: no
// second file is needed beside the picture.
TEST_F(OverlayFaults, WorksInAReadOnlyFolderAndWithTheLongestName) {
  constexpr std::size_t kLongestName = 255;
  std::string stem(kLongestName - 4, 'g');
  const std::string longName = dir_.File(stem.append(".bmp"));
  WriteFileBytes(longName, original_);
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0555), 0);
  const OverlayResult result = ExportFrom(longName);
  ::chmod(dir_.path().c_str(), 0755);
  ASSERT_EQ(result.status, OverlayStatus::kWritten) << result.message;
  EXPECT_EQ(ReadFileBytes(longName), Overlaid(original_));
}

TEST_F(OverlayFaults, BytesAppendedDuringTheExportSurvive) {
  const Bytes appended = {'m', 'o', 'r', 'e'};
  OverlayFaultHooks hooks;
  hooks.beforeWrite = [&] {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND);
    ASSERT_EQ(::write(fd, appended.data(), appended.size()), 4);
    ::close(fd);
  };
  ASSERT_EQ(Export(hooks).status, OverlayStatus::kWritten);
  Bytes expected = Overlaid(original_);
  expected.insert(expected.end(), appended.begin(), appended.end());
  EXPECT_EQ(ReadFileBytes(path_), expected);
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

// The name changes hands while the curve is drawn: the export finishes on the
// file it opened and locked, and whatever is under the name now stays as it is.
TEST_P(OverlayMidwayFaults, WhatIsThereNowIsLeftAlone) {
  std::vector<std::uint8_t> replacementBytes;
  OverlayFaultHooks hooks;
  hooks.beforeWrite = [&] {
    GetParam().apply(path_);
    if (std::filesystem::is_regular_file(path_)) replacementBytes = ReadFileBytes(path_);
  };
  const OverlayResult result = Export(hooks);
  EXPECT_EQ(result.status, OverlayStatus::kWritten) << result.message;
  EXPECT_EQ(std::filesystem::exists(path_), GetParam().pathExistsAfter);
  if (!replacementBytes.empty()) {
    EXPECT_EQ(ReadFileBytes(path_), replacementBytes);
  }
  EXPECT_TRUE(Leftovers(dir_.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, OverlayMidwayFaults, ::testing::ValuesIn(kMidwayFaults),
                         test_support::CaseName());

// In place, the export needs no room beside the picture: it works on a full
// file system (a small tmpfs, where mounting one is allowed).
TEST(OverlayFullFileSystem, StillTakesTheCurve) {
  TempDir mountPoint;
  if (::mount("tmpfs", mountPoint.path().c_str(), "tmpfs", 0, "size=220k") != 0) {
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
  EXPECT_EQ(result.status, OverlayStatus::kWritten) << result.message;
  EXPECT_EQ(after, Overlaid(original));
  EXPECT_TRUE(leftovers.empty());
}

// A write that fails part of the way: the ranges already written get their old
// bytes back, and the failure names the system's reason.
struct WriteFault {
  const char* name;
  int failingWrite;  // 0 for the first write of the export
  int error;
  const char* reason;
};

class OverlayWriteFaults : public OverlayFaults,
                           public ::testing::WithParamInterface<WriteFault> {};

TEST_P(OverlayWriteFaults, PutTheOldPictureBack) {
  int writes = 0;
  OverlayFaultHooks hooks;
  hooks.writeAt = [&](int fd, std::span<const std::uint8_t> bytes, off_t offset) {
    if (writes++ < GetParam().failingWrite) return WriteFullyAt(fd, bytes, offset);
    // Half of the range reaches the file before the failure.
    (void)WriteFullyAt(fd, bytes.first(bytes.size() / 2), offset);
    return TransferOutcome{false, GetParam().error};
  };
  const OverlayResult result = Export(hooks);
  ASSERT_GT(writes, GetParam().failingWrite) << "the export made fewer writes";
  EXPECT_EQ(result.status, OverlayStatus::kWriteFailed);
  EXPECT_NE(result.message.find(GetParam().reason), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("keeps its old picture"), std::string::npos) << result.message;
  EXPECT_EQ(ReadFileBytes(path_), original_);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OverlayWriteFaults,
    ::testing::Values(WriteFault{"FirstWriteDiskFull", 0, ENOSPC, "No space left on device"},
                      WriteFault{"SecondWriteInputOutput", 1, EIO, "Input/output error"},
                      WriteFault{"SecondWriteStopsShort", 1, 0, "fewer bytes than expected"}),
    test_support::CaseName());

// Exports racing for one file: each either draws once or finds the file
// locked, so the curve colour advances exactly once per export that succeeds.
TEST_F(OverlayFaults, ConcurrentExportsAdvanceTheColourOncePerSuccess) {
  constexpr int kExporters = 20;
  std::vector<pid_t> children;
  for (int i = 0; i < kExporters; ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const std::vector<float> series = FlatSeries();
      const OverlayResult result = OverlayFirstOrderRate(path_, series.data());
      ::_exit(result.status == OverlayStatus::kWritten ? 0 : 1);
    }
    children.push_back(child);
  }
  int successes = 0;
  for (const pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) ++successes;
  }
  ASSERT_GE(successes, 1);
  Bytes expected = original_;
  for (int i = 0; i < successes; ++i) expected = Overlaid(expected);
  EXPECT_EQ(ReadFileBytes(path_), expected) << successes << " exports succeeded";
}

}  // namespace
}  // namespace bitmap_export::fixtures
