#include "output/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "output/file_size_limit.h"
#include "tests/support/case_name.h"
#include "tests/support/system_users.h"

namespace output {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kPermissionBits = 07777;
constexpr const char* kNewBytes = "new,bytes\n1,2\n";

// A fresh folder per test, removed with everything in it.
class Folder {
 public:
  Folder() {
    std::string name = (fs::temp_directory_path() / "corvellan-output-XXXXXX").string();
    path_ = ::mkdtemp(name.data());
  }
  ~Folder() {
    ::chmod(path_.c_str(), 0755);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const fs::path& path() const { return path_; }

  // Every name in the folder, sorted: nothing may be left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
  std::ofstream(path, std::ios::binary) << bytes;
  ::chmod(path.c_str(), mode);
}

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  ::stat(path.c_str(), &status);
  return status.st_mode & kPermissionBits;
}

mode_t Umask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// One case: a folder set up, one whole-file write to `target`, what must
// hold afterwards.
struct WriteCase {
  const char* name;
  std::function<void(const Folder&)> setUp;
  const char* target;
  int error;                       // 0: written
  const char* readAt;              // where the new bytes must be, when written
  std::optional<mode_t> mode;      // of readAt afterwards
  std::vector<std::string> names;  // everything in the folder afterwards
  std::function<void(const Folder&)> check = {};
};

class WholeFile : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WholeFile, LeavesTheFolderAsPromised) {
  const WriteCase& c = GetParam();
  const Folder folder;
  if (c.setUp) c.setUp(folder);
  const WriteResult result = WriteWholeFile(folder / c.target, kNewBytes);
  EXPECT_EQ(result.error, c.error) << result.reason;
  if (c.error != 0) {
    EXPECT_EQ(result.reason, std::system_category().message(c.error));
  } else {
    EXPECT_EQ(Read(folder / c.readAt), kNewBytes);
    if (c.mode) {
      EXPECT_EQ(ModeOf(folder / c.readAt), *c.mode);
    }
  }
  EXPECT_EQ(folder.Names(), c.names);
  if (c.check) c.check(folder);
}

const WriteCase kCases[] = {
    {"NewFile", {}, "out.csv", 0, "out.csv", 0666 & ~Umask(), {"out.csv"}},
    {"ReplacesAndKeepsMode",
     [](const Folder& f) { Write(f / "out.csv", "old", 0600); },
     "out.csv",
     0,
     "out.csv",
     0600,
     {"out.csv"}},
    {"ReplacesAReadOnlyFileKeepingItReadOnly",
     [](const Folder& f) { Write(f / "out.csv", "old", 0444); },
     "out.csv",
     0,
     "out.csv",
     0444,
     {"out.csv"}},
    {"KeepsSetGroupId",
     [](const Folder& f) { Write(f / "out.csv", "old", 02640); },
     "out.csv",
     0,
     "out.csv",
     02640,
     {"out.csv"}},
    {"FollowsALinkAndKeepsIt",
     [](const Folder& f) {
       Write(f / "real.csv", "old", 0640);
       fs::create_symlink("real.csv", f / "link.csv");
     },
     "link.csv",
     0,
     "real.csv",
     0640,
     {"link.csv", "real.csv"},
     [](const Folder& f) { EXPECT_TRUE(fs::is_symlink(f / "link.csv")); }},
    {"FollowsAChainOfLinks",
     [](const Folder& f) {
       fs::create_symlink("b.csv", f / "a.csv");
       fs::create_symlink("c.csv", f / "b.csv");
     },
     "a.csv",
     0,
     "c.csv",
     0666 & ~Umask(),
     {"a.csv", "b.csv", "c.csv"}},
    {"LinkIntoAnotherFolder",
     [](const Folder& f) {
       fs::create_directory(f / "sub");
       fs::create_symlink("sub/real.csv", f / "link.csv");
     },
     "link.csv",
     0,
     "sub/real.csv",
     std::nullopt,
     {"link.csv", "sub"},
     [](const Folder& f) {
       EXPECT_EQ(std::distance(fs::directory_iterator(f / "sub"), fs::directory_iterator{}), 1);
     }},
    // A name someone planted beside the target is never written through.
    {"PlantedLinkBesideTheTargetIsIgnored",
     [](const Folder& f) {
       Write(f / "precious.txt", "precious", 0644);
       fs::create_symlink("precious.txt", f / "out.csv.tmp-corvellan");
     },
     "out.csv",
     0,
     "out.csv",
     std::nullopt,
     {"out.csv", "out.csv.tmp-corvellan", "precious.txt"},
     [](const Folder& f) { EXPECT_EQ(Read(f / "precious.txt"), "precious"); }},
    {"ADirectoryIsRefused",
     [](const Folder& f) { fs::create_directory(f / "out.csv"); },
     "out.csv",
     EISDIR,
     nullptr,
     std::nullopt,
     {"out.csv"}},
    {"AMissingFolderIsRefused", {}, "missing/out.csv", ENOENT, nullptr, std::nullopt, {}},
    {"ALoopOfLinksIsRefused",
     [](const Folder& f) {
       fs::create_symlink("b.csv", f / "a.csv");
       fs::create_symlink("a.csv", f / "b.csv");
     },
     "a.csv",
     ELOOP,
     nullptr,
     std::nullopt,
     {"a.csv", "b.csv"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, WholeFile, ::testing::ValuesIn(kCases), test_support::CaseName());

// A FIFO needs a reader, which the table cannot give; it is written directly
// and no file takes its place.
TEST(WholeFileFifo, IsWrittenDirectlyWithoutATemporaryFile) {
  const Folder folder;
  const std::string fifo = folder / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  std::string received;
  std::thread reader([&] { received = Read(fifo); });
  const WriteResult result = WriteWholeFile(fifo, kNewBytes);
  reader.join();
  EXPECT_TRUE(result.Written()) << result.reason;
  EXPECT_EQ(received, kNewBytes);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"pipe"});
}

