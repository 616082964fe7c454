#include "ui/seed_tool_tip.h"

#include <sstream>
#include <vector>

#include "run_description/rerun_command.h"

namespace ui {
namespace {

// About 420 pixels of the tooltip's font: a tip stays well inside the window.
constexpr std::size_t kToolTipColumns = 60;
// A shell reads a line ending in a backslash as going on: the wrapped text,
// pasted, is still the command.
constexpr std::string_view kContinuationIndent = "  ";
constexpr std::string_view kLineContinuation = " \\\n";

// The command's words, each option together with its value.
std::vector<std::string> OptionGroups(const std::string& command) {
  std::istringstream words(command);
  std::vector<std::string> groups;
  for (std::string word; words >> word;) {
    const bool isValue = !groups.empty() && !word.starts_with("--") &&
                         groups.back().starts_with("--") &&
                         groups.back().find(' ') == std::string::npos;
    if (isValue) {
      groups.back() += ' ' + word;
    } else {
      groups.push_back(word);
    }
  }
  return groups;
}

}  // namespace

std::string WrapCommand(const std::string& command) {
  std::string wrapped;
  std::size_t lineLength = 0;
  for (const std::string& group : OptionGroups(command)) {
    if (lineLength > 0 && lineLength + 1 + group.size() > kToolTipColumns) {
      wrapped.append(kLineContinuation).append(kContinuationIndent);
      lineLength = kContinuationIndent.size();
    } else if (lineLength > 0) {
      wrapped += ' ';
      ++lineLength;
    }
    wrapped += group;
    lineLength += group.size();
  }
  return wrapped;
}

std::string SeedToolTip(const RunOnScreen& run) {
  return "Seed " + std::to_string(run.seed) + " \u2014 repeat with:\n" +
         WrapCommand(run::ShortRerunCommand(run.seed, run.arguments));
}

}  // namespace ui
