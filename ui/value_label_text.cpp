#include "ui/value_label_text.h"

#include <array>
#include <cstdio>

namespace ui {
namespace {

// Room for any double in fixed notation with a handful of decimals.
constexpr std::size_t kBufferSize = 512;

}  // namespace

std::string ValueLabelText(double value, int decimals) {
  std::array<char, kBufferSize> buffer{};
  const int length = std::snprintf(buffer.data(), buffer.size(), "%0.*f", decimals, value);
  if (length < 0) {
    return {};
  }
  return std::string(buffer.data());
}

}  // namespace ui
