#include "batch/model_limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "model/population_model.h"
#include "run_description/parameter_table.h"

namespace batch {
namespace {

// The message the model itself shows for arguments, or nothing when it runs.
std::optional<std::string> ModelVerdict(const model::RunArguments& arguments) {
  model::CPopulationModel model;
  std::optional<std::string> message;
  model.notice = [&message](std::string_view text) { message = std::string(text); };
  model.fixedSeed = 1;
  model.Run(arguments);
  return message;
}

struct Probe {
  const char* argument;
  double value;
};

// Each limit at, just inside and just outside its bounds.
const Probe kProbes[] = {
    {"paramJ", 0.0},   {"paramJ", 1.0},   {"paramJ", -1e-12},     {"paramJ", 1.0000001},
    {"paramX", -1.0},  {"paramX", 1.0},   {"paramX", -1.0000001}, {"paramX", 1.5},
    {"agentCount", 1}, {"agentCount", 0}, {"agentCount", -3},
};

class LimitAgreesWithTheModel : public ::testing::TestWithParam<Probe> {};

TEST_P(LimitAgreesWithTheModel, AtTheBoundary) {
  const Probe& probe = GetParam();
  const ModelLimit* limit = FindModelLimit(probe.argument);
  ASSERT_NE(limit, nullptr);
  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.agentCount = 2;  // small and valid, so only the probe decides
  run::SetParameterValue(run::ParameterTable()[*run::FindParameter(probe.argument)], probe.value,
                         arguments);
  const std::optional<std::string> verdict = ModelVerdict(arguments);
  if (WithinModelLimit(*limit, probe.value)) {
    EXPECT_FALSE(verdict) << *verdict;
  } else {
    ASSERT_TRUE(verdict);
    EXPECT_EQ(*verdict, limit->message);
  }
}

INSTANTIATE_TEST_SUITE_P(Probes, LimitAgreesWithTheModel, ::testing::ValuesIn(kProbes));

TEST(ModelLimits, AreListedInTheOrderTheModelChecks) {
  ASSERT_EQ(ModelLimits().size(), 3u);
  EXPECT_EQ(ModelLimits()[0].message, model::kMessageBadJ);
  EXPECT_EQ(ModelLimits()[1].message, model::kMessageBadX);
  EXPECT_EQ(ModelLimits()[2].message, model::kMessageBadN);
  // Each limit reads the argument it names.
  for (const ModelLimit& limit : ModelLimits()) {
    const std::optional<std::size_t> index = run::FindParameter(limit.argument);
    ASSERT_TRUE(index) << limit.argument;
    model::RunArguments arguments{};
    run::SetParameterValue(run::ParameterTable()[*index], 7, arguments);
    EXPECT_EQ(limit.value(arguments), 7) << limit.argument;
  }
  EXPECT_EQ(FindModelLimit("medianR"), nullptr);
}

}  // namespace
}  // namespace batch
