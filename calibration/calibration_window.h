#pragma once

#include <QWidget>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "abc/abc_smc.h"
#include "abc/fit_table.h"
#include "batch/response_sweep.h"
#include "calibration/fit_job.h"
#include "calibration/posterior_plot.h"
#include "run_description/observed_data.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace calibration {

// The window that fits the main window's model to observed data: load the
// data (a file dialog or a drop), tick up to six trackbar parameters and set
// their priors, run the fit with progress and cancel, see the posterior
// (histograms, pairs, medians and 90 % credible intervals), move the main
// window's trackbars to the posterior medians, and save the particles (CSV)
// and the plot (PNG, SVG). Every other setting is the main window's.
class CalibrationWindow : public QWidget {
 public:
  // Each pair is an axis of the context (its index in context.axes) and a
  // position on it (an index into that axis's values).
  using MoveTrackbars = std::function<void(std::vector<std::pair<std::size_t, std::size_t>>)>;

  explicit CalibrationWindow(QWidget* parent = nullptr, MoveTrackbars moveTrackbars = {});
  ~CalibrationWindow() override;
  CalibrationWindow(const CalibrationWindow&) = delete;
  CalibrationWindow& operator=(const CalibrationWindow&) = delete;

  void ShowFor(const batch::ResponseContext& context);
  // The main window has new settings: the next fit uses them.
  void Follow(const batch::ResponseContext& context);

  // What the controls do, for the buttons and for tests; each returns an
  // empty string or why it could not.
  std::string LoadObserved(const std::string& path);
  // Ticks the parameter of the row shown for it, with a prior (empty texts
  // keep the trackbar's range).
  void ChooseParameter(std::string_view name, bool fitted, const QString& low = {},
                       const QString& high = {});
  void SetParticles(int particles);
  void SetBudget(int budget);
  std::string StartFit();
  void CancelFit();
  // Moves the main window's trackbars to the posterior medians.
  std::string ShowInMainWindow();

  bool Fitting() const { return fitting_; }
  const std::optional<abc::FitResult>& Result() const { return result_; }
  const std::optional<abc::FitRequest>& ResultRequest() const { return resultRequest_; }
  QString Status() const;

  std::string SaveParticles(const std::string& path) const;
  std::string SavePng(const std::string& path) const;
  std::string SaveSvg(const std::string& path) const;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildControls();
  void FillParameters();
  void UpdateButtons();
  std::string ReadRequest(abc::FitRequest& request) const;
  void Progress(std::uint64_t runs);
  void PopulationDone(std::size_t index, double tolerance, double acceptance);
  void Finish(abc::FitResult result);
  void ShowResult();
  void AskAndSave(const QString& title, const QString& filter, const QString& suffix,
                  std::string (CalibrationWindow::*save)(const std::string&) const);
  void AskAndLoad();

  MoveTrackbars moveTrackbars_;
  batch::ResponseContext context_;
  std::vector<std::size_t> rowAxes_;  // the context's axis of each row of the table
  std::optional<run::ObservedData> observed_;
  std::string observedPath_;
  QLabel* observedLabel_ = nullptr;
  QTableWidget* parameters_ = nullptr;
  QSpinBox* particles_ = nullptr;
  QSpinBox* budget_ = nullptr;
  QPushButton* run_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* showInMain_ = nullptr;
  QPushButton* saveParticles_ = nullptr;
  QPushButton* savePng_ = nullptr;
  QPushButton* saveSvg_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QTableWidget* summary_ = nullptr;
  PosteriorPlot* plot_ = nullptr;
  bool fitting_ = false;
  std::optional<abc::FitRequest> runningRequest_;
  std::optional<abc::FitRequest> resultRequest_;
  std::optional<abc::FitResult> result_;
  // Last: destroyed first, so no fit outlives what it reports to.
  std::unique_ptr<FitJob> job_;
};

}  // namespace calibration
