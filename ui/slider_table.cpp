#include "ui/slider_table.h"

#include <algorithm>

#include "res/control_ids.h"

namespace ui {
namespace {

// A value is position x 0.01, a product rather than a division by 100: the
// model sees exactly this product.
constexpr double kStep = 0.01;
constexpr std::int32_t kDecimals = 2;
constexpr std::int32_t kNone = kNoLinkedSigma;

}  // namespace

constinit const std::array<SliderSpec, kSliderCount> kSliderTable = {{
    // trackbar, label, linked sigma, min, max, default, scale, decimals
    {res::kIdSliderJ, res::kIdReadoutJ, kNone, 0, 100, 50, kStep, kDecimals},
    {res::kIdSliderX, res::kIdReadoutX, kNone, -100, 100, 0, kStep, kDecimals},
    {res::kIdSliderSigmaR, res::kIdReadoutSigmaR, kNone, 0, 35, 15, kStep, kDecimals},
    {res::kIdSliderMedianR, res::kIdReadoutMedianR, res::kIdSliderSigmaR, 0, 100, 50, kStep,
     kDecimals},
    {res::kIdSliderSigmaI, res::kIdReadoutSigmaI, kNone, 0, 20, 20, kStep, kDecimals},
    {res::kIdSliderValueI, res::kIdReadoutValueI, res::kIdSliderSigmaI, 0, 100, 100, kStep,
     kDecimals},
    {res::kIdSliderSigmaT, res::kIdReadoutSigmaT, kNone, 0, 20, 20, kStep, kDecimals},
    {res::kIdSliderValueT, res::kIdReadoutValueT, res::kIdSliderSigmaT, 0, 100, 50, kStep,
     kDecimals},
    {res::kIdSliderSigmaE, res::kIdReadoutSigmaE, kNone, 0, 20, 20, kStep, kDecimals},
    {res::kIdSliderValueE, res::kIdReadoutValueE, res::kIdSliderSigmaE, 0, 100, 50, kStep,
     kDecimals},
    {res::kIdSliderJPrime, res::kIdReadoutJPrime, kNone, 0, 100, 50, kStep, kDecimals},
    {res::kIdSliderM, res::kIdReadoutM, kNone, 100, 200, 100, kStep, kDecimals},
    {res::kIdSliderSigmaRPrime, res::kIdReadoutSigmaRPrime, kNone, 0, 35, 15, kStep, kDecimals},
    {res::kIdSliderMedianRPrime, res::kIdReadoutMedianRPrime, res::kIdSliderSigmaRPrime, 0, 100, 50,
     kStep, kDecimals},
    {res::kIdSliderCountR, res::kIdReadoutCountR, kNone, 0, 100, 100, kStep, kDecimals},
    {res::kIdSliderCountRPrime, res::kIdReadoutCountRPrime, kNone, 0, 100, 100, kStep, kDecimals},
    {res::kIdSliderCorrRRPrime, res::kIdReadoutCorrRRPrime, kNone, -100, 100, 0, kStep, kDecimals},
    {res::kIdSliderCorrRI, res::kIdReadoutCorrRI, kNone, -100, 100, 0, kStep, kDecimals},
    {res::kIdSliderCorrRPrimeI, res::kIdReadoutCorrRPrimeI, kNone, -100, 100, 0, kStep, kDecimals},
    {res::kIdSliderCorrET, res::kIdReadoutCorrET, kNone, -100, 100, 0, kStep, kDecimals},
}};

const SliderSpec* FindSlider(int trackbarId) {
  const auto found = std::ranges::find(kSliderTable, trackbarId, &SliderSpec::trackbarId);
  return found == kSliderTable.end() ? nullptr : &*found;
}

}  // namespace ui
