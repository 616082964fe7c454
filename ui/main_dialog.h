#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "model/attribute.h"
#include "model/distribution_kind.h"
#include "model/population_model.h"
#include "model/run_arguments.h"
#include "platform/dialog.h"
#include "platform/picture.h"
#include "res/resource_ids.h"
#include "ui/run_on_screen.h"

namespace run {
struct ParameterSpec;
}

namespace ui {

struct CorrelationRule;
struct GraphMenuItem;

// Sees the arguments of every run the dialog makes, right after the run.
using RunObserver = std::function<void(const model::RunArguments& arguments)>;

// The main window: the parameter panel below, the graph of the model's five
// series above. Every trackbar move and every command ends in Recompute, which
// reads all controls afresh, runs the model and repaints.
class CMainDlg : public platform::Dialog {
 public:
  CMainDlg();
  ~CMainDlg() override;

  // Every run before OnInitDialog has chosen the kinds is rejected silently.
  static constexpr int kNotChosen = model::kNotChosen;
  static constexpr int kAgentCount = 100;

  // The graph draws series only once the trackbars hold their defaults.
  bool plotReady = false;
  model::CPopulationModel model;
  int appIcon = res::kAppIconId;
  int agentCount = kAgentCount;
  // Mirror of the "Sanctions" check box, refreshed by every command.
  bool sanctionsEnabled = false;
  int distR = kNotChosen;
  int distI = kNotChosen;
  int distT = kNotChosen;
  int distE = kNotChosen;
  int distRPrime = kNotChosen;

  // Reads every trackbar and field, runs the model and paints at once.
  void Recompute();

  // Slider table operations; an id that is no trackbar of the table gives
  // 0.0 and changes nothing.
  double SliderValue(int trackbarId) const;
  void UpdateValueLabel(int trackbarId);
  // Moves the trackbar to show value (raising no notification) and rewrites its label.
  void SetSliderValue(int trackbarId, float value);
  void ResetSliders();
  // Pulls the Sigma trackbar linked to a location trackbar after it.
  void ApplyLinkedSigma(int trackbarId);

  // Replaces the observer of runs; returns the one before.
  RunObserver SetRunObserver(RunObserver observer);

  // The seed and arguments of the run the graph shows, the last run that
  // passed the model's checks; nullopt before the first one.
  const std::optional<RunOnScreen>& ShownRun() const { return shownRun_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(std::uint32_t commandWord) override;
  void OnHScroll(int code, int position, int controlId) override;
  void OnPaint(platform::PaintContext& context) override;
  // The graph's menu, over the band above the controls (main_dialog_menu.cpp).
  void OnContextMenu(int x, int y, platform::ContextMenuSource source) override;
  // Over the graph: the seed of the run on screen (main_dialog_help.cpp).
  platform::AreaToolTip ToolTipAt(int x, int y) const override;

  void OnSlopeParameter();
  void OnDumpData();

 private:
  int& Kind(model::Attribute attribute);
  int Kind(model::Attribute attribute) const;
  model::RunArguments CollectRunArguments() const;
  // What the control that feeds the parameter holds now.
  double ControlValue(const run::ParameterSpec& parameter) const;
  int RequestedCount(int countTrackbarId) const;

  void SetUpTrackbars();
  void ShowFixedCounts();
  void SelectConstantEverywhere();
  void DisableControls(std::span<const int> controls);
  void EnableControls(std::span<const int> controls, bool enable);

  void DoRadioWork(std::uint32_t commandWord);
  void ApplyCorrelationRules();
  void ShowCorrelationRow(const CorrelationRule& rule, bool enable);
  void ApplySanctionsRule();

  void SetUpToolTips();
  // The graph of the run on screen over the whole client area, as the paint draws it.
  void PaintPlot(platform::PaintContext& context) const;
  // That paint cut to the band above the controls.
  platform::Picture GraphPicture() const;
  void RunGraphCommand(const GraphMenuItem& item);
  // What the item saves: the series as CSV or the graph as a picture; empty
  // when the picture could not be made.
  std::string GraphFileBytes(const GraphMenuItem& item) const;

  RunObserver runObserver_;
  std::optional<RunOnScreen> shownRun_;
};

}  // namespace ui
