#pragma once

#include <string>

namespace CLI {
class App;
}

namespace cli {

// Drawing a run's first-order rate into an overlay bitmap, as the window's
// "Dump data to file" does, from the command line.
struct OverlayOptions {
  std::string overlayPath;     // --overlay FILE: draw into this existing bitmap
  std::string newOverlayPath;  // --new-overlay FILE: first create a blank bitmap here
};

void DefineOverlayOptions(CLI::App& app, OverlayOptions& options);
bool OverlayRequested(const OverlayOptions& options);

// What became of a file action: an exit status and, unless it succeeded
// without anything to add, one line (without the program name).
struct OverlayOutcome {
  int status;
  std::string message;
};

// Creates the blank bitmap when --new-overlay was given; refuses an existing file.
OverlayOutcome CreateRequestedOverlay(const OverlayOptions& options);
// Draws series (101 values) into the --overlay file when one was given.
OverlayOutcome DrawRequestedOverlay(const OverlayOptions& options, const float* series);

}  // namespace cli
