#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace run {

// Strict text-to-number conversions for option values: the whole text must be
// one finite decimal number; the double is the correctly rounded nearest one.
struct ParsedReal {
  std::optional<double> value;
  std::string error;  // why the text was refused, when value is empty
};

struct ParsedInteger {
  std::optional<std::int32_t> value;
  std::string error;
};

ParsedReal ParseReal(std::string_view text);
ParsedInteger ParseInteger(std::string_view text);

// text between double quotes, as error lines show what they refuse.
std::string Quoted(std::string_view text);

// Shortest text that reads back as exactly the same double.
std::string FormatRoundTrip(double value);
void AppendRoundTrip(std::string& text, double value);

// 9 significant digits, as printf("%.9g") writes them in the C locale whatever
// the process's locale: every single-precision value reads back exactly.
void AppendSignificant(std::string& text, double value);

}  // namespace run
