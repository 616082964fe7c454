#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "batch/latest_request_worker.h"
#include "batch/parameter_map.h"
#include "batch/response_sweep.h"
#include "map/map_plot.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace map {

// Moves trackbars of the main window through its own controls: each pair is
// an axis index in the context's axes and the position to move it to.
using MoveTrackbars = std::function<void(std::vector<std::pair<std::size_t, std::size_t>>)>;

// The two-parameter map window: a measure of one series over every pair of
// positions of two trackbars, coloured by its median, its 5-95 % width or the
// share of populations above a threshold, refined from a coarse grid to every
// position. It follows the main window: a change there or of the choices
// stops the map under way and starts another; a change of where the main
// window stands on the two axes only moves the marker.
class MapWindow : public QWidget {
 public:
  explicit MapWindow(QWidget* parent = nullptr, MoveTrackbars move = {});
  ~MapWindow() override;
  MapWindow(const MapWindow&) = delete;
  MapWindow& operator=(const MapWindow&) = delete;

  // Shows the window for the main window's state, its x axis the last moved parameter.
  void ShowFor(const batch::ResponseContext& context);
  // The main window has a new run: computes again for it, or moves the marker.
  void Follow(const batch::ResponseContext& context);

  // Choices, as the window's controls make them; axes by index in the context.
  void ChooseAxes(std::size_t x, std::size_t y);
  void ChooseStatistic(batch::MapStatistic statistic);
  void ChooseThreshold(double threshold);
  void ChooseReplicates(int replicates);
  void ChooseSamePopulations(bool same);
  void ChooseContour(std::optional<double> level);
  // What the window offers on its axis lists: context axes and their texts.
  std::vector<std::pair<std::size_t, std::string>> OfferedAxes() const;

  // Stops the map under way; the last whole level stays on show.
  void Cancel();
  // Picks a cell of the shown level, as a click on it does.
  void PickCell(CellIndex cell);

  // The request of the shown level and the level itself; empty at first.
  const std::optional<batch::MapRequest>& ShownRequest() const { return shownRequest_; }
  const MapPlotData& Plot() const;
  MapPlot* PlotWidget() const { return plot_; }
  bool Computing() const { return computing_; }
  // Levels shown for the request under way, coarse to fine.
  int LevelsShown() const { return levelsShown_; }

  // The files of the buttons; each returns an empty string or why it failed.
  std::string SaveCsv(const std::string& path) const;
  std::string SavePng(const std::string& path) const;
  std::string SaveSvg(const std::string& path) const;

 private:
  struct Work {
    batch::MapRequest request;
    std::uint64_t generation = 0;
  };
  using Worker = batch::LatestRequestWorker<Work, batch::MapLevel>;

  void BuildControls();
  void FillAxes();
  std::optional<batch::MapRequest> RequestNow() const;
  void Refresh();
  void Compute(const batch::MapRequest& request);
  void Accept(std::uint64_t generation, batch::MapLevel level);
  void ShowLevel(const batch::MapRequest& request, batch::MapLevel level, bool faded);
  void UpdateMarkerAndStatistic(const batch::MapRequest& request);
  MapPlotData PlotOf(const batch::MapRequest& request, batch::MapLevel level) const;
  QString ValueTitle(const batch::MapRequest& request) const;
  void AskAndSave(const QString& title, const QString& filter, const QString& suffix,
                  std::string (MapWindow::*save)(const std::string&) const);

  batch::ResponseContext context_;
  MoveTrackbars move_;
  std::vector<std::size_t> offered_;  // context axes on the axis lists, in their order
  QComboBox* xAxis_ = nullptr;
  QComboBox* yAxis_ = nullptr;
  QComboBox* series_ = nullptr;
  QComboBox* measure_ = nullptr;
  QComboBox* statistic_ = nullptr;
  QDoubleSpinBox* threshold_ = nullptr;
  QSpinBox* replicates_ = nullptr;
  QCheckBox* samePopulations_ = nullptr;
  QCheckBox* contourOn_ = nullptr;
  QDoubleSpinBox* contour_ = nullptr;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  MapPlot* plot_ = nullptr;
  std::optional<batch::MapRequest> shownRequest_;
  std::optional<batch::MapRequest> computingRequest_;
  std::uint64_t generation_ = 0;
  int levelsShown_ = 0;
  int levelCount_ = 0;
  bool computing_ = false;
  bool filling_ = false;
  // Last: destroyed first, so no computation outlives what it reports to.
  std::unique_ptr<Worker> worker_;
};

}  // namespace map
