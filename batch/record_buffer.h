#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace batch {

struct FreeRecordValues {
  void operator()(float* values) const { std::free(values); }
};
using RecordValues = std::unique_ptr<float[], FreeRecordValues>;

// Room for count run values, left unset: each worker's first write to its own
// runs faults their pages in, in parallel, instead of one thread zeroing the
// whole record first. A record of several megabytes (thousands of replicates)
// is laid on huge pages where the system offers them, which turns thousands of
// page faults into a few. Empty when the memory cannot be had.
RecordValues AllocateRecordValues(std::size_t count);

}  // namespace batch
