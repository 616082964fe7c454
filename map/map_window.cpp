#include "map/map_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "batch/map_refinement.h"
#include "model/result_series.h"
#include "response/close_keys.h"
#include "response/measure_choices.h"
#include "response/picture_files.h"
#include "response/save_dialog.h"
#include "run_description/parameter_relevance.h"
#include "run_description/parameter_table.h"

namespace map {
namespace {

constexpr const char* kTitle = "Corvellan: Map Two Parameters";
constexpr int kDefaultReplicates = 8;
constexpr int kMostReplicates = 1000;
constexpr double kDefaultThreshold = 0.5;
constexpr double kLevelStep = 0.05;
constexpr int kLevelDecimals = 3;
constexpr double kLeastLevel = -1000.0;
constexpr double kMostLevel = 1000.0;
constexpr QSize kPictureSize{760, 560};
constexpr const char* kNoEffect = " (no effect in this setting)";

struct StatisticChoice {
  batch::MapStatistic statistic;
  const char* text;
};
constexpr StatisticChoice kStatistics[] = {
    {batch::MapStatistic::kMedian, "median"},
    {batch::MapStatistic::kWidth, "5\u201395 % width"},
    {batch::MapStatistic::kShareAbove, "share above the threshold"},
};

// Every core: each new setting of the main window stops the map under way.
unsigned Jobs() {
  return std::max(1u, std::thread::hardware_concurrency());
}

bool OnTrackbar(const batch::ResponseAxis& axis) {
  return run::ParameterTable()[axis.parameter].type != run::ValueType::kKind;
}

QString Cells(const batch::MapLevel& level) {
  return QStringLiteral("%1 \u00d7 %2").arg(level.xPositions.size()).arg(level.yPositions.size());
}

}  // namespace

MapWindow::MapWindow(QWidget* parent, MoveTrackbars move)
    : QWidget(parent, Qt::Window), move_(std::move(move)) {
  setWindowTitle(QString::fromUtf8(kTitle));
  BuildControls();
  response::AddCloseKeys(this);
  worker_ = std::make_unique<Worker>(
      [this](const Work& work, const std::atomic<bool>& stop) {
        return batch::ComputeMap(work.request, Jobs(), stop, [&](const batch::MapLevel& level) {
          // The finest level comes back as the result.
          if (level.finest || stop) return;
          QMetaObject::invokeMethod(
              this, [this, generation = work.generation, level] { Accept(generation, level); },
              Qt::QueuedConnection);
        });
      },
      [this](std::uint64_t generation, batch::MapLevel level) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, level = std::move(level)]() mutable {
              Accept(generation, std::move(level));
            },
            Qt::QueuedConnection);
      });
}

MapWindow::~MapWindow() = default;

