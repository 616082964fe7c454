#pragma once

#include "model/attribute.h"
#include "model/distribution_kind.h"

namespace model {

// The spread an attribute drawn by the Normal or Log-Normal rule actually uses:
// the passed spread limited to a third of the distance that keeps the values in
// range (the location for the shares R and R', the nearer end of [0, 1] for the
// others; Normal E is not limited).
double CappedSpread(Attribute attribute, DistributionKind kind, double location, double spread);

}  // namespace model
