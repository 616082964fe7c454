#include "tests/soak/panel_tables.h"

#include <algorithm>
#include <stdexcept>

#include "res/control_ids.h"

namespace soak {

using model::RunArguments;

// name, trackbar, value label, range, run argument
const std::array<TrackbarRow, kTrackbarCount> kTrackbars = {{
    {"J", res::kIdSliderJ, res::kIdReadoutJ, 0, 100, &RunArguments::paramJ},
    {"X", res::kIdSliderX, res::kIdReadoutX, -100, 100, &RunArguments::paramX},
    {"R Sigma", res::kIdSliderSigmaR, res::kIdReadoutSigmaR, 0, 35, &RunArguments::sigmaR},
    {"R Median", res::kIdSliderMedianR, res::kIdReadoutMedianR, 0, 100, &RunArguments::medianR},
    {"I Sigma", res::kIdSliderSigmaI, res::kIdReadoutSigmaI, 0, 20, &RunArguments::sigmaI},
    {"I Value", res::kIdSliderValueI, res::kIdReadoutValueI, 0, 100, &RunArguments::valueI},
    {"T Sigma", res::kIdSliderSigmaT, res::kIdReadoutSigmaT, 0, 20, &RunArguments::sigmaT},
    {"T Value", res::kIdSliderValueT, res::kIdReadoutValueT, 0, 100, &RunArguments::valueT},
    {"E Sigma", res::kIdSliderSigmaE, res::kIdReadoutSigmaE, 0, 20, &RunArguments::sigmaE},
    {"E Value", res::kIdSliderValueE, res::kIdReadoutValueE, 0, 100, &RunArguments::valueE},
    {"J'", res::kIdSliderJPrime, res::kIdReadoutJPrime, 0, 100, &RunArguments::paramJPrime},
    {"m", res::kIdSliderM, res::kIdReadoutM, 100, 200, &RunArguments::paramM},
    {"R' Sigma", res::kIdSliderSigmaRPrime, res::kIdReadoutSigmaRPrime, 0, 35,
     &RunArguments::sigmaRPrime},
    {"R' Median", res::kIdSliderMedianRPrime, res::kIdReadoutMedianRPrime, 0, 100,
     &RunArguments::medianRPrime},
    {"R N", res::kIdSliderCountR, res::kIdReadoutCountR, 0, 100, nullptr},
    {"R' N", res::kIdSliderCountRPrime, res::kIdReadoutCountRPrime, 0, 100, nullptr},
    {"R & R'", res::kIdSliderCorrRRPrime, res::kIdReadoutCorrRRPrime, -100, 100,
     &RunArguments::corrRRPrime},
    {"R & I", res::kIdSliderCorrRI, res::kIdReadoutCorrRI, -100, 100, &RunArguments::corrRI},
    {"R' & I", res::kIdSliderCorrRPrimeI, res::kIdReadoutCorrRPrimeI, -100, 100,
     &RunArguments::corrRPrimeI},
    {"E & T", res::kIdSliderCorrET, res::kIdReadoutCorrET, -100, 100, &RunArguments::corrET},
}};

const TrackbarRow& TrackbarById(int trackbarId) {
  const auto found = std::ranges::find(kTrackbars, trackbarId, &TrackbarRow::trackbarId);
  if (found == kTrackbars.end()) {
    throw std::out_of_range("no trackbar with this id");
  }
  return *found;
}

const std::array<CountRow, 2> kCountTrackbars = {{
    {res::kIdSliderCountR, &RunArguments::requestedCountR},
    {res::kIdSliderCountRPrime, &RunArguments::requestedCountRPrime},
}};

const std::array<RadioGroup, kAttrCount> kRadioGroups = {{
    {Attr::kR,
     {res::kIdRadioConstantR, res::kIdRadioNormalR, res::kIdRadioLogNormalR},
     &RunArguments::distR},
    {Attr::kI,
     {res::kIdRadioConstantI, res::kIdRadioNormalI, res::kIdRadioLogNormalI},
     &RunArguments::distI},
    {Attr::kT,
     {res::kIdRadioConstantT, res::kIdRadioNormalT, res::kIdRadioLogNormalT},
     &RunArguments::distT},
    {Attr::kE,
     {res::kIdRadioConstantE, res::kIdRadioNormalE, res::kIdRadioLogNormalE},
     &RunArguments::distE},
    {Attr::kRPrime,
     {res::kIdRadioConstantRPrime, res::kIdRadioNormalRPrime, res::kIdRadioLogNormalRPrime},
     &RunArguments::distRPrime},
}};

namespace {

std::array<RadioButtonRow, kAttrCount * kKindCount> EveryRadioButton() {
  std::array<RadioButtonRow, kAttrCount * kKindCount> buttons{};
  std::size_t next = 0;
  for (const RadioGroup& group : kRadioGroups) {
    for (std::size_t kind = 0; kind < kKindCount; ++kind) {
      buttons[next++] = {group.attr, static_cast<Kind>(kind), group.radioIds[kind]};
    }
  }
  return buttons;
}

}  // namespace

const std::array<RadioButtonRow, kAttrCount* kKindCount> kRadioButtons = EveryRadioButton();

const std::array<int, kSeriesBoxCount> kSeriesBoxes = {
    res::kIdCheckFirstOrderRate, res::kIdCheckSecondOrderRate,
    res::kIdCheckMeanPropensityVolunteers, res::kIdCheckMeanPropensityNonVolunteers,
    res::kIdCheckMeanPropensity};

}  // namespace soak
