#include "output/descriptor_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "tests/support/case_name.h"

namespace output {
namespace {

struct PathCase {
  const char* name;
  std::string path;
  std::optional<int> fd;
};

const std::string kOwnProcess = "/proc/" + std::to_string(::getpid()) + "/fd/";

const PathCase kCases[] = {
    {"StandardInput", "/dev/stdin", 0},
    {"StandardOutput", "/dev/stdout", 1},
    {"StandardError", "/dev/stderr", 2},
    {"DevFd", "/dev/fd/7", 7},
    {"ProcSelf", "/proc/self/fd/12", 12},
    {"ThreadSelf", "/proc/thread-self/fd/3", 3},
    {"OwnProcess", kOwnProcess + "4", 4},
    // Another process's descriptors are its own, not this one's.
    {"AnotherProcess", "/proc/1/fd/4", std::nullopt},
    {"NoNumber", "/dev/fd/", std::nullopt},
    {"LeadingZero", "/dev/fd/01", std::nullopt},
    {"Negative", "/dev/fd/-1", std::nullopt},
    {"Trailing", "/dev/fd/1/x", std::nullopt},
    {"TooLarge", "/dev/fd/99999999999", std::nullopt},
    {"RelativeLookalike", "dev/stdout", std::nullopt},
    {"PlainFile", "/tmp/out.csv", std::nullopt},
    {"StdoutWithSuffix", "/dev/stdout.csv", std::nullopt},
};

class NamedDescriptorOf : public ::testing::TestWithParam<PathCase> {};

TEST_P(NamedDescriptorOf, ReadsOnlyTheSystemsOwnNames) {
  EXPECT_EQ(NamedDescriptor(GetParam().path), GetParam().fd);
}

INSTANTIATE_TEST_SUITE_P(Cases, NamedDescriptorOf, ::testing::ValuesIn(kCases),
                         test_support::CaseName());

}  // namespace
}  // namespace output
