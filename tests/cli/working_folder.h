#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace cli::testing {

inline std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of its own, which the test runs in: the options name files in it.
class WorkingFolder {
 public:
  WorkingFolder() : previous_(std::filesystem::current_path()) {
    std::string name = (std::filesystem::temp_directory_path() / "corvellan-out-XXXXXX").string();
    path_ = ::mkdtemp(name.data());
    std::filesystem::current_path(path_);
  }
  ~WorkingFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace cli::testing
