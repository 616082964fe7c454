#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The text a static label shows for its caption: a doubled ampersand is one
// ampersand, a single ampersand marks the next character as the mnemonic and
// is not shown ("R && R'" shows "R & R'", "&Apply" shows "Apply").
std::string ShownCaption(std::string_view caption);

// The character a single ampersand marks, lower-cased, as the key that picks
// the item; nullopt when the caption marks none ("Save Graph as P&NG" gives 'n').
std::optional<char> AccessLetter(std::string_view caption);

// text with every ampersand doubled, so that it shows as it is where a single
// ampersand would mark an access letter.
std::string EscapeAmpersands(std::string_view text);

}  // namespace platform
