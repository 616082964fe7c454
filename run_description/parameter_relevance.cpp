#include "run_description/parameter_relevance.h"

#include <array>
#include <variant>

#include "model/distribution_kind.h"

namespace run {
namespace {

using model::RunArguments;

bool Drawn(int kind) {
  return kind != static_cast<int>(model::DistributionKind::Constant);
}

bool Normal(int kind) {
  return kind == static_cast<int>(model::DistributionKind::Normal);
}

struct RealRule {
  double RunArguments::*field;
  bool (*matters)(const RunArguments&);
};

struct CountRule {
  int RunArguments::*field;
  bool (*matters)(const RunArguments&);
};

// A parameter without a rule always matters.
constexpr std::array kRealRules = {
    RealRule{&RunArguments::medianR, [](const RunArguments& a) { return Drawn(a.distR); }},
    RealRule{&RunArguments::sigmaR, [](const RunArguments& a) { return Drawn(a.distR); }},
    RealRule{&RunArguments::sigmaI, [](const RunArguments& a) { return Drawn(a.distI); }},
    RealRule{&RunArguments::sigmaT, [](const RunArguments& a) { return Drawn(a.distT); }},
    RealRule{&RunArguments::sigmaE, [](const RunArguments& a) { return Drawn(a.distE); }},
    RealRule{&RunArguments::medianRPrime,
             [](const RunArguments& a) { return a.sanctionsOn != 0 && Drawn(a.distRPrime); }},
    RealRule{&RunArguments::sigmaRPrime,
             [](const RunArguments& a) { return a.sanctionsOn != 0 && Drawn(a.distRPrime); }},
    RealRule{&RunArguments::paramJPrime, [](const RunArguments& a) { return a.sanctionsOn != 0; }},
    RealRule{&RunArguments::paramM, [](const RunArguments& a) { return a.sanctionsOn != 0; }},
    RealRule{&RunArguments::corrRRPrime,
             [](const RunArguments& a) {
               return a.sanctionsOn != 0 && Normal(a.distR) && Normal(a.distRPrime);
             }},
    RealRule{&RunArguments::corrRI,
             [](const RunArguments& a) { return Normal(a.distR) && Normal(a.distI); }},
    RealRule{&RunArguments::corrRPrimeI,
             [](const RunArguments& a) {
               return a.sanctionsOn != 0 && Normal(a.distRPrime) && Normal(a.distI);
             }},
    RealRule{&RunArguments::corrET,
             [](const RunArguments& a) { return Normal(a.distE) && Normal(a.distT); }},
};

constexpr std::array kCountRules = {
    CountRule{&RunArguments::distRPrime, [](const RunArguments& a) { return a.sanctionsOn != 0; }},
    CountRule{&RunArguments::requestedCountRPrime,
              [](const RunArguments& a) { return a.sanctionsOn != 0; }},
};

template <typename Field, typename Rules>
bool MattersBy(const Rules& rules, Field field, const RunArguments& arguments) {
  for (const auto& rule : rules) {
    if (rule.field == field) return rule.matters(arguments);
  }
  return true;
}

}  // namespace

bool MattersInSetting(const ParameterRow& parameter, const RunArguments& arguments) {
  if (const auto* real = std::get_if<double RunArguments::*>(&parameter.field)) {
    return MattersBy(kRealRules, *real, arguments);
  }
  const auto count = std::get<std::int32_t RunArguments::*>(parameter.field);
  return MattersBy(kCountRules, count, arguments);
}

}  // namespace run
