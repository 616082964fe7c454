#include "platform/vector_state.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define CORVELLAN_HAS_VZEROUPPER 1
#endif

namespace platform {
namespace {

#ifdef CORVELLAN_HAS_VZEROUPPER
bool ProcessorHasAvx() {
  static const bool hasAvx = __builtin_cpu_supports("avx") != 0;
  return hasAvx;
}

__attribute__((target("avx"))) void ZeroUpperHalves() {
  _mm256_zeroupper();
}
#endif

}  // namespace

void ClearUpperVectorState() {
#ifdef CORVELLAN_HAS_VZEROUPPER
  if (ProcessorHasAvx()) {
    ZeroUpperHalves();
  }
#endif
}

}  // namespace platform
