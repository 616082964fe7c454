#include "ui/main_dialog.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "export/overlay_file.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/main_dialog_template.h"
#include "ui/control_rows.h"
#include "ui/correlation_rules.h"
#include "ui/graph_view.h"
#include "ui/overlay_report.h"
#include "ui/radio_work.h"
#include "ui/slope_dialog.h"

namespace ui {
namespace {

using model::Attribute;
using model::DistributionKind;
using model::kAttributes;

// The read-only edit of the last time point (the other shows the agent count).
constexpr std::string_view kIterationsText = "100";

constexpr bool kBigIcon = true;
constexpr bool kSmallIcon = false;

// The kind field of each attribute, in the order of Attribute.
constexpr std::array<int CMainDlg::*, kAttributes.size()> kKindFields = {
    &CMainDlg::distR, &CMainDlg::distI, &CMainDlg::distT, &CMainDlg::distE, &CMainDlg::distRPrime};

}  // namespace

CMainDlg::CMainDlg() : Dialog(res::kMainDialogTemplate) {
  model.notice = [](std::string_view message) {
    platform::ShowMessageBox(message, platform::MessageIcon::kNone);
  };
  MapClicked(res::kIdButtonSlopeParameter, [this] { OnSlopeParameter(); });
  MapClicked(res::kIdButtonDumpData, [this] { OnDumpData(); });
}

CMainDlg::~CMainDlg() {
  model.ReleaseArrays();
}

RunObserver CMainDlg::SetRunObserver(RunObserver observer) {
  return std::exchange(runObserver_, std::move(observer));
}

int& CMainDlg::Kind(Attribute attribute) {
  return this->*kKindFields[static_cast<std::size_t>(attribute)];
}

int CMainDlg::Kind(Attribute attribute) const {
  return this->*kKindFields[static_cast<std::size_t>(attribute)];
}

bool CMainDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  SetIcon(appIcon, kBigIcon);
  SetIcon(appIcon, kSmallIcon);
  SetUpTrackbars();
  SetUpToolTips();
  ResetSliders();
  plotReady = true;
  SetCheck(res::kIdCheckFirstOrderRate, platform::kChecked);
  // Each text raises edit notifications whose commands run the closing steps
  // while no kind is chosen yet: that is what disables the sanctions group.
  ShowFixedCounts();
  SelectConstantEverywhere();
  DisableControls(kRowRPrimeCount);
  for (const CorrelationRule& rule : kCorrelationRules) {
    ShowCorrelationRow(rule, false);
  }
  Recompute();
  return true;
}

void CMainDlg::ShowFixedCounts() {
  SetControlText(res::kIdEditAgentCount, std::to_string(agentCount));
  EnableControl(res::kIdEditAgentCount, false);
  SetControlText(res::kIdEditIterations, kIterationsText);
  EnableControl(res::kIdEditIterations, false);
}

// Per attribute: its Constant button checked, the other two cleared, and the
// rows its Constant work disables disabled.
void CMainDlg::SelectConstantEverywhere() {
  for (const Attribute attribute : kAttributes) {
    Kind(attribute) = static_cast<int>(DistributionKind::Constant);
  }
  for (const Attribute attribute : kAttributes) {
    const RadioWork* constantWork = nullptr;
    for (const RadioWork& work : kRadioWork) {
      if (work.attribute != attribute) {
        continue;
      }
      const bool isConstant = work.kind == DistributionKind::Constant;
      SetCheck(work.radioId, isConstant ? platform::kChecked : platform::kUnchecked);
      if (isConstant) {
        constantWork = &work;
      }
    }
    if (constantWork != nullptr) {
      DisableControls(constantWork->rows);
    }
  }
}

void CMainDlg::EnableControls(std::span<const int> controls, bool enable) {
  for (const int id : controls) {
    EnableControl(id, enable);
  }
}

void CMainDlg::DisableControls(std::span<const int> controls) {
  EnableControls(controls, false);
}

void CMainDlg::OnPaint(platform::PaintContext& context) {
  if (IsIconic()) {
    PaintGraphIconic(context, GetClientRect(), appIcon);
    return;
  }
  PaintPlot(context);
}

void CMainDlg::PaintPlot(platform::PaintContext& context) const {
  const std::vector<PinnedCurves> pins = pins_.Curves();
  PaintGraph(context, GetClientRect(), plotReady, model.Series(), SeriesShownNow(),
             {band_.Drawn(), pins, band_.OutOfDate()});
}

ShownSeries CMainDlg::SeriesShownNow() const {
  ShownSeries shown{};
  for (const SeriesPen& pen : kSeriesPens) {
    shown[pen.series] = GetCheck(pen.checkBoxId) != platform::kUnchecked;
  }
  return shown;
}

// A preview only: nothing is read back, the runs keep their slope.
void CMainDlg::OnSlopeParameter() {
  CAdvDlg slopeDialog;
  slopeDialog.DoModal();
}

// Draws the series of the run on screen, before this command's own run.
void CMainDlg::OnDumpData() {
  ReportOverlayResult(
      bitmap_export::OverlayFirstOrderRate(kOverlayFileName, model.firstOrderRate.get()));
}

}  // namespace ui
