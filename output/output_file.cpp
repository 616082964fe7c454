#include "output/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <streambuf>
#include <string_view>
#include <system_error>

#include "output/descriptor_path.h"
#include "output/extended_attributes.h"
#include "output/final_target.h"
#include "output/shared_folder_rules.h"
#include "output/temporary_files.h"

namespace output {
namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 07777;
constexpr std::size_t kBufferBytes = 64 * 1024;
// Short and fixed, so that a target with a long name still gets a temporary
// file; the X's become random characters.
constexpr const char* kTemporaryName = ".corvellan-XXXXXX";
constexpr std::string_view kUmaskField = "Umask:";
constexpr int kOctal = 8;
constexpr const char* kNotRegular = "not a regular file";

std::string Reason(int error) {
  return std::system_category().message(error);
}

// Flushes the folder's entries so that a rename in it survives a crash; best
// effort, the rename has happened.
void SyncFolder(const std::string& folder) {
  const std::string name = folder.empty() ? "." : folder;
  const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The process's umask, read without changing it (which would race with other
// threads creating files).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(kUmaskField)) {
      return static_cast<mode_t>(std::strtoul(line.c_str() + kUmaskField.size(), nullptr, kOctal));
    }
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// A stream buffer over a file descriptor that keeps the errno of the first
// failed write.
class DescriptorBuffer : public std::streambuf {
 public:
  DescriptorBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

  void Attach(int fd) { fd_ = fd; }
  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override { return Drain() ? 0 : -1; }

 private:
  bool Drain() {
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
      const ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        error_ = written < 0 ? errno : ENOSPC;
        break;
      }
      next += written;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
  }

  std::array<char, kBufferBytes> buffer_{};
  int fd_ = -1;
  int error_ = 0;
};

// Puts the complete temporary file in place without ever replacing a file.
int RenameWithoutReplacing(const char* from, const char* to) {
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without the flag: a second name, then the first one goes.
  if (::link(from, to) != 0) return errno;
  ::unlink(from);
  return 0;
}

}  // namespace

struct OutputFile::State {
  Existing existing = Existing::kReplace;
  NotRegular notRegular = NotRegular::kWriteDirectly;
  std::string target;     // the final target, links followed
  FinalTarget replaced;   // what the temporary file replaces, when it exists
  std::string temporary;  // empty when writing the target directly
  int fd = -1;
  int slot = -1;
  bool committed = false;
  std::string failure;
  int failureCode = 0;
  DescriptorBuffer buffer;
  std::ostream stream{&buffer};

  // reason, when given, says more than the errno's own words.
  void Fail(int error, const std::string& reason = {}) {
    if (failure.empty()) {
      failure = reason.empty() ? Reason(error) : reason;
      failureCode = error;
    }
    stream.setstate(std::ios::badbit);
  }

  void Open(const std::string& path) {
    if (const std::optional<int> named = NamedDescriptor(path)) return OpenDescriptor(*named);
    int error = 0;
    const FinalTarget final = FollowLinks(path, error);
    if (error != 0) return Fail(error, final.refusal);
    target = final.path;
    if (final.exists && existing == Existing::kKeep) {
      Fail(EEXIST);
    } else if (final.exists && S_ISDIR(final.status.st_mode)) {
      Fail(EISDIR);
    } else if (final.exists && !S_ISREG(final.status.st_mode)) {
      OpenDirectly();
    } else {
      OpenTemporary(final);
    }
  }

  void OpenTemporary(const FinalTarget& final) {
    temporary = FolderOf(final.path) + kTemporaryName;
    fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
      const int error = errno;
      temporary.clear();
      Fail(error);
      return;
    }
    slot = RememberTemporary(temporary);
    replaced = final;
  }

  // A FIFO or a device: opened without following a link that replaced it
  // meanwhile, and checked again once open.
  void OpenDirectly() {
    if (notRegular == NotRegular::kRefuse) return Fail(EINVAL, kNotRegular);
    fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return Fail(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0) return Fail(errno);
    if (std::string refusal = SharedFolderRefusal(target, status); !refusal.empty()) {
      Fail(EACCES, refusal);
    }
  }

  // One of the process's own descriptors, written where it stands.
  void OpenDescriptor(int named) {
    if (existing == Existing::kKeep) return Fail(EEXIST);
    fd = ::fcntl(named, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) return Fail(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0) return Fail(errno);
    if (notRegular == NotRegular::kRefuse && !S_ISREG(status.st_mode)) Fail(EINVAL, kNotRegular);
  }

  // Owner first (which clears setuid and setgid), then the attributes (an
  // access control list changes the group bits), then the mode: after the
  // last write, which clears setuid and setgid too.
  void SetMetadata() {
    if (!replaced.exists) {
      ::fchmod(fd, kNewFileMode & ~CurrentUmask());
      return;
    }
    // Root may hand the file back to its owner; anyone else keeps it.
    if (::fchown(fd, replaced.status.st_uid, replaced.status.st_gid) != 0) errno = 0;
    CopyExtendedAttributes(replaced.path, fd);
    ::fchmod(fd, replaced.status.st_mode & kPermissionBits);
  }

  void RemoveTemporary() {
    if (temporary.empty()) return;
    ::unlink(temporary.c_str());
    ForgetTemporary(slot);
    temporary.clear();
  }

  void Close() {
    if (fd < 0) return;
    if (::close(fd) != 0) Fail(errno);
    fd = -1;
  }
};

OutputFile::OutputFile(const std::string& path, Existing existing, NotRegular notRegular)
    : state_(std::make_unique<State>()) {
  state_->existing = existing;
  state_->notRegular = notRegular;
  state_->Open(path);
  state_->buffer.Attach(state_->fd);
}

OutputFile::~OutputFile() {
  state_->Close();
  state_->RemoveTemporary();
}

const std::string& OutputFile::Failure() const {
  return state_->failure;
}

int OutputFile::FailureCode() const {
  return state_->failureCode;
}

bool OutputFile::WritesAside() const {
  return !state_->temporary.empty();
}

std::ostream& OutputFile::Stream() {
  return state_->stream;
}

const std::string& OutputFile::Commit() {
  State& s = *state_;
  if (s.committed || !s.failure.empty()) return s.failure;
  s.stream.flush();
  if (s.buffer.Error() != 0) s.Fail(s.buffer.Error());
  if (s.failure.empty() && !s.temporary.empty()) {
    s.SetMetadata();
    if (::fsync(s.fd) != 0) s.Fail(errno);
  }
  s.Close();
  if (s.failure.empty() && !s.temporary.empty()) {
    const int error = s.existing == Existing::kKeep
                          ? RenameWithoutReplacing(s.temporary.c_str(), s.target.c_str())
                          : (::rename(s.temporary.c_str(), s.target.c_str()) == 0 ? 0 : errno);
    if (error != 0) {
      s.Fail(error);
    } else {
      ForgetTemporary(s.slot);
      s.temporary.clear();
      SyncFolder(FolderOf(s.target));
    }
  }
  s.RemoveTemporary();
  s.committed = s.failure.empty();
  return s.failure;
}

WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                           OutputFile::Existing existing, OutputFile::NotRegular notRegular) {
  OutputFile file(path, existing, notRegular);
  file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.Commit();
  return {file.FailureCode(), file.Failure()};
}

std::string FailureLine(const std::string& path, const std::string& reason) {
  return "cannot write " + path + ": " + reason;
}

}  // namespace output
