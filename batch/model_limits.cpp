#include "batch/model_limits.h"

#include <array>
#include <limits>

#include "model/population_model.h"

namespace batch {
namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();
constexpr double kFewestAgents = 1;

const std::array<ModelLimit, 3> kLimits = {{
    {"paramJ", 0.0, 1.0, model::kMessageBadJ},
    {"paramX", -1.0, 1.0, model::kMessageBadX},
    {"agentCount", kFewestAgents, kUnbounded, model::kMessageBadN},
}};

}  // namespace

std::span<const ModelLimit> ModelLimits() {
  return kLimits;
}

const ModelLimit* FindModelLimit(std::string_view name) {
  for (const ModelLimit& limit : kLimits) {
    if (limit.argument == name) return &limit;
  }
  return nullptr;
}

bool WithinModelLimit(const ModelLimit& limit, double value) {
  return value >= limit.minimum && value <= limit.maximum;
}

}  // namespace batch
