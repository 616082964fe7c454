// Thin POSIX file helpers: an owning descriptor and whole-buffer transfers that
// retry interrupted and partial calls.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <utility>

namespace bitmap_export {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~FileDescriptor();

  bool valid() const { return fd_ >= 0; }
  int get() const { return fd_; }
  // Closes now and returns 0, or the errno of a failed close (which can carry a
  // deferred write error).
  int Close();

 private:
  int fd_;
};

// `complete` when every byte moved. Otherwise `error` is the errno, or 0 when
// the file ended (read) or the system took no more bytes (write) before the end.
struct TransferOutcome {
  bool complete;
  int error;
};

TransferOutcome ReadFullyAt(int fd, std::span<std::uint8_t> bytes, off_t offset);
TransferOutcome WriteFullyAt(int fd, std::span<const std::uint8_t> bytes, off_t offset);

}  // namespace bitmap_export
