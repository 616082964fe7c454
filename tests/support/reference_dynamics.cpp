#include "tests/support/reference_dynamics.h"

#include <cmath>

#include "model/decision_sequence.h"

namespace model::reference {
namespace {

class Calls {
 public:
  explicit Calls(std::vector<TranscendentalCall>* log) : log_(log) {}
  double Exp(double x) {
    if (log_) log_->push_back({false, x, 0.0});
    return std::exp(x);
  }
  double Pow(double x, double y) {
    if (log_) log_->push_back({true, x, y});
    return std::pow(x, y);
  }

 private:
  std::vector<TranscendentalCall>* log_;
};

double Update(Calls& calls, double p, double s, int tookAction) {
  if (s == 0.0) return p;
  const double q = calls.Pow(p, 1.0 / std::fabs(s));
  return tookAction ? p + (1.0 - q) * s : p - (1.0 - q) * s;
}

float Clamped(double v) {
  float f = static_cast<float>(v);
  if (f > 1.0f) f = 1.0f;
  if (f < 0.0f) f = 0.0f;
  return f;
}

}  // namespace

double UpdatePropensity(double p, double s, bool tookAction) {
  Calls calls(nullptr);
  return Update(calls, p, s, tookAction ? 1 : 0);
}

Series ReplayDynamics(const CPopulationModel& m, std::vector<TranscendentalCall>* log) {
  Calls calls(log);
  const int n = m.agentCount;
  std::vector<double> p(n, 0.0), sp(n, 0.0), cost(n, 0.0), scost(n, 0.0);
  std::vector<int> vol(n, 0), san(n, 0);
  Series out;
  for (auto& s : out) s.assign(kStepCount, 0.0f);
  int d = kDecisionSeed;
  const auto draw = [&d] {
    d = (kDecisionMultiplier * d) % kDecisionModulus;
    return d / 4096.0;
  };
  for (int k = 0; k < kStepCount; ++k) {
    double s1 = 0, s2 = 0, volSum = 0, nonSum = 0, allSum = 0;
    int volCount = 0, nonCount = 0;
    for (int i = 0; i < n; ++i) {
      if (draw() <= p[i]) {
        cost[i] = m.attrR[i] * m.costScale;
        vol[i] = 1;
        s1 += m.attrR[i];
        volSum += p[i];
        ++volCount;
      } else {
        cost[i] = 0.0;
        vol[i] = 0;
        nonSum += p[i];
        ++nonCount;
      }
      allSum += p[i];
      if (m.sanctionsOn) {
        if (draw() <= sp[i]) {
          scost[i] = m.attrRPrime[i] * m.sanctionCostScale;
          san[i] = 1;
          s2 += m.attrRPrime[i];
        } else {
          scost[i] = 0.0;
          san[i] = 0;
        }
      }
    }
    for (int i = 0; i < n; ++i) {
      const double l = 1 / (1 + calls.Exp(m.slopeM * (m.attrT[i] - s1))) - (1 - m.paramX) / 2;
      double s;
      if (m.sanctionsOn) {
        double z = calls.Pow(s2, m.paramM);
        if (std::isnan(z)) z = 0.0;  // a negative S2 with a fractional m raises no sanction term
        s = ((l * m.attrI[i] + (vol[i] ? z : -z)) - cost[i]) * m.attrE[i] / (m.nPowMinusJ + 2);
      } else {
        s = (l * m.attrI[i] - cost[i]) * m.attrE[i] / (m.nPowMinusJ + 1);
      }
      p[i] = Update(calls, p[i], s, vol[i]);
      if (p[i] > 1) p[i] = 1.0;
      if (p[i] < 0) p[i] = 0.0;
      if (m.sanctionsOn) {
        const double s2i = (l * m.attrI[i] - scost[i]) * m.attrE[i] / (m.nPowMinusJPrime + 1);
        sp[i] = Update(calls, sp[i], s2i, san[i]);
      }
    }
    if (nonCount != 0) out[kMeanPropensityNonVolunteers][k] = Clamped(nonSum / nonCount);
    if (volCount != 0) out[kMeanPropensityVolunteers][k] = Clamped(volSum / volCount);
    out[kMeanPropensity][k] = Clamped(allSum / n);
    out[kFirstOrderRate][k] = static_cast<float>(s1);
    out[kSecondOrderRate][k] = static_cast<float>(s2);
  }
  return out;
}

}  // namespace model::reference
