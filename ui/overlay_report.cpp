#include "ui/overlay_report.h"

#include <algorithm>
#include <array>

#include "platform/message_box.h"

namespace ui {
namespace {

using bitmap_export::OverlayStatus;

constexpr std::array<OverlayStatus, 2> kReportedStatuses = {
    OverlayStatus::kRefused,
    OverlayStatus::kWriteFailed,
};

}  // namespace

bool IsReportedOverlayStatus(OverlayStatus status) {
  return std::ranges::find(kReportedStatuses, status) != kReportedStatuses.end();
}

void ReportOverlayResult(const bitmap_export::OverlayResult& result) {
  if (IsReportedOverlayStatus(result.status)) {
    platform::ShowMessageBox(result.message, platform::MessageIcon::kExclamation);
  } else if (!result.notice.empty()) {
    platform::ShowMessageBox(result.notice, platform::MessageIcon::kInformation);
  }
}

}  // namespace ui
