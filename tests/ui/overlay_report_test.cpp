#include "ui/overlay_report.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/case_name.h"
#include "tests/ui/main_dialog_harness.h"

namespace {

using bitmap_export::OverlayStatus;

struct ReportCase {
  const char* name;
  OverlayStatus status;
  bool shown;
};

std::ostream& operator<<(std::ostream& out, const ReportCase& c) {
  return out << c.name;
}

class OverlayReports : public testing::TestWithParam<ReportCase> {};

TEST_P(OverlayReports, ShowOnlyRefusalsAndFailedWrites) {
  const ui_test::MessageRecorder recorder;
  const std::string message = "Graph.bmp: something happened";
  ui::ReportOverlayResult({GetParam().status, message});
  EXPECT_EQ(ui::IsReportedOverlayStatus(GetParam().status), GetParam().shown);
  if (!GetParam().shown) {
    EXPECT_TRUE(recorder.Messages().empty());
    return;
  }
  ASSERT_EQ(recorder.Messages().size(), 1U);
  EXPECT_EQ(recorder.Messages().front().text, message);
  EXPECT_EQ(recorder.Messages().front().icon, platform::MessageIcon::kExclamation);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, OverlayReports,
    testing::Values(ReportCase{"Written", OverlayStatus::kWritten, false},
                    ReportCase{"NoSeries", OverlayStatus::kNoSeries, false},
                    ReportCase{"Unavailable", OverlayStatus::kUnavailable, false},
                    ReportCase{"Refused", OverlayStatus::kRefused, true},
                    ReportCase{"WriteFailed", OverlayStatus::kWriteFailed, true}),
    test_support::CaseName());

}  // namespace
