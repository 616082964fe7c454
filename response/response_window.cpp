#include "response/response_window.h"

#include <QCheckBox>
#include <QComboBox>
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

#include "model/distribution_kind.h"
#include "model/result_series.h"
#include "response/close_keys.h"
#include "response/measure_choices.h"
#include "response/picture_files.h"
#include "response/save_dialog.h"
#include "run_description/parameter_relevance.h"
#include "run_description/parameter_table.h"

namespace response {
namespace {

constexpr const char* kTitle = "Corvellan: Parameter Response";
constexpr int kDefaultReplicates = 16;
constexpr int kMostReplicates = 1000;
constexpr QSize kPictureSize{720, 440};
constexpr const char* kNoEffect = " (no effect in this setting)";

constexpr const auto& kMeasures = kMeasureChoices;

// Every core: the window's own computations are short, and each new setting
// of the main window stops the one under way.
unsigned Jobs() {
  return std::max(1u, std::thread::hardware_concurrency());
}

std::string ToStd(const QString& text) {
  return text.toStdString();
}

}  // namespace

ResponseWindow::ResponseWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QString::fromUtf8(kTitle));
  BuildControls();
  worker_ = std::make_unique<Worker>(
      [this](const Work& work, const std::atomic<bool>& stop) {
        return batch::ComputeResponse(
            work.request, Jobs(), stop, [this, generation = work.generation](std::uint64_t done) {
              QMetaObject::invokeMethod(
                  this, [this, generation, done] { ShowProgress(generation, done); },
                  Qt::QueuedConnection);
            });
      },
      [this](std::uint64_t generation, std::vector<batch::ResponsePoint> points) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, points = std::move(points)]() mutable {
              Accept(generation, std::move(points));
            },
            Qt::QueuedConnection);
      });
}

ResponseWindow::~ResponseWindow() = default;

void ResponseWindow::BuildControls() {
  parameter_ = new QComboBox(this);
  series_ = new QComboBox(this);
  for (const char* name : model::kSeriesNames) series_->addItem(QString::fromUtf8(name));
  measure_ = new QComboBox(this);
  for (const MeasureChoice& choice : kMeasures) measure_->addItem(QString::fromUtf8(choice.text));
  replicates_ = new QSpinBox(this);
  replicates_->setRange(1, kMostReplicates);
  replicates_->setValue(kDefaultReplicates);
  samePopulations_ = new QCheckBox(tr("Same popu&lations at every value"), this);
  samePopulations_->setChecked(true);
  samePopulations_->setToolTip(
      tr("Replicate r of every value runs with the same seed, so that neighbouring values differ "
         "only by the parameter (corvellan-run --same-populations)"));
  status_ = new QLabel(this);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  cancel_ = new QPushButton(tr("C&ancel"), this);
  cancel_->setEnabled(false);
  plot_ = new ResponsePlot(this);

  auto* choices = new QFormLayout;
  choices->addRow(tr("&Parameter:"), parameter_);
  choices->addRow(tr("&Series:"), series_);
  choices->addRow(tr("&Measure:"), measure_);
  choices->addRow(tr("&Replicates:"), replicates_);
  choices->addRow(samePopulations_);

  auto* saveCsv = new QPushButton(tr("Save as &CSV\u2026"), this);
  auto* savePng = new QPushButton(tr("Save as P&NG\u2026"), this);
  auto* saveSvg = new QPushButton(tr("Save as S&VG\u2026"), this);
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

  const auto recompute = [this] {
    if (!filling_) Compute();
  };
  connect(parameter_, &QComboBox::currentIndexChanged, this, recompute);
  connect(series_, &QComboBox::currentIndexChanged, this, recompute);
  connect(measure_, &QComboBox::currentIndexChanged, this, recompute);
  connect(replicates_, &QSpinBox::valueChanged, this, recompute);
  connect(samePopulations_, &QCheckBox::toggled, this, recompute);
  connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
  AddCloseKeys(this);
  connect(saveCsv, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as CSV"), tr("CSV files (*.csv)"), "csv", &ResponseWindow::SaveCsv);
  });
  connect(savePng, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as PNG"), tr("PNG images (*.png)"), "png", &ResponseWindow::SavePng);
  });
  connect(saveSvg, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as SVG"), tr("SVG images (*.svg)"), "svg", &ResponseWindow::SaveSvg);
  });
}

