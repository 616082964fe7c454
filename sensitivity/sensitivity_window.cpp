#include "sensitivity/sensitivity_window.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "batch/sensitivity_analysis.h"
#include "batch/sensitivity_output.h"
#include "model/result_series.h"
#include "output/output_file.h"
#include "response/save_dialog.h"
#include "run_description/parameter_table.h"

namespace sensitivity {
namespace {

constexpr const char* kTitle = "Corvellan: Sensitivity";
constexpr int kDefaultBaseRows = 1024;
constexpr int kFewestBaseRows = 16;
constexpr int kMostBaseRows = 1 << 16;
constexpr int kLateFirstStep = 81;
constexpr int kLastStep = model::kStepCount - 1;
constexpr int kProgressSteps = 1000;
constexpr int kProgressIntervalMs = 100;
constexpr QSize kMorrisPictureSize{720, 520};
constexpr int kSobolTab = 1;
// The window opens tall enough for about this many factor rows, in lines of text.
constexpr int kInitialLines = 40;
constexpr int kInitialColumns = 70;

unsigned Jobs() {
  return std::max(1u, std::thread::hardware_concurrency());
}

std::string WriteFile(const std::string& path, const std::string& bytes) {
  // Never a FIFO or a device: the window must not wait for a reader.
  const output::WriteResult written = output::WriteWholeFile(
      path, bytes, output::OutputFile::Existing::kReplace, output::OutputFile::NotRegular::kRefuse);
  return written.Written() ? std::string() : written.reason;
}

QString PanelName(const batch::Factor& factor) {
  const std::string_view name = run::ParameterTable()[factor.parameter].panel.name;
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// What Morris's screening depends on besides the measure: the trackbars'
// positions do not matter, since every factor spans its whole range.
bool SameFixedContext(const model::RunArguments& a, const model::RunArguments& b) {
  return a.distR == b.distR && a.distI == b.distI && a.distT == b.distT && a.distE == b.distE &&
         a.distRPrime == b.distRPrime && a.sanctionsOn == b.sanctionsOn &&
         a.agentCount == b.agentCount && a.slopeM == b.slopeM;
}

template <typename Paint, typename Data>
std::string PngOf(const std::string& path, QSize size, Paint paint, const Data& data,
                  const QFont& font) {
  QImage image(size, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    painter.setFont(font);
    paint(painter, size, data);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return "the image could not be made";
  return WriteFile(path, bytes.toStdString());
}

template <typename Paint, typename Data>
std::string SvgOf(const std::string& path, QSize size, Paint paint, const Data& data,
                  const QFont& font) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(QString::fromUtf8(kTitle));
  {
    QPainter painter(&generator);
    painter.setFont(font);
    paint(painter, size, data);
  }
  return WriteFile(path, bytes.toStdString());
}

}  // namespace

SensitivityWindow::SensitivityWindow(QWidget* parent, ExploreFactor explore)
    : QWidget(parent, Qt::Window), explore_(std::move(explore)) {
  setWindowTitle(QString::fromUtf8(kTitle));
  BuildControls();
  BuildWorkers();
}

SensitivityWindow::~SensitivityWindow() = default;

void SensitivityWindow::BuildWorkers() {
  morrisWorker_ = std::make_unique<MorrisWorker>(
      [](const batch::SensitivityPlan& plan,
         const std::atomic<bool>& stop) -> std::optional<std::vector<batch::MorrisEffect>> {
        const batch::MorrisModelDesign design(plan.context, plan.morris);
        batch::EngineSettings engine;
        engine.jobs = Jobs();
        batch::MorrisAnalysis analysis = batch::AnalyseMorris(design, plan.measure, engine, stop);
        if (analysis.outcome.end != batch::DesignEnd::kComplete) return std::nullopt;
        return std::move(analysis.effects);
      },
      [this](std::uint64_t generation, std::vector<batch::MorrisEffect> effects) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, effects = std::move(effects)]() mutable {
              AcceptMorris(generation, std::move(effects));
            },
            Qt::QueuedConnection);
      });
  sobolWorker_ = std::make_unique<SobolWorker>(
      [this](const batch::SensitivityPlan& plan,
             const std::atomic<bool>& stop) -> std::optional<std::vector<batch::SobolIndex>> {
        const batch::SobolModelDesign design(plan.context, plan.baseRows);
        batch::EngineSettings engine;
        engine.jobs = Jobs();
        engine.progress = [this](std::uint64_t done) { sobolRunsDone_.store(done); };
        batch::SobolAnalysis analysis = batch::AnalyseSobol(
            design, {plan.baseRows, plan.measure, plan.resamples, plan.level}, engine, stop);
        if (analysis.outcome.end != batch::DesignEnd::kComplete) return std::nullopt;
        return std::move(analysis.indices);
      },
      [this](std::uint64_t generation, std::vector<batch::SobolIndex> indices) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, indices = std::move(indices)]() mutable {
              AcceptSobol(generation, std::move(indices));
            },
            Qt::QueuedConnection);
      });
}

