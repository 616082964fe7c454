// Opening a saved run: its file read and checked first, then the controls set
// as a user would set them, and the run made again with its own seed.
#include <optional>
#include <string>
#include <vector>

#include "model/result_series.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "run_description/saved_run.h"
#include "ui/main_dialog.h"
#include "ui/radio_work.h"
#include "ui/regular_file_text.h"
#include "ui/saved_run_controls.h"

namespace ui {
namespace {

void Refuse(const std::string& path, const std::string& reason) {
  platform::ShowMessageBox("Could not open \"" + path + "\": " + reason,
                           platform::MessageIcon::kExclamation);
}

std::string ApproximationNotice(const std::string& path,
                                const std::vector<std::string>& approximated) {
  std::string notice = "Opened \"" + path +
                       "\". These values lie a rounding error away from a trackbar position and "
                       "were taken at it, so the curves can differ from the saved ones:";
  for (const std::string& value : approximated) notice += "\n" + value;
  return notice;
}

struct SeriesDifference {
  int step;
  int series;
};

// The first step, and at it the first series, where the run on screen and
// the file's curves part.
std::optional<SeriesDifference> FirstDifference(const model::SeriesPointers& now,
                                                const std::vector<float>& saved) {
  for (int k = 0; k < model::kStepCount; ++k) {
    for (int s = 0; s < model::kSeriesCount; ++s) {
      const float file = saved[static_cast<std::size_t>(s * model::kStepCount + k)];
      if (now[s] == nullptr || now[s][k] != file) return SeriesDifference{k, s};
    }
  }
  return std::nullopt;
}

std::string DifferenceNotice(const SeriesDifference& difference, std::optional<int> pin) {
  std::string notice =
      "The file's curves differ from what this version computes for its "
      "command, first at step " +
      std::to_string(difference.step) + " of " + model::kSeriesNames[difference.series] + ". ";
  notice += pin ? "They stay on the graph as pin " + std::to_string(*pin) + ", saved in the file."
                : "No pin is free to keep them on the graph.";
  return notice;
}

}  // namespace

bool CMainDlg::TakesFileDrops() const {
  return true;
}

void CMainDlg::OnDropFile(const std::string& path) {
  OpenSeriesFile(path);
}

bool CMainDlg::OpenSeriesFile(const std::string& path) {
  // At most one byte beyond the largest saved run, which the reader refuses.
  const FileText file = ReadRegularFile(path, run::kMaxSavedRunBytes + 1);
  if (!file.error.empty()) {
    Refuse(path, file.error);
    return false;
  }
  const run::SavedRunReading read = run::ReadSavedRun(file.text);
  if (!read.run) {
    Refuse(path, read.error);
    return false;
  }
  const ControlMapping mapping = MapToControls(read.run->arguments, agentCount);
  if (!mapping.settings) {
    Refuse(path, mapping.error);
    return false;
  }
  const std::optional<std::int32_t> seedBefore = model.fixedSeed;
  model.fixedSeed = read.run->seed;
  ApplyControlSettings(*mapping.settings);
  Recompute();
  model.fixedSeed = keptSeed_.Kept() ? std::optional<std::int32_t>(read.run->seed) : seedBefore;
  std::string notice;
  if (!mapping.approximated.empty()) notice = ApproximationNotice(path, mapping.approximated);
  if (const std::optional<SeriesDifference> difference =
          FirstDifference(model.Series(), read.run->series)) {
    const std::optional<int> pin = PinSavedCurves(*read.run);
    notice +=
        (notice.empty() ? "Opened \"" + path + "\". " : "\n") + DifferenceNotice(*difference, pin);
  }
  if (!notice.empty()) platform::ShowMessageBox(notice, platform::MessageIcon::kInformation);
  return true;
}

// Radio buttons and the Sanctions box by clicks, so every enabling rule
// follows; R''s buttons are only enabled while sanctions are on. The
// trackbars last, as a click on a distribution pulls its Sigma trackbar.
void CMainDlg::ApplyControlSettings(const ControlSettings& settings) {
  const bool changesRPrime =
      settings.kinds[static_cast<std::size_t>(model::Attribute::RPrime)] != distRPrime;
  if (changesRPrime && GetCheck(res::kIdCheckSanctions) == platform::kUnchecked) {
    ClickControl(res::kIdCheckSanctions);
  }
  for (const model::Attribute attribute : model::kAttributes) {
    const int kind = settings.kinds[static_cast<std::size_t>(attribute)];
    if (Kind(attribute) != kind) ClickControl(RadioOfKind(attribute, kind));
  }
  if ((GetCheck(res::kIdCheckSanctions) != platform::kUnchecked) != settings.sanctions) {
    ClickControl(res::kIdCheckSanctions);
  }
  for (std::size_t row = 0; row < kSliderTable.size(); ++row) {
    const int trackbarId = kSliderTable[row].trackbarId;
    SetTrackbarPos(trackbarId, settings.positions[row], true);
    UpdateValueLabel(trackbarId);
  }
}

}  // namespace ui