// Every axis of the context, those the model does not read in the main
// window's setting marked; the choice is kept.
void ResponseWindow::FillParameters() {
  filling_ = true;
  const int chosen = parameter_->currentIndex();
  const auto textOf = [this](const batch::ResponseAxis& axis) {
    QString text = QString::fromStdString(axis.label);
    if (!run::MattersInSetting(run::ParameterTable()[axis.parameter], context_.arguments)) {
      text += tr(kNoEffect);
    }
    return text;
  };
  if (parameter_->count() != static_cast<int>(context_.axes.size())) {
    parameter_->clear();
    for (const batch::ResponseAxis& axis : context_.axes) parameter_->addItem(textOf(axis));
    parameter_->setCurrentIndex(chosen >= 0 && chosen < parameter_->count() ? chosen : 0);
  } else {
    for (std::size_t a = 0; a < context_.axes.size(); ++a) {
      parameter_->setItemText(static_cast<int>(a), textOf(context_.axes[a]));
    }
  }
  filling_ = false;
}

std::vector<std::string> ResponseWindow::OfferedParameters() const {
  std::vector<std::string> texts;
  for (int i = 0; i < parameter_->count(); ++i) texts.push_back(ToStd(parameter_->itemText(i)));
  return texts;
}

void ResponseWindow::ShowFor(const batch::ResponseContext& context) {
  context_ = context;
  FillParameters();
  filling_ = true;
  parameter_->setCurrentIndex(static_cast<int>(context_.lastMovedAxis));
  filling_ = false;
  Compute();
  show();
  raise();
  activateWindow();
}

void ResponseWindow::Follow(const batch::ResponseContext& context) {
  context_ = context;
  FillParameters();
  Compute();
}

void ResponseWindow::ChooseParameter(std::size_t axis) {
  parameter_->setCurrentIndex(static_cast<int>(axis));
}

void ResponseWindow::ChooseMeasure(batch::ResponseMeasure measure) {
  for (int i = 0; i < static_cast<int>(std::size(kMeasures)); ++i) {
    if (kMeasures[i].measure == measure) measure_->setCurrentIndex(i);
  }
}

void ResponseWindow::ChooseReplicates(int replicates) {
  replicates_->setValue(replicates);
}

void ResponseWindow::ChooseSamePopulations(bool same) {
  samePopulations_->setChecked(same);
}

batch::ResponseRequest ResponseWindow::RequestNow() const {
  batch::ResponseRequest request;
  request.arguments = context_.arguments;
  request.seed = context_.seed;
  const auto axis = static_cast<std::size_t>(std::max(0, parameter_->currentIndex()));
  request.axis = context_.axes.at(axis);
  request.series = series_->currentIndex();
  request.measure = kMeasures[static_cast<std::size_t>(measure_->currentIndex())].measure;
  request.replicates = static_cast<std::uint64_t>(replicates_->value());
  request.samePopulations = samePopulations_->isChecked();
  return request;
}

void ResponseWindow::Compute() {
  if (context_.axes.empty()) return;
  ++generation_;
  computing_ = true;
  const batch::ResponseRequest request = RequestNow();
  status_->setText(tr("Computing\u2026"));
  progress_->setRange(0, static_cast<int>(request.axis.values.size() * request.replicates));
  progress_->setValue(0);
  cancel_->setEnabled(true);
  Fade(true);
  worker_->Request({request, generation_}, generation_);
}

