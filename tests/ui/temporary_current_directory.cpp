#include "tests/ui/temporary_current_directory.h"

namespace ui_test {

TemporaryCurrentDirectory::TemporaryCurrentDirectory()
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(Path());
}

TemporaryCurrentDirectory::~TemporaryCurrentDirectory() {
  std::filesystem::current_path(previous_);
}

std::filesystem::path TemporaryCurrentDirectory::Path() const {
  return directory_.path().toStdString();
}

}  // namespace ui_test