// Root writes into any folder; as root the write is made by a child that has
// become the unprivileged user "nobody".
TEST(WholeFileUnwritableFolder, IsRefusedWithTheReason) {
  constexpr uid_t kNobody = 65534;
  const Folder folder;
  ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
  const std::string path = folder / "out.csv";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(255);
    ::_exit(WriteWholeFile(path, kNewBytes).error);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_NE(WEXITSTATUS(status), 255) << "could not become nobody";
  EXPECT_EQ(WEXITSTATUS(status), EACCES);
  EXPECT_TRUE(folder.Names().empty());
}

TEST(OutputFile, AppearsOnlyOnCommit) {
  const Folder folder;
  const std::string path = folder / "out.csv";
  Write(path, "old");
  {
    OutputFile file(path);
    file.Stream() << kNewBytes;
    file.Stream().flush();
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(folder.Names().size(), 2U) << "the new bytes wait beside the old file";
    EXPECT_EQ(file.Commit(), "");
  }
  EXPECT_EQ(Read(path), kNewBytes);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.csv"});
}

TEST(OutputFile, DroppedWithoutCommitLeavesTheOldFileAndNothingElse) {
  const Folder folder;
  const std::string path = folder / "out.csv";
  Write(path, "old");
  {
    OutputFile file(path);
    file.Stream() << kNewBytes;
  }
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.csv"});
}

TEST(OutputFile, TwoAtOnceNeverShareATemporaryName) {
  const Folder folder;
  OutputFile first(folder / "out.csv");
  OutputFile second(folder / "out.csv");
  first.Stream() << "first\n";
  second.Stream() << "second\n";
  first.Stream().flush();
  second.Stream().flush();
  EXPECT_EQ(folder.Names().size(), 2U);
  EXPECT_EQ(second.Commit(), "");
  EXPECT_EQ(first.Commit(), "");
  EXPECT_EQ(Read(folder / "out.csv"), "first\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.csv"});
}

TEST(OutputFile, KeepRefusesAnExistingFileAndOneThatAppearsMeanwhile) {
  const Folder folder;
  const std::string path = folder / "new.bmp";
  Write(path, "old");
  EXPECT_EQ(WriteWholeFile(path, kNewBytes, OutputFile::Existing::kKeep).error, EEXIST);
  EXPECT_EQ(Read(path), "old");

  const std::string later = folder / "later.bmp";
  OutputFile file(later, OutputFile::Existing::kKeep);
  file.Stream() << kNewBytes;
  Write(later, "theirs");
  EXPECT_EQ(file.Commit(), std::system_category().message(EEXIST));
  EXPECT_EQ(Read(later), "theirs");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"later.bmp", "new.bmp"}));
}

