#include "tests/soak/soak_settings.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "tests/soak/text.h"

namespace soak {
namespace {

// The whole text must be the number.
template <class T>
std::optional<T> ParseWhole(std::string_view text) {
  T value{};
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

template <class T>
bool ReadVariable(const char* name, T minimum, T& value, std::string& error) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') {
    return true;
  }
  const std::optional<T> parsed = ParseWhole<T>(text);
  if (!parsed || *parsed < minimum) {
    error = Text(name, "=\"", text, "\" is not a number from ", minimum, " to ",
                 std::numeric_limits<T>::max());
    return false;
  }
  value = *parsed;
  return true;
}

}  // namespace

std::optional<SoakSettings> SettingsFromEnvironment(std::string& error) {
  SoakSettings settings;
  if (!ReadVariable<std::uint32_t>(kSeedVariable, 0, settings.seed, error) ||
      !ReadVariable<int>(kActionsVariable, 1, settings.actions, error)) {
    return std::nullopt;
  }
  return settings;
}

}  // namespace soak
