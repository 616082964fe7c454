#pragma once

#include <array>
#include <cstddef>
#include <functional>

#include "batch/response_sweep.h"
#include "ui/analysis_window.h"

namespace ui {

// What the application gives the dialog for one window: show it for the main
// window's context, ask whether it is open, and tell it of every run that
// passes its checks while it is open.
struct AnalysisHost {
  std::function<void(const batch::ResponseContext&)> show;
  std::function<bool()> isOpen;
  std::function<void(const batch::ResponseContext&)> follow;
};

// A window's request to move one control of the main window: the axis (an
// index of the context's axes) to the value at index position of that axis.
struct AxisMove {
  std::size_t axis;
  std::size_t position;
};

// The dialog's links to the analysis windows. A window without a host is
// unavailable, and its menu item greyed.
class AnalysisLinks {
 public:
  void SetHost(AnalysisWindow window, AnalysisHost host);
  bool HasHost(AnalysisWindow window) const;
  void Show(AnalysisWindow window, const batch::ResponseContext& context) const;
  // Tells every open window; the context is made once, and only when one is open.
  void Follow(const std::function<batch::ResponseContext()>& contextNow) const;

 private:
  const AnalysisHost& Host(AnalysisWindow window) const;

  std::array<AnalysisHost, kAnalysisWindowCount> hosts_;
};

}  // namespace ui
