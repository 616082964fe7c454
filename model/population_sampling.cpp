#include "model/population_sampling.h"

#include "model/spread_cap.h"

namespace model::sampling {

bool Accepts(Range range, DistributionKind kind, double v) {
  if (range == Range::kShare) return kind == DistributionKind::LogNormal || v >= 0.0;
  return v >= 0.0 && v <= 1.0;
}

// Scales shares to sum 1. A zero sum (a location of 0 caps the spread to 0)
// gives every carrier the equal share instead of dividing by zero.
void NormaliseShares(double* values, int count) {
  double sum = 0.0;
  for (int i = 0; i < count; ++i) sum += values[i];
  if (sum == 0.0) {
    const double share = 1.0 / count;
    for (int i = 0; i < count; ++i) values[i] = share;
    return;
  }
  const double reciprocal = 1.0 / sum;
  for (int i = 0; i < count; ++i) values[i] *= reciprocal;
}

void ApplyConstantRule(const AttributeDraw& a) {
  if (a.range == Range::kShare) {
    if (a.written <= 0) return;
    const double share = 1.0 / a.written;
    for (int i = 0; i < a.written; ++i) a.values[i] = share;
    return;
  }
  for (int i = 0; i < a.written; ++i) a.values[i] = a.location;
}

bool TakesConstantRule(AttributeDraw& a) {
  // The spread as passed decides the rule; the cap only applies afterwards.
  if (a.kind == DistributionKind::Constant || a.spread == 0.0) return true;
  a.spread = CappedSpread(a.id, a.kind, a.location, a.spread);
  return false;
}

namespace {

bool BothNormal(const AttributeDraw& x, const AttributeDraw& y) {
  return x.kind == DistributionKind::Normal && y.kind == DistributionKind::Normal;
}

}  // namespace

Correlations ApplyingCorrelations(const RunArguments& args, const AttributeDraw& r,
                                  const AttributeDraw& i, const AttributeDraw& t,
                                  const AttributeDraw& e, const AttributeDraw& rPrime) {
  Correlations c{};
  c.rRPrime =
      args.corrRRPrime != 0.0 && BothNormal(r, rPrime) && r.spread != 0.0 && rPrime.spread != 0.0;
  c.rI = args.corrRI != 0.0 && BothNormal(r, i) && r.spread != 0.0 && i.spread != 0.0;
  c.rPrimeI = args.corrRPrimeI != 0.0 && BothNormal(rPrime, i) && rPrime.spread != 0.0 &&
              i.spread != 0.0 && (args.corrRRPrime == 0.0 || args.corrRI == 0.0);
  c.eT = args.corrET != 0.0 && BothNormal(e, t) && e.spread != 0.0 && t.spread != 0.0;
  return c;
}

}  // namespace model::sampling
