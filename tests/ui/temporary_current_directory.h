#pragma once

#include <QTemporaryDir>
#include <filesystem>

namespace ui_test {

// Makes a fresh, empty directory the current one and goes back on destruction.
class TemporaryCurrentDirectory {
 public:
  TemporaryCurrentDirectory();
  ~TemporaryCurrentDirectory();
  TemporaryCurrentDirectory(const TemporaryCurrentDirectory&) = delete;
  TemporaryCurrentDirectory& operator=(const TemporaryCurrentDirectory&) = delete;

  std::filesystem::path Path() const;

 private:
  std::filesystem::path previous_;
  QTemporaryDir directory_;
};

}  // namespace ui_test