void SensitivityWindow::BuildControls() {
  series_ = new QComboBox(this);
  for (const char* name : model::kSeriesNames) series_->addItem(QString::fromUtf8(name));
  measure_ = new QComboBox(this);
  measure_->addItem(tr("value at step 100"));
  measure_->addItem(tr("mean over steps 81\u2013100"));
  baseRows_ = new QSpinBox(this);
  baseRows_->setRange(kFewestBaseRows, kMostBaseRows);
  baseRows_->setValue(kDefaultBaseRows);
  runSobol_ = new QPushButton(tr("Compute S&obol indices"), this);
  cancelSobol_ = new QPushButton(tr("C&ancel"), this);
  cancelSobol_->setEnabled(false);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, kProgressSteps);
  progress_->setValue(0);
  exploreChoice_ = new QComboBox(this);
  auto* explore = new QPushButton(tr("E&xplore Parameter"), this);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  morrisChart_ = new MorrisChart(this);
  sobolChart_ = new SobolChart(this);
  sobolChart_->setObjectName(QStringLiteral("sobolChart"));
  auto* sobolScroll = new QScrollArea(this);
  sobolScroll->setWidget(sobolChart_);
  sobolScroll->setWidgetResizable(true);
  tabs_ = new QTabWidget(this);
  tabs_->addTab(morrisChart_, tr("&Morris screening"));
  tabs_->addTab(sobolScroll, tr("Sobol &indices"));

  auto* choices = new QFormLayout;
  choices->addRow(tr("&Series:"), series_);
  choices->addRow(tr("M&easure:"), measure_);
  auto* sobolRow = new QHBoxLayout;
  sobolRow->addWidget(baseRows_);
  sobolRow->addWidget(runSobol_);
  sobolRow->addWidget(cancelSobol_);
  sobolRow->addWidget(progress_, 1);
  // A row of several controls takes a label of its own, whose letter moves to
  // the first of them.
  auto* baseRowsLabel = new QLabel(tr("Sobol &base rows:"), this);
  baseRowsLabel->setBuddy(baseRows_);
  choices->addRow(baseRowsLabel, sobolRow);
  auto* exploreRow = new QHBoxLayout;
  exploreRow->addWidget(exploreChoice_, 1);
  exploreRow->addWidget(explore);
  auto* factorLabel = new QLabel(tr("&Factor:"), this);
  factorLabel->setBuddy(exploreChoice_);
  choices->addRow(factorLabel, exploreRow);

  auto* saveCsv = new QPushButton(tr("Save as &CSV\u2026"), this);
  auto* savePng = new QPushButton(tr("Save as P&NG\u2026"), this);
  auto* saveSvg = new QPushButton(tr("Save as S&VG\u2026"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  buttons->addWidget(saveCsv);
  buttons->addWidget(savePng);
  buttons->addWidget(saveSvg);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);

  progressTimer_ = new QTimer(this);
  progressTimer_->setInterval(kProgressIntervalMs);
  const auto measureChanged = [this] {
    sobolOutOfDate_ = sobolPlan_.has_value();
    ComputeMorris();
  };
  connect(series_, &QComboBox::currentIndexChanged, this, measureChanged);
  connect(measure_, &QComboBox::currentIndexChanged, this, measureChanged);
  connect(runSobol_, &QPushButton::clicked, this, [this] { StartSobol(); });
  connect(cancelSobol_, &QPushButton::clicked, this, [this] { CancelSobol(); });
  connect(explore, &QPushButton::clicked, this, [this] { ExploreChosen(); });
  sobolChart_->OnFactorClicked([this](std::size_t factor) { ExploreFactorAt(factor); });
  connect(saveCsv, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as CSV"), tr("CSV files (*.csv)"), "csv", &SensitivityWindow::SaveCsv);
  });
  connect(savePng, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as PNG"), tr("PNG images (*.png)"), "png", &SensitivityWindow::SavePng);
  });
  connect(saveSvg, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as SVG"), tr("SVG images (*.svg)"), "svg", &SensitivityWindow::SaveSvg);
  });
  new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { close(); });
  new QShortcut(QKeySequence::Close, this, [this] { close(); });
}

batch::SensitivityPlan SensitivityWindow::PlanNow(batch::SensitivityMethod method) const {
  batch::SensitivityPlan plan;
  plan.method = method;
  plan.context.arguments = context_.arguments;
  plan.context.factors = batch::TrackbarFactors(context_.arguments);
  plan.context.seed = context_.seed;
  plan.narrowed.assign(plan.context.factors.size(), false);
  const bool lateMean = measure_->currentIndex() == 1;
  plan.measure = {series_->currentIndex(), lateMean ? kLateFirstStep : kLastStep, kLastStep};
  plan.baseRows = static_cast<std::size_t>(baseRows_->value());
  return plan;
}

