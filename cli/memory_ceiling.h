#pragma once

#include <cstdint>
#include <string>

namespace cli {

// The most memory this process may count on, and what sets it: the least of
// the machine's memory, the limit of the process's control group and of each
// of its ancestors (cgroup v2 memory.max, v1 memory.limit_in_bytes: a job
// under Slurm's --mem or a container), and the address space RLIMIT_AS
// leaves (ulimit -v). Beyond any of them the process is killed or its
// allocations fail, whatever the machine has.
struct MemoryCeiling {
  std::uint64_t bytes = 0;  // 0: not known
  std::string source;       // completes "more than the <bytes> ..."
};

// Where the process's own state is read: /proc/self, or a folder laid out
// like it (cgroup, mountinfo, status), which the tests give. The control
// groups are read where mountinfo says they are mounted.
MemoryCeiling FindMemoryCeiling(const std::string& procSelf = "/proc/self");

}  // namespace cli
