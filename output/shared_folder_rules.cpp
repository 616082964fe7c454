#include "output/shared_folder_rules.h"

#include <unistd.h>

#include "output/final_target.h"

namespace output {
namespace {

bool IsSharedStickyFolder(const struct stat& folder) {
  return S_ISDIR(folder.st_mode) && (folder.st_mode & S_ISVTX) != 0 &&
         (folder.st_mode & S_IWOTH) != 0;
}

const char* KindOf(const struct stat& entry) {
  if (S_ISLNK(entry.st_mode)) return "a symbolic link";
  if (S_ISFIFO(entry.st_mode)) return "a FIFO";
  return "a file";
}

const char* RefusedUse(const struct stat& entry) {
  if (S_ISLNK(entry.st_mode)) return "not followed";
  if (S_ISFIFO(entry.st_mode)) return "not opened";
  return "not used";
}

}  // namespace

std::string SharedFolderRefusal(const std::string& path, const struct stat& entry, uid_t user) {
  const bool guarded = S_ISLNK(entry.st_mode) || S_ISFIFO(entry.st_mode) || S_ISREG(entry.st_mode);
  if (!guarded || entry.st_uid == user) return {};
  const std::string folderPath = FolderOf(path).empty() ? "." : FolderOf(path);
  struct stat folder {};
  if (::stat(folderPath.c_str(), &folder) != 0) return {};
  if (!IsSharedStickyFolder(folder) || entry.st_uid == folder.st_uid) return {};
  return path + " is " + KindOf(entry) + " of another user (uid " + std::to_string(entry.st_uid) +
         ") in the shared sticky folder " + folderPath + "; " + RefusedUse(entry);
}

std::string SharedFolderRefusal(const std::string& path, const struct stat& entry) {
  return SharedFolderRefusal(path, entry, ::geteuid());
}

}  // namespace output
