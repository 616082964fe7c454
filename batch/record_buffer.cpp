#include "batch/record_buffer.h"

#include <sys/mman.h>

#include <cstdint>

namespace batch {
namespace {

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

}  // namespace

RecordValues AllocateRecordValues(std::size_t count) {
  if (count > SIZE_MAX / sizeof(float) - kHugePageBytes) return nullptr;
  const std::size_t bytes = count * sizeof(float);
  if (bytes < kHugePageBytes) return RecordValues(static_cast<float*>(std::malloc(bytes)));
  const std::size_t rounded = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
  void* memory = std::aligned_alloc(kHugePageBytes, rounded);
#ifdef MADV_HUGEPAGE
  // Only advice: without huge pages the record works the same, more slowly.
  if (memory) madvise(memory, rounded, MADV_HUGEPAGE);
#endif
  return RecordValues(static_cast<float*>(memory));
}

}  // namespace batch
