// Recompute: one run of the model from the controls, then a synchronous repaint.
#include "res/control_ids.h"
#include "ui/main_dialog.h"

namespace ui {
namespace {

constexpr std::int32_t kReservedArgument = 0;
// The slope of the logistic response; the slope dialog only previews it.
constexpr std::int32_t kSlopeM = 10;

// A run that fails its checks leaves the model without agents.
bool PassedChecks(const model::CPopulationModel& populationModel) {
  return populationModel.agentCount > 0;
}

}  // namespace

// Truncated toward zero from the double product: positions 29 and 58 of an
// "N" trackbar request 28 and 57 agents.
int CMainDlg::RequestedCount(int countTrackbarId) const {
  return static_cast<int>(SliderValue(countTrackbarId) * agentCount);
}

// Disabled trackbars feed their positions like any other.
model::RunArguments CMainDlg::CollectRunArguments() const {
  return {
      .paramJ = SliderValue(res::kIdSliderJ),
      .paramX = SliderValue(res::kIdSliderX),
      .distR = distR,
      .medianR = SliderValue(res::kIdSliderMedianR),
      .sigmaR = SliderValue(res::kIdSliderSigmaR),
      .distI = distI,
      .valueI = SliderValue(res::kIdSliderValueI),
      .sigmaI = SliderValue(res::kIdSliderSigmaI),
      .distT = distT,
      .valueT = SliderValue(res::kIdSliderValueT),
      .sigmaT = SliderValue(res::kIdSliderSigmaT),
      .distE = distE,
      .valueE = SliderValue(res::kIdSliderValueE),
      .sigmaE = SliderValue(res::kIdSliderSigmaE),
      .sanctionsOn = static_cast<int>(sanctionsEnabled),
      .distRPrime = distRPrime,
      .medianRPrime = SliderValue(res::kIdSliderMedianRPrime),
      .sigmaRPrime = SliderValue(res::kIdSliderSigmaRPrime),
      .paramJPrime = SliderValue(res::kIdSliderJPrime),
      .paramM = SliderValue(res::kIdSliderM),
      .corrRRPrime = SliderValue(res::kIdSliderCorrRRPrime),
      .corrRI = SliderValue(res::kIdSliderCorrRI),
      .corrRPrimeI = SliderValue(res::kIdSliderCorrRPrimeI),
      .corrET = SliderValue(res::kIdSliderCorrET),
      .agentCount = agentCount,
      .requestedCountR = RequestedCount(res::kIdSliderCountR),
      .requestedCountRPrime = RequestedCount(res::kIdSliderCountRPrime),
      .reservedArg = kReservedArgument,
      .slopeM = kSlopeM,
  };
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
  if (runObserver_) {
    runObserver_(arguments);
  }
  Invalidate(true);
  UpdateWindow();
  RedrawWindow();
}

}  // namespace ui