TEST(OutputFile, AFullDeviceIsReportedWithItsReason) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const WriteResult result = WriteWholeFile("/dev/full", kNewBytes);
  EXPECT_EQ(result.error, ENOSPC);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// A real full file system, where mounting one is allowed: the old file stays
// whole and nothing is left beside it.
TEST(OutputFile, AFullFileSystemKeepsTheOldFile) {
  const Folder mountPoint;
  if (::mount("tmpfs", mountPoint.path().c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here";
  }
  const std::string path = mountPoint / "out.csv";
  Write(path, "old");
  const WriteResult result = WriteWholeFile(path, std::string(256 * 1024, 'x'));
  const std::string after = Read(path);
  const std::vector<std::string> names = mountPoint.Names();
  ::umount(mountPoint.path().c_str());
  EXPECT_EQ(result.error, ENOSPC) << result.reason;
  EXPECT_EQ(after, "old");
  EXPECT_EQ(names, std::vector<std::string>{"out.csv"});
}

// A path that names one of the process's descriptors is written through that
// descriptor: a file opened for appending keeps what it held, a pipe gets the
// bytes, nothing is renamed, and the descriptor's own file stays the same
// file. Each case runs in a child, which may move its standard output.
struct DescriptorCase {
  const char* name;
  // The path that names fd in the child.
  std::function<std::string(int fd)> pathFor;
  bool throughAPipe;  // else a file holding "old\n", opened for appending
};

const DescriptorCase kDescriptorCases[] = {
    {"DevFd", [](int fd) { return "/dev/fd/" + std::to_string(fd); }, false},
    {"ProcSelfFd", [](int fd) { return "/proc/self/fd/" + std::to_string(fd); }, false},
    {"ProcPidFd",
     [](int fd) { return "/proc/" + std::to_string(::getpid()) + "/fd/" + std::to_string(fd); },
     false},
    {"DevStdoutAppending",
     [](int fd) {
       ::dup2(fd, STDOUT_FILENO);
       return std::string("/dev/stdout");
     },
     false},
    {"DevStdoutIntoAPipe",
     [](int fd) {
       ::dup2(fd, STDOUT_FILENO);
       return std::string("/dev/stdout");
     },
     true},
    {"DevFdIntoAPipe", [](int fd) { return "/dev/fd/" + std::to_string(fd); }, true},
};

class NamedDescriptorWrite : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(NamedDescriptorWrite, GoesThroughTheDescriptorAsItIs) {
  const DescriptorCase& c = GetParam();
  const Folder folder;
  const std::string log = folder / "log.csv";
  Write(log, "old\n");
  struct stat before {};
  ::stat(log.c_str(), &before);
  int pipe[2] = {-1, -1};
  ASSERT_EQ(::pipe(pipe), 0);
  const test_support::ChildOutcome child = test_support::RunAs(std::nullopt, [&] {
    const int fd = c.throughAPipe ? pipe[1] : ::open(log.c_str(), O_WRONLY | O_APPEND);
    const WriteResult result = WriteWholeFile(c.pathFor(fd), kNewBytes);
    return std::to_string(result.error) + " " + result.reason;
  });
  ::close(pipe[1]);
  std::string piped(64, '\0');
  piped.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(pipe[0], piped.data(), 64))));
  ::close(pipe[0]);
  EXPECT_EQ(child.status, 0);
  EXPECT_EQ(child.said, "0 ");
  EXPECT_EQ(piped, c.throughAPipe ? kNewBytes : "");
  EXPECT_EQ(Read(log), c.throughAPipe ? "old\n" : std::string("old\n") + kNewBytes);
  struct stat after {};
  ::stat(log.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino) << "the file was replaced";
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"log.csv"});
}

INSTANTIATE_TEST_SUITE_P(Cases, NamedDescriptorWrite, ::testing::ValuesIn(kDescriptorCases),
                         test_support::CaseName());

