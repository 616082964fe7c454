// A file the menu cannot write: the user is told which and why, and nothing
// is left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/temporary_current_directory.h"

namespace ui_test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFileName = "graph.out";
constexpr std::string_view kReasonSeparator = "\": ";

// A place that cannot take the file, made inside folder; returns the path to save to.
struct Obstacle {
  const char* name;
  std::function<fs::path(const fs::path& folder)> make;
  bool needsPermissions;  // root writes through permissions
};

std::ostream& operator<<(std::ostream& out, const Obstacle& o) {
  return out << o.name;
}

const std::vector<Obstacle> kObstacles = {
    {"MissingFolder", [](const fs::path& folder) { return folder / "missing" / kFileName; }, false},
    {"FileWhereAFolderShouldBe",
     [](const fs::path& folder) {
       std::ofstream(folder / "plain") << "a file, not a folder";
       return folder / "plain" / kFileName;
     },
     false},
    {"FolderWithTheFilesName",
     [](const fs::path& folder) {
       fs::create_directory(folder / kFileName);
       return folder / kFileName;
     },
     false},
    // A FIFO would hold the window until a reader came: refused at once.
    {"Fifo",
     [](const fs::path& folder) {
       ::mkfifo((folder / kFileName).c_str(), 0644);
       return folder / kFileName;
     },
     false},
    {"ReadOnlyFolder",
     [](const fs::path& folder) {
       fs::create_directory(folder / "locked");
       fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
       return folder / "locked" / kFileName;
     },
     true},
};

const std::vector<std::string_view> kSaveItems = {kSaveCsvItem, kSavePngItem, kSavePng2xItem,
                                                  kSaveSvgItem};

// Every file and folder below folder, with its contents for files.
std::vector<std::pair<std::string, std::string>> Snapshot(const fs::path& folder) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const fs::directory_entry& entry :
       fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied)) {
    std::string contents;
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    entries.emplace_back(entry.path().string(), contents);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

class SaveFailure : public testing::TestWithParam<std::tuple<Obstacle, std::string_view>> {
 protected:
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(directory_.Path() / "locked", fs::perms::owner_all, ignored);
  }

  TemporaryCurrentDirectory directory_;
  MainDialogHarness harness_;
  MenuChooser chooser_;
};

TEST_P(SaveFailure, ShowsTheFileAndTheReasonAndLeavesNothingBehind) {
  const auto& [obstacle, item] = GetParam();
  if (obstacle.needsPermissions && geteuid() == 0) {
    GTEST_SKIP() << "root writes into read-only folders";
  }
  const fs::path path = obstacle.make(directory_.Path());
  const auto before = Snapshot(directory_.Path());
  const SaveFileAnswer answer(path.string());
  const int runsBefore = harness_.Runs();

  ChooseFromGraphMenu(harness_, chooser_, item);

  ASSERT_EQ(harness_.Messages().size(), 1U);
  const ShownMessage& shown = harness_.Messages().front();
  EXPECT_EQ(shown.icon, platform::MessageIcon::kExclamation);
  const std::size_t nameAt = shown.text.find(path.string());
  ASSERT_NE(nameAt, std::string::npos) << shown.text;
  const std::size_t reasonAt = shown.text.find(kReasonSeparator, nameAt);
  ASSERT_NE(reasonAt, std::string::npos) << shown.text;
  EXPECT_GT(shown.text.size(), reasonAt + kReasonSeparator.size()) << "no reason: " << shown.text;
  EXPECT_EQ(Snapshot(directory_.Path()), before);
  EXPECT_EQ(harness_.Runs(), runsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Places, SaveFailure,
    testing::Combine(testing::ValuesIn(kObstacles), testing::ValuesIn(kSaveItems)),
    [](const testing::TestParamInfo<std::tuple<Obstacle, std::string_view>>& row) {
      std::string item(std::get<1>(row.param));
      std::erase_if(item, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
      return std::string(std::get<0>(row.param).name) + "_" + item;
    });

class SaveOverExisting : public testing::TestWithParam<std::string_view> {
 protected:
  TemporaryCurrentDirectory directory_;
  MainDialogHarness harness_;
  MenuChooser chooser_;
};

// The old file is replaced by a whole new one, and no temporary file stays.
TEST_P(SaveOverExisting, ReplacesTheFileAndLeavesNoTemporaryFile) {
  const fs::path path = directory_.Path() / kFileName;
  const std::string old = "the file before";
  std::ofstream(path) << old;
  const SaveFileAnswer answer(path.string());

  ChooseFromGraphMenu(harness_, chooser_, GetParam());

  const auto after = Snapshot(directory_.Path());
  ASSERT_EQ(after.size(), 1U);
  EXPECT_EQ(after.front().first, path.string());
  EXPECT_NE(after.front().second, old);
  EXPECT_GT(after.front().second.size(), old.size());
  EXPECT_TRUE(harness_.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Items, SaveOverExisting, testing::ValuesIn(kSaveItems),
                         [](const testing::TestParamInfo<std::string_view>& row) {
                           std::string item(row.param);
                           std::erase_if(item, [](char c) {
                             return !std::isalnum(static_cast<unsigned char>(c));
                           });
                           return item;
                         });

}  // namespace
}  // namespace ui_test
