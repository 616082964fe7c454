#include "platform/mnemonic_text.h"

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

}  // namespace platform
