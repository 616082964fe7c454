#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app_test {

// A home of the test's own, laid out as a desktop user's, made under a fresh
// temporary folder and removed with it: HOME with .config, .cache and
// .local/share in it, and a runtime folder (mode 0700) beside it. While it
// lives, HOME and the XDG variables name its folders; the previous values
// come back at its end.
class PrivateHome {
 public:
  PrivateHome();
  ~PrivateHome();
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path Home() const { return root_ / "home"; }
  std::filesystem::path Config() const { return Home() / ".config"; }
  std::filesystem::path Runtime() const { return root_ / "runtime"; }
  // A folder beside the home, for whatever the test wants outside it.
  std::filesystem::path Beside(const std::string& name) const;

 private:
  std::filesystem::path root_;
  std::vector<std::pair<std::string, std::optional<std::string>>> previous_;
};

}  // namespace app_test
