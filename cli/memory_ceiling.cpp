#include "cli/memory_ceiling.h"

#include <sys/resource.h>
#include <unistd.h>

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

namespace cli {
namespace {

constexpr const char* kMachineSource = "this machine has";
constexpr const char* kGroupSource = "its control group allows";
constexpr const char* kAddressSpaceSource = "the address-space limit (ulimit -v) leaves";
constexpr std::uint64_t kKilobyte = 1024;

// A control group hierarchy that limits memory, as this process sees it.
struct MemoryHierarchy {
  std::string limitFile;     // memory.max (v2) or memory.limit_in_bytes (v1)
  std::string mountPoint;    // where the hierarchy's visible root is mounted
  std::string mountRoot;     // the path of that root within the hierarchy
  std::string ownGroupPath;  // the process's group within the hierarchy
};

std::optional<std::uint64_t> ParseBytes(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

bool ListHas(const std::string& list, std::string_view item) {
  std::istringstream stream(list);
  for (std::string entry; std::getline(stream, entry, ',');) {
    if (entry == item) return true;
  }
  return false;
}

// "hierarchy:controllers:path" lines: the group of the v2 hierarchy (no
// controllers named) and of the v1 one that holds memory.
void ReadOwnGroups(const std::string& procSelf, std::string& unified, std::string& memoryV1) {
  std::istringstream lines(ReadText(procSelf + "/cgroup"));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t first = line.find(':');
    const std::size_t second = line.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    const std::string controllers = line.substr(first + 1, second - first - 1);
    const std::string path = line.substr(second + 1);
    if (line.substr(0, first) == "0" && controllers.empty()) unified = path;
    if (ListHas(controllers, "memory")) memoryV1 = path;
  }
}

// mountinfo: "id parent dev root mountpoint options [tags] - type source superoptions".
std::vector<MemoryHierarchy> ReadHierarchies(const std::string& procSelf) {
  std::string unified;
  std::string memoryV1;
  ReadOwnGroups(procSelf, unified, memoryV1);
  std::vector<MemoryHierarchy> found;
  std::istringstream lines(ReadText(procSelf + "/mountinfo"));
  for (std::string line; std::getline(lines, line);) {
    const std::vector<std::string> words = Words(line);
    std::size_t dash = 0;
    while (dash < words.size() && words[dash] != "-") ++dash;
    if (dash < 5 || dash + 3 > words.size()) continue;
    const std::string& type = words[dash + 1];
    const std::string& superOptions = words[dash + 3];
    if (type == "cgroup2" && !unified.empty()) {
      found.push_back({"memory.max", words[4], words[3], unified});
    } else if (type == "cgroup" && ListHas(superOptions, "memory") && !memoryV1.empty()) {
      found.push_back({"memory.limit_in_bytes", words[4], words[3], memoryV1});
    }
  }
  return found;
}

// The least limit of the process's group and its ancestors up to the visible
// root; "max" and v1's near-2^63 mean no limit.
std::optional<std::uint64_t> GroupLimit(const MemoryHierarchy& hierarchy) {
  const std::string root = hierarchy.mountRoot == "/" ? "" : hierarchy.mountRoot;
  if (!hierarchy.ownGroupPath.starts_with(root)) return std::nullopt;
  std::string relative = hierarchy.ownGroupPath.substr(root.size());
  if (!relative.empty() && relative.front() != '/')
    return std::nullopt;  // "/outer2" under "/outer"
  std::optional<std::uint64_t> least;
  for (;;) {
    const std::string file = hierarchy.mountPoint + relative + "/" + hierarchy.limitFile;
    if (const std::optional<std::uint64_t> limit = ParseBytes(ReadText(file))) {
      if (!least || *limit < *least) least = limit;
    }
    const std::size_t slash = relative.rfind('/');
    if (relative.empty() || slash == std::string::npos) break;
    relative.resize(slash);
  }
  return least;
}

std::uint64_t MachineBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

// The address space in use now, from "VmSize:   1234 kB"; 0 when unknown.
std::uint64_t AddressSpaceInUse(const std::string& procSelf) {
  std::istringstream lines(ReadText(procSelf + "/status"));
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("VmSize:")) continue;
    const std::vector<std::string> words = Words(line);
    if (words.size() < 2) return 0;
    return ParseBytes(words[1]).value_or(0) * kKilobyte;
  }
  return 0;
}

std::optional<std::uint64_t> AddressSpaceLeft(const std::string& procSelf) {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
  const std::uint64_t inUse = AddressSpaceInUse(procSelf);
  return limit.rlim_cur > inUse ? limit.rlim_cur - inUse : 0;
}

void Lower(MemoryCeiling& ceiling, std::optional<std::uint64_t> bytes, const char* source) {
  if (bytes && (ceiling.bytes == 0 || *bytes < ceiling.bytes)) ceiling = {*bytes, source};
}

}  // namespace

MemoryCeiling FindMemoryCeiling(const std::string& procSelf) {
  MemoryCeiling ceiling;
  const std::uint64_t machine = MachineBytes();
  if (machine != 0) ceiling = {machine, kMachineSource};
  for (const MemoryHierarchy& hierarchy : ReadHierarchies(procSelf)) {
    Lower(ceiling, GroupLimit(hierarchy), kGroupSource);
  }
  Lower(ceiling, AddressSpaceLeft(procSelf), kAddressSpaceSource);
  return ceiling;
}

}  // namespace cli
