#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/attribute.h"
#include "model/run_arguments.h"
#include "run_description/parameter_row.h"

namespace run {
namespace rows {

using model::Attribute;
using model::RunArguments;
using Bound = std::optional<double>;

inline constexpr Bound kNone = std::nullopt;
inline constexpr double kKindMinimum = 0;
inline constexpr double kKindMaximum = 2;

// The window's agent count, and the slope it always passes.
inline constexpr std::int32_t kAgentCount = 100;
inline constexpr std::int32_t kSlope = 10;

constexpr double PositionValue(std::int32_t position) {
  return position * kTrackbarStep;
}

// A real parameter fed by trackbar row `row`: it starts where the trackbar
// starts and is bounded by the trackbar's ends, unless the model checks it.
constexpr ParameterRow OnTrackbar(std::string_view name, double RunArguments::*field, int row,
                                  TrackbarRange range, std::string_view meaning, PanelView panel) {
  panel.trackbar = range;
  return {name,
          ValueType::kReal,
          field,
          PositionValue(range.start),
          PositionValue(range.minimum),
          PositionValue(range.maximum),
          meaning,
          {Feeder::kTrackbar, row},
          {},
          panel};
}

// The same for the parameters the model checks itself (model/run_limits.h).
constexpr ParameterRow OnCheckedTrackbar(std::string_view name, double RunArguments::*field,
                                         int row, TrackbarRange range, std::string_view meaning,
                                         PanelView panel) {
  ParameterRow parameter = OnTrackbar(name, field, row, range, meaning, panel);
  parameter.minimum = kNone;
  parameter.maximum = kNone;
  return parameter;
}

// A count of agents fed by trackbar row `row` as a share of the agent count.
constexpr ParameterRow OnShareTrackbar(std::string_view name, std::int32_t RunArguments::*field,
                                       int row, TrackbarRange range, std::string_view meaning,
                                       PanelView panel) {
  panel.trackbar = range;
  return {name,
          ValueType::kInteger,
          field,
          static_cast<double>(static_cast<std::int32_t>(PositionValue(range.start) * kAgentCount)),
          0,
          kNone,
          meaning,
          {Feeder::kTrackbarShare, row},
          {},
          panel};
}

// The distribution kind of an attribute, chosen by its group of radio buttons.
constexpr ParameterRow OnRadioGroup(std::string_view name, std::int32_t RunArguments::*field,
                                    Attribute attribute, std::string_view meaning,
                                    std::string_view panelName) {
  return {
      name,         ValueType::kKind, field,   0,
      kKindMinimum, kKindMaximum,     meaning, {Feeder::kRadioGroup, static_cast<int>(attribute)},
      {},           {panelName}};
}

// The position ranges of the trackbars.
inline constexpr TrackbarRange kUnit = {0, 100, 50};
inline constexpr TrackbarRange kUnitFromTop = {0, 100, 100};
inline constexpr TrackbarRange kSigned = {-100, 100, 0};
inline constexpr TrackbarRange kWideSigma = {0, 35, 15};
inline constexpr TrackbarRange kNarrowSigma = {0, 20, 20};
inline constexpr TrackbarRange kExponentM = {100, 200, 100};

// The 29 parameters in the order the model takes them, which is also the order
// of the options in a re-run command.
inline constexpr std::array<ParameterRow, 29> kParameterRows = {{
    OnCheckedTrackbar("paramJ", &RunArguments::paramJ, 0, kUnit,
                      "J, scale exponent of the first-order cost",
                      {"J", "scale exponent of the first-order cost"}),
    OnCheckedTrackbar("paramX", &RunArguments::paramX, 1, kSigned,
                      "X, lowers the logistic response by (1 - X) / 2",
                      {"X", "lowers the logistic response by (1 - X) / 2"}),
    OnRadioGroup("distR", &RunArguments::distR, Attribute::R,
                 "distribution of R: 0 Constant, 1 Normal, 2 Log-Normal", "R"),
    OnTrackbar("medianR", &RunArguments::medianR, 3, kUnit, "median of R",
               {"R Median",
                "median of R, each agent's share of the first-order contribution and base of its "
                "cost"}),
    OnTrackbar("sigmaR", &RunArguments::sigmaR, 2, kWideSigma, "spread of R",
               {"R Sigma", "spread of R, each agent's share of the first-order contribution"}),
    OnRadioGroup("distI", &RunArguments::distI, Attribute::I,
                 "distribution of I: 0 Constant, 1 Normal, 2 Log-Normal", "I"),
    OnTrackbar("valueI", &RunArguments::valueI, 5, kUnitFromTop, "value (median) of I",
               {"I Value",
                "value (median) of I, the weight of the logistic response in an agent's "
                "signals"}),
    OnTrackbar(
        "sigmaI", &RunArguments::sigmaI, 4, kNarrowSigma, "spread of I",
        {"I Sigma", "spread of I, the weight of the logistic response in an agent's signals"}),
    OnRadioGroup("distT", &RunArguments::distT, Attribute::T,
                 "distribution of T: 0 Constant, 1 Normal, 2 Log-Normal", "T"),
    OnTrackbar("valueT", &RunArguments::valueT, 7, kUnit, "value (median) of T, the threshold",
               {"T Value", "value (median) of T, the threshold of an agent's logistic response"}),
    OnTrackbar("sigmaT", &RunArguments::sigmaT, 6, kNarrowSigma, "spread of T",
               {"T Sigma", "spread of T, the threshold of an agent's logistic response"}),
    OnRadioGroup("distE", &RunArguments::distE, Attribute::E,
                 "distribution of E: 0 Constant, 1 Normal, 2 Log-Normal", "E"),
    OnTrackbar("valueE", &RunArguments::valueE, 9, kUnit, "value (median) of E",
               {"E Value", "value (median) of E, the factor on both of an agent's signals"}),
    OnTrackbar("sigmaE", &RunArguments::sigmaE, 8, kNarrowSigma, "spread of E",
               {"E Sigma", "spread of E, the factor on both of an agent's signals"}),
    {"sanctionsOn",
     ValueType::kFlag,
     &RunArguments::sanctionsOn,
     0,
     0,
     1,
     "1 switches sanctions (second-order contributions) on",
     {Feeder::kSanctionsCheckBox},
     {},
     {"Sanctions"}},
    OnRadioGroup("distRPrime", &RunArguments::distRPrime, Attribute::RPrime,
                 "distribution of R': 0 Constant, 1 Normal, 2 Log-Normal", "R'"),
    OnTrackbar("medianRPrime", &RunArguments::medianRPrime, 13, kUnit, "median of R'",
               {"R' Median",
                "median of R', each agent's share of the second-order contribution and base of "
                "its cost"}),
    OnTrackbar("sigmaRPrime", &RunArguments::sigmaRPrime, 12, kWideSigma, "spread of R'",
               {"R' Sigma", "spread of R', each agent's share of the second-order contribution"}),
    OnTrackbar("paramJPrime", &RunArguments::paramJPrime, 10, kUnit,
               "J', scale exponent of the sanction cost",
               {"J'", "scale exponent of the sanction cost"}),
    OnTrackbar("paramM", &RunArguments::paramM, 11, kExponentM, "m, exponent of the sanction term",
               {"m", "exponent of the sanction term"}),
    OnTrackbar("corrRRPrime", &RunArguments::corrRRPrime, 16, kSigned, "correlation of R and R'",
               {"R & R'", "correlation of R and R'"}),
    OnTrackbar("corrRI", &RunArguments::corrRI, 17, kSigned, "correlation of R and I",
               {"R & I", "correlation of R and I"}),
    OnTrackbar("corrRPrimeI", &RunArguments::corrRPrimeI, 18, kSigned, "correlation of R' and I",
               {"R' & I", "correlation of R' and I"}),
    OnTrackbar("corrET", &RunArguments::corrET, 19, kSigned, "correlation of E and T",
               {"E & T", "correlation of E and T"}),
    {"agentCount",
     ValueType::kInteger,
     &RunArguments::agentCount,
     kAgentCount,
     kNone,
     kNone,
     "N, the number of agents",
     {Feeder::kAgentCount}},
    OnShareTrackbar("requestedCountR", &RunArguments::requestedCountR, 14, kUnitFromTop,
                    "number of agents carrying R (at most N take it)",
                    {"R N", "share of the agents that carry R"}),
    OnShareTrackbar("requestedCountRPrime", &RunArguments::requestedCountRPrime, 15, kUnitFromTop,
                    "number of agents carrying R' (at most N take it)",
                    {"R' N", "share of the agents that carry R'"}),
    {"reservedArg",
     ValueType::kInteger,
     &RunArguments::reservedArg,
     0,
     kNone,
     kNone,
     "reserved, ignored by the model",
     {Feeder::kFixed},
     "any whole number"},
    {"slopeM",
     ValueType::kInteger,
     &RunArguments::slopeM,
     kSlope,
     kNone,
     kNone,
     "M, slope of the logistic response",
     {Feeder::kFixed},
     "any whole number"},
}};

}  // namespace rows

using rows::kParameterRows;

// The row of the parameter the trackbar in slider-table row `row` feeds;
// fails to compile when used in a constant expression for a row no parameter
// names.
constexpr const ParameterRow& TrackbarParameter(int row) {
  for (const ParameterRow& parameter : kParameterRows) {
    const bool byTrackbar = parameter.fedBy.feeder == Feeder::kTrackbar ||
                            parameter.fedBy.feeder == Feeder::kTrackbarShare;
    if (byTrackbar && parameter.fedBy.index == row) return parameter;
  }
  throw "no parameter is fed by this trackbar row";
}

}  // namespace run
