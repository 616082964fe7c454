#include "tests/support/system_users.h"

#include <grp.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <thread>

extern char** environ;

namespace test_support {
namespace {

constexpr int kCannotChangeUser = 255;
constexpr int kSignalBase = 128;
// Several test programs may ask for the same user at once; useradd locks the
// user database, so a loser tries again.
constexpr int kAttempts = 10;
constexpr auto kRetryPause = std::chrono::milliseconds(200);

std::optional<SystemUser> LookUp(const std::string& name) {
  const passwd* entry = ::getpwnam(name.c_str());
  if (entry == nullptr) return std::nullopt;
  return SystemUser{name, entry->pw_uid, entry->pw_gid};
}

int RunUserAdd(const std::string& name) {
  std::array<const char*, 8> argv = {"useradd",          "--system", "--user-group",
                                     "--no-create-home", "--shell",  "/usr/sbin/nologin",
                                     name.c_str(),       nullptr};
  char* const* words = const_cast<char* const*>(argv.data());
  pid_t child = -1;
  // Where Debian keeps it, which a test's PATH may leave out; else wherever PATH says.
  if (::posix_spawn(&child, "/usr/sbin/useradd", nullptr, nullptr, words, environ) != 0 &&
      ::posix_spawnp(&child, "useradd", nullptr, nullptr, words, environ) != 0) {
    return -1;
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
    if (put <= 0) return;
    done += static_cast<std::size_t>(put);
  }
}

std::string ReadAll(int fd) {
  std::string text;
  std::array<char, 4096> buffer{};
  for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;) {
    text.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return text;
}

}  // namespace

std::optional<SystemUser> EnsureUser(const std::string& name) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (std::optional<SystemUser> user = LookUp(name)) return user;
    if (::geteuid() != 0) return std::nullopt;
    if (RunUserAdd(name) < 0) return std::nullopt;
    std::this_thread::sleep_for(kRetryPause);
  }
  return LookUp(name);
}

const char* SkipReason() {
  return "needs root and useradd to make a second and a third user";
}

ChildOutcome RunAs(const std::optional<SystemUser>& user,
                   const std::function<std::string()>& body) {
  int pipe[2];
  if (::pipe(pipe) != 0) return {-1, {}};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    ::alarm(kChildSeconds);
    if (user &&
        (::setgroups(0, nullptr) != 0 || ::setgid(user->gid) != 0 || ::setuid(user->uid) != 0)) {
      ::_exit(kCannotChangeUser);
    }
    WriteAll(pipe[1], body());
    ::_exit(0);
  }
  ::close(pipe[1]);
  const std::string said = ReadAll(pipe[0]);
  ::close(pipe[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return {kSignalBase + WTERMSIG(status), said};
  return {WEXITSTATUS(status), said};
}

}  // namespace test_support
