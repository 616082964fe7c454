#include "cli/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace cli {
namespace {

constexpr std::size_t kChunk = 1 << 16;

std::string Reason(int error) {
  return std::system_category().message(error);
}

// Closes the descriptor however reading ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

TextFileReading ReadTextFile(const std::string& path, std::size_t maxBytes) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) return {std::nullopt, Reason(errno)};
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) return {std::nullopt, Reason(errno)};
  if (S_ISDIR(status.st_mode)) return {std::nullopt, "it is a folder"};
  std::string text;
  char buffer[kChunk];
  while (true) {
    const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {std::nullopt, Reason(errno)};
    }
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
    if (text.size() > maxBytes) {
      return {std::nullopt, "it is larger than " + std::to_string(maxBytes) + " bytes"};
    }
  }
  return {std::move(text), {}};
}

}  // namespace cli