void MapWindow::BuildControls() {
  xAxis_ = new QComboBox(this);
  yAxis_ = new QComboBox(this);
  series_ = new QComboBox(this);
  for (const char* name : model::kSeriesNames) series_->addItem(QString::fromUtf8(name));
  measure_ = new QComboBox(this);
  for (const response::MeasureChoice& choice : response::kMeasureChoices) {
    measure_->addItem(QString::fromUtf8(choice.text));
  }
  statistic_ = new QComboBox(this);
  for (const StatisticChoice& choice : kStatistics) {
    statistic_->addItem(QString::fromUtf8(choice.text));
  }
  const auto levelBox = [this](double value) {
    auto* box = new QDoubleSpinBox(this);
    box->setRange(kLeastLevel, kMostLevel);
    box->setDecimals(kLevelDecimals);
    box->setSingleStep(kLevelStep);
    box->setValue(value);
    return box;
  };
  threshold_ = levelBox(kDefaultThreshold);
  threshold_->setEnabled(false);
  replicates_ = new QSpinBox(this);
  replicates_->setRange(1, kMostReplicates);
  replicates_->setValue(kDefaultReplicates);
  samePopulations_ = new QCheckBox(tr("Same popu&lations in every cell"), this);
  samePopulations_->setChecked(true);
  samePopulations_->setToolTip(
      tr("Replicate r of every cell runs with the same seed, so that neighbouring cells differ "
         "only by the two parameters (corvellan-run --same-populations)"));
  contourOn_ = new QCheckBox(tr("&Contour at"), this);
  contour_ = levelBox(kDefaultThreshold);
  contour_->setEnabled(false);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  progress_ = new QProgressBar(this);
  progress_->setFormat(tr("%v of %m levels"));
  progress_->setRange(0, 1);
  progress_->setValue(0);
  cancel_ = new QPushButton(tr("C&ancel"), this);
  cancel_->setEnabled(false);
  plot_ = new MapPlot(this);
  plot_->OnPick([this](CellIndex cell) { PickCell(cell); });

  auto* what = new QFormLayout;
  what->addRow(tr("&X parameter:"), xAxis_);
  what->addRow(tr("&Y parameter:"), yAxis_);
  what->addRow(tr("&Series:"), series_);
  what->addRow(tr("&Measure:"), measure_);
  auto* how = new QFormLayout;
  how->addRow(tr("Stat&istic:"), statistic_);
  how->addRow(tr("T&hreshold:"), threshold_);
  how->addRow(tr("&Populations per cell:"), replicates_);
  how->addRow(contourOn_, contour_);
  how->addRow(samePopulations_);
  auto* choices = new QHBoxLayout;
  choices->addLayout(what, 1);
  choices->addLayout(how, 1);

  auto* saveCsv = new QPushButton(tr("Save as CS&V\u2026"), this);
  auto* savePng = new QPushButton(tr("Save as P&NG\u2026"), this);
  auto* saveSvg = new QPushButton(tr("Save as SV&G\u2026"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  buttons->addWidget(progress_);
  buttons->addWidget(cancel_);
  buttons->addWidget(saveCsv);
  buttons->addWidget(savePng);
  buttons->addWidget(saveSvg);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(plot_, 1);
  layout->addLayout(buttons);

  const auto refresh = [this] {
    if (!filling_) Refresh();
  };
  connect(xAxis_, &QComboBox::currentIndexChanged, this, refresh);
  connect(yAxis_, &QComboBox::currentIndexChanged, this, refresh);
  connect(series_, &QComboBox::currentIndexChanged, this, refresh);
  connect(measure_, &QComboBox::currentIndexChanged, this, refresh);
  connect(statistic_, &QComboBox::currentIndexChanged, this, [this, refresh] {
    threshold_->setEnabled(kStatistics[statistic_->currentIndex()].statistic ==
                           batch::MapStatistic::kShareAbove);
    refresh();
  });
  connect(threshold_, &QDoubleSpinBox::valueChanged, this, refresh);
  connect(replicates_, &QSpinBox::valueChanged, this, refresh);
  connect(samePopulations_, &QCheckBox::toggled, this, refresh);
  connect(contourOn_, &QCheckBox::toggled, this, [this, refresh](bool on) {
    contour_->setEnabled(on);
    refresh();
  });
  connect(contour_, &QDoubleSpinBox::valueChanged, this, refresh);
  connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
  connect(saveCsv, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as CSV"), tr("CSV files (*.csv)"), "csv", &MapWindow::SaveCsv);
  });
  connect(savePng, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as PNG"), tr("PNG images (*.png)"), "png", &MapWindow::SavePng);
  });
  connect(saveSvg, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as SVG"), tr("SVG images (*.svg)"), "svg", &MapWindow::SaveSvg);
  });
}

