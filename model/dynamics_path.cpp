#include "model/dynamics_path.h"

#include <atomic>

#include "model/dynamics_pass.h"

namespace model {
namespace {

// The x86-64-v3 level: AVX, AVX2, BMI1, BMI2, F16C, FMA, LZCNT and MOVBE, with
// the system saving the AVX registers (which the test checks before it reports
// AVX). Clang's test knows the level by its parts only, and not all of them; a
// processor with these has the others too.
bool ProcessorHasX86_64V3() {
#if defined(CORVELLAN_QUAD_PATH)
  __builtin_cpu_init();
#if defined(__clang__)
  return __builtin_cpu_supports("avx") && __builtin_cpu_supports("avx2") &&
         __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2") &&
         __builtin_cpu_supports("fma");
#else
  return __builtin_cpu_supports("x86-64-v3");
#endif
#else
  return false;
#endif
}

const dynamics::LanePasses& PassesOf(DynamicsPath path) {
#if defined(CORVELLAN_QUAD_PATH)
  if (path == DynamicsPath::kQuads) return dynamics::v3::QuadPasses();
#endif
  (void)path;
  return dynamics::PairPasses();
}

DynamicsPath Widest() {
  return PathAvailable(DynamicsPath::kQuads) ? DynamicsPath::kQuads : DynamicsPath::kPairs;
}

std::atomic<DynamicsPath>& Chosen() {
  static std::atomic<DynamicsPath> chosen{Widest()};
  return chosen;
}

}  // namespace

std::string_view PathName(DynamicsPath path) {
  if (path == DynamicsPath::kQuads) return "x86-64-v3";
#if defined(__SSE2__)
  return "sse2";
#else
  return "pairs";
#endif
}

std::optional<DynamicsPath> PathNamed(std::string_view name) {
  for (const DynamicsPath path : kDynamicsPaths) {
    if (PathName(path) == name) return path;
  }
  return std::nullopt;
}

bool PathAvailable(DynamicsPath path) {
  if (path == DynamicsPath::kPairs) return true;
  static const bool quads = ProcessorHasX86_64V3();
  return quads;
}

DynamicsPath ActiveDynamicsPath() {
  return Chosen().load(std::memory_order_relaxed);
}

bool SelectDynamicsPath(DynamicsPath path) {
  if (!PathAvailable(path)) return false;
  Chosen().store(path, std::memory_order_relaxed);
  return true;
}

namespace dynamics {

const LanePasses& ActiveLanePasses() {
  return PassesOf(ActiveDynamicsPath());
}

}  // namespace dynamics
}  // namespace model
