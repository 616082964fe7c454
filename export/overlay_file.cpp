#include "export/overlay_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "export/bitmap_check.h"
#include "export/bitmap_layout.h"
#include "export/blank_overlay.h"
#include "export/posix_file.h"
#include "export/series_overlay.h"

namespace bitmap_export {
namespace {

// A valid overlay is 218,678 bytes, perhaps with a little trailing data; a file
// far larger is not one, and is not worth holding in memory.
inline constexpr off_t kMaxFileBytes = off_t{64} * 1024 * 1024;
inline constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask
inline constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
inline constexpr mode_t kPermissionBits = 07777;

std::string Message(const std::string& path, std::string_view what) {
  return path + ": " + std::string(what);
}

// `error` 0 stands for a transfer that stopped early without an errno.
std::string Message(const std::string& path, std::string_view what, int error) {
  const std::string reason =
      error == 0 ? std::string("fewer bytes than expected") : std::system_category().message(error);
  return Message(path, what) + ": " + reason;
}

OverlayResult Unavailable(const std::string& path, int error) {
  if (error == EWOULDBLOCK) {
    return {OverlayStatus::kUnavailable, Message(path, "in use by another process")};
  }
  return {OverlayStatus::kUnavailable, Message(path, "cannot open", error)};
}

// Reads the whole regular file behind `fd`; empty when that worked, else the refusal.
std::optional<OverlayResult> ReadWholeFile(int fd, const std::string& path,
                                           std::vector<std::uint8_t>& bytes) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    return OverlayResult{OverlayStatus::kRefused, Message(path, "cannot read", errno)};
  }
  if (!S_ISREG(status.st_mode)) {
    return OverlayResult{OverlayStatus::kRefused, Message(path, "not a regular file")};
  }
  if (status.st_size > kMaxFileBytes) {
    return OverlayResult{OverlayStatus::kRefused, Message(path, "far too large for a bitmap")};
  }
  bytes.resize(static_cast<std::size_t>(status.st_size));
  const TransferOutcome read = ReadFullyAt(fd, bytes, 0);
  if (!read.complete) {
    return OverlayResult{OverlayStatus::kRefused, Message(path, "cannot read", read.error)};
  }
  return std::nullopt;
}

// Writes `bytes` over the start of the file and makes sure they reached it.
std::optional<OverlayResult> WriteWholeFile(FileDescriptor& file, const std::string& path,
                                            const std::vector<std::uint8_t>& bytes) {
  const TransferOutcome written = WriteFullyAt(file.get(), bytes, 0);
  if (!written.complete) {
    return OverlayResult{OverlayStatus::kWriteFailed, Message(path, "write failed", written.error)};
  }
  if (::fsync(file.get()) != 0) {
    return OverlayResult{OverlayStatus::kWriteFailed, Message(path, "write failed", errno)};
  }
  if (const int error = file.Close(); error != 0) {
    return OverlayResult{OverlayStatus::kWriteFailed, Message(path, "write failed", error)};
  }
  return std::nullopt;
}

// A file nobody may write counts as read-only even for a process whose
// privileges would let it open the file anyway.
bool IsReadOnly(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && (status.st_mode & kWriteBits) == 0;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string TemporaryTemplate(const std::string& path) {
  const std::filesystem::path target(path);
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string name = ".";
  name.append(target.filename().string()).append(".XXXXXX");
  return (folder / name).string();
}

// Flushes a folder's entries, so a rename in it survives a crash. Best effort:
// the rename itself has already happened.
void SyncFolderOf(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.valid()) ::fsync(directory.get());
}