TEST(NamedDescriptorWrite, AClosedDescriptorOrAKeptFileIsRefused) {
  constexpr int kNeverOpened = 987;
  EXPECT_EQ(WriteWholeFile("/dev/fd/" + std::to_string(kNeverOpened), kNewBytes).error, EBADF);
  EXPECT_EQ(WriteWholeFile("/dev/stderr", kNewBytes, OutputFile::Existing::kKeep).error, EEXIST);
}

// For a window: what is not a regular file is refused at once, never opened,
// so nothing waits for a FIFO's reader; a regular file is written as ever.
struct NotRegularCase {
  const char* name;
  std::function<std::string(const Folder&)> make;  // returns the path to write
  bool refused;
};

const NotRegularCase kNotRegularCases[] = {
    {"FifoWithoutAReader",
     [](const Folder& f) {
       ::mkfifo((f / "pipe").c_str(), 0644);
       return f / "pipe";
     },
     true},
    {"LinkToAFifo",
     [](const Folder& f) {
       ::mkfifo((f / "pipe").c_str(), 0644);
       fs::create_symlink("pipe", f / "link");
       return f / "link";
     },
     true},
    {"Device", [](const Folder&) { return std::string("/dev/null"); }, true},
    {"DescriptorOfAPipe",
     [](const Folder&) {
       int ends[2];
       if (::pipe(ends) != 0) return std::string();
       return "/dev/fd/" + std::to_string(ends[1]);
     },
     true},
    {"RegularFile", [](const Folder& f) { return f / "out.csv"; }, false},
};

class NotRegularRefused : public ::testing::TestWithParam<NotRegularCase> {};

TEST_P(NotRegularRefused, WithoutWaiting) {
  const Folder folder;
  const std::string path = GetParam().make(folder);
  const test_support::ChildOutcome child = test_support::RunAs(std::nullopt, [&] {
    const WriteResult result = WriteWholeFile(path, kNewBytes, OutputFile::Existing::kReplace,
                                              OutputFile::NotRegular::kRefuse);
    return result.reason;
  });
  ASSERT_EQ(child.status, 0) << "the write waited or crashed";
  EXPECT_EQ(child.said, GetParam().refused ? "not a regular file" : "");
}

INSTANTIATE_TEST_SUITE_P(Cases, NotRegularRefused, ::testing::ValuesIn(kNotRegularCases),
                         test_support::CaseName());

// Extended attributes of a replaced file stay, an access control list above
// all: replacing a file must not take back a group's or a user's access.
struct AttributeCase {
  const char* name;
  const char* attribute;
  std::string value;
  mode_t mode;
};

// An access control list as the system stores it: a version, then (tag,
// permissions, id) entries; here the owner rw, the owning group r, group
// 12345 rw, the mask rw and others r.
std::string AccessControlList() {
  constexpr std::uint32_t kVersion = 2;
  constexpr std::uint32_t kNoId = 0xffffffff;
  struct Entry {
    std::uint16_t tag;
    std::uint16_t permissions;
    std::uint32_t id;
  };
  const Entry entries[] = {
      {0x01, 6, kNoId}, {0x04, 4, kNoId}, {0x08, 6, 12345}, {0x10, 6, kNoId}, {0x20, 4, kNoId}};
  std::string bytes(reinterpret_cast<const char*>(&kVersion), sizeof kVersion);
  for (const Entry& entry : entries) {
    bytes.append(reinterpret_cast<const char*>(&entry.tag), sizeof entry.tag);
    bytes.append(reinterpret_cast<const char*>(&entry.permissions), sizeof entry.permissions);
    bytes.append(reinterpret_cast<const char*>(&entry.id), sizeof entry.id);
  }
  return bytes;
}

const AttributeCase kAttributeCases[] = {
    {"UserAttribute", "user.origin", "lab notebook 7", 0640},
    {"EmptyUserAttribute", "user.empty", "", 0600},
    {"AccessControlListGivingAGroupWrite", "system.posix_acl_access", AccessControlList(), 0664},
};

class KeptAttribute : public ::testing::TestWithParam<AttributeCase> {};

