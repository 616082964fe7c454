// What one user can plant in a shared sticky folder (the system's temporary
// folder) to catch another user's output, with real users, a real sticky
// folder and the writer running as the victim, whatever the system's own
// protections (fs.protected_*) say.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "output/output_file.h"
#include "output/shared_folder_rules.h"
#include "tests/support/case_name.h"
#include "tests/support/system_users.h"

namespace output {
namespace {

namespace fs = std::filesystem;
using test_support::SystemUser;

constexpr const char* kNewBytes = "new,bytes\n";
constexpr const char* kPrivate = "the victim's own words\n";

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// base/shared: sticky and world-writable, root's, as /tmp is;
// base/victim: the victim's own folder, with a private file in it and the
// victim's link mine.csv to shared/theirs.csv.
class SharedFolder {
 public:
  SharedFolder(const SystemUser& victim) {
    std::string name = (fs::temp_directory_path() / "corvellan-shared-XXXXXX").string();
    base_ = ::mkdtemp(name.data());
    ::chmod(base_.c_str(), 0755);
    fs::create_directory(Shared());
    ::chmod(Shared().c_str(), 01777);
    fs::create_directory(Own());
    std::ofstream(Private()) << kPrivate;
    ::chown(Own().c_str(), victim.uid, victim.gid);
    ::chown(Private().c_str(), victim.uid, victim.gid);
    ::chmod(Own().c_str(), 0700);
    ::chmod(Private().c_str(), 0600);
    fs::create_symlink(Shared() / "theirs.csv", Own() / "mine.csv");
    ::lchown((Own() / "mine.csv").c_str(), victim.uid, victim.gid);
  }
  ~SharedFolder() {
    std::error_code ignored;
    fs::remove_all(base_, ignored);
  }
  SharedFolder(const SharedFolder&) = delete;
  SharedFolder& operator=(const SharedFolder&) = delete;

  fs::path Base() const { return base_; }
  fs::path Shared() const { return base_ / "shared"; }
  fs::path Own() const { return base_ / "victim"; }
  fs::path Private() const { return Own() / "private.txt"; }

