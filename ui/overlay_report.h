#pragma once

#include "export/overlay_result.h"

namespace ui {

// The file "Dump data to file" draws into, in the current directory.
inline constexpr const char* kOverlayFileName = "Graph.bmp";

// Whether the window tells the user about this outcome. A missing or busy
// file and a missing series stay silent; a refused file and a failed write
// are shown, so the researcher learns why no curve was added.
bool IsReportedOverlayStatus(bitmap_export::OverlayStatus status);

// Shows the result's message in the modal message box when it is reported,
// else its notice when it has one.
void ReportOverlayResult(const bitmap_export::OverlayResult& result);

}  // namespace ui
