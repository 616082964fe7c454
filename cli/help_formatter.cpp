#include "cli/help_formatter.h"

#include <sstream>

namespace cli {
namespace {

void AppendWrappedLine(std::string& out, const std::string& line, std::size_t width) {
  std::istringstream words(line);
  std::size_t used = 0;
  for (std::string word; words >> word;) {
    if (used > 0 && used + 1 + word.size() > width) {
      out += '\n';
      used = 0;
    }
    if (used > 0) {
      out += ' ';
      ++used;
    }
    out += word;
    used += word.size();
  }
}

}  // namespace

std::string WrapWords(const std::string& text, std::size_t width) {
  std::string out;
  std::istringstream lines(text);
  bool first = true;
  for (std::string line; std::getline(lines, line);) {
    if (!first) out += '\n';
    first = false;
    // An indented line is laid out already (a formula, say).
    if (line.starts_with(' ')) {
      out += line;
    } else {
      AppendWrappedLine(out, line, width);
    }
  }
  return out;
}

std::string WrappingFormatter::make_description(const CLI::App* app) const {
  const std::string description = app->get_description();
  if (description.empty()) return {};
  return WrapWords(description, kHelpWidth) + "\n";
}

std::string WrappingFormatter::make_footer(const CLI::App* app) const {
  const std::string footer = app->get_footer();
  if (footer.empty()) return {};
  return WrapWords(footer, kHelpWidth) + "\n";
}

std::string WrappingFormatter::make_option_desc(const CLI::Option* option) const {
  return WrapWords(CLI::Formatter::make_option_desc(option), kHelpWidth - get_column_width());
}

}  // namespace cli
