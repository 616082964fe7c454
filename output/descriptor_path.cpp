#include "output/descriptor_path.h"

#include <unistd.h>

#include <array>
#include <charconv>
#include <string>

namespace output {
namespace {

struct StandardName {
  std::string_view path;
  int fd;
};

constexpr std::array kStandardNames = {
    StandardName{"/dev/stdin", STDIN_FILENO},
    StandardName{"/dev/stdout", STDOUT_FILENO},
    StandardName{"/dev/stderr", STDERR_FILENO},
};

// A descriptor number: decimal digits only, no sign, no leading zero.
std::optional<int> DescriptorNumber(std::string_view text) {
  if (text.empty() || (text.size() > 1 && text.front() == '0')) return std::nullopt;
  int fd = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), fd);
  if (ec != std::errc() || end != text.data() + text.size() || fd < 0) return std::nullopt;
  return fd;
}

std::optional<int> AfterPrefix(std::string_view path, std::string_view prefix) {
  if (!path.starts_with(prefix)) return std::nullopt;
  return DescriptorNumber(path.substr(prefix.size()));
}

}  // namespace

std::optional<int> NamedDescriptor(std::string_view path) {
  for (const StandardName& name : kStandardNames) {
    if (path == name.path) return name.fd;
  }
  const std::string ownProcess = "/proc/" + std::to_string(::getpid()) + "/fd/";
  for (const std::string_view prefix :
       {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/"),
        std::string_view("/proc/thread-self/fd/"), std::string_view(ownProcess)}) {
    if (const std::optional<int> fd = AfterPrefix(path, prefix)) return fd;
  }
  return std::nullopt;
}

}  // namespace output
