#include "ui/radio_work.h"

#include <algorithm>

#include "res/control_ids.h"
#include "ui/control_rows.h"

namespace ui {
namespace {

using model::DistributionKind;

constexpr auto kConstant = DistributionKind::Constant;
constexpr auto kNormal = DistributionKind::Normal;
constexpr auto kLogNormal = DistributionKind::LogNormal;

constexpr std::string_view kValueCaption = "Value";
constexpr std::string_view kMedianCaption = "Median";
constexpr std::string_view kUnchanged = {};

}  // namespace

constinit const std::array<RadioWork, kRadioButtonCount> kRadioWork = {{
    // radio, attribute, kind, caption id, caption, rows, enable, linked location
    {res::kIdRadioConstantR, Attribute::kR, kConstant, kNoControl, kUnchanged, kRowsRLocationSigma,
     false, kNoControl},
    {res::kIdRadioNormalR, Attribute::kR, kNormal, kNoControl, kUnchanged, kRowsRLocationSigma,
     true, res::kIdSliderMedianR},
    {res::kIdRadioLogNormalR, Attribute::kR, kLogNormal, kNoControl, kUnchanged,
     kRowsRLocationSigma, true, res::kIdSliderMedianR},

    {res::kIdRadioConstantI, Attribute::kI, kConstant, res::kIdCaptionValueI, kValueCaption,
     kRowISigma, false, kNoControl},
    {res::kIdRadioNormalI, Attribute::kI, kNormal, res::kIdCaptionValueI, kMedianCaption,
     kRowISigma, true, res::kIdSliderValueI},
    {res::kIdRadioLogNormalI, Attribute::kI, kLogNormal, res::kIdCaptionValueI, kMedianCaption,
     kRowISigma, true, res::kIdSliderValueI},

    {res::kIdRadioConstantT, Attribute::kT, kConstant, res::kIdCaptionValueT, kValueCaption,
     kRowTSigma, false, kNoControl},
    {res::kIdRadioNormalT, Attribute::kT, kNormal, res::kIdCaptionValueT, kMedianCaption,
     kRowTSigma, true, res::kIdSliderValueT},
    {res::kIdRadioLogNormalT, Attribute::kT, kLogNormal, res::kIdCaptionValueT, kMedianCaption,
     kRowTSigma, true, res::kIdSliderValueT},

    {res::kIdRadioConstantE, Attribute::kE, kConstant, res::kIdCaptionValueE, kValueCaption,
     kRowESigma, false, kNoControl},
    {res::kIdRadioNormalE, Attribute::kE, kNormal, res::kIdCaptionValueE, kMedianCaption,
     kRowESigma, true, res::kIdSliderValueE},
    {res::kIdRadioLogNormalE, Attribute::kE, kLogNormal, res::kIdCaptionValueE, kMedianCaption,
     kRowESigma, true, res::kIdSliderValueE},

    {res::kIdRadioConstantRPrime, Attribute::kRPrime, kConstant, kNoControl, kUnchanged,
     kRowsRPrimeLocationSigma, false, kNoControl},
    {res::kIdRadioNormalRPrime, Attribute::kRPrime, kNormal, kNoControl, kUnchanged,
     kRowsRPrimeLocationSigma, true, res::kIdSliderMedianRPrime},
    {res::kIdRadioLogNormalRPrime, Attribute::kRPrime, kLogNormal, kNoControl, kUnchanged,
     kRowsRPrimeLocationSigma, true, res::kIdSliderMedianRPrime},
}};

const RadioWork* FindRadioWork(int radioId) {
  const auto found = std::ranges::find(kRadioWork, radioId, &RadioWork::radioId);
  return found == kRadioWork.end() ? nullptr : &*found;
}

}  // namespace ui
