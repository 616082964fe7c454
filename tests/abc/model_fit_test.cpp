#include "abc/model_fit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "abc/particle_seeds.h"
#include "abc/proposal_maker.h"
#include "batch/measures.h"
#include "batch/run_values.h"
#include "batch/seeded_run.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace abc {
namespace {

std::size_t Index(std::string_view name) {
  return *run::FindParameter(name);
}

struct ReadCase {
  const char* name;
  const char* text;
  std::int32_t agents;
  const char* parameter;
  PriorRange prior;
};

const ReadCase kReadCases[] = {
    {"WholeUnitRange", "paramJ", 100, "paramJ", {0.0, 1.0, false}},
    {"SignedRange", "corrET", 100, "corrET", {-1.0, 1.0, false}},
    {"ExponentRange", "paramM", 100, "paramM", {1.0, 2.0, false}},
    {"NarrowSigmaRange", "sigmaT", 100, "sigmaT", {0.0, 0.2, false}},
    {"NarrowerPrior", "valueT=0.25:0.75", 100, "valueT", {0.25, 0.75, false}},
    {"CountOfAgents", "requestedCountR", 100, "requestedCountR", {0.0, 100.0, true}},
    {"CountOfFewerAgents", "requestedCountRPrime", 37, "requestedCountRPrime", {0.0, 37.0, true}},
    {"NarrowerCount", "requestedCountR=10:+90", 100, "requestedCountR", {10.0, 90.0, true}},
};

class ReadFitted : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadFitted, TakesTheTrackbarRangeOrANarrowerOne) {
  const ReadCase& c = GetParam();
  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.agentCount = c.agents;
  FittedParameter fitted;
  ASSERT_EQ(ReadFittedParameter(c.text, arguments, fitted), "");
  EXPECT_EQ(fitted.parameter, Index(c.parameter));
  EXPECT_EQ(fitted.prior.low, c.prior.low);
  EXPECT_EQ(fitted.prior.high, c.prior.high);
  EXPECT_EQ(fitted.prior.whole, c.prior.whole);
  // Its text reads back as the same.
  FittedParameter again;
  ASSERT_EQ(ReadFittedParameter(FittedParameterText(fitted), arguments, again), "");
  EXPECT_EQ(again.parameter, fitted.parameter);
  EXPECT_EQ(again.prior.low, fitted.prior.low);
  EXPECT_EQ(again.prior.high, fitted.prior.high);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadFitted, testing::ValuesIn(kReadCases),
                         test_support::CaseName());

struct RefusalCase {
  const char* name;
  const char* text;
  std::string refusal;
};

const std::string kFittable =
    "paramJ, paramX, medianR, sigmaR, valueI, sigmaI, valueT, sigmaT, valueE, sigmaE, "
    "medianRPrime, sigmaRPrime, paramJPrime, paramM, corrRRPrime, corrRI, corrRPrimeI, corrET, "
    "requestedCountR, requestedCountRPrime";

const RefusalCase kRefusalCases[] = {
    {"Unknown", "paramQ", "\"paramQ\" is no parameter"},
    {"RadioGroup", "distR",
     "\"distR\" is set by no trackbar; the parameters to fit are " + kFittable},
    {"AgentCount", "agentCount=10:20",
     "\"agentCount\" is set by no trackbar; the parameters to fit are " + kFittable},
    {"NoColon", "paramJ=0.5", "paramJ: \"0.5\" is not LOW:HIGH"},
    {"LowNotANumber", "paramJ=a:1", "paramJ, low end: expected a number, got \"a\""},
    {"HighMissing", "paramJ=0:", "paramJ, high end: expected a number, got \"\""},
    {"Reversed", "paramJ=0.8:0.2", "paramJ: the prior's low end must lie below its high end"},
    {"Empty", "paramJ=0.5:0.5", "paramJ: the prior's low end must lie below its high end"},
    {"PastTheTrackbar", "paramX=-1.5:0",
     "paramX: the prior must lie within the trackbar's range, -1 to 1"},
    {"CountPastTheAgents", "requestedCountR=0:101",
     "requestedCountR: the prior must lie within the trackbar's range, 0 to 100"},
    {"CountNotWhole", "requestedCountR=1.5:3",
     "requestedCountR, low end: expected a whole number, got \"1.5\""},
};

