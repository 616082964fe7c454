#include "ui/radio_work.h"

#include <algorithm>

#include "res/control_ids.h"
#include "ui/control_rows.h"

namespace ui {
namespace {

using model::Attribute;
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
    {res::kIdRadioConstantR, Attribute::R, kConstant, kNoControl, kUnchanged, kRowsRLocationSigma,
     false, kNoControl},
    {res::kIdRadioNormalR, Attribute::R, kNormal, kNoControl, kUnchanged, kRowsRLocationSigma, true,
     res::kIdSliderMedianR},
    {res::kIdRadioLogNormalR, Attribute::R, kLogNormal, kNoControl, kUnchanged, kRowsRLocationSigma,
     true, res::kIdSliderMedianR},

    {res::kIdRadioConstantI, Attribute::I, kConstant, res::kIdCaptionValueI, kValueCaption,
     kRowISigma, false, kNoControl},
    {res::kIdRadioNormalI, Attribute::I, kNormal, res::kIdCaptionValueI, kMedianCaption, kRowISigma,
     true, res::kIdSliderValueI},
    {res::kIdRadioLogNormalI, Attribute::I, kLogNormal, res::kIdCaptionValueI, kMedianCaption,
     kRowISigma, true, res::kIdSliderValueI},

    {res::kIdRadioConstantT, Attribute::T, kConstant, res::kIdCaptionValueT, kValueCaption,
     kRowTSigma, false, kNoControl},
    {res::kIdRadioNormalT, Attribute::T, kNormal, res::kIdCaptionValueT, kMedianCaption, kRowTSigma,
     true, res::kIdSliderValueT},
    {res::kIdRadioLogNormalT, Attribute::T, kLogNormal, res::kIdCaptionValueT, kMedianCaption,
     kRowTSigma, true, res::kIdSliderValueT},

    {res::kIdRadioConstantE, Attribute::E, kConstant, res::kIdCaptionValueE, kValueCaption,
     kRowESigma, false, kNoControl},
    {res::kIdRadioNormalE, Attribute::E, kNormal, res::kIdCaptionValueE, kMedianCaption, kRowESigma,
     true, res::kIdSliderValueE},
    {res::kIdRadioLogNormalE, Attribute::E, kLogNormal, res::kIdCaptionValueE, kMedianCaption,
     kRowESigma, true, res::kIdSliderValueE},

    {res::kIdRadioConstantRPrime, Attribute::RPrime, kConstant, kNoControl, kUnchanged,
     kRowsRPrimeLocationSigma, false, kNoControl},
    {res::kIdRadioNormalRPrime, Attribute::RPrime, kNormal, kNoControl, kUnchanged,
     kRowsRPrimeLocationSigma, true, res::kIdSliderMedianRPrime},
    {res::kIdRadioLogNormalRPrime, Attribute::RPrime, kLogNormal, kNoControl, kUnchanged,
     kRowsRPrimeLocationSigma, true, res::kIdSliderMedianRPrime},
}};

const RadioWork* FindRadioWork(int radioId) {
  const auto found = std::ranges::find(kRadioWork, radioId, &RadioWork::radioId);
  return found == kRadioWork.end() ? nullptr : &*found;
}

int RadioOfKind(model::Attribute attribute, int kind) {
  for (const RadioWork& work : kRadioWork) {
    if (work.attribute == attribute && static_cast<int>(work.kind) == kind) return work.radioId;
  }
  return kNoControl;
}

}  // namespace ui
