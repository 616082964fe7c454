// The main of the model tests: --dynamics-path=NAME makes every run of the
// program take that path, so that the whole suite runs once per path. On a
// processor without the path every test is skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string_view>

#include "model/dynamics_path.h"

namespace {

constexpr std::string_view kPathFlag = "--dynamics-path=";

class UnavailablePath : public testing::Environment {
 public:
  void SetUp() override { GTEST_SKIP() << "this processor cannot run the path asked for"; }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!arg.starts_with(kPathFlag)) continue;
    const std::optional<model::DynamicsPath> path = model::PathNamed(arg.substr(kPathFlag.size()));
    if (!path) {
      std::fprintf(stderr, "unknown path in %s\n", argv[i]);
      return 2;
    }
    if (!model::SelectDynamicsPath(*path)) testing::AddGlobalTestEnvironment(new UnavailablePath);
  }
  return RUN_ALL_TESTS();
}
