#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// What a save dialog asks for.
struct SaveFileQuery {
  std::string_view title;
  std::string_view suggestedName;  // offered in the current folder
  std::string_view filter;         // "CSV files (*.csv)"
  std::string_view defaultSuffix;  // added to a name typed without one, without the dot
};

// Asks for the name of a file to save, in a modal file dialog owned by the
// active dialog; an existing file is only chosen after the user confirms.
// nullopt when the user cancels.
std::optional<std::string> GetSaveFileName(const SaveFileQuery& query);

// Replaces what GetSaveFileName does (tests answer without a dialog); an empty
// handler restores the file dialog. Returns the handler before.
using SaveFileHandler = std::function<std::optional<std::string>(const SaveFileQuery& query)>;
SaveFileHandler SetSaveFileHandler(SaveFileHandler handler);

// What an open dialog asks for.
struct OpenFileQuery {
  std::string_view title;
  std::string_view filter;  // "CSV files (*.csv)"
};

// Asks for an existing file to open, in a modal file dialog owned by the
// active dialog; nullopt when the user cancels.
std::optional<std::string> GetOpenFileName(const OpenFileQuery& query);

// Replaces what GetOpenFileName does, as SetSaveFileHandler does for saving.
using OpenFileHandler = std::function<std::optional<std::string>(const OpenFileQuery& query)>;
OpenFileHandler SetOpenFileHandler(OpenFileHandler handler);

}  // namespace platform
