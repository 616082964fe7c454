// A temporary directory per test, removed with everything in it, and whole-file
// reads and writes for the file tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bitmap_export::fixtures {

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace bitmap_export::fixtures
