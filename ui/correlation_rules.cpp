#include "ui/correlation_rules.h"

#include "res/control_ids.h"
#include "ui/control_rows.h"

namespace ui {

using model::Attribute;

constinit const std::array<CorrelationRule, kCorrelationCount> kCorrelationRules = {{
    {kRowCorrRRPrime, res::kIdSliderCorrRRPrime, Attribute::R, Attribute::RPrime,
     "Disabled: correlating R and R' needs a Normal Distribution for both"},
    {kRowCorrRI, res::kIdSliderCorrRI, Attribute::R, Attribute::I,
     "Disabled: correlating R and I needs a Normal Distribution for both"},
    {kRowCorrRPrimeI, res::kIdSliderCorrRPrimeI, Attribute::RPrime, Attribute::I,
     "Disabled: correlating R' and I needs a Normal Distribution for both"},
    {kRowCorrET, res::kIdSliderCorrET, Attribute::E, Attribute::T,
     "Disabled: correlating E and T needs a Normal Distribution for both"},
}};

}  // namespace ui
