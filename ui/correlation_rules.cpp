#include "ui/correlation_rules.h"

#include "ui/control_rows.h"

namespace ui {

constinit const std::array<CorrelationRule, kCorrelationCount> kCorrelationRules = {{
    {kRowCorrRRPrime, Attribute::kR, Attribute::kRPrime},
    {kRowCorrRI, Attribute::kR, Attribute::kI},
    {kRowCorrRPrimeI, Attribute::kRPrime, Attribute::kI},
    {kRowCorrET, Attribute::kE, Attribute::kT},
}};

}  // namespace ui