// Puts `bytes` in place of the file at `path` (whose status is `original`)
// through a temporary file in the same folder and a rename, so the picture is
// always either the old one or the new one, never half written. The new file
// keeps the original's permissions, and its owner where the system allows.
std::optional<OverlayResult> ReplaceFile(const std::string& path, const struct stat& original,
                                         const std::vector<std::uint8_t>& bytes,
                                         const OverlayFaultHooks& hooks) {
  std::string temporary = TemporaryTemplate(path);
  FileDescriptor file(::mkstemp(temporary.data()));
  if (!file.valid()) {
    return OverlayResult{OverlayStatus::kWriteFailed,
                         Message(path, "cannot write a temporary file beside it", errno)};
  }
  const auto discard = [&](OverlayStatus status, std::string message) {
    ::unlink(temporary.c_str());
    return OverlayResult{status, std::move(message)};
  };
  ::fchmod(file.get(), original.st_mode & kPermissionBits);
  if (::fchown(file.get(), original.st_uid, original.st_gid) != 0) {
    // Only a privileged process may give a file away; the file is then ours.
  }
  if (std::optional<OverlayResult> failure = WriteWholeFile(file, path, bytes)) {
    return discard(failure->status, failure->message + "; the file keeps its old picture");
  }
  if (hooks.beforeReplace) hooks.beforeReplace();
  struct stat current {};
  if (::stat(path.c_str(), &current) != 0 || !SameFile(current, original)) {
    return discard(OverlayStatus::kRefused,
                   Message(path, "was removed or replaced while drawing; nothing written"));
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    return discard(OverlayStatus::kWriteFailed,
                   Message(path, "cannot replace", error) + "; the file keeps its old picture");
  }
  SyncFolderOf(path);
  return std::nullopt;
}

std::string DrawnMessage(const std::string& path, std::uint8_t colour) {
  return Message(path, "curve drawn in palette index " + std::to_string(colour));
}

}  // namespace

OverlayResult OverlayFirstOrderRate(const std::string& path, const float* series) {
  return OverlayFirstOrderRate(path, series, OverlayFaultHooks{});
}

OverlayResult OverlayFirstOrderRate(const std::string& path, const float* series,
                                    const OverlayFaultHooks& hooks) {
  FileDescriptor file(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
  if (!file.valid()) {
    return Unavailable(path, errno);
  }
  if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
    return Unavailable(path, errno);
  }
  if (IsReadOnly(file.get())) {
    return {OverlayStatus::kUnavailable, Message(path, "read-only")};
  }
  std::vector<std::uint8_t> bytes;
  if (std::optional<OverlayResult> refusal = ReadWholeFile(file.get(), path, bytes)) {
    return *refusal;
  }
  if (const BitmapCheck check = CheckOverlayBitmap(bytes); check != BitmapCheck::kOk) {
    return {OverlayStatus::kRefused,
            Message(path, "not drawn: " + std::string(DescribeBitmapCheck(check)))};
  }
  if (series == nullptr) {
    return {OverlayStatus::kNoSeries, Message(path, "no series to draw yet; left unchanged")};
  }
  const std::uint8_t colour = bytes[kCurveColourOffset];
  OverlaySeries(bytes, series);
  struct stat original {};
  if (::fstat(file.get(), &original) != 0) {
    return {OverlayStatus::kRefused, Message(path, "cannot read", errno)};
  }
  if (std::optional<OverlayResult> failure = ReplaceFile(path, original, bytes, hooks)) {
    return *failure;
  }
  return {OverlayStatus::kWritten, DrawnMessage(path, colour)};
}

OverlayResult WriteBlankOverlay(const std::string& path) {
  FileDescriptor file(
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, kNewFileMode));
  if (!file.valid()) {
    if (errno == EEXIST) {
      return {OverlayStatus::kRefused, Message(path, "already exists; not overwritten")};
    }
    return {OverlayStatus::kWriteFailed, Message(path, "cannot create", errno)};
  }
  if (std::optional<OverlayResult> failure = WriteWholeFile(file, path, BuildBlankOverlay())) {
    ::unlink(path.c_str());  // we created it: leave no half-written bitmap behind
    return *failure;
  }
  return {OverlayStatus::kWritten, Message(path, "blank overlay bitmap created")};
}

}  // namespace bitmap_export
