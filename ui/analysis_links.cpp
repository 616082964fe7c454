#include "ui/analysis_links.h"

#include <optional>

namespace ui {
namespace {

// A host that cannot say whether its window is open is told every run.
bool IsOpen(const AnalysisHost& host) {
  return host.follow && (!host.isOpen || host.isOpen());
}

}  // namespace

void AnalysisLinks::SetHost(AnalysisWindow window, AnalysisHost host) {
  hosts_[static_cast<std::size_t>(window)] = std::move(host);
}

const AnalysisHost& AnalysisLinks::Host(AnalysisWindow window) const {
  return hosts_[static_cast<std::size_t>(window)];
}

bool AnalysisLinks::HasHost(AnalysisWindow window) const {
  return static_cast<bool>(Host(window).show);
}

void AnalysisLinks::Show(AnalysisWindow window, const batch::ResponseContext& context) const {
  if (const AnalysisHost& host = Host(window); host.show) host.show(context);
}

void AnalysisLinks::Follow(const std::function<batch::ResponseContext()>& contextNow) const {
  std::optional<batch::ResponseContext> context;
  for (const AnalysisHost& host : hosts_) {
    if (!IsOpen(host)) continue;
    if (!context) context = contextNow();
    host.follow(*context);
  }
}

}  // namespace ui
