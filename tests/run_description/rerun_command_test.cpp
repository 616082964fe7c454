#include "run_description/rerun_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "run_description/parameter_table.h"
#include "tests/support/sample_arguments.h"

namespace run {
namespace {

constexpr std::string_view kProgramAndSeed = "corvellan-run --seed ";

// Reads "--name value" pairs back through the parameter table.
model::RunArguments ReadBack(const std::string& command, std::int32_t& seed) {
  std::istringstream words(command.substr(kProgramAndSeed.size()));
  words >> seed;
  model::RunArguments arguments = DefaultRunArguments();
  for (std::string option, value; words >> option >> value;) {
    const auto index = FindParameter(option.substr(2));
    EXPECT_TRUE(index) << option;
    if (index) {
      EXPECT_EQ(ReadParameterValue(ParameterTable()[*index], value, arguments), "");
    }
  }
  return arguments;
}

// Arguments the window can pass, and some it cannot.
std::vector<model::RunArguments> SampleArguments() {
  model::RunArguments odd = test_support::AllNormalArguments();
  odd.paramJ = 35 * 0.01;
  odd.paramX = -1.0;
  odd.sigmaR = 0.35000000000000003;
  odd.corrET = -0.57;
  odd.requestedCountR = 28;
  odd.slopeM = -3;
  odd.reservedArg = -7;
  return {DefaultRunArguments(), test_support::AllNormalArguments(), odd};
}

constexpr std::int32_t kSeeds[] = {1, -2147483647 - 1, 2147483647, 1733812345};

TEST(RerunCommand, ReadsBackAsTheSameRun) {
  for (const model::RunArguments& arguments : SampleArguments()) {
    for (const std::int32_t seed : kSeeds) {
      std::int32_t readSeed = 0;
      EXPECT_EQ(ReadBack(RerunCommand(seed, arguments), readSeed), arguments);
      EXPECT_EQ(readSeed, seed);
      EXPECT_EQ(ReadBack(ShortRerunCommand(seed, arguments), readSeed), arguments);
      EXPECT_EQ(readSeed, seed);
    }
  }
}

TEST(RerunCommand, NamesEveryParameterInTheModelsOrder) {
  const std::string command = RerunCommand(5, DefaultRunArguments());
  EXPECT_EQ(command.rfind("corvellan-run --seed 5 --paramJ 0.5 --paramX 0 --distR 0 ", 0), 0U);
  EXPECT_TRUE(command.ends_with(" --reservedArg 0 --slopeM 10")) << command;
  std::size_t options = 0;
  for (std::size_t at = command.find(" --"); at != std::string::npos;
       at = command.find(" --", at + 1))
    ++options;
  EXPECT_EQ(options, 1 + ParameterTable().size());
}

TEST(ShortRerunCommand, NamesOnlyWhatDiffersFromTheDefaults) {
  const model::RunArguments defaults = DefaultRunArguments();
  EXPECT_EQ(ShortRerunCommand(5, defaults), "corvellan-run --seed 5");
  model::RunArguments changed = defaults;
  changed.distR = 1;
  changed.paramX = -0.5;
  EXPECT_EQ(ShortRerunCommand(5, changed), "corvellan-run --seed 5 --paramX -0.5 --distR 1");
}

}  // namespace
}  // namespace run
