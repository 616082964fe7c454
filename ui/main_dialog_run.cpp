// Recompute: one run of the model from the controls, then a synchronous repaint.
#include "run_description/parameter_table.h"
#include "ui/main_dialog.h"
#include "ui/slider_table.h"

namespace ui {
namespace {

// A run that fails its checks leaves the model without agents.
bool PassedChecks(const model::CPopulationModel& populationModel) {
  return populationModel.agentCount > 0;
}

int TrackbarOfRow(int row) {
  return kSliderTable[static_cast<std::size_t>(row)].trackbarId;
}

}  // namespace

// Truncated toward zero from the double product: positions 29 and 58 of an
// "N" trackbar request 28 and 57 agents.
int CMainDlg::RequestedCount(int countTrackbarId) const {
  return static_cast<int>(SliderValue(countTrackbarId) * agentCount);
}

// Disabled trackbars feed their positions like any other.
double CMainDlg::ControlValue(const run::ParameterRow& parameter) const {
  const int index = parameter.fedBy.index;
  switch (parameter.fedBy.feeder) {
    case run::Feeder::kTrackbar:
      return SliderValue(TrackbarOfRow(index));
    case run::Feeder::kTrackbarShare:
      return RequestedCount(TrackbarOfRow(index));
    case run::Feeder::kRadioGroup:
      return Kind(static_cast<model::Attribute>(index));
    case run::Feeder::kSanctionsCheckBox:
      return static_cast<int>(sanctionsEnabled);
    case run::Feeder::kAgentCount:
      return agentCount;
    case run::Feeder::kFixed:
      break;
  }
  return parameter.defaultValue;
}

model::RunArguments CMainDlg::CollectRunArguments() const {
  model::RunArguments arguments{};
  for (const run::ParameterRow& parameter : run::ParameterTable()) {
    run::SetParameterValue(parameter, ControlValue(parameter), arguments);
  }
  return arguments;
}

void CMainDlg::Recompute() {
  const model::RunArguments arguments = CollectRunArguments();
  model.Run(arguments.paramJ, arguments.paramX, arguments.distR, arguments.medianR,
            arguments.sigmaR, arguments.distI, arguments.valueI, arguments.sigmaI, arguments.distT,
            arguments.valueT, arguments.sigmaT, arguments.distE, arguments.valueE, arguments.sigmaE,
            arguments.sanctionsOn, arguments.distRPrime, arguments.medianRPrime,
            arguments.sigmaRPrime, arguments.paramJPrime, arguments.paramM, arguments.corrRRPrime,
            arguments.corrRI, arguments.corrRPrimeI, arguments.corrET, arguments.agentCount,
            arguments.requestedCountR, arguments.requestedCountRPrime, arguments.reservedArg,
            arguments.slopeM);
  if (PassedChecks(model)) {
    shownRun_ = RunOnScreen{model.runSeed, arguments};
  }
  band_.Follow(BandRun());
  FollowInAnalysisWindows();
  if (runObserver_) {
    runObserver_(arguments);
  }
  Invalidate(true);
  UpdateWindow();
  RedrawWindow();
}

}  // namespace ui
