#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace batch {

// How many replicates and worker threads a batch may be given, and how their
// values are read: the checks every front end of a batch shares.
inline constexpr std::int32_t kFewestReplicates = 1;
inline constexpr std::int32_t kFewestJobs = 1;
inline constexpr unsigned kMaxJobs = 256;

// The number of cores, at least 1.
unsigned DefaultJobs();

// Reads text as the value of option, a whole number within [minimum,
// maximum]; returns "OPTION: reason" or an empty string.
std::string ReadCount(std::string_view option, std::string_view text, std::int32_t minimum,
                      std::int32_t maximum, std::int32_t& value);

// --replicates and --jobs as the runner reads them.
std::string ReadReplicates(std::string_view text, std::uint64_t& replicates);
std::string ReadJobs(std::string_view text, unsigned& jobs);

}  // namespace batch
