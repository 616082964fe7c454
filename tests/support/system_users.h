#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

namespace test_support {

// A real account of this machine, for tests that need another user than the
// one running them: made with useradd the first time it is asked for (a
// system account with a group of its own, no home and no login shell) and
// kept for later runs.
struct SystemUser {
  std::string name;
  uid_t uid;
  gid_t gid;
};

// The user called name, made if need be; nullopt when that is not possible
// here (not root, no useradd). Callers skip with SkipReason().
std::optional<SystemUser> EnsureUser(const std::string& name);
const char* SkipReason();

// What a child process did: its exit status (128 + the signal when one ended
// it) and what it handed back.
struct ChildOutcome {
  int status;
  std::string said;
};

// The time a child may take before SIGALRM ends it: a child that blocks (on a
// FIFO nobody opens, say) fails instead of hanging the test.
inline constexpr unsigned kChildSeconds = 20;

// Runs body in a forked child that has become user (its groups dropped, then
// its group and user id set), or stays root when user is empty. The child
// exits 0 with body's string handed back, 255 when it could not change user.
ChildOutcome RunAs(const std::optional<SystemUser>& user, const std::function<std::string()>& body);

}  // namespace test_support
