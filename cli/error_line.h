#pragma once

#include <ostream>
#include <string_view>

namespace cli {

inline constexpr std::string_view kProgramName = "corvellan-run";

// Writes "corvellan-run: <message>" as exactly one line: control characters
// that came in with the user's arguments are shown escaped, so a value holding
// a newline cannot split the line.
void WriteErrorLine(std::ostream& err, std::string_view message);

}  // namespace cli
