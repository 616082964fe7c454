#include "platform/mnemonic_text.h"

#include <cctype>

namespace platform {
namespace {

constexpr char kMnemonicMark = '&';

}  // namespace

std::string ShownCaption(std::string_view caption) {
  std::string shown;
  shown.reserve(caption.size());
  for (std::size_t index = 0; index < caption.size(); ++index) {
    if (caption[index] != kMnemonicMark) {
      shown.push_back(caption[index]);
      continue;
    }
    const bool doubled = index + 1 < caption.size() && caption[index + 1] == kMnemonicMark;
    if (doubled) {
      shown.push_back(kMnemonicMark);
      ++index;
    }
  }
  return shown;
}

std::optional<char> AccessLetter(std::string_view caption) {
  for (std::size_t index = 0; index + 1 < caption.size(); ++index) {
    if (caption[index] != kMnemonicMark) continue;
    if (caption[index + 1] != kMnemonicMark) {
      return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[index + 1])));
    }
    ++index;
  }
  return std::nullopt;
}

std::string EscapeAmpersands(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    if (c == kMnemonicMark) escaped.push_back(kMnemonicMark);
    escaped.push_back(c);
  }
  return escaped;
}

}  // namespace platform
