#pragma once

#include <sys/stat.h>

#include <string>

namespace output {

// What a path names once every symbolic link on its last component is followed.
struct FinalTarget {
  std::string path;         // the file itself, never a link
  bool exists = false;      // false: path is where a new file goes
  struct stat status = {};  // when it exists
  // Why the target must not be used, when a link on the way or the target
  // itself lies in a shared sticky folder and belongs to another user (see
  // SharedFolderRefusal); error is then EACCES.
  std::string refusal;
};

// The final target of path; error holds the errno when there is none (a loop
// of links, say). A link to a file that does not exist leads to where that
// file would be.
FinalTarget FollowLinks(const std::string& path, int& error);

// The folder part of path, with its last slash ("dir/" for "dir/name"); empty
// for a bare name, which lies in the current folder.
std::string FolderOf(const std::string& path);

}  // namespace output