class RefuseFitted : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefuseFitted, NamesTheFault) {
  FittedParameter fitted;
  EXPECT_EQ(ReadFittedParameter(GetParam().text, run::DefaultRunArguments(), fitted),
            GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(Texts, RefuseFitted, testing::ValuesIn(kRefusalCases),
                         test_support::CaseName());

// Proposals of a second population over three parameters, one a count.
ProposalBatch SomeProposals(const std::vector<FittedParameter>& fitted, std::size_t count) {
  std::vector<PriorRange> priors;
  for (const FittedParameter& f : fitted) priors.push_back(f.prior);
  const ProposalMaker maker(priors, 99);
  ProposalBatch batch;
  batch.dimension = priors.size();
  batch.values.resize(count * priors.size());
  for (std::size_t i = 0; i < count; ++i) {
    maker.Make(i, std::span<double>(batch.values).subspan(i * priors.size(), priors.size()));
    batch.seeds.push_back(maker.Seed(i));
  }
  return batch;
}

TEST(ModelSimulator, GivesEachProposalTheDistanceOfItsOwnRunWhateverTheJobs) {
  const model::RunArguments base = run::DefaultRunArguments();
  const std::vector<FittedParameter> fitted = {
      {Index("paramJ"), TrackbarPrior(Index("paramJ"), base)},
      {Index("valueT"), {0.2, 0.8, false}},
      {Index("requestedCountR"), TrackbarPrior(Index("requestedCountR"), base)}};
  const std::vector<run::ObservedPoint> observed = {{model::kFirstOrderRate, 10, 0.3},
                                                    {model::kFirstOrderRate, 100, 0.4},
                                                    {model::kMeanPropensity, 50, 0.5}};
  const ProposalBatch batch = SomeProposals(fitted, 40);
  const std::atomic<bool> stop{false};

  std::vector<double> expected;
  batch::SeededRunner runner;
  std::vector<float> values(batch::kValuesPerRun);
  for (std::size_t i = 0; i < batch.Count(); ++i) {
    model::RunArguments arguments = base;
    run::SetParameterValue(run::ParameterTable()[Index("paramJ")], batch.Parameters(i)[0],
                           arguments);
    run::SetParameterValue(run::ParameterTable()[Index("valueT")], batch.Parameters(i)[1],
                           arguments);
    arguments.requestedCountR = static_cast<std::int32_t>(batch.Parameters(i)[2]);
    runner.Run(arguments, batch.seeds[i], values);
    expected.push_back(batch::RootMeanSquareDistance(values, observed));
  }
  for (const unsigned jobs : {1u, 2u, 3u}) {
    ModelSimulator simulator(base, fitted, observed, jobs, stop);
    std::uint64_t lastProgress = 0;
    simulator.SetProgress([&](std::uint64_t done) { lastProgress = done; });
    std::vector<double> distances(batch.Count());
    ASSERT_EQ(simulator.Simulate(batch, distances).end, SimulationOutcome::End::kDone);
    EXPECT_EQ(distances, expected) << jobs << " jobs";
    EXPECT_EQ(lastProgress, batch.Count());
    ASSERT_EQ(simulator.Simulate(batch, distances).end, SimulationOutcome::End::kDone);
    EXPECT_EQ(lastProgress, 2 * batch.Count());
  }
}

TEST(ModelSimulator, StopsWhenAsked) {
  const model::RunArguments base = run::DefaultRunArguments();
  const std::vector<FittedParameter> fitted = {{Index("paramJ"), {0.0, 1.0, false}}};
  const ProposalBatch batch = SomeProposals(fitted, 10);
  const std::atomic<bool> stop{true};
  ModelSimulator simulator(base, fitted, {{0, 5, 0.5}}, 2, stop);
  std::vector<double> distances(batch.Count());
  EXPECT_EQ(simulator.Simulate(batch, distances).end, SimulationOutcome::End::kStopped);
}

}  // namespace
}  // namespace abc
