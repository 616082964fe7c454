#include "batch/record_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

namespace batch {
namespace {

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// Below, at and above the size from which a record is laid on huge pages; the
// sanitizer build checks that every value is inside the allocation.
TEST(RecordBuffer, HoldsEveryValueOfSmallAndLargeRecords) {
  for (const std::size_t count :
       {std::size_t{1}, std::size_t{505}, kHugePageBytes / sizeof(float) - 1,
        kHugePageBytes / sizeof(float), 3 * kHugePageBytes / sizeof(float) + 7}) {
    const RecordValues values = AllocateRecordValues(count);
    ASSERT_NE(values, nullptr) << count;
    std::iota(values.get(), values.get() + count, 0.0f);
    EXPECT_EQ(values[count - 1], static_cast<float>(count - 1)) << count;
  }
}

TEST(RecordBuffer, ALargeRecordStartsOnAHugePageBoundary) {
  const RecordValues values = AllocateRecordValues(kHugePageBytes / sizeof(float));
  ASSERT_NE(values, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(values.get()) % kHugePageBytes, 0u);
}

TEST(RecordBuffer, ARecordBeyondTheAddressSpaceIsRefused) {
  EXPECT_EQ(AllocateRecordValues(SIZE_MAX / sizeof(float)), nullptr);
  EXPECT_EQ(AllocateRecordValues(SIZE_MAX), nullptr);
}

}  // namespace
}  // namespace batch
