#include "tests/soak/expected_panel.h"

#include "res/control_ids.h"
#include "tests/soak/text.h"

namespace soak {
namespace {

constexpr Need A = Need::kAny;
constexpr Need C = Need::kNotConstant;  // Normal or Log-Normal
constexpr Need N = Need::kNormal;

constexpr Gate kAlways = {};
constexpr Gate kNever = {.never = true};
constexpr Gate Kinds(std::array<Need, kAttrCount> needs) {
  return {.needs = needs};
}
constexpr Gate SanctionsAnd(std::array<Need, kAttrCount> needs) {
  return {.needsSanctions = true, .needs = needs};
}

constexpr int kButtons[] = {res::kIdButtonExit, res::kIdButtonSlopeParameter,
                            res::kIdButtonDumpData};
constexpr int kRadiosR[] = {res::kIdRadioConstantR, res::kIdRadioNormalR, res::kIdRadioLogNormalR};
constexpr int kRadiosI[] = {res::kIdRadioConstantI, res::kIdRadioNormalI, res::kIdRadioLogNormalI};
constexpr int kRadiosT[] = {res::kIdRadioConstantT, res::kIdRadioNormalT, res::kIdRadioLogNormalT};
constexpr int kRadiosE[] = {res::kIdRadioConstantE, res::kIdRadioNormalE, res::kIdRadioLogNormalE};
constexpr int kChecks[] = {res::kIdCheckSanctions,
                           res::kIdCheckFirstOrderRate,
                           res::kIdCheckSecondOrderRate,
                           res::kIdCheckMeanPropensityVolunteers,
                           res::kIdCheckMeanPropensityNonVolunteers,
                           res::kIdCheckMeanPropensity};
constexpr int kRowJ[] = {res::kIdSliderJ, res::kIdReadoutJ};
constexpr int kRowX[] = {res::kIdSliderX, res::kIdReadoutX};
constexpr int kRowCountR[] = {res::kIdCaptionCountR, res::kIdSliderCountR, res::kIdReadoutCountR};
constexpr int kRowValueI[] = {res::kIdCaptionValueI, res::kIdSliderValueI, res::kIdReadoutValueI};
constexpr int kRowValueT[] = {res::kIdCaptionValueT, res::kIdSliderValueT, res::kIdReadoutValueT};
constexpr int kRowValueE[] = {res::kIdCaptionValueE, res::kIdSliderValueE, res::kIdReadoutValueE};
constexpr int kRowsR[] = {res::kIdSliderMedianR, res::kIdReadoutMedianR, res::kIdCaptionMedianR,
                          res::kIdSliderSigmaR,  res::kIdReadoutSigmaR,  res::kIdCaptionSigmaR};
constexpr int kRowSigmaI[] = {res::kIdSliderSigmaI, res::kIdReadoutSigmaI, res::kIdCaptionSigmaI};
constexpr int kRowSigmaT[] = {res::kIdSliderSigmaT, res::kIdReadoutSigmaT, res::kIdCaptionSigmaT};
constexpr int kRowSigmaE[] = {res::kIdSliderSigmaE, res::kIdReadoutSigmaE, res::kIdCaptionSigmaE};
constexpr int kSanctionsGroup[] = {res::kIdGroupSanctions,
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
                                   res::kIdReadoutCountRPrime};
constexpr int kRowsRPrime[] = {res::kIdSliderMedianRPrime,  res::kIdReadoutMedianRPrime,
                               res::kIdCaptionMedianRPrime, res::kIdSliderSigmaRPrime,
                               res::kIdReadoutSigmaRPrime,  res::kIdCaptionSigmaRPrime};
constexpr int kCorrRRPrime[] = {res::kIdCaptionCorrRRPrime, res::kIdSliderCorrRRPrime,
                                res::kIdReadoutCorrRRPrime};
constexpr int kCorrRI[] = {res::kIdCaptionCorrRI, res::kIdSliderCorrRI, res::kIdReadoutCorrRI};
constexpr int kCorrRPrimeI[] = {res::kIdCaptionCorrRPrimeI, res::kIdSliderCorrRPrimeI,
                                res::kIdReadoutCorrRPrimeI};
constexpr int kCorrET[] = {res::kIdCaptionCorrET, res::kIdSliderCorrET, res::kIdReadoutCorrET};
constexpr int kFixedCounts[] = {res::kIdEditAgentCount, res::kIdEditIterations};

// The needs of each gate are by attribute, in the order R, I, T, E, R'. The R'
// rows come back with sanctions whenever R' has a kind that uses them.
constexpr RowRule kRowRules[] = {
    {"push buttons", kButtons, kAlways},
    {"R radio buttons", kRadiosR, kAlways},
    {"I radio buttons", kRadiosI, kAlways},
    {"T radio buttons", kRadiosT, kAlways},
    {"E radio buttons", kRadiosE, kAlways},
    {"check boxes", kChecks, kAlways},
    {"J row", kRowJ, kAlways},
    {"X row", kRowX, kAlways},
    {"R N row", kRowCountR, kAlways},
    {"I location row", kRowValueI, kAlways},
    {"T location row", kRowValueT, kAlways},
    {"E location row", kRowValueE, kAlways},
    {"R location and sigma rows", kRowsR, Kinds({C, A, A, A, A})},
    {"I sigma row", kRowSigmaI, Kinds({A, C, A, A, A})},
    {"T sigma row", kRowSigmaT, Kinds({A, A, C, A, A})},
    {"E sigma row", kRowSigmaE, Kinds({A, A, A, C, A})},
    {"sanctions group", kSanctionsGroup, SanctionsAnd({A, A, A, A, A})},
    {"R' location and sigma rows", kRowsRPrime, SanctionsAnd({A, A, A, A, C})},
    {"R & R' row", kCorrRRPrime, SanctionsAnd({N, A, A, A, N})},
    {"R & I row", kCorrRI, Kinds({N, N, A, A, A})},
    {"R' & I row", kCorrRPrimeI, SanctionsAnd({A, N, A, A, N})},
    {"E & T row", kCorrET, Kinds({A, A, N, N, A})},
    {"fixed-count edits", kFixedCounts, kNever},
};

constexpr CaptionRule kCaptionRules[] = {
    {res::kIdCaptionMedianR, Attr::kR, "Median", "Median"},
    {res::kIdCaptionValueI, Attr::kI, "Value", "Median"},
    {res::kIdCaptionValueT, Attr::kT, "Value", "Median"},
    {res::kIdCaptionValueE, Attr::kE, "Value", "Median"},
    {res::kIdCaptionMedianRPrime, Attr::kRPrime, "Median", "Median"},
};

bool Meets(Need need, Kind kind) {
  switch (need) {
    case Need::kAny:
      return true;
    case Need::kNotConstant:
      return kind != Kind::kConstant;
    case Need::kNormal:
      return kind == Kind::kNormal;
  }
  return false;
}

}  // namespace

std::span<const RowRule> RowRules() {
  return kRowRules;
}

std::span<const CaptionRule> CaptionRules() {
  return kCaptionRules;
}

bool ExpectedEnabled(const Gate& gate, const PanelChoice& choice) {
  if (gate.never || (gate.needsSanctions && !choice.sanctions)) {
    return false;
  }
  for (std::size_t attr = 0; attr < kAttrCount; ++attr) {
    if (!Meets(gate.needs[attr], choice.kinds[attr])) {
      return false;
    }
  }
  return true;
}

std::string_view ExpectedCaption(const CaptionRule& rule, const PanelChoice& choice) {
  const Kind kind = choice.kinds[static_cast<std::size_t>(rule.attr)];
  return kind == Kind::kConstant ? rule.whenConstant : rule.otherwise;
}

std::string Describe(const PanelChoice& choice) {
  std::string text;
  for (std::size_t attr = 0; attr < kAttrCount; ++attr) {
    text +=
        Text(kAttrNames[attr], " ", kKindNames[static_cast<std::size_t>(choice.kinds[attr])], ", ");
  }
  return text + (choice.sanctions ? "sanctions on" : "sanctions off");
}

}  // namespace soak
