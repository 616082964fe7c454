#include <cmath>

#include "model/distribution_kind.h"
#include "model/population_model.h"
#include "model/spread_cap.h"

namespace model {
namespace {

// What bounds an attribute's values: shares (R, R') only need to be
// non-negative, the others must lie in [0, 1].
enum class Range { kShare, kUnit };

struct AttributeDraw {
  Attribute id;
  double* values;
  int written;  // agents written by the attribute's own rule
  DistributionKind kind;
  double location;
  double spread;  // as passed, then capped when a drawing rule applies
  Range range;
};

bool Accepts(Range range, DistributionKind kind, double v) {
  if (range == Range::kShare) return kind == DistributionKind::LogNormal || v >= 0.0;
  return v >= 0.0 && v <= 1.0;
}

double DrawValue(const AttributeDraw& a, CRandomSource& random) {
  for (;;) {
    const double g = random.Gaussian();
    const double v = a.kind == DistributionKind::LogNormal ? a.location * std::exp(g * a.spread)
                                                           : g * a.spread + a.location;
    if (Accepts(a.range, a.kind, v)) return v;
  }
}

// Raw normal deviate whose value on X's own scale passes X's acceptance test.
double DrawAcceptedDeviate(const AttributeDraw& a, CRandomSource& random) {
  for (;;) {
    const double z = random.Gaussian();
    if (Accepts(a.range, DistributionKind::Normal, a.spread * z + a.location)) return z;
  }
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

void SampleAttribute(AttributeDraw& a, CRandomSource& random) {
  // The spread as passed decides the rule; the cap only applies afterwards.
  if (a.kind == DistributionKind::Constant || a.spread == 0.0) {
    ApplyConstantRule(a);
    return;
  }
  a.spread = CappedSpread(a.id, a.kind, a.location, a.spread);
  if (a.written <= 0) return;
  for (int i = 0; i < a.written; ++i) a.values[i] = DrawValue(a, random);
  if (a.range == Range::kShare) NormaliseShares(a.values, a.written);
}

bool BothNormal(const AttributeDraw& x, const AttributeDraw& y) {
  return x.kind == DistributionKind::Normal && y.kind == DistributionKind::Normal;
}

// Redraws X and Y for the whole population with correlation c between their deviates.
void Correlate(double c, AttributeDraw& x, AttributeDraw& y, int agentCount,
               CRandomSource& random) {
  const double k = std::sqrt(1.0 - c * c);
  for (int i = 0; i < agentCount; ++i) {
    const double zX = DrawAcceptedDeviate(x, random);
    double zY = DrawAcceptedDeviate(y, random);
    zY = k * zY;
    zY = c * zX + zY;
    x.values[i] = x.spread * zX + x.location;
    y.values[i] = y.spread * zY + y.location;
  }
  if (x.range == Range::kShare) NormaliseShares(x.values, agentCount);
  if (y.range == Range::kShare) NormaliseShares(y.values, agentCount);
}

}  // namespace

void CPopulationModel::SamplePopulation(const RunArguments& args, CRandomSource& random) {
  const auto kind = [](int k) { return static_cast<DistributionKind>(k); };
  AttributeDraw r{Attribute::R, attrR.get(), countR,       kind(args.distR),
                  args.medianR, args.sigmaR, Range::kShare};
  AttributeDraw i{Attribute::I, attrI.get(), agentCount,  kind(args.distI),
                  args.valueI,  args.sigmaI, Range::kUnit};
  AttributeDraw t{Attribute::T, attrT.get(), agentCount,  kind(args.distT),
                  args.valueT,  args.sigmaT, Range::kUnit};
  AttributeDraw e{Attribute::E, attrE.get(), agentCount,  kind(args.distE),
                  args.valueE,  args.sigmaE, Range::kUnit};
  AttributeDraw rPrime{Attribute::RPrime, attrRPrime.get(), countRPrime,  kind(args.distRPrime),
                       args.medianRPrime, args.sigmaRPrime, Range::kShare};

  // attrR and attrRPrime are freshly allocated, so every non-carrier already holds 0.
  for (AttributeDraw* a : {&r, &i, &t, &e, &rPrime}) SampleAttribute(*a, random);

  const bool rRPrime =
      args.corrRRPrime != 0.0 && BothNormal(r, rPrime) && r.spread != 0.0 && rPrime.spread != 0.0;
  const bool rI = args.corrRI != 0.0 && BothNormal(r, i) && r.spread != 0.0 && i.spread != 0.0;
  const bool rPrimeI = args.corrRPrimeI != 0.0 && BothNormal(rPrime, i) && rPrime.spread != 0.0 &&
                       i.spread != 0.0 && (args.corrRRPrime == 0.0 || args.corrRI == 0.0);
  const bool eT = args.corrET != 0.0 && BothNormal(e, t) && e.spread != 0.0 && t.spread != 0.0;

  if (rRPrime) Correlate(args.corrRRPrime, r, rPrime, agentCount, random);
  if (rI) Correlate(args.corrRI, r, i, agentCount, random);
  if (rPrimeI) Correlate(args.corrRPrimeI, rPrime, i, agentCount, random);
  if (eT) Correlate(args.corrET, e, t, agentCount, random);
}

}  // namespace model
