#pragma once

#include <QWidget>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch/latest_request_worker.h"
#include "batch/morris_design.h"
#include "batch/response_sweep.h"
#include "batch/sensitivity_plan.h"
#include "batch/sobol_indices.h"
#include "sensitivity/sensitivity_chart.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace sensitivity {

// Which trackbar parameters drive a measure of one series, for the main
// window's distribution kinds and Sanctions: Morris's screening (computed by
// itself whenever the kinds, Sanctions or the measure change) as a mu*-sigma
// plot, and Sobol's indices on demand, with progress and cancel, as bars
// sorted by total index with the draw's share apart. Clicking a factor (or
// choosing it and pressing Explore) asks the main window to explore it.
class SensitivityWindow : public QWidget {
 public:
  // Called with the index in the context's axes of the factor to explore.
  using ExploreFactor = std::function<void(std::size_t axis)>;

  explicit SensitivityWindow(QWidget* parent = nullptr, ExploreFactor explore = {});
  ~SensitivityWindow() override;
  SensitivityWindow(const SensitivityWindow&) = delete;
  SensitivityWindow& operator=(const SensitivityWindow&) = delete;

  void ShowFor(const batch::ResponseContext& context);
  void Follow(const batch::ResponseContext& context);

  // Choices, as the window's controls make them.
  void ChooseSeries(int series);
  void ChooseLateMean(bool lateMean);
  void ChooseBaseRows(int rows);
  void StartSobol();
  void CancelSobol();
  void ExploreChosen();

  bool MorrisComputing() const { return morrisComputing_; }
  bool SobolComputing() const { return sobolComputing_; }
  std::uint64_t MorrisComputations() const { return morrisGeneration_; }
  const std::optional<batch::SensitivityPlan>& ShownMorrisPlan() const { return morrisPlan_; }
  const std::optional<batch::SensitivityPlan>& ShownSobolPlan() const { return sobolPlan_; }
  const MorrisChartData& Morris() const;
  const SobolChartData& Sobol() const;
  bool SobolOutOfDate() const { return sobolOutOfDate_; }

  // The files of the buttons, of the tab on show; each returns an empty
  // string or why it failed.
  std::string SaveCsv(const std::string& path) const;
  std::string SavePng(const std::string& path) const;
  std::string SaveSvg(const std::string& path) const;
  void ShowSobolTab(bool sobol);

 private:
  using MorrisWorker =
      batch::LatestRequestWorker<batch::SensitivityPlan, std::vector<batch::MorrisEffect>>;
  using SobolWorker =
      batch::LatestRequestWorker<batch::SensitivityPlan, std::vector<batch::SobolIndex>>;

  void BuildControls();
  void BuildWorkers();
  batch::SensitivityPlan PlanNow(batch::SensitivityMethod method) const;
  void ComputeMorris();
  void AcceptMorris(std::uint64_t generation, std::vector<batch::MorrisEffect> effects);
  void AcceptSobol(std::uint64_t generation, std::vector<batch::SobolIndex> indices);
  void FillExploreChoices();
  void ExploreFactorAt(std::size_t factor);
  QString MeasureTitle(const batch::SensitivityPlan& plan) const;
  void AskAndSave(const QString& title, const QString& filter, const QString& suffix,
                  std::string (SensitivityWindow::*save)(const std::string&) const);
  bool ShowsSobol() const;
  QSize InitialSize() const;
  QSize SobolPictureSize() const;

  ExploreFactor explore_;
  batch::ResponseContext context_;
  bool haveContext_ = false;
  QComboBox* series_ = nullptr;
  QComboBox* measure_ = nullptr;
  QSpinBox* baseRows_ = nullptr;
  QPushButton* runSobol_ = nullptr;
  QPushButton* cancelSobol_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QComboBox* exploreChoice_ = nullptr;
  QLabel* status_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  MorrisChart* morrisChart_ = nullptr;
  SobolChart* sobolChart_ = nullptr;
  QTimer* progressTimer_ = nullptr;
  // What the computations under way were asked, and what is on show.
  batch::SensitivityPlan requestedMorris_;
  batch::SensitivityPlan requestedSobol_;
  std::optional<batch::SensitivityPlan> morrisPlan_;
  std::optional<batch::SensitivityPlan> sobolPlan_;
  std::vector<batch::MorrisEffect> morrisEffects_;
  std::vector<batch::SobolIndex> sobolIndices_;
  std::uint64_t morrisGeneration_ = 0;
  std::uint64_t sobolGeneration_ = 0;
  bool morrisComputing_ = false;
  bool sobolComputing_ = false;
  bool sobolOutOfDate_ = false;
  std::atomic<std::uint64_t> sobolRunsDone_{0};
  // Last: destroyed first, so no computation outlives what it reports to.
  std::unique_ptr<MorrisWorker> morrisWorker_;
  std::unique_ptr<SobolWorker> sobolWorker_;
};

}  // namespace sensitivity
