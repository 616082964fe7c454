#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace output {

// A file written whole or not at all, the way every file the programs write is
// written. The bytes go to a temporary file created exclusively, under an
// unpredictable name, in the folder of the path's final target (symbolic
// links are followed and stay links); Commit flushes it to the disk and
// renames it over the target, so a reader sees the old file or the whole new
// one, and of two writers one whole output wins. A replaced file keeps its
// permission bits (set after the last write, so an owner keeps setuid and
// setgid), its extended attributes and access control lists, and its owner
// and group, where the system allows; a new one gets 0666 less the umask. A
// target that is not a regular file (a device, a FIFO) is written directly,
// and a path that names one of the process's open descriptors (/dev/stdout,
// /dev/fd/N, /proc/self/fd/N) is written through that descriptor as it is:
// appended to when it was opened for appending, never truncated or replaced.
// In a shared sticky folder, a link, FIFO or file of another user is refused
// (see SharedFolderRefusal). Without a successful Commit the temporary file
// is removed, also when SIGINT, SIGTERM or SIGHUP ends the program (see
// RemoveTemporaryFilesOnSignals) or a write meets the file-size limit (see
// TakeFileSizeLimitAsError).
class OutputFile {
 public:
  // kKeep makes a file only where there is none: an existing target fails
  // with "File exists", and so does one that appears before Commit.
  enum class Existing { kReplace, kKeep };
  // kRefuse never opens a target that is not a regular file, so that nothing
  // waits for a FIFO's reader: what a window needs.
  enum class NotRegular { kWriteDirectly, kRefuse };

  explicit OutputFile(const std::string& path, Existing existing = Existing::kReplace,
                      NotRegular notRegular = NotRegular::kWriteDirectly);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Empty while all is well; otherwise the reason for the first failure, in
  // words ("No space left on device"), and its errno.
  const std::string& Failure() const;
  int FailureCode() const;
  std::ostream& Stream();
  // Whether the bytes go to a temporary file that only Commit puts in place,
  // so that without it nothing written is ever seen (not so for a device, a
  // FIFO or a named descriptor, which are written directly).
  bool WritesAside() const;

  // Flushes, syncs and puts the file in place; returns Failure().
  const std::string& Commit();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// What became of a whole file: errno 0 when it was written, else the
// errno and the reason in words.
struct WriteResult {
  int error = 0;
  std::string reason;
  bool Written() const { return error == 0; }
};

// bytes written to path through an OutputFile.
WriteResult WriteWholeFile(
    const std::string& path, std::string_view bytes,
    OutputFile::Existing existing = OutputFile::Existing::kReplace,
    OutputFile::NotRegular notRegular = OutputFile::NotRegular::kWriteDirectly);

// "cannot write <path>: <reason>": how the programs report a failed write.
std::string FailureLine(const std::string& path, const std::string& reason);

}  // namespace output
