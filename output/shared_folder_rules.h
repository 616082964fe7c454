#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

namespace output {

// The rules the kernel applies in a sticky, world-writable folder (the
// system's temporary folder) when fs.protected_symlinks, protected_fifos and
// protected_regular are on, applied here whatever the system's setting: a
// symbolic link there is followed, and a FIFO or regular file there opened or
// replaced, only when it belongs to `user` or to the folder's owner. Anything
// else in such a folder may have been planted by another user to redirect or
// receive the output.
//
// `path` names the entry, `entry` is its lstat. Returns an empty string when
// the entry may be used; else why not, in words naming the entry.
std::string SharedFolderRefusal(const std::string& path, const struct stat& entry, uid_t user);

// The same for the process's effective user.
std::string SharedFolderRefusal(const std::string& path, const struct stat& entry);

}  // namespace output