QString SensitivityWindow::MeasureTitle(const batch::SensitivityPlan& plan) const {
  return QString::fromUtf8(model::kSeriesNames[plan.measure.series]) + QStringLiteral(", ") +
         measure_->itemText(plan.measure.first == plan.measure.last ? 0 : 1);
}

QSize SensitivityWindow::InitialSize() const {
  const QFontMetrics metrics = fontMetrics();
  return {metrics.horizontalAdvance(QLatin1Char('M')) * kInitialColumns,
          metrics.height() * kInitialLines};
}

void SensitivityWindow::ShowFor(const batch::ResponseContext& context) {
  context_ = context;
  haveContext_ = true;
  FillExploreChoices();
  ComputeMorris();
  if (!isVisible()) resize(sizeHint().expandedTo(InitialSize()));
  show();
  raise();
  activateWindow();
}

void SensitivityWindow::Follow(const batch::ResponseContext& context) {
  const bool changed = !SameFixedContext(context.arguments, context_.arguments);
  context_ = context;
  haveContext_ = true;
  if (!changed) return;
  sobolOutOfDate_ = sobolPlan_.has_value();
  ComputeMorris();
}

void SensitivityWindow::ChooseSeries(int series) {
  series_->setCurrentIndex(series);
}

void SensitivityWindow::ChooseLateMean(bool lateMean) {
  measure_->setCurrentIndex(lateMean ? 1 : 0);
}

void SensitivityWindow::ChooseBaseRows(int rows) {
  baseRows_->setValue(rows);
}

void SensitivityWindow::FillExploreChoices() {
  exploreChoice_->clear();
  for (const batch::Factor& factor : batch::TrackbarFactors(context_.arguments)) {
    exploreChoice_->addItem(PanelName(factor));
  }
}

void SensitivityWindow::ComputeMorris() {
  if (!haveContext_) return;
  ++morrisGeneration_;
  morrisComputing_ = true;
  status_->setText(tr("Screening\u2026"));
  requestedMorris_ = PlanNow(batch::SensitivityMethod::kMorris);
  morrisWorker_->Request(requestedMorris_, morrisGeneration_);
}

void SensitivityWindow::AcceptMorris(std::uint64_t generation,
                                     std::vector<batch::MorrisEffect> effects) {
  if (generation != morrisGeneration_) return;
  morrisComputing_ = false;
  morrisPlan_ = requestedMorris_;
  morrisEffects_ = std::move(effects);
  MorrisChartData chart;
  chart.title = tr("Morris, %1 trajectories: %2")
                    .arg(morrisPlan_->morris.trajectories)
                    .arg(MeasureTitle(*morrisPlan_));
  for (std::size_t f = 0; f < morrisEffects_.size(); ++f) {
    chart.points.push_back({PanelName(morrisPlan_->context.factors[f]), f, morrisEffects_[f].muStar,
                            morrisEffects_[f].sigma});
  }
  morrisChart_->SetData(std::move(chart));
  status_->setText(sobolOutOfDate_ ? tr("Screened. The Sobol indices are of an earlier setting.")
                                   : tr("Screened."));
}

void SensitivityWindow::StartSobol() {
  if (!haveContext_) return;
  ++sobolGeneration_;
  sobolComputing_ = true;
  sobolRunsDone_.store(0);
  runSobol_->setEnabled(false);
  cancelSobol_->setEnabled(true);
  progress_->setValue(0);
  requestedSobol_ = PlanNow(batch::SensitivityMethod::kSobol);
  const batch::SensitivityPlan& plan = requestedSobol_;
  const double runs = static_cast<double>(plan.baseRows) * (plan.context.factors.size() + 3);
  disconnect(progressTimer_, nullptr, this, nullptr);
  connect(progressTimer_, &QTimer::timeout, this, [this, runs] {
    progress_->setValue(
        static_cast<int>(static_cast<double>(sobolRunsDone_.load()) / runs * kProgressSteps));
  });
  progressTimer_->start();
  status_->setText(tr("Computing %1 runs\u2026").arg(static_cast<qulonglong>(runs)));
  sobolWorker_->Request(plan, sobolGeneration_);
}

void SensitivityWindow::CancelSobol() {
  if (!sobolComputing_) return;
  sobolWorker_->Cancel();
  ++sobolGeneration_;  // whatever comes back now is dropped
  sobolComputing_ = false;
  progressTimer_->stop();
  progress_->setValue(0);
  runSobol_->setEnabled(true);
  cancelSobol_->setEnabled(false);
  status_->setText(tr("Sobol indices cancelled."));
}

