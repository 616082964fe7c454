#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace batch {

// Morris's elementary-effects screening over `factors` factors in the unit
// cube: r trajectories on a grid of p levels {0, 1/(p-1), ..., 1}, each a start
// point and one step of delta = p / (2 (p - 1)) per factor, the factors in a
// random order. Each coordinate of the start is a level drawn uniformly; it
// steps up when the level plus delta stays within 1 and down otherwise (for
// even p exactly one of the two is possible, so every level is reached as
// often as Morris's own construction reaches it).
//
// The elementary effect of the factor moved at step k is the change in
// output that an upward step of delta of its range brings:
//   EE = (f(x_k) - f(x_{k-1})) * direction,   direction = +1 up, -1 down,
// so that for f linear in the unit values, f = sum b_i x_i, every EE of
// factor i is b_i * delta; over a factor's own range [lo, hi], b_i * delta *
// (hi - lo).
struct MorrisSettings {
  std::size_t trajectories = 20;
  int levels = 4;  // p, even and at least 2
  std::uint64_t seed = 0;
};

double MorrisDelta(int levels);

class MorrisTrajectories {
 public:
  MorrisTrajectories(std::size_t factors, const MorrisSettings& settings);

  std::size_t Factors() const { return factors_; }
  std::size_t Trajectories() const { return trajectories_; }
  std::size_t PointsPerTrajectory() const { return factors_ + 1; }
  std::uint64_t PointCount() const { return std::uint64_t{trajectories_} * PointsPerTrajectory(); }

  // Point `point` (0 the start) of trajectory t, in trajectory order.
  double Unit(std::size_t trajectory, std::size_t point, std::size_t factor) const;
  // The factor that step `point` (from 1) moves, and whether it moves it up.
  std::size_t MovedFactor(std::size_t trajectory, std::size_t point) const;
  bool MovesUp(std::size_t trajectory, std::size_t point) const;

 private:
  std::size_t factors_;
  std::size_t trajectories_;
  std::vector<double> units_;       // trajectory, point, factor
  std::vector<std::size_t> order_;  // trajectory, step: the factor moved
  std::vector<bool> up_;            // trajectory, factor
};

// f(point) at every point, trajectory by trajectory; f takes the point's unit
// coordinates as a std::span<const double>.
template <typename Function>
std::vector<double> EvaluateMorris(const MorrisTrajectories& design, Function function) {
  std::vector<double> outputs;
  outputs.reserve(design.PointCount());
  std::vector<double> point(design.Factors());
  for (std::size_t t = 0; t < design.Trajectories(); ++t) {
    for (std::size_t k = 0; k < design.PointsPerTrajectory(); ++k) {
      for (std::size_t f = 0; f < design.Factors(); ++f) point[f] = design.Unit(t, k, f);
      outputs.push_back(function(std::span<const double>(point)));
    }
  }
  return outputs;
}

struct MorrisEffect {
  double mu = 0.0;      // mean of the elementary effects
  double muStar = 0.0;  // mean of their absolute values
  double sigma = 0.0;   // their sample standard deviation (n - 1); 0 for one
};

// Each factor's statistics from the outputs, trajectory by trajectory, each
// trajectory's points in order.
std::vector<MorrisEffect> EstimateMorrisEffects(const MorrisTrajectories& design,
                                                std::span<const double> outputs);

}  // namespace batch
