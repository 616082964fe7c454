#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "batch/population_record.h"
#include "batch/response_sweep.h"
#include "population/population_view.h"

class QLabel;
class QSlider;

namespace population {

// The agents of the main window's run: their attributes as drawn, their
// propensities over the steps and one step's propensities by decision, chosen
// with a slider. It follows the main window: each of its runs is recorded
// again while the window is shown; while it is hidden nothing is recorded.
class PopulationWindow : public QWidget {
 public:
  explicit PopulationWindow(QWidget* parent = nullptr);
  PopulationWindow(const PopulationWindow&) = delete;
  PopulationWindow& operator=(const PopulationWindow&) = delete;

  // Shows the window for the main window's run.
  void ShowFor(const batch::ResponseContext& context);
  // The main window has a new run.
  void Follow(const batch::ResponseContext& context);

  // The step shown, as the slider chooses it.
  void ChooseStep(int step);
  int Step() const;

  // The record on show; null before the first or when the run failed.
  const batch::PopulationRecord* Record() const { return record_; }
  const PopulationPicture& Picture() const { return view_->Picture(); }
  const PopulationView& View() const { return *view_; }
  QString StatusText() const;
  // How many runs the window has recorded.
  int Recordings() const { return recordings_; }

  // The files of the buttons; each returns an empty string or why it failed.
  std::string SaveCsv(const std::string& path) const;
  std::string SavePng(const std::string& path) const;
  std::string SaveSvg(const std::string& path) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void AddClosingKeys();
  void RecordRun();
  void ShowStep();
  PopulationPicture PictureOfRecord() const;
  QSize PictureSize() const;
  void AskAndSave(const QString& title, const QString& filter, const QString& suffix,
                  std::string (PopulationWindow::*save)(const std::string&) const);

  batch::ResponseContext context_;
  bool haveContext_ = false;
  bool stale_ = false;
  int recordings_ = 0;
  batch::PopulationRecorder recorder_;
  const batch::PopulationRecord* record_ = nullptr;
  std::optional<std::string> failure_;
  PopulationPicture recordPicture_;  // everything but the step
  PopulationView* view_ = nullptr;
  QSlider* slider_ = nullptr;
  QLabel* stepValue_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace population
