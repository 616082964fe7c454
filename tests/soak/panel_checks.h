// Invariants of the main dialog's controls that hold after any user input.
#pragma once

#include <optional>
#include <string>

#include "model/run_arguments.h"
#include "tests/soak/expected_panel.h"
#include "tests/soak/model_checks.h"
#include "ui/main_dialog.h"

namespace soak {

// The kinds as the radio buttons show them and the Sanctions box; nothing when
// a group does not have exactly one button checked (reported in `out`).
std::optional<PanelChoice> ReadChoice(const ui::CMainDlg& dialog, Violations& out);

// Every value label reads its trackbar's position times 0.01 with two
// decimals, and every position lies in its trackbar's range.
void CheckValueLabels(const ui::CMainDlg& dialog, Violations& out);

// Every row is enabled exactly when the rules for `choice` say, and each
// location caption names the kind.
void CheckRowStates(const ui::CMainDlg& dialog, const PanelChoice& choice, Violations& out);

// The latest run read the controls as they stand now.
void CheckLastRun(const ui::CMainDlg& dialog, const PanelChoice& choice,
                  const model::RunArguments& lastRun, Violations& out);

// All of the above.
Violations CheckPanel(const ui::CMainDlg& dialog, const model::RunArguments& lastRun);

// The text a value label shows for a trackbar position.
std::string ValueLabelText(int position);

}  // namespace soak
