#include "cli/runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/population_model.h"
#include "run_description/parameter_table.h"
#include "tests/cli/command_line_helpers.h"
#include "tests/cli/working_folder.h"
#include "tests/support/case_name.h"

namespace cli {
namespace {

using testing::Invoke;
using testing::Lines;
using testing::Outcome;
using testing::Split;

struct BadInput {
  const char* name;
  std::vector<std::string> args;
  const char* message;  // part of the one error line
};

const BadInput kBadInputs[] = {
    {"UnknownOption", {"--paramZ", "1"}, "unexpected argument \"--paramZ\""},
    {"StrayValue", {"0.5"}, "unexpected argument \"0.5\""},
    {"MissingValue", {"--paramJ"}, "--paramJ"},
    {"NotANumber", {"--medianR", "half"}, "--medianR: expected a number, got \"half\""},
    {"TrailingText", {"--medianR", "0.5x"}, "--medianR: expected a number"},
    {"NaN", {"--paramJ", "nan"}, "--paramJ: expected a finite number"},
    {"Infinity", {"--paramX", "-inf"}, "--paramX: expected a finite number"},
    {"Overflow", {"--sigmaI", "1e400"}, "--sigmaI: \"1e400\" is too large"},
    {"Underflow", {"--paramJ", "1e-400"}, "--paramJ: \"1e-400\" is too small to represent"},
    // A single run uses no threads, yet its --jobs is checked as a batch's.
    {"JobsNotANumber", {"--jobs", "abc"}, "--jobs: expected a whole number, got \"abc\""},
    {"JobsZero", {"--jobs", "0"}, "--jobs: 0 is outside 1 to 256"},
    {"JobsNegative", {"--jobs", "-5"}, "--jobs: -5 is outside 1 to 256"},
    {"AboveTrackbar", {"--sigmaR", "0.36"}, "--sigmaR: 0.36 is outside 0 to 0.35"},
    {"BelowTrackbar", {"--paramM", "0.99"}, "--paramM: 0.99 is outside 1 to 2"},
    {"LocationOutside", {"--valueT", "1.5"}, "--valueT: 1.5 is outside 0 to 1"},
    {"KindThree", {"--distE", "3"}, "--distE: 3 is outside 0 to 2"},
    {"FlagTwo", {"--sanctionsOn", "2"}, "--sanctionsOn: 2 is outside 0 to 1"},
    {"FractionalCount", {"--agentCount", "10.5"}, "--agentCount: expected a whole number"},
    {"NegativeCarriers", {"--requestedCountR", "-1"}, "--requestedCountR: -1 is outside 0 or more"},
    {"HugeSeed", {"--seed", "4294967296"}, "--seed: \"4294967296\" does not fit"},
    {"FractionalSeed", {"--seed", "2.5"}, "--seed: expected a whole number"},
    {"ModelRejectsJ", {"--paramJ", "1.5"}, "Inappropriate parameter J"},
    {"ModelRejectsX", {"--paramX", "-1.01"}, "Inappropriate parameter X"},
    {"ModelRejectsN", {"--agentCount", "0"}, "Inappropriate parameter N"},
    {"OnlyTheFirstModelFailure", {"--paramJ", "2", "--paramX", "2"}, "Inappropriate parameter J"},
    {"BadFormat", {"--format", "xml"}, "--format"},
    {"FlatJsonOfABatch",
     {"--format", "jsonl", "--replicates", "2"},
     "--format jsonl is for a single run; a batch's --format json is JSON Lines already"},
    {"Repeated", {"--paramJ", "0.1", "--paramJ", "0.2"}, "--paramJ"},
    {"NewlineInAValue", {"--medianR", "0.5\nx"}, "got \"0.5\\nx\""},
    {"NewlineAsAStrayArgument", {"\n"}, "unexpected argument \"\\n\""},
    {"ControlCharacterInAName", {"--para\x01mJ", "1"}, "\\x01"},
};

class RefusedInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(RefusedInput, OneLineOnStandardErrorAndNothingElse) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("corvellan-refused-" + std::string(GetParam().name));
  std::vector<std::string> args = GetParam().args;
  args.insert(args.begin(), {"--out", file.string()});
  const Outcome outcome = Invoke(args);
  EXPECT_EQ(outcome.status, kExitBadInput);
  EXPECT_EQ(outcome.out, "");
  EXPECT_FALSE(std::filesystem::exists(file));
  ASSERT_EQ(Lines(outcome.err).size(), 1u) << outcome.err;
  EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
  EXPECT_EQ(outcome.err.rfind("corvellan-run: ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedInput, ::testing::ValuesIn(kBadInputs),
                         test_support::CaseName());

// An empty value is most often a shell variable that was never set: taking it
// as the option's absence would use the clock, standard output or no overlay.
struct EmptyValueCase {
  const char* name;
  std::vector<std::string> args;
  const char* option;
};

const EmptyValueCase kEmptyValues[] = {
    {"Seed", {"--seed", ""}, "--seed"},
    {"Out", {"--seed", "1", "--out", ""}, "--out"},
    {"Overlay", {"--seed", "1", "--overlay", ""}, "--overlay"},
    {"NewOverlay", {"--seed", "1", "--new-overlay", ""}, "--new-overlay"},
    {"RunArgument", {"--seed", "1", "--paramJ", ""}, "--paramJ"},
    {"JobsOfASingleRun", {"--seed", "1", "--jobs", ""}, "--jobs"},
    {"Replicates", {"--seed", "1", "--replicates", ""}, "--replicates"},
    {"Sweep", {"--seed", "1", "--sweep", ""}, "--sweep"},
    {"OutOfABatch", {"--seed", "1", "--replicates", "2", "--out", ""}, "--out"},
};

class EmptyValue : public ::testing::TestWithParam<EmptyValueCase> {};

TEST_P(EmptyValue, IsRefusedWithOneLineAndNothingWritten) {
  const testing::WorkingFolder folder;
  const Outcome outcome = Invoke(GetParam().args);
  EXPECT_EQ(outcome.status, kExitBadInput);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, std::string("corvellan-run: ") + GetParam().option +
                             ": the value is empty; give one, or leave the option out\n");
  EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::current_path()));
}