 private:
  fs::path base_;
};

enum class Who { kPlanter, kVictim, kRoot };

struct PlantCase {
  const char* name;
  Who plantedBy;
  // Made in the shared folder by plantedBy.
  std::function<void(const SharedFolder&)> plant;
  const char* target;  // below the folders' base
  OutputFile::Existing existing;
  bool victimIsRoot;
  bool refused;
  // When written, where the bytes must land; when refused, what stays as it was.
  std::function<void(const SharedFolder&, bool refused)> check;
};

void LinkTo(const fs::path& target, const fs::path& link) {
  fs::create_symlink(target, link);
}

const PlantCase kCases[] = {
    {"LinkOfAnotherUserToThePrivateFile", Who::kPlanter,
     [](const SharedFolder& f) { LinkTo(f.Private(), f.Shared() / "out.csv"); }, "shared/out.csv",
     OutputFile::Existing::kReplace, false, true,
     [](const SharedFolder& f, bool) { EXPECT_EQ(Read(f.Private()), kPrivate); }},
    {"RootFollowsNoLinkOfAnotherUserEither", Who::kPlanter,
     [](const SharedFolder& f) { LinkTo(f.Private(), f.Shared() / "out.csv"); }, "shared/out.csv",
     OutputFile::Existing::kReplace, true, true,
     [](const SharedFolder& f, bool) { EXPECT_EQ(Read(f.Private()), kPrivate); }},
    {"DanglingLinkOfAnotherUserIntoTheVictimsFolder", Who::kPlanter,
     [](const SharedFolder& f) { LinkTo(f.Own() / "made.bmp", f.Shared() / "new.bmp"); },
     "shared/new.bmp", OutputFile::Existing::kKeep, false, true,
     [](const SharedFolder& f, bool) { EXPECT_FALSE(fs::exists(f.Own() / "made.bmp")); }},
    {"FifoOfAnotherUser", Who::kPlanter,
     [](const SharedFolder& f) {
       const fs::path fifo = f.Shared() / "out.csv";
       ::mkfifo(fifo.c_str(), 0666);
       ::chmod(fifo.c_str(), 0666);
     },
     "shared/out.csv", OutputFile::Existing::kReplace, false, true,
     [](const SharedFolder& f, bool) { EXPECT_TRUE(fs::is_fifo(f.Shared() / "out.csv")); }},
    {"FileOfAnotherUserIsNotReplacedByRoot", Who::kPlanter,
     [](const SharedFolder& f) { std::ofstream(f.Shared() / "out.csv") << "theirs"; },
     "shared/out.csv", OutputFile::Existing::kReplace, true, true,
     [](const SharedFolder& f, bool) { EXPECT_EQ(Read(f.Shared() / "out.csv"), "theirs"); }},
    {"ALinkOfTheVictimsOwnIsFollowed", Who::kVictim,
     [](const SharedFolder& f) { LinkTo(f.Private(), f.Shared() / "out.csv"); }, "shared/out.csv",
     OutputFile::Existing::kReplace, false, false,
     [](const SharedFolder& f, bool) { EXPECT_EQ(Read(f.Private()), kNewBytes); }},
    {"ALinkOfTheFoldersOwnerIsFollowed", Who::kRoot,
     [](const SharedFolder& f) { LinkTo(f.Private(), f.Shared() / "out.csv"); }, "shared/out.csv",
     OutputFile::Existing::kReplace, false, false,
     [](const SharedFolder& f, bool) { EXPECT_EQ(Read(f.Private()), kNewBytes); }},
    {"TheVictimsOwnFileIsReplaced", Who::kVictim,
     [](const SharedFolder& f) { std::ofstream(f.Shared() / "out.csv") << "old"; },
     "shared/out.csv", OutputFile::Existing::kReplace, false, false,
     [](const SharedFolder& f, bool) { EXPECT_EQ(Read(f.Shared() / "out.csv"), kNewBytes); }},
    // The victim's own link leads on to the other user's: every link on the
    // way counts.
    {"ChainThroughALinkOfAnotherUser", Who::kPlanter,
     [](const SharedFolder& f) { LinkTo(f.Private(), f.Shared() / "theirs.csv"); },
     "victim/mine.csv", OutputFile::Existing::kReplace, false, true,
     [](const SharedFolder& f, bool) { EXPECT_EQ(Read(f.Private()), kPrivate); }},
};

class PlantedInASharedFolder : public ::testing::TestWithParam<PlantCase> {};

TEST_P(PlantedInASharedFolder, IsUsedOnlyAsTheKernelsProtectionsAllow) {
  const PlantCase& c = GetParam();
  const std::optional<SystemUser> planter = test_support::EnsureUser("corvellan-planter");
  const std::optional<SystemUser> victim = test_support::EnsureUser("corvellan-victim");
  if (!planter || !victim) GTEST_SKIP() << test_support::SkipReason();
  const SharedFolder folder(*victim);

  const std::optional<SystemUser> plantedBy = c.plantedBy == Who::kPlanter  ? planter
                                              : c.plantedBy == Who::kVictim ? victim
                                                                            : std::nullopt;
  ASSERT_EQ(test_support::RunAs(plantedBy,
                                [&] {
                                  c.plant(folder);
                                  return std::string();
                                })
                .status,
            0);
  const std::string target = (folder.Base() / c.target).string();

  const test_support::ChildOutcome written =
      test_support::RunAs(c.victimIsRoot ? std::nullopt : victim, [&] {
        const WriteResult result = WriteWholeFile(target, kNewBytes, c.existing);
        return std::to_string(result.error) + " " + result.reason;
      });
  ASSERT_EQ(written.status, 0) << "the writer blocked, crashed or could not become the victim";
  if (c.refused) {
    EXPECT_EQ(written.said.rfind(std::to_string(EACCES) + " ", 0), 0U) << written.said;
    EXPECT_NE(written.said.find("of another user"), std::string::npos) << written.said;
    EXPECT_NE(written.said.find("shared sticky folder"), std::string::npos) << written.said;
  } else {
    EXPECT_EQ(written.said, "0 ") << written.said;
  }
  c.check(folder, c.refused);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlantedInASharedFolder, ::testing::ValuesIn(kCases),
                         test_support::CaseName());

// The rule itself, for each kind of entry, owner and folder.
struct RuleCase {
  const char* name;
  mode_t folderMode;
  mode_t entryKind;  // S_IFLNK, S_IFIFO, S_IFREG or S_IFDIR
  bool ownedByTheUser;
  bool ownedByTheFoldersOwner;
  bool refused;
};

const RuleCase kRules[] = {
    {"LinkOfAnotherInSharedSticky", 01777, S_IFLNK, false, false, true},
    {"FifoOfAnotherInSharedSticky", 01777, S_IFIFO, false, false, true},
    {"FileOfAnotherInSharedSticky", 01777, S_IFREG, false, false, true},
    {"FolderOfAnotherInSharedSticky", 01777, S_IFDIR, false, false, false},
    {"OwnLinkInSharedSticky", 01777, S_IFLNK, true, false, false},
    {"FolderOwnersLinkInSharedSticky", 01777, S_IFLNK, false, true, false},
    {"LinkOfAnotherInWorldWritableNotSticky", 0777, S_IFLNK, false, false, false},
    {"LinkOfAnotherInStickyNotWorldWritable", 01775, S_IFLNK, false, false, false},
    {"LinkOfAnotherInPlainFolder", 0755, S_IFLNK, false, false, false},
};

class SharedFolderRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(SharedFolderRule, MatchesTheKernels) {
  const RuleCase& c = GetParam();
  constexpr uid_t kFolderOwner = 1000;
  constexpr uid_t kUser = 2000;
  constexpr uid_t kOther = 3000;
  std::string name = (fs::temp_directory_path() / "corvellan-rule-XXXXXX").string();
  const fs::path folder = ::mkdtemp(name.data());
  ::chmod(folder.c_str(), c.folderMode);
  if (::chown(folder.c_str(), kFolderOwner, kFolderOwner) != 0) {
    fs::remove_all(folder);
    GTEST_SKIP() << "needs root to give the folder to another user";
  }
  struct stat entry {};
  entry.st_mode = c.entryKind | 0644;
  entry.st_uid = c.ownedByTheUser ? kUser : c.ownedByTheFoldersOwner ? kFolderOwner : kOther;
  const std::string path = (folder / "entry").string();
  const std::string refusal = SharedFolderRefusal(path, entry, kUser);
  fs::remove_all(folder);
  EXPECT_EQ(!refusal.empty(), c.refused) << refusal;
  if (c.refused) {
    EXPECT_EQ(refusal.rfind(path + " is ", 0), 0U) << refusal;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedFolderRule, ::testing::ValuesIn(kRules),
                         test_support::CaseName());

}  // namespace
}  // namespace output
