#pragma once

#include <array>

#include "res/control_ids.h"

// Controls of the main dialog that are enabled and disabled together, each
// list in the order the dialog visits them.
namespace ui {

inline constexpr std::array<int, 6> kRowsRLocationSigma = {
    res::kIdSliderMedianR, res::kIdReadoutMedianR, res::kIdCaptionMedianR,
    res::kIdSliderSigmaR,  res::kIdReadoutSigmaR,  res::kIdCaptionSigmaR};
inline constexpr std::array<int, 3> kRowISigma = {res::kIdSliderSigmaI, res::kIdReadoutSigmaI,
                                                  res::kIdCaptionSigmaI};
inline constexpr std::array<int, 3> kRowTSigma = {res::kIdSliderSigmaT, res::kIdReadoutSigmaT,
                                                  res::kIdCaptionSigmaT};
inline constexpr std::array<int, 3> kRowESigma = {res::kIdSliderSigmaE, res::kIdReadoutSigmaE,
                                                  res::kIdCaptionSigmaE};
inline constexpr std::array<int, 6> kRowsRPrimeLocationSigma = {
    res::kIdSliderMedianRPrime, res::kIdReadoutMedianRPrime, res::kIdCaptionMedianRPrime,
    res::kIdSliderSigmaRPrime,  res::kIdReadoutSigmaRPrime,  res::kIdCaptionSigmaRPrime};
inline constexpr std::array<int, 3> kRowRPrimeCount = {
    res::kIdCaptionCountRPrime, res::kIdSliderCountRPrime, res::kIdReadoutCountRPrime};

// Correlation rows: caption, trackbar, value label.
inline constexpr std::array<int, 3> kRowCorrRRPrime = {
    res::kIdCaptionCorrRRPrime, res::kIdSliderCorrRRPrime, res::kIdReadoutCorrRRPrime};
inline constexpr std::array<int, 3> kRowCorrRI = {res::kIdCaptionCorrRI, res::kIdSliderCorrRI,
                                                  res::kIdReadoutCorrRI};
inline constexpr std::array<int, 3> kRowCorrRPrimeI = {
    res::kIdCaptionCorrRPrimeI, res::kIdSliderCorrRPrimeI, res::kIdReadoutCorrRPrimeI};
inline constexpr std::array<int, 3> kRowCorrET = {res::kIdCaptionCorrET, res::kIdSliderCorrET,
                                                  res::kIdReadoutCorrET};

}  // namespace ui
