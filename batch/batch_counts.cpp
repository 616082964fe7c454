#include "batch/batch_counts.h"

#include <algorithm>
#include <limits>
#include <thread>

#include "run_description/number_text.h"

namespace batch {

unsigned DefaultJobs() {
  return std::max(1u, std::thread::hardware_concurrency());
}

std::string ReadCount(std::string_view option, std::string_view text, std::int32_t minimum,
                      std::int32_t maximum, std::int32_t& value) {
  const run::ParsedInteger parsed = run::ParseInteger(text);
  std::string error(option);
  error += ": ";
  if (!parsed.value) return error + parsed.error;
  if (*parsed.value < minimum || *parsed.value > maximum) {
    error.append(text).append(" is outside ").append(std::to_string(minimum));
    if (maximum == std::numeric_limits<std::int32_t>::max()) return error + " or more";
    return error.append(" to ").append(std::to_string(maximum));
  }
  value = *parsed.value;
  return {};
}

std::string ReadReplicates(std::string_view text, std::uint64_t& replicates) {
  std::int32_t value = 0;
  std::string error = ReadCount("--replicates", text, kFewestReplicates,
                                std::numeric_limits<std::int32_t>::max(), value);
  if (error.empty()) replicates = static_cast<std::uint64_t>(value);
  return error;
}

std::string ReadJobs(std::string_view text, unsigned& jobs) {
  std::int32_t value = 0;
  std::string error = ReadCount("--jobs", text, kFewestJobs, kMaxJobs, value);
  if (error.empty()) jobs = static_cast<unsigned>(value);
  return error;
}

}  // namespace batch