void SensitivityWindow::AcceptSobol(std::uint64_t generation,
                                    std::vector<batch::SobolIndex> indices) {
  if (generation != sobolGeneration_) return;
  sobolComputing_ = false;
  sobolOutOfDate_ = false;
  progressTimer_->stop();
  progress_->setValue(kProgressSteps);
  runSobol_->setEnabled(true);
  cancelSobol_->setEnabled(false);
  sobolPlan_ = requestedSobol_;
  sobolIndices_ = std::move(indices);
  SobolChartData chart;
  chart.title = tr("Sobol, N = %1: %2").arg(sobolPlan_->baseRows).arg(MeasureTitle(*sobolPlan_));
  const std::vector<batch::Factor>& factors = sobolPlan_->context.factors;
  for (std::size_t f = 0; f < factors.size(); ++f) {
    const batch::SobolIndex& i = sobolIndices_[f];
    chart.rows.push_back({PanelName(factors[f]), f, i.first, i.firstLow, i.firstHigh, i.total,
                          i.totalLow, i.totalHigh});
  }
  std::stable_sort(chart.rows.begin(), chart.rows.end(),
                   [](const IndexRow& a, const IndexRow& b) { return a.total > b.total; });
  const batch::SobolIndex& draw = sobolIndices_.back();
  chart.draw = IndexRow{QStringLiteral("seed"), factors.size(), draw.first,    draw.firstLow,
                        draw.firstHigh,         draw.total,     draw.totalLow, draw.totalHigh};
  sobolChart_->SetData(std::move(chart));
  tabs_->setCurrentIndex(kSobolTab);
  status_->setText(tr("The draw's total index: %1 of the variance is the luck of the draw.")
                       .arg(QString::number(draw.total, 'g', 2)));
}

void SensitivityWindow::ExploreChosen() {
  if (exploreChoice_->currentIndex() >= 0) {
    ExploreFactorAt(static_cast<std::size_t>(exploreChoice_->currentIndex()));
  }
}

void SensitivityWindow::ExploreFactorAt(std::size_t factor) {
  if (!explore_) return;
  const std::vector<batch::Factor> factors = batch::TrackbarFactors(context_.arguments);
  if (factor >= factors.size()) return;
  for (std::size_t axis = 0; axis < context_.axes.size(); ++axis) {
    if (context_.axes[axis].parameter == factors[factor].parameter) {
      explore_(axis);
      return;
    }
  }
}

const MorrisChartData& SensitivityWindow::Morris() const {
  return morrisChart_->Data();
}

const SobolChartData& SensitivityWindow::Sobol() const {
  return sobolChart_->Data();
}

void SensitivityWindow::ShowSobolTab(bool sobol) {
  tabs_->setCurrentIndex(sobol ? kSobolTab : 0);
}

bool SensitivityWindow::ShowsSobol() const {
  return tabs_->currentIndex() == kSobolTab;
}

std::string SensitivityWindow::SaveCsv(const std::string& path) const {
  if (ShowsSobol()) {
    if (!sobolPlan_) return "no Sobol indices are computed yet";
    return WriteFile(path, batch::SobolTable(*sobolPlan_, sobolIndices_, batch::TableFormat::kCsv));
  }
  if (!morrisPlan_) return "nothing is computed yet";
  return WriteFile(path,
                   batch::MorrisTable(*morrisPlan_, morrisEffects_, batch::TableFormat::kCsv));
}

// Measured in the font as an image draws it, which need not be the screen's.
QSize SensitivityWindow::SobolPictureSize() const {
  const QImage probe(1, 1, QImage::Format_RGB32);
  return SobolChartSize(QFontMetrics(font(), &probe), Sobol());
}

std::string SensitivityWindow::SavePng(const std::string& path) const {
  if (ShowsSobol()) {
    return PngOf(path, SobolPictureSize(), PaintSobolChart, Sobol(), font());
  }
  return PngOf(path, kMorrisPictureSize, PaintMorrisChart, Morris(), font());
}

std::string SensitivityWindow::SaveSvg(const std::string& path) const {
  if (ShowsSobol()) {
    return SvgOf(path, SobolPictureSize(), PaintSobolChart, Sobol(), font());
  }
  return SvgOf(path, kMorrisPictureSize, PaintMorrisChart, Morris(), font());
}

void SensitivityWindow::AskAndSave(const QString& title, const QString& filter,
                                   const QString& suffix,
                                   std::string (SensitivityWindow::*save)(const std::string&)
                                       const) {
  response::AskAndSave(*this, QString::fromUtf8(kTitle),
                       {title, filter, QStringLiteral("corvellan-sensitivity.") + suffix, suffix},
                       [this, save](const std::string& path) { return (this->*save)(path); });
}

}  // namespace sensitivity
