#include "ui/correlation_rules.h"

#include "ui/control_rows.h"

namespace ui {

using model::Attribute;

constinit const std::array<CorrelationRule, kCorrelationCount> kCorrelationRules = {{
    {kRowCorrRRPrime, Attribute::R, Attribute::RPrime},
    {kRowCorrRI, Attribute::R, Attribute::I},
    {kRowCorrRPrimeI, Attribute::RPrime, Attribute::I},
    {kRowCorrET, Attribute::E, Attribute::T},
}};

}  // namespace ui
