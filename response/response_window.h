#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch/latest_request_worker.h"
#include "batch/response_sweep.h"
#include "response/response_plot.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace response {

// The parameter response window: one parameter of the main window over every
// position of its trackbar (or every kind of a distribution), a measure of one
// series at each, its median and 5-95 % band over replicates, and where the
// main window stands. It follows the main window: every change there starts a
// new computation off this thread, which supersedes any still under way; the
// old curve stays on show, faded, with the progress, until the new one comes.
class ResponseWindow : public QWidget {
 public:
  explicit ResponseWindow(QWidget* parent = nullptr);
  ~ResponseWindow() override;
  ResponseWindow(const ResponseWindow&) = delete;
  ResponseWindow& operator=(const ResponseWindow&) = delete;

  // Shows the window for the main window's state, on its last moved parameter.
  void ShowFor(const batch::ResponseContext& context);
  // The main window has a new run: computes again for it.
  void Follow(const batch::ResponseContext& context);

  // Choices, as the window's controls make them.
  void ChooseParameter(std::size_t axis);
  void ChooseMeasure(batch::ResponseMeasure measure);
  void ChooseReplicates(int replicates);
  void ChooseSamePopulations(bool same);
  // The parameter list's texts, a parameter the model does not read now marked.
  std::vector<std::string> OfferedParameters() const;
  // Stops the computation under way; the last curve stays on show.
  void Cancel();

  // What is on show: the request it answers and its points; empty while the
  // first computation runs.
  const std::optional<batch::ResponseRequest>& ShownRequest() const { return shownRequest_; }
  const PlotData& Plot() const;
  bool Computing() const { return computing_; }

  // The files of the buttons; each returns an empty string or why it failed.
  std::string SaveCsv(const std::string& path) const;
  std::string SavePng(const std::string& path) const;
  std::string SaveSvg(const std::string& path) const;

 private:
  struct Work {
    batch::ResponseRequest request;
    std::uint64_t generation = 0;
  };
  using Worker = batch::LatestRequestWorker<Work, std::vector<batch::ResponsePoint>>;

  void BuildControls();
  void ShowProgress(std::uint64_t generation, std::uint64_t runsDone);
  void Fade(bool faded);
  void FillParameters();
  batch::ResponseRequest RequestNow() const;
  void Compute();
  void Accept(std::uint64_t generation, std::vector<batch::ResponsePoint> points);
  PlotData PlotOf(const batch::ResponseRequest& request,
                  std::vector<batch::ResponsePoint> points) const;
  void AskAndSave(const QString& title, const QString& filter, const QString& suffix,
                  std::string (ResponseWindow::*save)(const std::string&) const);

  batch::ResponseContext context_;
  QComboBox* parameter_ = nullptr;
  QComboBox* series_ = nullptr;
  QComboBox* measure_ = nullptr;
  QSpinBox* replicates_ = nullptr;
  QCheckBox* samePopulations_ = nullptr;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  ResponsePlot* plot_ = nullptr;
  std::optional<batch::ResponseRequest> shownRequest_;
  std::uint64_t generation_ = 0;
  bool computing_ = false;
  bool filling_ = false;
  // Last: destroyed first, so no computation outlives what it reports to.
  std::unique_ptr<Worker> worker_;
};

}  // namespace response
