#pragma once

#include <string>
#include <string_view>

namespace platform {

// The text a static label shows for its caption: a doubled ampersand is one
// ampersand, a single ampersand marks the next character as the mnemonic and
// is not shown ("R && R'" shows "R & R'", "&Apply" shows "Apply").
std::string ShownCaption(std::string_view caption);

}  // namespace platform
