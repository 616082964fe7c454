#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace app_test {

// Everything under folder, itself included, one line per entry in name order:
// the path relative to folder, the kind, the size, the modification time in
// nanoseconds and, for a file, a hash of its bytes. Two listings are equal
// only if nothing was added, removed, written or touched in between (a file
// made and removed again still moves its folder's time).
std::vector<std::string> ListFolder(const std::filesystem::path& folder);

}  // namespace app_test