INSTANTIATE_TEST_SUITE_P(Cases, EmptyValue, ::testing::ValuesIn(kEmptyValues),
                         test_support::CaseName());

TEST(Runner, CsvHasTheRerunLineAHeaderAnd101Rows) {
  const Outcome outcome = Invoke({"--seed", "7", "--distT", "1", "--paramX", "-0.5"});
  ASSERT_EQ(outcome.status, kExitSuccess) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  const std::vector<std::string> lines = Lines(outcome.out);
  ASSERT_EQ(lines.size(), 103u);
  EXPECT_EQ(lines[0].rfind("# corvellan-run --seed 7 --paramJ 0.5 --paramX -0.5 --distR 0", 0), 0u);
  EXPECT_EQ(lines[1],
            "step,firstOrderRate,secondOrderRate,meanPropensityVolunteers,"
            "meanPropensityNonVolunteers,meanPropensity");
  EXPECT_EQ(lines[2], "0,0,0,0,0,0");
  EXPECT_EQ(lines[102].rfind("100,", 0), 0u);
}

TEST(Runner, PrintedValuesReadBackAsTheModelsSinglePrecisionNumbers) {
  const Outcome outcome = Invoke(
      {"--seed", "3", "--distR", "1", "--distT", "2", "--sanctionsOn", "1", "--paramJ", "0.25"});
  ASSERT_EQ(outcome.status, kExitSuccess) << outcome.err;

  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.distR = 1;
  arguments.distT = 2;
  arguments.sanctionsOn = 1;
  arguments.paramJ = 0.25;
  model::CPopulationModel model;
  model.fixedSeed = 3;
  model.Run(arguments);

  const std::vector<std::string> lines = Lines(outcome.out);
  for (int k = 0; k < model::kStepCount; ++k) {
    const std::vector<std::string> cells = Split(lines[2 + k]);
    ASSERT_EQ(cells.size(), 6u);
    for (int s = 0; s < model::kSeriesCount; ++s) {
      ASSERT_EQ(std::strtof(cells[1 + s].c_str(), nullptr), model.Series()[s][k])
          << "step " << k << " series " << s;
    }
  }
}

