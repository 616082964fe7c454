#include "cli/dynamics_path_choice.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/dynamics_path.h"

namespace cli {
namespace {

class PathChoice : public testing::Test {
 protected:
  void TearDown() override { model::SelectDynamicsPath(before_); }

  model::DynamicsPath before_ = model::ActiveDynamicsPath();
  std::ostringstream err;
};

TEST_F(PathChoice, UnsetOrEmptyLeavesTheProcessorsChoice) {
  for (const char* value : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_TRUE(ApplyPathChoice(value, err));
    EXPECT_EQ(model::ActiveDynamicsPath(), before_);
  }
  EXPECT_EQ(err.str(), "");
}

TEST_F(PathChoice, TakesTheNamedPath) {
  const std::string pairs(model::PathName(model::DynamicsPath::kPairs));
  EXPECT_TRUE(ApplyPathChoice(pairs.c_str(), err));
  EXPECT_EQ(model::ActiveDynamicsPath(), model::DynamicsPath::kPairs);
  EXPECT_EQ(DescribeDynamicsPath().rfind("dynamics: " + pairs + " (available: " + pairs, 0), 0u);
}

TEST_F(PathChoice, RefusesAnUnknownNameInOneLine) {
  EXPECT_FALSE(ApplyPathChoice("avx2", err));
  EXPECT_EQ(model::ActiveDynamicsPath(), before_);
  EXPECT_EQ(err.str().rfind("corvellan-run: CORVELLAN_PATH=avx2: no such path (available: ", 0), 0u)
      << err.str();
  EXPECT_EQ(err.str().find('\n'), err.str().size() - 1);
}

}  // namespace
}  // namespace cli
