#include "ui/sanctions_rule.h"

#include "res/control_ids.h"

namespace ui {

// The frames, the J' and m rows, the R' radio buttons and the R' "N" row.
constinit const std::array<int, kSanctionsOnCount> kSanctionsOnControls = {
    res::kIdGroupSanctions,
    res::kIdSliderJPrime,
    res::kIdReadoutJPrime,
    res::kIdCaptionJPrime,
    res::kIdSliderM,
    res::kIdReadoutM,
    res::kIdCaptionM,
    res::kIdGroupRPrime,
    res::kIdRadioConstantRPrime,
    res::kIdRadioNormalRPrime,
    res::kIdRadioLogNormalRPrime,
    res::kIdCaptionCountRPrime,
    res::kIdSliderCountRPrime,
    res::kIdReadoutCountRPrime,
};

// The same controls plus the R' location and sigma rows and the two
// correlation rows that involve R'.
constinit const std::array<int, kSanctionsOffCount> kSanctionsOffControls = {
    res::kIdGroupSanctions,
    res::kIdSliderJPrime,
    res::kIdReadoutJPrime,
    res::kIdCaptionJPrime,
    res::kIdSliderM,
    res::kIdReadoutM,
    res::kIdCaptionM,
    res::kIdGroupRPrime,
    res::kIdRadioConstantRPrime,
    res::kIdRadioNormalRPrime,
    res::kIdRadioLogNormalRPrime,
    res::kIdSliderMedianRPrime,
    res::kIdReadoutMedianRPrime,
    res::kIdCaptionMedianRPrime,
    res::kIdSliderSigmaRPrime,
    res::kIdReadoutSigmaRPrime,
    res::kIdCaptionSigmaRPrime,
    res::kIdCaptionCountRPrime,
    res::kIdSliderCountRPrime,
    res::kIdReadoutCountRPrime,
    res::kIdCaptionCorrRRPrime,
    res::kIdSliderCorrRRPrime,
    res::kIdReadoutCorrRRPrime,
    res::kIdCaptionCorrRPrimeI,
    res::kIdSliderCorrRPrimeI,
    res::kIdReadoutCorrRPrimeI,
};

}  // namespace ui