// The trackbar axes of the context, each marked when the model does not read
// it in the main window's setting; indices and choices kept where they can be.
void MapWindow::FillAxes() {
  std::vector<std::size_t> offered;
  for (std::size_t a = 0; a < context_.axes.size(); ++a) {
    if (OnTrackbar(context_.axes[a])) offered.push_back(a);
  }
  filling_ = true;
  const auto textOf = [this](std::size_t a) {
    const batch::ResponseAxis& axis = context_.axes[a];
    QString text = QString::fromStdString(axis.label);
    if (!run::MattersInSetting(run::ParameterTable()[axis.parameter], context_.arguments)) {
      text += tr(kNoEffect);
    }
    return text;
  };
  for (QComboBox* box : {xAxis_, yAxis_}) {
    if (offered == offered_) {
      for (std::size_t i = 0; i < offered.size(); ++i) {
        box->setItemText(static_cast<int>(i), textOf(offered[i]));
      }
      continue;
    }
    box->clear();
    for (const std::size_t a : offered) box->addItem(textOf(a));
  }
  offered_ = std::move(offered);
  filling_ = false;
}

std::vector<std::pair<std::size_t, std::string>> MapWindow::OfferedAxes() const {
  std::vector<std::pair<std::size_t, std::string>> axes;
  for (std::size_t i = 0; i < offered_.size(); ++i) {
    axes.emplace_back(offered_[i], xAxis_->itemText(static_cast<int>(i)).toStdString());
  }
  return axes;
}

void MapWindow::ShowFor(const batch::ResponseContext& context) {
  context_ = context;
  FillAxes();
  if (!offered_.empty()) {
    const auto at = std::find(offered_.begin(), offered_.end(), context_.lastMovedAxis);
    const std::size_t x =
        at != offered_.end() ? static_cast<std::size_t>(at - offered_.begin()) : 0;
    std::size_t y = static_cast<std::size_t>(std::max(0, yAxis_->currentIndex()));
    if (y == x || yAxis_->currentIndex() < 0) y = (x + 1) % offered_.size();
    filling_ = true;
    xAxis_->setCurrentIndex(static_cast<int>(x));
    yAxis_->setCurrentIndex(static_cast<int>(y));
    filling_ = false;
  }
  Refresh();
  show();
  raise();
  activateWindow();
}

void MapWindow::Follow(const batch::ResponseContext& context) {
  context_ = context;
  FillAxes();
  Refresh();
}

void MapWindow::ChooseAxes(std::size_t x, std::size_t y) {
  const auto indexOf = [this](std::size_t axis) {
    const auto at = std::find(offered_.begin(), offered_.end(), axis);
    return at == offered_.end() ? -1 : static_cast<int>(at - offered_.begin());
  };
  filling_ = true;
  xAxis_->setCurrentIndex(indexOf(x));
  filling_ = false;
  yAxis_->setCurrentIndex(indexOf(y));
  Refresh();
}

void MapWindow::ChooseStatistic(batch::MapStatistic statistic) {
  for (int i = 0; i < static_cast<int>(std::size(kStatistics)); ++i) {
    if (kStatistics[i].statistic == statistic) statistic_->setCurrentIndex(i);
  }
}

void MapWindow::ChooseThreshold(double threshold) {
  threshold_->setValue(threshold);
}

void MapWindow::ChooseReplicates(int replicates) {
  replicates_->setValue(replicates);
}

void MapWindow::ChooseSamePopulations(bool same) {
  samePopulations_->setChecked(same);
}

void MapWindow::ChooseContour(std::optional<double> level) {
  filling_ = true;
  if (level) contour_->setValue(*level);
  filling_ = false;
  contourOn_->setChecked(level.has_value());
  Refresh();
}

std::optional<batch::MapRequest> MapWindow::RequestNow() const {
  const int x = xAxis_->currentIndex();
  const int y = yAxis_->currentIndex();
  if (x < 0 || y < 0 || x == y) return std::nullopt;
  batch::MapRequest request;
  request.arguments = context_.arguments;
  request.seed = context_.seed;
  request.x = context_.axes.at(offered_.at(static_cast<std::size_t>(x)));
  request.y = context_.axes.at(offered_.at(static_cast<std::size_t>(y)));
  request.series = series_->currentIndex();
  request.measure =
      response::kMeasureChoices[static_cast<std::size_t>(measure_->currentIndex())].measure;
  request.statistic = kStatistics[static_cast<std::size_t>(statistic_->currentIndex())].statistic;
  request.threshold = threshold_->value();
  request.replicates = static_cast<std::uint64_t>(replicates_->value());
  request.samePopulations = samePopulations_->isChecked();
  return request;
}