std::optional<std::string> AttributeOf(const std::string& path, const char* name) {
  std::string value(4096, '\0');
  const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
  if (size < 0) return std::nullopt;
  value.resize(static_cast<std::size_t>(size));
  return value;
}

TEST_P(KeptAttribute, SurvivesTheReplacement) {
  const AttributeCase& c = GetParam();
  const Folder folder;
  const std::string path = folder / "out.csv";
  Write(path, "old", c.mode);
  if (::setxattr(path.c_str(), c.attribute, c.value.data(), c.value.size(), 0) != 0) {
    GTEST_SKIP() << "this file system takes no " << c.attribute << ": " << std::strerror(errno);
  }
  const std::optional<std::string> before = AttributeOf(path, c.attribute);
  ASSERT_TRUE(before);
  ASSERT_TRUE(WriteWholeFile(path, kNewBytes).Written());
  EXPECT_EQ(Read(path), kNewBytes);
  EXPECT_EQ(AttributeOf(path, c.attribute), before);
  EXPECT_EQ(ModeOf(path), c.mode);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeptAttribute, ::testing::ValuesIn(kAttributeCases),
                         test_support::CaseName());

// An unprivileged owner's write clears setuid and setgid; the mode is set
// after the last write, so the owner's own file keeps them.
class SetIdBitsOfAnOwner : public ::testing::TestWithParam<mode_t> {};

TEST_P(SetIdBitsOfAnOwner, AreKept) {
  const std::optional<test_support::SystemUser> owner =
      test_support::EnsureUser("corvellan-victim");
  if (!owner) GTEST_SKIP() << test_support::SkipReason();
  const Folder folder;
  ::chmod(folder.path().c_str(), 0755);
  const std::string sub = folder / "own";
  fs::create_directory(sub);
  ASSERT_EQ(::chown(sub.c_str(), owner->uid, owner->gid), 0);
  const std::string path = sub + "/tool.csv";
  Write(path, "old");
  ASSERT_EQ(::chown(path.c_str(), owner->uid, owner->gid), 0);
  ASSERT_EQ(::chmod(path.c_str(), GetParam()), 0);
  const test_support::ChildOutcome child =
      test_support::RunAs(owner, [&] { return WriteWholeFile(path, kNewBytes).reason; });
  EXPECT_EQ(child.status, 0);
  EXPECT_EQ(child.said, "");
  EXPECT_EQ(Read(path), kNewBytes);
  EXPECT_EQ(ModeOf(path), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Modes, SetIdBitsOfAnOwner, ::testing::Values(04750, 02750, 06770));

// Beyond the file-size limit a write fails with "File too large" instead of
// ending the program: the old file stays whole and nothing is left beside it.
// Without TakeFileSizeLimitAsError the same write kills the process.
TEST(FileSizeLimit, IsAFailureNotTheEndOfTheProgram) {
  constexpr rlim_t kLimit = 4096;
  const Folder folder;
  const std::string path = folder / "out.csv";
  Write(path, "old");
  const std::string big(4 * kLimit, 'x');
  const auto writeUnderTheLimit = [&](bool takenAsError) {
    return test_support::RunAs(std::nullopt, [&] {
      if (takenAsError) TakeFileSizeLimitAsError();
      const rlimit limit{kLimit, kLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      return WriteWholeFile(path, big).reason;
    });
  };
  const test_support::ChildOutcome killed = writeUnderTheLimit(false);
  EXPECT_EQ(killed.status, 128 + SIGXFSZ) << "the limit no longer kills: the test proves nothing";
  const std::vector<std::string> leftBehind = folder.Names();
  for (const std::string& name : leftBehind) {
    if (name != "out.csv") fs::remove(folder / name);
  }
  const test_support::ChildOutcome refused = writeUnderTheLimit(true);
  EXPECT_EQ(refused.status, 0);
  EXPECT_EQ(refused.said, std::system_category().message(EFBIG));
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.csv"});
}

TEST(FailureLine, NamesTheFileAndTheReason) {
  EXPECT_EQ(FailureLine("out.csv", "Is a directory"), "cannot write out.csv: Is a directory");
}

}  // namespace
}  // namespace output
