#include "tests/soak/model_checks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <sstream>

#include "model/distribution_kind.h"
#include "model/result_series.h"
#include "tests/soak/text.h"

namespace soak {
namespace {

using model::RunArguments;

constexpr double kShareSumTolerance = 1e-12;
constexpr int kNormal = 1;
constexpr double kMeanLow = 0.0;
constexpr double kMeanHigh = 1.0;

// An attribute that takes part in a correlation redraws with a nonzero spread
// only if its spread is nonzero and the cap leaves room: the cap is a third of
// the location for shares, of the distance to the nearer end of [0, 1] for I.
struct SpreadSource {
  int RunArguments::*kind;
  double RunArguments::*location;
  double RunArguments::*spread;
  bool share;
};

constexpr SpreadSource kSpreadR = {&RunArguments::distR, &RunArguments::medianR,
                                   &RunArguments::sigmaR, true};
constexpr SpreadSource kSpreadI = {&RunArguments::distI, &RunArguments::valueI,
                                   &RunArguments::sigmaI, false};
constexpr SpreadSource kSpreadRPrime = {&RunArguments::distRPrime, &RunArguments::medianRPrime,
                                        &RunArguments::sigmaRPrime, true};

bool DrawsNormalWithSpread(const SpreadSource& source, const RunArguments& a) {
  if (a.*source.kind != kNormal || a.*source.spread == 0.0) {
    return false;
  }
  const double location = a.*source.location;
  const double room = source.share ? location : std::min(location, 1.0 - location);
  return room != 0.0;
}

// The correlations that redraw a share for the whole population, in the order
// they run. R' & I is skipped when both correlations before it are set.
struct ShareCorrelation {
  double RunArguments::*coefficient;
  SpreadSource first;
  SpreadSource second;
  bool skippedAfterBothOthers;
};

constexpr ShareCorrelation kCorrRRPrime = {&RunArguments::corrRRPrime, kSpreadR, kSpreadRPrime,
                                           false};
constexpr ShareCorrelation kCorrRI = {&RunArguments::corrRI, kSpreadR, kSpreadI, false};
constexpr ShareCorrelation kCorrRPrimeI = {&RunArguments::corrRPrimeI, kSpreadRPrime, kSpreadI,
                                           true};

bool Applies(const ShareCorrelation& c, const RunArguments& a) {
  if (a.*c.coefficient == 0.0) {
    return false;
  }
  if (c.skippedAfterBothOthers && a.corrRRPrime != 0.0 && a.corrRI != 0.0) {
    return false;
  }
  return DrawsNormalWithSpread(c.first, a) && DrawsNormalWithSpread(c.second, a);
}

int RequestedCarriers(std::int32_t requested, std::int32_t agentCount) {
  return std::clamp(requested, 0, agentCount);
}

void CheckShares(const char* name, const double* shares, int agentCount, int carriers,
                 Violations& out) {
  if (shares == nullptr) {
    out.push_back(Text(name, ": no share array after a run"));
    return;
  }
  double sum = 0.0;
  for (int agent = 0; agent < agentCount; ++agent) {
    const double share = shares[agent];
    sum += share;
    const bool finite = std::isfinite(share);
    if (finite && (agent < carriers || share == 0.0)) {
      continue;
    }
    std::ostringstream text;
    text.precision(17);
    text << name << "[" << agent << "] = " << share;
    if (finite) {
      text << " but only the first " << carriers << " agents carry " << name;
    } else {
      text << " is not finite";
    }
    out.push_back(text.str());
  }
  if (carriers > 0 && !(std::abs(sum - 1.0) <= kShareSumTolerance)) {
    std::ostringstream text;
    text.precision(17);
    text << name << " shares of " << carriers << " carriers sum to " << sum << ", not 1";
    out.push_back(text.str());
  }
}

constexpr std::array<bool, model::kSeriesCount> kIsMean = {false, false, true, true, true};

// One line per series: its first bad point and how many more there are.
void CheckOneSeries(std::size_t index, const float* values, Violations& out) {
  int firstBad = -1;
  int badCount = 0;
  for (int point = 0; point < model::kStepCount; ++point) {
    const float value = values[point];
    const bool inRange = !kIsMean[index] || (value >= kMeanLow && value <= kMeanHigh);
    if (!std::isfinite(value) || !inRange) {
      firstBad = badCount == 0 ? point : firstBad;
      ++badCount;
    }
  }
  if (badCount == 0) {
    return;
  }
  const float value = values[firstBad];
  out.push_back(Text(model::kSeriesNames[index], "[", firstBad, "] = ", value,
                     std::isfinite(value) ? " lies outside [0, 1]" : " is not finite", " (",
                     badCount - 1, " more points like it)"));
}

void CheckSeries(const model::CPopulationModel& m, Violations& out) {
  const auto series = m.Series();
  for (std::size_t s = 0; s < series.size(); ++s) {
    if (series[s] == nullptr) {
      out.push_back(Text(model::kSeriesNames[s], ": absent after a run"));
      continue;
    }
    CheckOneSeries(s, series[s], out);
  }
}

constexpr std::array<int RunArguments::*, 5> kKindArguments = {
    &RunArguments::distR, &RunArguments::distI, &RunArguments::distT, &RunArguments::distE,
    &RunArguments::distRPrime};

// Until the window has chosen the kinds its runs are turned away without a word.
bool KindsChosen(const RunArguments& a) {
  return std::ranges::all_of(
      kKindArguments, [&a](int RunArguments::*kind) { return model::IsDistributionKind(a.*kind); });
}

}  // namespace

int CarriersOfR(const RunArguments& a) {
  if (Applies(kCorrRRPrime, a) || Applies(kCorrRI, a)) {
    return a.agentCount;
  }
  return RequestedCarriers(a.requestedCountR, a.agentCount);
}

int CarriersOfRPrime(const RunArguments& a) {
  if (Applies(kCorrRRPrime, a) || Applies(kCorrRPrimeI, a)) {
    return a.agentCount;
  }
  return RequestedCarriers(a.requestedCountRPrime, a.agentCount);
}

bool CorrelationRedrawsShares(const RunArguments& a) {
  return Applies(kCorrRRPrime, a) || Applies(kCorrRI, a) || Applies(kCorrRPrimeI, a);
}

Violations CheckModel(const model::CPopulationModel& m, const RunArguments& a) {
  Violations out;
  if (!KindsChosen(a)) {
    if (m.agentCount != 0) {
      out.push_back("a run before the kinds were chosen was not turned away");
    }
    return out;
  }
  if (m.agentCount != a.agentCount) {
    out.push_back(Text("the run was rejected: the model holds ", m.agentCount,
                       " agents, the window asked for ", a.agentCount));
    return out;
  }
  CheckShares("R", m.attrR.get(), m.agentCount, CarriersOfR(a), out);
  CheckShares("R'", m.attrRPrime.get(), m.agentCount, CarriersOfRPrime(a), out);
  CheckSeries(m, out);
  return out;
}

}  // namespace soak
