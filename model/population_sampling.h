#pragma once

#include "model/attribute.h"
#include "model/distribution_kind.h"
#include "model/population_model.h"
#include "model/random_source.h"

// The sampling of the attributes, as templates over the transcendental
// functions (see math_calls.h); the rules that call none live in
// population_sampling.cpp.
namespace model::sampling {

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

bool Accepts(Range range, DistributionKind kind, double v);
void NormaliseShares(double* values, int count);
void ApplyConstantRule(const AttributeDraw& a);
// Whether a constant rule applies; otherwise caps the spread for drawing.
bool TakesConstantRule(AttributeDraw& a);

// Which of the four correlations apply to a sampled population.
struct Correlations {
  bool rRPrime;
  bool rI;
  bool rPrimeI;
  bool eT;
};
Correlations ApplyingCorrelations(const RunArguments& args, const AttributeDraw& r,
                                  const AttributeDraw& i, const AttributeDraw& t,
                                  const AttributeDraw& e, const AttributeDraw& rPrime);

template <class Math>
double DrawValue(const AttributeDraw& a, CRandomSource& random) {
  for (;;) {
    const double g = random.Gaussian<Math>();
    const double v = a.kind == DistributionKind::LogNormal ? a.location * Math::Exp(g * a.spread)
                                                           : g * a.spread + a.location;
    if (Accepts(a.range, a.kind, v)) return v;
  }
}

// Raw normal deviate whose value on X's own scale passes X's acceptance test.
template <class Math>
double DrawAcceptedDeviate(const AttributeDraw& a, CRandomSource& random) {
  for (;;) {
    const double z = random.Gaussian<Math>();
    if (Accepts(a.range, DistributionKind::Normal, a.spread * z + a.location)) return z;
  }
}

template <class Math>
void SampleAttribute(AttributeDraw& a, CRandomSource& random) {
  if (TakesConstantRule(a)) {
    ApplyConstantRule(a);
    return;
  }
  if (a.written <= 0) return;
  for (int i = 0; i < a.written; ++i) a.values[i] = DrawValue<Math>(a, random);
  if (a.range == Range::kShare) NormaliseShares(a.values, a.written);
}

// Redraws X and Y for the whole population with correlation c between their deviates.
template <class Math>
void Correlate(double c, AttributeDraw& x, AttributeDraw& y, int agentCount,
               CRandomSource& random) {
  const double k = Math::Sqrt(1.0 - c * c);
  for (int i = 0; i < agentCount; ++i) {
    const double zX = DrawAcceptedDeviate<Math>(x, random);
    double zY = DrawAcceptedDeviate<Math>(y, random);
    zY = k * zY;
    zY = c * zX + zY;
    x.values[i] = x.spread * zX + x.location;
    y.values[i] = y.spread * zY + y.location;
  }
  if (x.range == Range::kShare) NormaliseShares(x.values, agentCount);
  if (y.range == Range::kShare) NormaliseShares(y.values, agentCount);
}

}  // namespace model::sampling

namespace model {

template <class Math>
void CPopulationModel::SamplePopulation(const RunArguments& args, CRandomSource& random) {
  using sampling::AttributeDraw;
  using sampling::Range;
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
  for (AttributeDraw* a : {&r, &i, &t, &e, &rPrime}) sampling::SampleAttribute<Math>(*a, random);

  const sampling::Correlations apply = sampling::ApplyingCorrelations(args, r, i, t, e, rPrime);
  if (apply.rRPrime) sampling::Correlate<Math>(args.corrRRPrime, r, rPrime, agentCount, random);
  if (apply.rI) sampling::Correlate<Math>(args.corrRI, r, i, agentCount, random);
  if (apply.rPrimeI) sampling::Correlate<Math>(args.corrRPrimeI, rPrime, i, agentCount, random);
  if (apply.eT) sampling::Correlate<Math>(args.corrET, e, t, agentCount, random);
}

}  // namespace model
