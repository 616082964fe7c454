#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "batch/response_sweep.h"
#include "batch/summary_statistics.h"
#include "model/attribute.h"
#include "model/distribution_kind.h"
#include "model/population_model.h"
#include "model/run_arguments.h"
#include "platform/dialog.h"
#include "platform/picture.h"
#include "res/resource_ids.h"
#include "run_description/parameter_table.h"
#include "ui/analysis_links.h"
#include "ui/kept_seed.h"
#include "ui/pinned_runs.h"
#include "ui/population_band.h"
#include "ui/run_on_screen.h"

namespace run {
struct ParameterRow;
struct SavedRun;
}  // namespace run

namespace ui {

struct ControlSettings;
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

  // The graph draws series only once the trackbars hold their defaults.
  bool plotReady = false;
  model::CPopulationModel model;
  int appIcon = res::kAppIconId;
  int agentCount = run::DefaultRunArguments().agentCount;
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

  // The population band (main_dialog_band.cpp), drawn while shown around
  // the run on screen.
  void ShowBand(bool show);
  void SetBandPopulations(int populations);
  const PopulationBand& Band() const { return band_; }
  // While kept, every run takes the seed of the run on screen now.
  void KeepSeed(bool keep);
  bool SeedKept() const { return keptSeed_.Kept(); }

  // Pinned runs (main_dialog_pins.cpp); pinning needs a run on screen and a free pin.
  bool PinThisRun();
  void RemovePin(int number);
  // Keeps a file's curves, which differ from the run of its command, as a pin
  // marked as saved; its number, or nullopt when every pin is taken.
  std::optional<int> PinSavedCurves(const run::SavedRun& saved);
  void RemoveAllPins();
  const PinnedRuns& Pins() const { return pins_; }

  // Sets every control to a run saved as a series CSV and makes that run again
  // with its seed (main_dialog_open.cpp). A file that cannot be read, or holds
  // a run the controls cannot make, changes nothing: a message names the file
  // and the first fault. False then.
  bool OpenSeriesFile(const std::string& path);

  // The analysis windows, which the application makes: each shown from the
  // graph's menu, then told of every run that passes its checks while it is
  // open (main_dialog_analyses.cpp). Without a host its item is greyed.
  void SetAnalysisHost(AnalysisWindow window, AnalysisHost host);
  bool HasAnalysisHost(AnalysisWindow window) const;
  void OpenAnalysis(AnalysisWindow window);
  // The run on screen and every axis, the last trackbar moved chosen.
  batch::ResponseContext ResponseContextNow() const;
  // Moves the controls of axes (of ResponseContextNow's) as the user would:
  // each trackbar through its scroll notification, each kind through a click
  // on its radio button. Sigma trackbars move last, so a location's linked
  // sigma never overrides a sigma that was asked for.
  void MoveAxes(std::span<const AxisMove> moves);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(std::uint32_t commandWord) override;
  void OnHScroll(int code, int position, int controlId) override;
  void OnPaint(platform::PaintContext& context) override;
  // The graph's menu, over the band above the controls (main_dialog_menu.cpp).
  void OnContextMenu(int x, int y, platform::ContextMenuSource source) override;
  // Over the graph: the seed of the run on screen (main_dialog_help.cpp).
  platform::AreaToolTip ToolTipAt(int x, int y) const override;
  std::optional<platform::AreaToolTip> PinToolTipAt(int x, int y) const;
  bool TakesFileDrops() const override;
  void OnDropFile(const std::string& path) override;

  void OnSlopeParameter();
  void OnDumpData();

 private:
  int& Kind(model::Attribute attribute);
  int Kind(model::Attribute attribute) const;
  model::RunArguments CollectRunArguments() const;
  // What the control that feeds the parameter holds now.
  double ControlValue(const run::ParameterRow& parameter) const;
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
  // Which series the graph shows: the ticks of the series check boxes.
  std::array<bool, model::kSeriesCount> SeriesShownNow() const;
  // That paint cut to the band above the controls.
  platform::Picture GraphPicture() const;
  void RunGraphCommand(const GraphMenuItem& item);
  // What the item saves: the series as CSV or the graph as a picture; empty
  // when the picture could not be made.
  std::string GraphFileBytes(const GraphMenuItem& item) const;

  void ApplyControlSettings(const ControlSettings& settings);
  void FollowInAnalysisWindows();
  // The run the band is of: the run on screen once the plot is drawn.
  const RunOnScreen* BandRun() const;
  void Repaint();

  RunObserver runObserver_;
  std::optional<RunOnScreen> shownRun_;

  PopulationBand band_{[this] { Repaint(); }};
  KeptSeed keptSeed_;
  PinnedRuns pins_;
  AnalysisLinks analysisLinks_;
  int lastMovedTrackbar_ = 0;
};

}  // namespace ui
