#include "tests/app/folder_listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace app_test {
namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

// FNV-1a over the file's bytes: enough to tell one content from another.
std::uint64_t HashOfFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::uint64_t hash = kFnvOffset;
  for (auto byte = std::istreambuf_iterator<char>(in); byte != std::istreambuf_iterator<char>();
       ++byte) {
    hash = (hash ^ static_cast<unsigned char>(*byte)) * kFnvPrime;
  }
  return hash;
}

const char* KindOf(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return "folder";
  if (S_ISREG(status.st_mode)) return "file";
  if (S_ISLNK(status.st_mode)) return "link";
  return "other";
}

std::string LineOf(const std::filesystem::path& folder, const std::filesystem::path& entry) {
  struct stat status {};
  std::ostringstream line;
  line << entry.lexically_relative(folder).string() << ' ';
  if (lstat(entry.c_str(), &status) != 0) {
    line << "gone";
    return line.str();
  }
  const std::int64_t modified =
      static_cast<std::int64_t>(status.st_mtim.tv_sec) * kNanosecondsPerSecond +
      status.st_mtim.tv_nsec;
  line << KindOf(status) << " size " << status.st_size << " mode " << std::oct
       << (status.st_mode & 07777) << std::dec << " modified " << modified;
  if (S_ISREG(status.st_mode)) line << " hash " << std::hex << HashOfFile(entry);
  return line.str();
}

}  // namespace

std::vector<std::string> ListFolder(const std::filesystem::path& folder) {
  std::vector<std::string> lines{LineOf(folder, folder)};
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    lines.push_back(LineOf(folder, it->path()));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace app_test
