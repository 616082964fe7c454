#pragma once

#include <string>

namespace output {

// Copies every extended attribute of the file at `from` (never a link) onto
// the open file `to`: its access control lists (system.posix_acl_access and,
// for a folder, the default one), user attributes and the security labels
// the process may set. Best effort, as the owner and mode are kept: an
// attribute the file system or the process's privileges do not allow is left
// out, and the rest are still copied.
void CopyExtendedAttributes(const std::string& from, int to);

}  // namespace output
