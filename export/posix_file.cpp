#include "export/posix_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace bitmap_export {

FileDescriptor::~FileDescriptor() {
  Close();
}

int FileDescriptor::Close() {
  if (fd_ < 0) {
    return 0;
  }
  const int fd = fd_;
  fd_ = -1;
  // Linux releases the descriptor even when close fails, so it is never retried.
  return ::close(fd) == 0 ? 0 : errno;
}

TransferOutcome ReadFullyAt(int fd, std::span<std::uint8_t> bytes, off_t offset) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got =
        ::pread(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return {false, errno};
    }
    if (got == 0) {
      return {false, 0};
    }
    done += static_cast<std::size_t>(got);
  }
  return {true, 0};
}

TransferOutcome WriteFullyAt(int fd, std::span<const std::uint8_t> bytes, off_t offset) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put < 0) {
      return {false, errno};
    }
    if (put == 0) {
      return {false, 0};
    }
    done += static_cast<std::size_t>(put);
  }
  return {true, 0};
}

}  // namespace bitmap_export
