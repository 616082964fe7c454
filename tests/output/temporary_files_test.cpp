// A signal that ends the program takes the temporary files with it.
#include "output/temporary_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "output/output_file.h"
#include "tests/support/case_name.h"

namespace output {
namespace {

namespace fs = std::filesystem;

struct SignalCase {
  const char* name;
  int signal;
};

class EndingSignal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(EndingSignal, RemovesTheTemporaryFileAndStillEndsTheProgram) {
  std::string folder = (fs::temp_directory_path() / "corvellan-signal-XXXXXX").string();
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  const std::string path = folder + "/out.csv";
  int written[2];
  ASSERT_EQ(::pipe(written), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RemoveTemporaryFilesOnSignals();
    OutputFile file(path);
    file.Stream() << "partial" << std::flush;
    (void)!::write(written[1], "w", 1);
    ::pause();
    ::_exit(0);
  }
  char ready = 0;
  ASSERT_EQ(::read(written[0], &ready, 1), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
  ::kill(child, GetParam().signal);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(written[0]);
  ::close(written[1]);
  EXPECT_TRUE(WIFSIGNALED(status));
  if (WIFSIGNALED(status)) {
    EXPECT_EQ(WTERMSIG(status), GetParam().signal);
  }
  EXPECT_TRUE(fs::is_empty(folder)) << "a temporary file outlived the program";
  fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Signals, EndingSignal,
                         ::testing::Values(SignalCase{"Interrupt", SIGINT},
                                           SignalCase{"Terminate", SIGTERM},
                                           SignalCase{"HangUp", SIGHUP}),
                         test_support::CaseName());

TEST(RememberTemporary, RemovesOnlyWhatIsStillRemembered) {
  const std::string kept = (fs::temp_directory_path() / "corvellan-kept-file").string();
  const std::string dropped = (fs::temp_directory_path() / "corvellan-dropped-file").string();
  std::FILE* a = std::fopen(kept.c_str(), "w");
  std::FILE* b = std::fopen(dropped.c_str(), "w");
  std::fclose(a);
  std::fclose(b);
  const int keptSlot = RememberTemporary(kept);
  const int droppedSlot = RememberTemporary(dropped);
  ASSERT_GE(keptSlot, 0);
  ASSERT_GE(droppedSlot, 0);
  ForgetTemporary(keptSlot);
  RemoveTemporaryFiles();
  EXPECT_TRUE(fs::exists(kept));
  EXPECT_FALSE(fs::exists(dropped));
  fs::remove(kept);
}

}  // namespace
}  // namespace output
