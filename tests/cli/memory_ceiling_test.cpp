// The memory ceiling read from a folder laid out like /proc/self, with the
// control group hierarchies its mountinfo names laid out in folders too: the
// layouts of a Slurm job, a container and a plain login.
#include "cli/memory_ceiling.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/support/case_name.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kGroup = "its control group allows";
constexpr const char* kMachine = "this machine has";

std::uint64_t MachineBytes() {
  return static_cast<std::uint64_t>(::sysconf(_SC_PHYS_PAGES)) *
         static_cast<std::uint64_t>(::sysconf(_SC_PAGE_SIZE));
}

struct CeilingCase {
  const char* name;
  std::string cgroup;                        // /proc/self/cgroup
  std::string mountinfo;                     // with @ for the folder that stands for /sys/fs/cgroup
  std::map<std::string, std::string> files;  // below that folder: path -> text
  std::uint64_t bytes;                       // 0: the machine's memory
  const char* source;
};

const std::string kV2Mount = "30 22 0:26 / @/unified rw - cgroup2 cgroup2 rw\n";
const std::string kV1Mount = "35 31 0:32 / @/memory rw - cgroup cgroup rw,memory\n";
constexpr const char* kV1Unlimited = "9223372036854771712\n";

const CeilingCase kCases[] = {
    {"V2OwnLimit",
     "0::/job/step\n",
     kV2Mount,
     {{"unified/job/step/memory.max", "1000000000\n"}, {"unified/job/memory.max", "max\n"}},
     1000000000,
     kGroup},
    {"V2AncestorLower",
     "0::/job/step\n",
     kV2Mount,
     {{"unified/job/step/memory.max", "max\n"}, {"unified/job/memory.max", "500000000\n"}},
     500000000,
     kGroup},
    {"V2NoLimit",
     "0::/job/step\n",
     kV2Mount,
     {{"unified/job/step/memory.max", "max\n"}, {"unified/job/memory.max", "max\n"}},
     0,
     kMachine},
    {"V1SlurmJob",
     "4:memory:/slurm/uid_1000/job_7\n0::/\n",
     kV1Mount,
     {{"memory/slurm/uid_1000/job_7/memory.limit_in_bytes", "300000000\n"},
      {"memory/slurm/uid_1000/memory.limit_in_bytes", kV1Unlimited},
      {"memory/slurm/memory.limit_in_bytes", kV1Unlimited},
      {"memory/memory.limit_in_bytes", kV1Unlimited}},
     300000000,
     kGroup},
    {"V1AmongOtherControllers",
     "7:cpu,cpuacct:/x\n4:memory,hugetlb:/box\n",
     "34 31 0:31 / @/memory rw - cgroup cgroup rw,memory,hugetlb\n",
     {{"memory/box/memory.limit_in_bytes", "200000000\n"}},
     200000000,
     kGroup},
    {"V1UnlimitedEverywhere",
     "4:memory:/user\n",
     kV1Mount,
     {{"memory/user/memory.limit_in_bytes", kV1Unlimited},
      {"memory/memory.limit_in_bytes", kV1Unlimited}},
     0,
     kMachine},
    // A container sees its own group as the root of the mount.
    {"ContainerNamespace",
     "0::/\n",
     kV2Mount,
     {{"unified/memory.max", "700000000\n"}},
     700000000,
     kGroup},
    // The mount shows only part of the hierarchy: the group path is read
    // below the mount's own root.
    {"MountOfASubtree",
     "0::/outer/inner\n",
     "30 22 0:26 /outer @/unified rw - cgroup2 cgroup2 rw\n",
     {{"unified/inner/memory.max", "400000000\n"}, {"unified/memory.max", "600000000\n"}},
     400000000,
     kGroup},
    {"GroupOutsideTheMount",
     "0::/elsewhere\n",
     "30 22 0:26 /outer @/unified rw - cgroup2 cgroup2 rw\n",
     {{"unified/memory.max", "600000000\n"}},
     0,
     kMachine},
    {"SiblingWithTheSamePrefix",
     "0::/outer2\n",
     "30 22 0:26 /outer @/unified rw - cgroup2 cgroup2 rw\n",
     {{"unified/memory.max", "600000000\n"}, {"unified2/memory.max", "100\n"}},
     0,
     kMachine},
    {"BothHierarchiesTheLowerWins",
     "4:memory:/a\n0::/b\n",
     kV2Mount + kV1Mount,
     {{"memory/a/memory.limit_in_bytes", "900000000\n"}, {"unified/b/memory.max", "800000000\n"}},
     800000000,
     kGroup},
    {"UnreadableLimit", "0::/job\n", kV2Mount, {{"unified/job/memory.max", "lots\n"}}, 0, kMachine},
    {"NoControlGroupsAtAll", "", "", {}, 0, kMachine},
};

class Ceiling : public ::testing::TestWithParam<CeilingCase> {
 protected:
  Ceiling() {
    std::string name = (fs::temp_directory_path() / "corvellan-ceiling-XXXXXX").string();
    root_ = ::mkdtemp(name.data());
    fs::create_directories(root_ / "proc");
  }
  ~Ceiling() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  void LayOut(const CeilingCase& c) const {
    std::ofstream(root_ / "proc" / "cgroup") << c.cgroup;
    std::string mountinfo = c.mountinfo;
    for (std::size_t at; (at = mountinfo.find('@')) != std::string::npos;) {
      mountinfo.replace(at, 1, (root_ / "sys").string());
    }
    std::ofstream(root_ / "proc" / "mountinfo") << mountinfo;
    std::ofstream(root_ / "proc" / "status") << "Name:\ttest\nVmSize:\t  1024 kB\n";
    for (const auto& [path, text] : c.files) {
      fs::create_directories((root_ / "sys" / path).parent_path());
      std::ofstream(root_ / "sys" / path) << text;
    }
  }

  fs::path root_;
};

TEST_P(Ceiling, IsTheLowestLimitAndSaysWhich) {
  const CeilingCase& c = GetParam();
  LayOut(c);
  const MemoryCeiling ceiling = FindMemoryCeiling((root_ / "proc").string());
  EXPECT_EQ(ceiling.bytes, c.bytes == 0 ? MachineBytes() : c.bytes);
  EXPECT_EQ(ceiling.source, c.source);
}

INSTANTIATE_TEST_SUITE_P(Layouts, Ceiling, ::testing::ValuesIn(kCases), test_support::CaseName());

}  // namespace
}  // namespace cli
