#include "ui/regular_file_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ui {
namespace {

constexpr const char* kNotRegular = "not a regular file";

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

FileText Failure(const std::string& reason) {
  return {{}, reason};
}

}  // namespace

FileText ReadRegularFile(const std::string& path, std::size_t maxBytes) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) return Failure(std::strerror(errno));
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return Failure(std::strerror(errno));
  if (!S_ISREG(status.st_mode)) return Failure(kNotRegular);
  FileText read;
  read.text.resize(maxBytes);
  std::size_t done = 0;
  while (done < maxBytes) {
    const ssize_t got = ::read(file.get(), read.text.data() + done, maxBytes - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failure(std::strerror(errno));
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  read.text.resize(done);
  return read;
}

}  // namespace ui