// A new map only when its runs differ from the one computing or shown whole;
// otherwise the marker, the statistic and the contour follow at once.
void MapWindow::Refresh() {
  const std::optional<batch::MapRequest> request = RequestNow();
  if (!request) {
    status_->setText(tr("Choose two different parameters."));
    return;
  }
  if (computing_ && computingRequest_ && batch::SameMapRuns(*computingRequest_, *request)) {
    computingRequest_ = request;
    UpdateMarkerAndStatistic(*request);
    return;
  }
  const bool shownWhole = !plot_->Data().level.cells.empty() && plot_->Data().level.finest;
  if (!computing_ && shownWhole && shownRequest_ && batch::SameMapRuns(*shownRequest_, *request)) {
    UpdateMarkerAndStatistic(*request);
    return;
  }
  Compute(*request);
}

void MapWindow::Compute(const batch::MapRequest& request) {
  ++generation_;
  computing_ = true;
  computingRequest_ = request;
  levelsShown_ = 0;
  levelCount_ = static_cast<int>(
      batch::RefinementLevels(request.x.values.size(), request.y.values.size()).size());
  progress_->setRange(0, levelCount_);
  progress_->setValue(0);
  cancel_->setEnabled(true);
  status_->setText(tr("Computing the map of %1 \u00d7 %2 positions\u2026")
                       .arg(request.x.values.size())
                       .arg(request.y.values.size()));
  if (!plot_->Data().level.cells.empty()) {
    MapPlotData faded = plot_->Data();
    faded.faded = true;
    faded.note = tr("Computing a new map\u2026");
    plot_->SetData(std::move(faded));
  }
  worker_->Request({request, generation_}, generation_);
}

void MapWindow::Accept(std::uint64_t generation, batch::MapLevel level) {
  if (generation != generation_ || !computingRequest_) return;
  ++levelsShown_;
  progress_->setValue(levelsShown_);
  const batch::MapRequest request = *computingRequest_;
  if (level.finest) {
    computing_ = false;
    cancel_->setEnabled(false);
    computingRequest_.reset();
  }
  const QString cells = Cells(level);
  status_->setText(level.finest
                       ? tr("%1 cells, %2 populations each").arg(cells).arg(request.replicates)
                       : tr("%1 cells so far; refining\u2026").arg(cells));
  ShowLevel(request, std::move(level), false);
}

void MapWindow::ShowLevel(const batch::MapRequest& request, batch::MapLevel level, bool faded) {
  MapPlotData plotData = PlotOf(request, std::move(level));
  plotData.faded = faded;
  plot_->SetData(std::move(plotData));
  shownRequest_ = request;
}

void MapWindow::UpdateMarkerAndStatistic(const batch::MapRequest& request) {
  MapPlotData plotData = plot_->Data();
  if (plotData.level.cells.empty()) return;
  plotData.xCurrent = request.x.current;
  plotData.yCurrent = request.y.current;
  plotData.statistic = request.statistic;
  plotData.valueTitle = ValueTitle(request);
  plotData.contour =
      contourOn_->isChecked() ? std::optional<double>(contour_->value()) : std::nullopt;
  plot_->SetData(std::move(plotData));
  if (shownRequest_) {
    shownRequest_->statistic = request.statistic;
    shownRequest_->x.current = request.x.current;
    shownRequest_->y.current = request.y.current;
  }
}

