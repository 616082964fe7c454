#include "batch/morris_design.h"

#include <cmath>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "batch/split_mix_stream.h"

namespace batch {
namespace {

constexpr int kFewestLevels = 2;

}  // namespace

double MorrisDelta(int levels) {
  return levels / (2.0 * (levels - 1));
}

MorrisTrajectories::MorrisTrajectories(std::size_t factors, const MorrisSettings& settings)
    : factors_(factors),
      trajectories_(settings.trajectories),
      units_(trajectories_ * (factors + 1) * factors),
      order_(trajectories_ * factors),
      up_(trajectories_ * factors) {
  if (settings.levels < kFewestLevels || settings.levels % 2 != 0) {
    throw std::invalid_argument("Morris levels must be even and at least 2");
  }
  // Worked in whole levels, so that every point lies exactly on the grid.
  const int stepLevels = settings.levels / 2;
  const int lastLevel = settings.levels - 1;
  SplitMixStream stream(settings.seed);
  std::vector<int> levels(factors);
  for (std::size_t t = 0; t < trajectories_; ++t) {
    for (std::size_t f = 0; f < factors; ++f) {
      levels[f] = static_cast<int>(stream.Below(static_cast<std::uint64_t>(settings.levels)));
      up_[t * factors + f] = levels[f] + stepLevels <= lastLevel;
    }
    std::size_t* order = &order_[t * factors];
    std::iota(order, order + factors, std::size_t{0});
    for (std::size_t i = factors; i > 1; --i) {  // Fisher-Yates
      std::swap(order[i - 1], order[stream.Below(i)]);
    }
    for (std::size_t k = 0; k <= factors; ++k) {
      if (k > 0) {
        const std::size_t f = order[k - 1];
        levels[f] += up_[t * factors + f] ? stepLevels : -stepLevels;
      }
      double* point = &units_[(t * (factors + 1) + k) * factors];
      for (std::size_t f = 0; f < factors; ++f) {
        point[f] = static_cast<double>(levels[f]) / lastLevel;
      }
    }
  }
}

double MorrisTrajectories::Unit(std::size_t trajectory, std::size_t point,
                                std::size_t factor) const {
  return units_[(trajectory * (factors_ + 1) + point) * factors_ + factor];
}

std::size_t MorrisTrajectories::MovedFactor(std::size_t trajectory, std::size_t point) const {
  return order_[trajectory * factors_ + point - 1];
}

bool MorrisTrajectories::MovesUp(std::size_t trajectory, std::size_t point) const {
  return up_[trajectory * factors_ + MovedFactor(trajectory, point)];
}

std::vector<MorrisEffect> EstimateMorrisEffects(const MorrisTrajectories& design,
                                                std::span<const double> outputs) {
  if (outputs.size() != design.PointCount()) {
    throw std::invalid_argument("one output per trajectory point is needed");
  }
  const std::size_t factors = design.Factors();
  const std::size_t r = design.Trajectories();
  // effects[f * r + t]: factor f's elementary effect in trajectory t.
  std::vector<double> effects(factors * r);
  for (std::size_t t = 0; t < r; ++t) {
    const double* y = &outputs[t * design.PointsPerTrajectory()];
    for (std::size_t k = 1; k <= factors; ++k) {
      const double change = y[k] - y[k - 1];
      effects[design.MovedFactor(t, k) * r + t] = design.MovesUp(t, k) ? change : -change;
    }
  }
  std::vector<MorrisEffect> result(factors);
  for (std::size_t f = 0; f < factors; ++f) {
    const double* e = &effects[f * r];
    double sum = 0.0;
    double absolute = 0.0;
    for (std::size_t t = 0; t < r; ++t) {
      sum += e[t];
      absolute += std::fabs(e[t]);
    }
    const double mean = sum / static_cast<double>(r);
    double squares = 0.0;
    for (std::size_t t = 0; t < r; ++t) squares += (e[t] - mean) * (e[t] - mean);
    result[f].mu = mean;
    result[f].muStar = absolute / static_cast<double>(r);
    result[f].sigma = r > 1 ? std::sqrt(squares / static_cast<double>(r - 1)) : 0.0;
  }
  return result;
}

}  // namespace batch