TEST(Runner, TheSameSeedGivesTheSameBytesAndTheRerunLineRepeatsTheRun) {
  const Outcome first = Invoke({"--seed", "-5", "--distR", "2", "--distE", "1"});
  const Outcome second = Invoke({"--seed", "-5", "--distR", "2", "--distE", "1"});
  ASSERT_EQ(first.status, kExitSuccess);
  EXPECT_EQ(first.out, second.out);

  // The comment line is itself a command line; running it gives the same output.
  std::istringstream words(Lines(first.out)[0].substr(2));
  std::vector<std::string> args;
  for (std::string word; words >> word;) args.push_back(word);
  args.erase(args.begin());  // the program name
  EXPECT_EQ(Invoke(args).out, first.out);
}

TEST(Runner, JsonCarriesTheSeedParametersAndEverySeries) {
  const Outcome outcome = Invoke({"--seed", "11", "--format", "json"});
  ASSERT_EQ(outcome.status, kExitSuccess);
  const std::string& json = outcome.out;
  EXPECT_EQ(json.rfind("{\"seed\":11,", 0), 0u);
  EXPECT_NE(json.find("\"parameters\":{\"paramJ\":0.5,"), std::string::npos);
  for (const char* name : model::kSeriesNames) {
    const std::size_t start = json.find(std::string("\"") + name + "\":[");
    ASSERT_NE(start, std::string::npos) << name;
    const std::size_t end = json.find(']', start);
    const std::string values = json.substr(start, end - start);
    EXPECT_EQ(std::count(values.begin(), values.end(), ','), model::kStepCount - 1) << name;
  }
}

TEST(Runner, WritesTheOutFileInsteadOfStandardOutput) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "corvellan-out.csv";
  std::filesystem::remove(file);
  const Outcome toFile = Invoke({"--seed", "1", "--out", file.string()});
  ASSERT_EQ(toFile.status, kExitSuccess);
  EXPECT_EQ(toFile.out, "");
  std::ifstream in(file);
  const std::string written((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(written, Invoke({"--seed", "1"}).out);
  std::filesystem::remove(file);
}

TEST(Runner, AnUnwritableOutFileIsReported) {
  const Outcome outcome = Invoke({"--seed", "1", "--out", "/nonexistent-folder/x.csv"});
  EXPECT_EQ(outcome.status, kExitFailure);
  EXPECT_EQ(outcome.out, "");
  EXPECT_NE(outcome.err.find("cannot write /nonexistent-folder/x.csv"), std::string::npos);
}

TEST(Runner, HelpListsEveryRunArgument) {
  const Outcome outcome = Invoke({"--help"});
  EXPECT_EQ(outcome.status, kExitSuccess);
  for (const run::ParameterRow& entry : run::ParameterTable()) {
    EXPECT_NE(outcome.out.find("--" + std::string(entry.name) + " "), std::string::npos)
        << entry.name;
  }
  EXPECT_NE(outcome.out.find("--seed"), std::string::npos);
}

TEST(Runner, HelpFitsEightyColumnsAndSaysHowToReadTheCsv) {
  const Outcome outcome = Invoke({"--help"});
  EXPECT_EQ(outcome.status, kExitSuccess);
  for (const std::string& line : Lines(outcome.out)) {
    EXPECT_LE(line.size(), 80U) << line;
  }
  for (const char* reader :
       {"pandas.read_csv(path, comment='#')", "read.csv(path, comment.char = \"#\")",
        "pandas.read_json(path, lines=True)"}) {
    EXPECT_NE(outcome.out.find(reader), std::string::npos) << reader;
  }
}

}  // namespace
}  // namespace cli
