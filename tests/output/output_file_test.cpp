#include "output/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "tests/support/case_name.h"

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

TEST(FailureLine, NamesTheFileAndTheReason) {
  EXPECT_EQ(FailureLine("out.csv", "Is a directory"), "cannot write out.csv: Is a directory");
}

}  // namespace
}  // namespace output
