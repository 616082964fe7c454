#include "cli/streamed_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace cli {
namespace {

std::filesystem::path Target(const char* name) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove(path);
  return path;
}

std::string Temporary(const std::filesystem::path& path) {
  return path.string() + ".tmp-corvellan";
}

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(StreamedFile, AppearsUnderItsNameOnlyOnCommit) {
  const std::filesystem::path path = Target("corvellan-streamed.csv");
  {
    StreamedFile file(path.string());
    ASSERT_EQ(file.OpenError(), "");
    file.Stream() << "a,b\n1,2\n";
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::exists(Temporary(path)));
    EXPECT_EQ(file.Commit(), "");
  }
  EXPECT_EQ(Read(path), "a,b\n1,2\n");
  EXPECT_FALSE(std::filesystem::exists(Temporary(path)));
  std::filesystem::remove(path);
}

TEST(StreamedFile, DroppedWithoutCommitLeavesNothingAndKeepsAnOlderFile) {
  const std::filesystem::path path = Target("corvellan-dropped.csv");
  std::ofstream(path) << "older\n";
  {
    StreamedFile file(path.string());
    file.Stream() << "newer\n";
  }
  EXPECT_FALSE(std::filesystem::exists(Temporary(path)));
  EXPECT_EQ(Read(path), "older\n");
  std::filesystem::remove(path);
}

TEST(StreamedFile, AFolderThatIsNotThereIsAnOpenError) {
  StreamedFile file("/nonexistent-folder/x.csv");
  EXPECT_EQ(file.OpenError(), "cannot write /nonexistent-folder/x.csv");
}

}  // namespace
}  // namespace cli
