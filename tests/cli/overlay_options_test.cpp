#include "cli/overlay_options.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "export/overlay_file.h"
#include "export/series_overlay.h"
#include "model/population_model.h"
#include "run_description/parameter_table.h"
#include "tests/cli/command_line_helpers.h"
#include "tests/support/case_name.h"

namespace cli {
namespace {

using testing::Invoke;
using testing::Outcome;

using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), {});
}

class OverlayOptionsTest : public ::testing::Test {
 protected:
  OverlayOptionsTest()
      : folder_(std::filesystem::temp_directory_path() /
                ("corvellan-overlay-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
  }
  ~OverlayOptionsTest() override { std::filesystem::remove_all(folder_); }

  std::string File(const std::string& name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

// The runner draws exactly what the export draws for the same run.
TEST_F(OverlayOptionsTest, DrawsTheRunsFirstSeriesLikeTheExport) {
  const std::string path = File("Graph.bmp");
  const Outcome outcome =
      Invoke({"--seed", "4", "--distR", "1", "--new-overlay", path, "--overlay", path});
  ASSERT_EQ(outcome.status, kExitSuccess) << outcome.err;
  EXPECT_NE(outcome.out.find("step,firstOrderRate"), std::string::npos);

  const std::string expectedPath = File("Expected.bmp");
  ASSERT_EQ(bitmap_export::WriteBlankOverlay(expectedPath).status,
            bitmap_export::OverlayStatus::kWritten);
  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.distR = 1;
  model::CPopulationModel model;
  model.fixedSeed = 4;
  model.Run(arguments);
  ASSERT_EQ(bitmap_export::OverlayFirstOrderRate(expectedPath, model.firstOrderRate.get()).status,
            bitmap_export::OverlayStatus::kWritten);
  EXPECT_EQ(ReadBytes(path), ReadBytes(expectedPath));
}

TEST_F(OverlayOptionsTest, SuccessiveRunsAdvanceTheCurveColour) {
  const std::string path = File("Graph.bmp");
  ASSERT_EQ(Invoke({"--seed", "1", "--new-overlay", path}).status, kExitSuccess);
  const std::uint8_t first = ReadBytes(path)[1079];
  ASSERT_EQ(Invoke({"--seed", "1", "--overlay", path}).status, kExitSuccess);
  ASSERT_EQ(Invoke({"--seed", "2", "--overlay", path}).status, kExitSuccess);
  EXPECT_EQ(ReadBytes(path)[1079], static_cast<std::uint8_t>(first + 2));
}

struct RefusedOverlay {
  const char* name;
  std::vector<std::string> (*args)(const std::string& folder);
  const char* message;
  int status;
};

const RefusedOverlay kRefusals[] = {
    {"MissingFile",
     [](const std::string& f) {
       return std::vector<std::string>{"--overlay", f + "/none.bmp"};
     },
     "cannot open", kExitBadInput},
    {"NotABitmap",
     [](const std::string& f) {
       std::ofstream(f + "/text.bmp") << "not a bitmap";
       return std::vector<std::string>{"--overlay", f + "/text.bmp"};
     },
     "not drawn", kExitBadInput},
    {"NewOverlayExists",
     [](const std::string& f) {
       std::ofstream(f + "/taken.bmp") << "x";
       return std::vector<std::string>{"--new-overlay", f + "/taken.bmp"};
     },
     "already exists", kExitBadInput},
    {"WithABatch",
     [](const std::string& f) {
       return std::vector<std::string>{"--replicates", "2", "--overlay", f + "/g.bmp"};
     },
     "single run", kExitBadInput},
};

class OverlayRefusals : public OverlayOptionsTest,
                        public ::testing::WithParamInterface<RefusedOverlay> {};

TEST_P(OverlayRefusals, OneErrorLineAndNoOutput) {
  const Outcome outcome = Invoke(GetParam().args(folder_.string()));
  EXPECT_EQ(outcome.status, GetParam().status);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(Cases, OverlayRefusals, ::testing::ValuesIn(kRefusals),
                         test_support::CaseName());

TEST_F(OverlayOptionsTest, ARefusedFileIsLeftByteForByte) {
  const std::string path = File("short.bmp");
  std::ofstream(path, std::ios::binary) << std::string(1000, 'B');
  const Bytes before = ReadBytes(path);
  EXPECT_EQ(Invoke({"--overlay", path}).status, kExitBadInput);
  EXPECT_EQ(ReadBytes(path), before);
}

}  // namespace
}  // namespace cli
