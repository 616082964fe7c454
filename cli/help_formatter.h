#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <string>

namespace cli {

// Help lines fit a classic terminal.
inline constexpr std::size_t kHelpWidth = 80;

// text with its words run on into lines of at most width characters (a longer
// word gets a line of its own); line breaks already in text stay, and so do
// lines that begin with a space, as they are.
std::string WrapWords(const std::string& text, std::size_t width);

// CLI11's help layout, with the program's description, every option's
// description and the footer wrapped so that no line is wider than kHelpWidth.
class WrappingFormatter : public CLI::Formatter {
 public:
  std::string make_description(const CLI::App* app) const override;
  std::string make_footer(const CLI::App* app) const override;
  std::string make_option_desc(const CLI::Option* option) const override;
};

}  // namespace cli
