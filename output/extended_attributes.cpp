#include "output/extended_attributes.h"

#include <sys/xattr.h>

#include <cerrno>
#include <optional>
#include <string_view>
#include <vector>

namespace output {
namespace {

// Reads a list or a value whose size the system reports first; it may grow
// between the two calls, so the read is retried with the new size.
// Empty when it cannot be read; an attribute may hold no bytes at all.
template <typename Read>
std::optional<std::vector<char>> ReadSized(Read read) {
  std::vector<char> bytes;
  for (;;) {
    const ssize_t size = read(nullptr, 0);
    if (size < 0) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(size));
    const ssize_t got = read(bytes.data(), bytes.size());
    if (got >= 0) {
      bytes.resize(static_cast<std::size_t>(got));
      return bytes;
    }
    if (errno != ERANGE) return std::nullopt;
  }
}

}  // namespace

void CopyExtendedAttributes(const std::string& from, int to) {
  const char* path = from.c_str();
  const std::optional<std::vector<char>> names =
      ReadSized([path](char* list, std::size_t size) { return ::llistxattr(path, list, size); });
  if (!names) return;
  // The list is names, each ended by a zero byte.
  for (std::size_t at = 0; at < names->size();) {
    const std::string_view name(names->data() + at);
    at += name.size() + 1;
    const std::optional<std::vector<char>> value =
        ReadSized([path, &name](char* bytes, std::size_t size) {
          return ::lgetxattr(path, name.data(), bytes, size);
        });
    if (value) ::fsetxattr(to, name.data(), value->data(), value->size(), 0);
  }
}

}  // namespace output
