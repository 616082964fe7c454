// CMainDlg::OnCommand: every command of the dialog, then the same closing steps.
#include "platform/command_word.h"
#include "res/control_ids.h"
#include "ui/control_rows.h"
#include "ui/correlation_rules.h"
#include "ui/main_dialog.h"
#include "ui/radio_work.h"
#include "ui/sanctions_rule.h"
#include "ui/slider_tool_tips.h"

namespace ui {
namespace {

constexpr int kNormal = static_cast<int>(model::DistributionKind::Normal);
constexpr int kConstant = static_cast<int>(model::DistributionKind::Constant);

}  // namespace

// The closing steps run for every command, also after OK or Cancel has ended
// the dialog: one last run happens before the window goes.
bool CMainDlg::OnCommand(std::uint32_t commandWord) {
  DefaultOnCommand(commandWord);
  DoRadioWork(commandWord);
  ApplyCorrelationRules();
  ApplySanctionsRule();
  Recompute();
  Invalidate(true);
  return true;
}

// Only a click matches: the whole command word is compared.
void CMainDlg::DoRadioWork(std::uint32_t commandWord) {
  for (const RadioWork& work : kRadioWork) {
    if (commandWord != platform::MakeCommandWord(work.radioId, platform::kBnClicked)) {
      continue;
    }
    Kind(work.attribute) = static_cast<int>(work.kind);
    if (work.captionId != kNoControl) {
      SetControlText(work.captionId, work.caption);
    }
    EnableControls(work.rows, work.enableRows);
    if (work.linkedLocationId != kNoControl) {
      ApplyLinkedSigma(work.linkedLocationId);
    }
    return;
  }
}

void CMainDlg::ApplyCorrelationRules() {
  for (const CorrelationRule& rule : kCorrelationRules) {
    ShowCorrelationRow(rule, Kind(rule.first) == kNormal && Kind(rule.second) == kNormal);
  }
}

// A greyed-out trackbar says in its tooltip what would bring it back.
void CMainDlg::ShowCorrelationRow(const CorrelationRule& rule, bool enable) {
  EnableControls(rule.row, enable);
  std::string tip(SliderToolTipText(rule.trackbarId));
  if (!enable) tip.append("\n").append(rule.disabledReason);
  SetControlToolTip(rule.trackbarId, tip);
}

// Switching on also gives back the R' location and sigma rows that switching
// off took, when R' has a kind that uses them.
void CMainDlg::ApplySanctionsRule() {
  sanctionsEnabled = GetCheck(res::kIdCheckSanctions) != platform::kUnchecked;
  if (!sanctionsEnabled) {
    DisableControls(kSanctionsOffControls);
    return;
  }
  EnableControls(kSanctionsOnControls, true);
  if (model::IsDistributionKind(distRPrime) && distRPrime != kConstant) {
    EnableControls(kRowsRPrimeLocationSigma, true);
  }
}

}  // namespace ui
