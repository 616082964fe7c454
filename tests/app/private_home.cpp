#include "tests/app/private_home.h"

#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace app_test {
namespace {

constexpr const char* kRootPattern = "corvellan-home-XXXXXX";
constexpr mode_t kPrivateMode = 0700;  // what the XDG base directories ask of the runtime folder

struct Variable {
  const char* name;
  const char* folder;  // under the root
};

constexpr std::array<Variable, 5> kVariables = {{
    {"HOME", "home"},
    {"XDG_CONFIG_HOME", "home/.config"},
    {"XDG_CACHE_HOME", "home/.cache"},
    {"XDG_DATA_HOME", "home/.local/share"},
    {"XDG_RUNTIME_DIR", "runtime"},
}};

std::filesystem::path MakeRoot() {
  std::string pattern = (std::filesystem::temp_directory_path() / kRootPattern).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
  }
  return pattern;
}

std::optional<std::string> Get(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

PrivateHome::PrivateHome() : root_(MakeRoot()) {
  for (const Variable& variable : kVariables) {
    const std::filesystem::path folder = root_ / variable.folder;
    std::filesystem::create_directories(folder);
    chmod(folder.c_str(), kPrivateMode);
    previous_.emplace_back(variable.name, Get(variable.name));
    setenv(variable.name, folder.c_str(), 1);
  }
}

PrivateHome::~PrivateHome() {
  for (const auto& [name, value] : previous_) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path PrivateHome::Beside(const std::string& name) const {
  const std::filesystem::path folder = root_ / name;
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace app_test