void ResponseWindow::ShowProgress(std::uint64_t generation, std::uint64_t runsDone) {
  if (generation != generation_ || !computing_) return;
  progress_->setValue(static_cast<int>(runsDone));
  Fade(true);
}

// The shown curve and its marker, faded with the progress while a newer one
// is computed.
void ResponseWindow::Fade(bool faded) {
  if (plot_->Data().points.empty()) return;
  PlotData shown = plot_->Data();
  shown.faded = faded;
  shown.note =
      faded ? tr("Computing %1 of %2 runs\u2026").arg(progress_->value()).arg(progress_->maximum())
            : QString();
  plot_->SetData(std::move(shown));
}

void ResponseWindow::Cancel() {
  if (!computing_) return;
  worker_->Cancel();
  ++generation_;
  computing_ = false;
  cancel_->setEnabled(false);
  Fade(false);
  status_->setText(shownRequest_ ? tr("Stopped; the last curve is shown.")
                                 : tr("Stopped before the first curve."));
}

// Only the newest request's points are shown; the request is made again from
// the controls, which are what that generation asked for.
void ResponseWindow::Accept(std::uint64_t generation, std::vector<batch::ResponsePoint> points) {
  if (generation != generation_) return;
  computing_ = false;
  cancel_->setEnabled(false);
  progress_->setValue(progress_->maximum());
  const batch::ResponseRequest request = RequestNow();
  status_->setText(tr("%1 replicates at each of %2 values")
                       .arg(request.replicates)
                       .arg(request.axis.values.size()));
  plot_->SetData(PlotOf(request, std::move(points)));
  shownRequest_ = request;
}

PlotData ResponseWindow::PlotOf(const batch::ResponseRequest& request,
                                std::vector<batch::ResponsePoint> points) const {
  PlotData plot;
  plot.points = std::move(points);
  plot.xTitle = QString::fromStdString(request.axis.label);
  plot.yTitle =
      QString::fromUtf8(model::kSeriesNames[request.series]) + QStringLiteral(", ") +
      QString::fromUtf8(kMeasures[static_cast<std::size_t>(measure_->currentIndex())].text);
  const auto& rgb = context_.seriesColours[static_cast<std::size_t>(request.series)];
  plot.colour = QColor(rgb[0], rgb[1], rgb[2]);
  plot.current = request.axis.current;
  const run::ParameterRow& parameter = run::ParameterTable()[request.axis.parameter];
  if (parameter.type == run::ValueType::kKind) {
    for (const std::string_view name : model::kDistributionKindNames) {
      plot.xNames.push_back(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
  }
  return plot;
}

const PlotData& ResponseWindow::Plot() const {
  return plot_->Data();
}

std::string ResponseWindow::SaveCsv(const std::string& path) const {
  if (!shownRequest_) return "nothing is computed yet";
  return WriteSavedFile(path, batch::ResponseCsv(*shownRequest_, Plot().points));
}

std::string ResponseWindow::SavePng(const std::string& path) const {
  const std::string bytes = PngBytes(kPictureSize, font(), [this](QPainter& painter, QSize size) {
    PaintResponse(painter, size, Plot());
  });
  if (bytes.empty()) return "the image could not be made";
  return WriteSavedFile(path, bytes);
}

std::string ResponseWindow::SaveSvg(const std::string& path) const {
  return WriteSavedFile(path, SvgBytes(kPictureSize, font(), QString::fromUtf8(kTitle),
                                       [this](QPainter& painter, QSize size) {
                                         PaintResponse(painter, size, Plot());
                                       }));
}

void ResponseWindow::AskAndSave(const QString& title, const QString& filter, const QString& suffix,
                                std::string (ResponseWindow::*save)(const std::string&) const) {
  response::AskAndSave(*this, QString::fromUtf8(kTitle),
                       {title, filter, QStringLiteral("corvellan-response.") + suffix, suffix},
                       [this, save](const std::string& path) { return (this->*save)(path); });
}

}  // namespace response
