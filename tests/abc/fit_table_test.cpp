#include "abc/fit_table.h"

#include <gtest/gtest.h>

#include <string>

#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"
#include "tests/support/text_lines.h"

namespace abc {
namespace {

struct WordCase {
  const char* name;
  const char* path;
  const char* word;
};

const WordCase kWordCases[] = {
    {"Plain", "data/observed-1.csv", "data/observed-1.csv"},
    {"Space", "my data.csv", "'my data.csv'"},
    {"Quote", "it's.csv", "'it'\\''s.csv'"},
    {"Dollar", "$(rm -rf).csv", "'$(rm -rf).csv'"},
    {"Empty", "", "''"},
};

class ShellWords : public testing::TestWithParam<WordCase> {};

TEST_P(ShellWords, QuoteWhatTheShellReadsSpecially) {
  EXPECT_EQ(ShellWord(GetParam().path), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(Paths, ShellWords, testing::ValuesIn(kWordCases),
                         test_support::CaseName());

FitRequest SomeRequest() {
  FitRequest request;
  request.arguments = run::DefaultRunArguments();
  request.arguments.paramJ = 0.75;  // fitted: left out of the command
  request.arguments.sigmaT = 0.1;
  const std::size_t j = *run::FindParameter("paramJ");
  const std::size_t count = *run::FindParameter("requestedCountR");
  request.fitted = {{j, {0.0, 1.0, false}}, {count, {10, 90, true}}};
  request.settings.particles = 1000;
  request.settings.budget = 300000;
  request.settings.quantile = 0.25;
  request.settings.finalTolerance = 0.01;
  request.settings.minAcceptance = 0.001;
  request.settings.maxPopulations = 200000;
  request.settings.seed = -4;
  request.observedPath = "my data.csv";
  request.allPopulations = true;
  return request;
}

TEST(FitCommand, NamesEverySettingAsTheOptionsReadIt) {
  EXPECT_EQ(FitCommand(SomeRequest()),
            "corvellan-run --seed -4 --sigmaT 0.1 --calibrate 'my data.csv' --fit paramJ=0:1 "
            "--fit requestedCountR=10:90 --particles 1000 --budget 300000 --quantile 0.25 "
            "--final-tolerance 0.01 --min-acceptance 0.001 --max-populations 200000 "
            "--all-populations");
}

TEST(FitCsv, HasTheCommandTheEndTheHeaderAndOneRowPerParticle) {
  FitRequest request = SomeRequest();
  FitResult result;
  result.end = FitEnd::kAcceptance;
  result.simulations = 1234;
  for (std::size_t t = 0; t < 2; ++t) {
    Population population;
    population.index = t;
    population.tolerance = t == 0 ? 0.5 : 0.125;
    population.particles = {{{0.1 + t, 12}, 0.75, 0.0625, -17, 3},
                            {{0.3, 40.0 + t}, 0.25, 0.5, 2147483647, 9}};
    result.populations.push_back(population);
  }
  const std::string header =
      "population,particle,tolerance,weight,distance,seed,paramJ,requestedCountR";
  const std::string ended =
      "# ended: the acceptance rate fell below the minimum; 1234 simulations, 2 populations";
  const std::vector<std::string> all = test_support::Lines(FitCsv(request, result));
  const std::vector<std::string> expectedAll = {"# " + FitCommand(request),
                                                ended,
                                                header,
                                                "0,0,0.5,0.75,0.0625,-17,0.1,12",
                                                "0,1,0.5,0.25,0.5,2147483647,0.3,40",
                                                "1,0,0.125,0.75,0.0625,-17,1.1,12",
                                                "1,1,0.125,0.25,0.5,2147483647,0.3,41"};
  EXPECT_EQ(all, expectedAll);
  request.allPopulations = false;
  const std::vector<std::string> last = test_support::Lines(FitCsv(request, result));
  const std::vector<std::string> expectedLast = {"# " + FitCommand(request), ended, header,
                                                 "1,0,0.125,0.75,0.0625,-17,1.1,12",
                                                 "1,1,0.125,0.25,0.5,2147483647,0.3,41"};
  EXPECT_EQ(last, expectedLast);
}

}  // namespace
}  // namespace abc
