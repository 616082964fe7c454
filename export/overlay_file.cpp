#include "export/overlay_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "export/bitmap_check.h"
#include "export/bitmap_layout.h"
#include "export/blank_overlay.h"
#include "export/posix_file.h"
#include "export/series_overlay.h"
#include "output/descriptor_path.h"
#include "output/final_target.h"
#include "output/output_file.h"
#include "output/shared_folder_rules.h"

namespace bitmap_export {
namespace {

// A valid overlay is 218,678 bytes, perhaps with a little trailing data; a file
// far larger is not one, and is not worth holding in memory.
inline constexpr off_t kMaxFileBytes = off_t{64} * 1024 * 1024;
inline constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
inline constexpr mode_t kModeBits = 07777;

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

// A file nobody may write counts as read-only even for a process whose
// privileges would let it open the file anyway.
bool IsReadOnly(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && (status.st_mode & kWriteBits) == 0;
}

// A piece of the file the new picture changes: bytes [begin, end).
struct Range {
  std::size_t begin;
  std::size_t end;
};

// Changed bytes closer than this share one write: fewer system calls, the
// same result.
constexpr std::size_t kJoinGap = 64;

std::vector<Range> ChangedRanges(const std::vector<std::uint8_t>& before,
                                 const std::vector<std::uint8_t>& after) {
  std::vector<Range> ranges;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (before[i] == after[i]) continue;
    if (!ranges.empty() && i - ranges.back().end <= kJoinGap) {
      ranges.back().end = i + 1;
    } else {
      ranges.push_back({i, i + 1});
    }
  }
  return ranges;
}

// Writes the given ranges of `bytes` where they belong; the number of ranges
// written in full, and the outcome of the first that was not.
struct RangesWritten {
  std::size_t count;
  TransferOutcome failure;
};

RangesWritten WriteRanges(int fd, const std::vector<std::uint8_t>& bytes,
                          const std::vector<Range>& ranges, const OverlayWrite& writeAt) {
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    const Range range = ranges[i];
    const std::span<const std::uint8_t> piece(bytes.data() + range.begin, range.end - range.begin);
    const TransferOutcome outcome = writeAt(fd, piece, static_cast<off_t>(range.begin));
    if (!outcome.complete) return {i, outcome};
  }
  return {ranges.size(), {true, 0}};
}

inline constexpr mode_t kSetIdBits = S_ISUID | S_ISGID;

// The system clears setuid and setgid bits when an unprivileged process
// writes a file; its owner gets them back. Anyone else cannot, and is told:
// the empty string when the mode stayed, else what was lost.
std::string KeepMode(int fd, const std::string& path, mode_t mode) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || (status.st_mode & kModeBits) == mode) return {};
  if (::fchmod(fd, mode) == 0) return {};
  const mode_t lost = mode & kSetIdBits & ~status.st_mode;
  const char* bits = lost == kSetIdBits ? "set-user-ID and set-group-ID bits"
                     : lost == S_ISUID  ? "set-user-ID bit"
                                        : "set-group-ID bit";
  const char* pronoun = lost == kSetIdBits ? "them" : "it";
  return Message(path, std::string("drawn, but the system cleared its ") + bits +
                           " on writing, and only its owner can set " + pronoun + " again");
}

// Writes only what the new picture changes, on the open file itself, so that
// the file keeps its name, links, owner, group and mode, and bytes others
// append meanwhile stay. A failed write puts the old bytes back.
// notice receives what KeepMode says.
std::optional<OverlayResult> UpdateInPlace(FileDescriptor& file, const std::string& path,
                                           const std::vector<std::uint8_t>& before,
                                           const std::vector<std::uint8_t>& after,
                                           const OverlayFaultHooks& hooks, std::string& notice) {
  struct stat original {};
  const mode_t mode = ::fstat(file.get(), &original) == 0 ? original.st_mode & kModeBits : 0;
  const OverlayWrite writeAt = hooks.writeAt ? hooks.writeAt : OverlayWrite(WriteFullyAt);
  const std::vector<Range> ranges = ChangedRanges(before, after);
  const RangesWritten written = WriteRanges(file.get(), after, ranges, writeAt);
  int error = written.failure.error;
  bool failed = written.count < ranges.size();
  if (!failed && ::fsync(file.get()) != 0) {
    failed = true;
    error = errno;
  }
  if (!failed) {
    if (mode != 0) notice = KeepMode(file.get(), path, mode);
    return std::nullopt;
  }
  // Every range up to the failed one may hold new bytes by now.
  const std::size_t touched = std::min(written.count + 1, ranges.size());
  const std::vector<Range> undo(ranges.begin(), ranges.begin() + static_cast<long>(touched));
  const bool restored = WriteRanges(file.get(), before, undo, WriteFullyAt).count == undo.size() &&
                        ::fsync(file.get()) == 0;
  const char* outcome =
      restored ? "; the file keeps its old picture" : "; the old picture could not be put back";
  return OverlayResult{OverlayStatus::kWriteFailed, Message(path, "write failed", error) + outcome};
}

// Opens the file for reading and writing without ever waiting: a FIFO would
// hold the caller until a writer came. Links are followed as the kernel's
// protections for shared sticky folders allow, whatever the system's setting,
// and only a regular file is kept open.
std::optional<OverlayResult> OpenOverlay(const std::string& path, FileDescriptor& file) {
  constexpr int kFlags = O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  std::string opened = path;
  int flags = kFlags;
  // One of the process's own descriptors is reopened as the system's link
  // leads; anything else is opened where its links lead, checked on the way.
  if (!output::NamedDescriptor(path)) {
    int error = 0;
    const output::FinalTarget final = output::FollowLinks(path, error);
    if (!final.refusal.empty()) return OverlayResult{OverlayStatus::kRefused, final.refusal};
    if (error != 0) return Unavailable(path, error);
    opened = final.path;
    flags |= O_NOFOLLOW;
  }
  file = FileDescriptor(::open(opened.c_str(), flags));
  if (!file.valid()) return Unavailable(path, errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return Unavailable(path, errno);
  if (!S_ISREG(status.st_mode)) {
    return OverlayResult{OverlayStatus::kRefused, Message(path, "not a regular file")};
  }
  if (std::string refusal = output::SharedFolderRefusal(opened, status); !refusal.empty()) {
    return OverlayResult{OverlayStatus::kRefused, refusal};
  }
  ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
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
  FileDescriptor file(-1);
  if (std::optional<OverlayResult> refusal = OpenOverlay(path, file)) return *refusal;
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
  std::vector<std::uint8_t> drawn = bytes;
  OverlaySeries(drawn, series);
  if (hooks.beforeWrite) hooks.beforeWrite();
  std::string notice;
  if (std::optional<OverlayResult> failure =
          UpdateInPlace(file, path, bytes, drawn, hooks, notice)) {
    return *failure;
  }
  return {OverlayStatus::kWritten, DrawnMessage(path, colour), notice};
}

OverlayResult WriteBlankOverlay(const std::string& path) {
  const std::vector<std::uint8_t> blank = BuildBlankOverlay();
  const output::WriteResult result =
      output::WriteWholeFile(path, {reinterpret_cast<const char*>(blank.data()), blank.size()},
                             output::OutputFile::Existing::kKeep);
  if (result.Written())
    return {OverlayStatus::kWritten, Message(path, "blank overlay bitmap created")};
  if (result.error == EEXIST) {
    return {OverlayStatus::kRefused, Message(path, "already exists; not overwritten")};
  }
  return {OverlayStatus::kWriteFailed, Message(path, "cannot create: " + result.reason)};
}

}  // namespace bitmap_export
