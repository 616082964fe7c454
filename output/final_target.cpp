#include "output/final_target.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "output/shared_folder_rules.h"

namespace output {
namespace {

// As many links as the system itself follows before it reports a loop.
constexpr int kMaxLinks = 40;

std::string ReadLink(const std::string& path, int& error) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0) {
      error = errno;
      return {};
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return {buffer.data(), static_cast<std::size_t>(length)};
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + 1);
}

FinalTarget FollowLinks(const std::string& path, int& error) {
  error = 0;
  FinalTarget target;
  target.path = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    if (::lstat(target.path.c_str(), &target.status) != 0) {
      if (errno != ENOENT) error = errno;
      target.exists = false;
      return target;
    }
    target.refusal = SharedFolderRefusal(target.path, target.status);
    if (!target.refusal.empty()) {
      error = EACCES;
      return target;
    }
    if (!S_ISLNK(target.status.st_mode)) {
      target.exists = true;
      return target;
    }
    std::string next = ReadLink(target.path, error);
    if (error != 0) return target;
    // A relative link is read from the folder that holds the link.
    target.path = next.starts_with('/') ? next : FolderOf(target.path) + next;
  }
  error = ELOOP;
  return target;
}

}  // namespace output
