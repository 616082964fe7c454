#include "cli/overlay_options.h"

#include <CLI/CLI.hpp>

#include "cli/runner.h"
#include "export/overlay_file.h"

namespace cli {
namespace {

using bitmap_export::OverlayResult;
using bitmap_export::OverlayStatus;

// A file that is missing, locked, read-only or not an overlay bitmap is bad
// input; a write that fails is a failure of the output.
OverlayOutcome ToOutcome(const OverlayResult& result) {
  switch (result.status) {
    case OverlayStatus::kWritten:
      return {kExitSuccess, result.notice};
    case OverlayStatus::kWriteFailed:
      return {kExitFailure, result.message};
    case OverlayStatus::kNoSeries:
    case OverlayStatus::kUnavailable:
    case OverlayStatus::kRefused:
      break;
  }
  return {kExitBadInput, result.message};
}

}  // namespace

void DefineOverlayOptions(CLI::App& app, OverlayOptions& options) {
  app.add_option("--overlay", options.overlayPath,
                 "also draw the run's first-order rate into FILE, an existing 640 x 340 8-bit "
                 "bitmap, in its next curve colour (like the window's \"Dump data to file\")")
      ->type_name("FILE");
  app.add_option("--new-overlay", options.newOverlayPath,
                 "first create FILE as a blank overlay bitmap (never overwrites a file)")
      ->type_name("FILE");
}

bool OverlayRequested(const OverlayOptions& options) {
  return !options.overlayPath.empty() || !options.newOverlayPath.empty();
}

OverlayOutcome CreateRequestedOverlay(const OverlayOptions& options) {
  if (options.newOverlayPath.empty()) return {kExitSuccess, {}};
  return ToOutcome(bitmap_export::WriteBlankOverlay(options.newOverlayPath));
}

OverlayOutcome DrawRequestedOverlay(const OverlayOptions& options, const float* series) {
  if (options.overlayPath.empty()) return {kExitSuccess, {}};
  return ToOutcome(bitmap_export::OverlayFirstOrderRate(options.overlayPath, series));
}

}  // namespace cli