QString MapWindow::ValueTitle(const batch::MapRequest& request) const {
  const QString measure =
      QString::fromUtf8(model::kSeriesNames[request.series]) + QStringLiteral(", ") +
      QString::fromUtf8(
          response::kMeasureChoices[static_cast<std::size_t>(measure_->currentIndex())].text);
  switch (request.statistic) {
    case batch::MapStatistic::kMedian:
      return tr("median of %1").arg(measure);
    case batch::MapStatistic::kWidth:
      return tr("5\u201395 % width of %1").arg(measure);
    case batch::MapStatistic::kShareAbove:
      return tr("share above %1 of %2").arg(QString::number(request.threshold, 'g', 6), measure);
  }
  return measure;
}

MapPlotData MapWindow::PlotOf(const batch::MapRequest& request, batch::MapLevel level) const {
  MapPlotData plotData;
  plotData.level = std::move(level);
  plotData.statistic = request.statistic;
  plotData.threshold = request.threshold;
  plotData.replicates = request.replicates;
  plotData.xValues = request.x.values;
  plotData.yValues = request.y.values;
  plotData.xTitle = QString::fromStdString(request.x.label);
  plotData.yTitle = QString::fromStdString(request.y.label);
  plotData.valueTitle = ValueTitle(request);
  plotData.xCurrent = request.x.current;
  plotData.yCurrent = request.y.current;
  if (contourOn_->isChecked()) plotData.contour = contour_->value();
  return plotData;
}

void MapWindow::Cancel() {
  if (!computing_) return;
  worker_->Cancel();
  ++generation_;
  computing_ = false;
  computingRequest_.reset();
  cancel_->setEnabled(false);
  MapPlotData plotData = plot_->Data();
  plotData.faded = false;
  plotData.note.clear();
  const bool any = !plotData.level.cells.empty();
  plot_->SetData(std::move(plotData));
  status_->setText(
      any ? tr("Stopped; the last whole level, %1 cells, is shown.").arg(Cells(plot_->Data().level))
          : tr("Stopped before the first level."));
}

void MapWindow::PickCell(CellIndex cell) {
  const MapPlotData& plotData = plot_->Data();
  if (!shownRequest_ || !move_ || cell.x >= plotData.level.xPositions.size() ||
      cell.y >= plotData.level.yPositions.size()) {
    return;
  }
  const auto axisOf = [this](std::size_t parameter) {
    for (std::size_t a = 0; a < context_.axes.size(); ++a) {
      if (context_.axes[a].parameter == parameter) return a;
    }
    return context_.axes.size();
  };
  const std::size_t x = axisOf(shownRequest_->x.parameter);
  const std::size_t y = axisOf(shownRequest_->y.parameter);
  if (x == context_.axes.size() || y == context_.axes.size()) return;
  move_({{x, plotData.level.xPositions[cell.x]}, {y, plotData.level.yPositions[cell.y]}});
}

const MapPlotData& MapWindow::Plot() const {
  return plot_->Data();
}

std::string MapWindow::SaveCsv(const std::string& path) const {
  if (!shownRequest_ || Plot().level.cells.empty()) return "nothing is computed yet";
  return response::WriteSavedFile(path, batch::MapCsv(*shownRequest_, Plot().level));
}

std::string MapWindow::SavePng(const std::string& path) const {
  const std::string bytes = response::PngBytes(
      kPictureSize, font(),
      [this](QPainter& painter, QSize size) { PaintMap(painter, size, Plot()); });
  if (bytes.empty()) return "the image could not be made";
  return response::WriteSavedFile(path, bytes);
}

std::string MapWindow::SaveSvg(const std::string& path) const {
  return response::WriteSavedFile(
      path, response::SvgBytes(
                kPictureSize, font(), QString::fromUtf8(kTitle),
                [this](QPainter& painter, QSize size) { PaintMap(painter, size, Plot()); }));
}

void MapWindow::AskAndSave(const QString& title, const QString& filter, const QString& suffix,
                           std::string (MapWindow::*save)(const std::string&) const) {
  response::AskAndSave(*this, QString::fromUtf8(kTitle),
                       {title, filter, QStringLiteral("corvellan-map.") + suffix, suffix},
                       [this, save](const std::string& path) { return (this->*save)(path); });
}

}  // namespace map
