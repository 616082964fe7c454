#pragma once

#include <optional>
#include <string_view>

namespace model {

// The instructions the dynamics' passes over the agents run on. Every path
// computes every value with the same operations in the same order, so all of
// them give the same numbers, bit for bit; they differ only in speed.
enum class DynamicsPath {
  kPairs,  // two agents at a time: SSE2 on x86-64, plain doubles elsewhere
  kQuads,  // four agents at a time: x86-64-v3 (AVX2), without FMA
};

inline constexpr DynamicsPath kDynamicsPaths[] = {DynamicsPath::kPairs, DynamicsPath::kQuads};

// "sse2" (or "pairs" where there is no SSE2) and "x86-64-v3".
std::string_view PathName(DynamicsPath path);
std::optional<DynamicsPath> PathNamed(std::string_view name);

// Whether this build has the path and this processor can run it.
bool PathAvailable(DynamicsPath path);

// The path runs take: the widest available one, chosen once from what the
// processor reports, unless SelectDynamicsPath chose another.
DynamicsPath ActiveDynamicsPath();

// Makes every later run take path, when it is available; returns whether it
// is. Meant for start-up, tests and benchmarks, before runs on other threads.
bool SelectDynamicsPath(DynamicsPath path);

}  // namespace model
