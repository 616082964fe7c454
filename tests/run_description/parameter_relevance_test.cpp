#include "run_description/parameter_relevance.h"

#include <gtest/gtest.h>

#include "model/distribution_kind.h"
#include "tests/support/case_name.h"

namespace run {
namespace {

constexpr int kConstant = static_cast<int>(model::DistributionKind::Constant);
constexpr int kNormal = static_cast<int>(model::DistributionKind::Normal);

struct RelevanceCase {
  const char* name;
  const char* parameter;
  void (*setting)(model::RunArguments&);
  bool matters;
};

const RelevanceCase kCases[] = {
    {"JAlways", "paramJ", [](model::RunArguments&) {}, true},
    {"SpreadOfConstantR", "sigmaR", [](model::RunArguments& a) { a.distR = kConstant; }, false},
    {"SpreadOfNormalR", "sigmaR", [](model::RunArguments& a) { a.distR = kNormal; }, true},
    {"JPrimeSanctionsOff", "paramJPrime", [](model::RunArguments& a) { a.sanctionsOn = 0; }, false},
    {"JPrimeSanctionsOn", "paramJPrime", [](model::RunArguments& a) { a.sanctionsOn = 1; }, true},
    {"KindOfRPrimeSanctionsOff", "distRPrime", [](model::RunArguments& a) { a.sanctionsOn = 0; },
     false},
    {"CorrelationOneConstant", "corrRI",
     [](model::RunArguments& a) {
       a.distR = kNormal;
       a.distI = kConstant;
     },
     false},
    {"CorrelationBothNormal", "corrRI",
     [](model::RunArguments& a) {
       a.distR = kNormal;
       a.distI = kNormal;
     },
     true},
};

class Relevance : public testing::TestWithParam<RelevanceCase> {};

TEST_P(Relevance, FollowsWhatThePanelGreysOut) {
  model::RunArguments arguments = DefaultRunArguments();
  GetParam().setting(arguments);
  const ParameterRow& row = ParameterTable()[*FindParameter(GetParam().parameter)];
  EXPECT_EQ(MattersInSetting(row, arguments), GetParam().matters);
}

INSTANTIATE_TEST_SUITE_P(Cases, Relevance, testing::ValuesIn(kCases), test_support::CaseName());

}  // namespace
}  // namespace run
