#include "calibration/calibration_window.h"

#include <QBuffer>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

#include "abc/model_fit.h"
#include "abc/posterior_summary.h"
#include "output/output_file.h"
#include "response/save_dialog.h"
#include "run_description/parameter_table.h"

namespace calibration {
namespace {

constexpr const char* kTitle = "Corvellan: Calibrate to Data";
constexpr int kDefaultParticles = 500;
constexpr int kMostParticles = 100000;
constexpr int kDefaultBudget = 100000;
constexpr int kFewestParticles = 2;
constexpr double kQuantile = 0.5;
constexpr double kMinAcceptance = 0.01;
constexpr QSize kPictureSize{720, 720};
constexpr int kFitColumn = 0;
constexpr int kLowColumn = 1;
constexpr int kHighColumn = 2;

// One core is left to the main window, whose trackbars must stay quick
// while a fit runs.
unsigned Jobs() {
  return std::max(1u, std::thread::hardware_concurrency() - 1);
}

QString FromStd(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Ten digits: a trackbar's end such as 0.35000000000000003 shows as 0.35,
// which reads back within the range.
constexpr int kShownDigits = 10;

QString Number(double value) {
  return QString::number(value, 'g', kShownDigits);
}

std::string WriteFile(const std::string& path, const std::string& bytes) {
  // Never a FIFO or a device: the window must not wait for a reader.
  const output::WriteResult written = output::WriteWholeFile(
      path, bytes, output::OutputFile::Existing::kReplace, output::OutputFile::NotRegular::kRefuse);
  return written.Written() ? std::string() : written.reason;
}

// The index of the value nearest value.
std::size_t NearestPosition(const std::vector<double>& values, double value) {
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < values.size(); ++i) {
    if (std::abs(values[i] - value) < std::abs(values[nearest] - value)) nearest = i;
  }
  return nearest;
}

}  // namespace

CalibrationWindow::CalibrationWindow(QWidget* parent, MoveTrackbars moveTrackbars)
    : QWidget(parent, Qt::Window), moveTrackbars_(std::move(moveTrackbars)) {
  setWindowTitle(QString::fromUtf8(kTitle));
  setAcceptDrops(true);
  BuildControls();
  job_ = std::make_unique<FitJob>();
  UpdateButtons();
}

CalibrationWindow::~CalibrationWindow() = default;

void CalibrationWindow::BuildControls() {
  auto* open = new QPushButton(tr("&Open Data\u2026"), this);
  observedLabel_ = new QLabel(tr("No data: open a CSV or drop one here."), this);
  observedLabel_->setWordWrap(true);
  auto* dataRow = new QHBoxLayout;
  dataRow->addWidget(open);
  dataRow->addWidget(observedLabel_, 1);

  parameters_ = new QTableWidget(0, 3, this);
  parameters_->setHorizontalHeaderLabels({tr("Fit"), tr("Prior from"), tr("to")});
  parameters_->verticalHeader()->hide();
  parameters_->horizontalHeader()->setSectionResizeMode(kFitColumn, QHeaderView::Stretch);
  parameters_->horizontalHeader()->setSectionResizeMode(kLowColumn, QHeaderView::ResizeToContents);
  parameters_->horizontalHeader()->setSectionResizeMode(kHighColumn, QHeaderView::ResizeToContents);
  parameters_->setSelectionMode(QAbstractItemView::SingleSelection);

  particles_ = new QSpinBox(this);
  particles_->setRange(kFewestParticles, kMostParticles);
  particles_->setValue(kDefaultParticles);
  budget_ = new QSpinBox(this);
  budget_->setRange(kFewestParticles, std::numeric_limits<int>::max());
  budget_->setValue(kDefaultBudget);
  budget_->setGroupSeparatorShown(true);
  auto* settings = new QFormLayout;
  settings->addRow(tr("&Particles:"), particles_);
  settings->addRow(tr("&Budget of runs:"), budget_);

  run_ = new QPushButton(tr("&Run"), this);
  cancel_ = new QPushButton(tr("&Cancel"), this);
  progress_ = new QProgressBar(this);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  auto* runRow = new QHBoxLayout;
  runRow->addWidget(run_);
  runRow->addWidget(cancel_);
  runRow->addWidget(progress_, 1);

  auto* left = new QVBoxLayout;
  left->addLayout(dataRow);
  left->addWidget(parameters_, 1);
  left->addLayout(settings);
  left->addLayout(runRow);
  left->addWidget(status_);

  plot_ = new PosteriorPlot(this);
  summary_ = new QTableWidget(0, 4, this);
  summary_->setHorizontalHeaderLabels({tr("Parameter"), tr("Median"), tr("5 %"), tr("95 %")});
  summary_->verticalHeader()->hide();
  summary_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  summary_->setMaximumHeight(summary_->horizontalHeader()->sizeHint().height() * 8);

  showInMain_ = new QPushButton(tr("Show in &Main Window"), this);
  saveParticles_ = new QPushButton(tr("Save Particles as CS&V\u2026"), this);
  savePng_ = new QPushButton(tr("Save Plot as P&NG\u2026"), this);
  saveSvg_ = new QPushButton(tr("Save Plot as &SVG\u2026"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(showInMain_);
  buttons->addStretch(1);
  buttons->addWidget(saveParticles_);
  buttons->addWidget(savePng_);
  buttons->addWidget(saveSvg_);

  auto* right = new QVBoxLayout;
  right->addWidget(plot_, 1);
  right->addWidget(summary_);
  right->addLayout(buttons);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 2);
  layout->addLayout(right, 3);

  connect(open, &QPushButton::clicked, this, [this] { AskAndLoad(); });
  connect(run_, &QPushButton::clicked, this, [this] {
    if (const std::string e = StartFit(); !e.empty()) {
      status_->setText(FromStd(e));
    }
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { CancelFit(); });
  connect(showInMain_, &QPushButton::clicked, this, [this] {
    if (const std::string e = ShowInMainWindow(); !e.empty()) status_->setText(FromStd(e));
  });
  connect(saveParticles_, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save Particles"), tr("CSV files (*.csv)"), "csv",
               &CalibrationWindow::SaveParticles);
  });
  connect(savePng_, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save Plot as PNG"), tr("PNG images (*.png)"), "png",
               &CalibrationWindow::SavePng);
  });
  connect(saveSvg_, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save Plot as SVG"), tr("SVG images (*.svg)"), "svg",
               &CalibrationWindow::SaveSvg);
  });
  // Ctrl+W spelled out: a platform whose standard Close is Ctrl+W as well
  // would find two shortcuts on one key and fire neither.
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
  }
  resize(1000, 640);
}

void CalibrationWindow::FillParameters() {
  // The rows stay as the user left them; only a first context makes them.
  if (!rowAxes_.empty()) return;
  for (std::size_t a = 0; a < context_.axes.size(); ++a) {
    const batch::ResponseAxis& axis = context_.axes[a];
    if (!abc::IsFittable(axis.parameter)) continue;
    const int row = parameters_->rowCount();
    parameters_->insertRow(row);
    auto* name = new QTableWidgetItem(FromStd(axis.label));
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    name->setCheckState(Qt::Unchecked);
    name->setToolTip(FromStd(run::ParameterTable()[axis.parameter].meaning));
    parameters_->setItem(row, kFitColumn, name);
    const abc::PriorRange prior = abc::TrackbarPrior(axis.parameter, context_.arguments);
    parameters_->setItem(row, kLowColumn, new QTableWidgetItem(Number(prior.low)));
    parameters_->setItem(row, kHighColumn, new QTableWidgetItem(Number(prior.high)));
    rowAxes_.push_back(a);
  }
}

void CalibrationWindow::ShowFor(const batch::ResponseContext& context) {
  Follow(context);
  show();
  raise();
  activateWindow();
}

void CalibrationWindow::Follow(const batch::ResponseContext& context) {
  context_ = context;
  FillParameters();
  UpdateButtons();
}

std::string CalibrationWindow::LoadObserved(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return file.errorString().toStdString();
  const QByteArray bytes = file.read(static_cast<qint64>(run::kMaxObservedDataBytes) + 1);
  const run::ObservedDataReading read = run::ReadObservedData(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!read.data) return read.error;
  observed_ = read.data;
  observedPath_ = path;
  int series = 0;
  for (const bool given : observed_->columns) series += given ? 1 : 0;
  observedLabel_->setText(tr("%1: %2 observed values of %3 series")
                              .arg(QFileInfo(QString::fromStdString(path)).fileName())
                              .arg(observed_->points.size())
                              .arg(series));
  UpdateButtons();
  return {};
}

void CalibrationWindow::ChooseParameter(std::string_view name, bool fitted, const QString& low,
                                        const QString& high) {
  for (int row = 0; row < parameters_->rowCount(); ++row) {
    const batch::ResponseAxis& axis = context_.axes[rowAxes_[static_cast<std::size_t>(row)]];
    if (run::ParameterTable()[axis.parameter].name != name) continue;
    parameters_->item(row, kFitColumn)->setCheckState(fitted ? Qt::Checked : Qt::Unchecked);
    if (!low.isEmpty()) parameters_->item(row, kLowColumn)->setText(low);
    if (!high.isEmpty()) parameters_->item(row, kHighColumn)->setText(high);
  }
}

void CalibrationWindow::SetParticles(int particles) {
  particles_->setValue(particles);
}

void CalibrationWindow::SetBudget(int budget) {
  budget_->setValue(budget);
}

// The fit the controls ask for, checked as the runner checks its options.
std::string CalibrationWindow::ReadRequest(abc::FitRequest& request) const {
  if (!observed_) return "Open the observed data first.";
  request.arguments = context_.arguments;
  request.observedPath = observedPath_;
  for (int row = 0; row < parameters_->rowCount(); ++row) {
    if (parameters_->item(row, kFitColumn)->checkState() != Qt::Checked) continue;
    const batch::ResponseAxis& axis = context_.axes[rowAxes_[static_cast<std::size_t>(row)]];
    const std::string text = std::string(run::ParameterTable()[axis.parameter].name) + '=' +
                             parameters_->item(row, kLowColumn)->text().trimmed().toStdString() +
                             ':' +
                             parameters_->item(row, kHighColumn)->text().trimmed().toStdString();
    abc::FittedParameter fitted;
    if (std::string e = abc::ReadFittedParameter(text, context_.arguments, fitted); !e.empty()) {
      return axis.label + ": " + e;
    }
    request.fitted.push_back(fitted);
  }
  if (request.fitted.empty()) return "Tick a parameter to fit.";
  if (request.fitted.size() > abc::kMaxFittedParameters) {
    return "At most " + std::to_string(abc::kMaxFittedParameters) +
           " parameters are fitted at once.";
  }
  request.settings.particles = static_cast<std::size_t>(particles_->value());
  request.settings.budget = static_cast<std::uint64_t>(budget_->value());
  request.settings.quantile = kQuantile;
  request.settings.minAcceptance = kMinAcceptance;
  request.settings.seed = context_.seed;
  std::vector<abc::PriorRange> priors;
  for (const abc::FittedParameter& f : request.fitted) priors.push_back(f.prior);
  return abc::FitSettingsRefusal(priors, request.settings);
}

std::string CalibrationWindow::StartFit() {
  if (fitting_) return "A fit is running.";
  abc::FitRequest request;
  if (std::string e = ReadRequest(request); !e.empty()) return e;
  runningRequest_ = request;
  fitting_ = true;
  progress_->setRange(0, budget_->value());
  progress_->setValue(0);
  status_->setText(tr("Population 0 from the priors\u2026"));
  UpdateButtons();
  FitJob::Reports reports;
  reports.progress = [this](std::uint64_t runs) {
    QMetaObject::invokeMethod(
        this, [this, runs] { Progress(runs); }, Qt::QueuedConnection);
  };
  reports.population = [this](const abc::Population& population) {
    const std::size_t index = population.index;
    const double tolerance = population.tolerance;
    const double acceptance = population.acceptanceRate;
    QMetaObject::invokeMethod(
        this,
        [this, index, tolerance, acceptance] { PopulationDone(index, tolerance, acceptance); },
        Qt::QueuedConnection);
  };
  reports.done = [this](abc::FitResult result) {
    QMetaObject::invokeMethod(
        this, [this, result = std::move(result)]() mutable { Finish(std::move(result)); },
        Qt::QueuedConnection);
  };
  job_->Start(request, observed_->points, Jobs(), std::move(reports));
  return {};
}

void CalibrationWindow::CancelFit() {
  if (fitting_) job_->Cancel();
}

void CalibrationWindow::Progress(std::uint64_t runs) {
  if (!fitting_) return;
  progress_->setValue(static_cast<int>(
      std::min<std::uint64_t>(runs, static_cast<std::uint64_t>(progress_->maximum()))));
}

void CalibrationWindow::PopulationDone(std::size_t index, double tolerance, double acceptance) {
  if (!fitting_) return;
  status_->setText(tr("Population %1 done: tolerance %2, %3 % of proposals accepted\u2026")
                       .arg(index)
                       .arg(tolerance, 0, 'g', 4)
                       .arg(100.0 * acceptance, 0, 'f', 1));
}

void CalibrationWindow::Finish(abc::FitResult result) {
  fitting_ = false;
  const bool failed = result.end == abc::FitEnd::kFailed;
  if (!failed && !result.populations.empty()) {
    result_ = std::move(result);
    resultRequest_ = runningRequest_;
    ShowResult();
    status_->setText(tr("Done: %1; %2 runs, %3 populations.")
                         .arg(FromStd(abc::DescribeFitEnd(result_->end)))
                         .arg(result_->simulations)
                         .arg(result_->populations.size()));
  } else {
    status_->setText(failed ? FromStd(result.failure)
                            : tr("Stopped before the first population was finished."));
  }
  progress_->setValue(progress_->maximum());
  UpdateButtons();
}

void CalibrationWindow::ShowResult() {
  const abc::Population& last = result_->populations.back();
  PosteriorPlotData shown;
  shown.population = last;
  summary_->setRowCount(0);
  for (std::size_t p = 0; p < resultRequest_->fitted.size(); ++p) {
    const abc::FittedParameter& fitted = resultRequest_->fitted[p];
    QString name = FromStd(run::ParameterTable()[fitted.parameter].name);
    for (const batch::ResponseAxis& axis : context_.axes) {
      if (axis.parameter == fitted.parameter) name = FromStd(axis.label);
    }
    shown.names.push_back(name);
    shown.priors.push_back(fitted.prior);
    const abc::MarginalSummary summary = abc::SummariseParameter(last, p);
    const int row = summary_->rowCount();
    summary_->insertRow(row);
    summary_->setItem(row, 0, new QTableWidgetItem(name));
    int column = 1;
    for (const double value : {summary.median, summary.q05, summary.q95}) {
      summary_->setItem(row, column++, new QTableWidgetItem(QString::number(value, 'g', 4)));
    }
  }
  plot_->SetData(std::move(shown));
}

std::string CalibrationWindow::ShowInMainWindow() {
  if (!result_) return "Run a fit first.";
  if (!moveTrackbars_) return "There is no main window to show it in.";
  std::vector<std::pair<std::size_t, std::size_t>> moves;
  const abc::Population& last = result_->populations.back();
  for (std::size_t p = 0; p < resultRequest_->fitted.size(); ++p) {
    const double median = abc::SummariseParameter(last, p).median;
    for (std::size_t a = 0; a < context_.axes.size(); ++a) {
      if (context_.axes[a].parameter != resultRequest_->fitted[p].parameter) continue;
      moves.emplace_back(a, NearestPosition(context_.axes[a].values, median));
    }
  }
  moveTrackbars_(std::move(moves));
  return {};
}

QString CalibrationWindow::Status() const {
  return status_->text();
}

void CalibrationWindow::UpdateButtons() {
  run_->setEnabled(!fitting_ && observed_.has_value() && !rowAxes_.empty());
  cancel_->setEnabled(fitting_);
  const bool shown = result_.has_value();
  showInMain_->setEnabled(shown && static_cast<bool>(moveTrackbars_));
  saveParticles_->setEnabled(shown);
  savePng_->setEnabled(shown);
  saveSvg_->setEnabled(shown);
}

std::string CalibrationWindow::SaveParticles(const std::string& path) const {
  if (!result_) return "nothing is fitted yet";
  return WriteFile(path, abc::FitCsv(*resultRequest_, *result_));
}

std::string CalibrationWindow::SavePng(const std::string& path) const {
  QImage image(kPictureSize, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    PaintPosterior(painter, kPictureSize, plot_->Data());
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return "the image could not be made";
  return WriteFile(path, bytes.toStdString());
}

std::string CalibrationWindow::SaveSvg(const std::string& path) const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(kPictureSize);
  generator.setViewBox(QRect(QPoint(0, 0), kPictureSize));
  generator.setTitle(QString::fromUtf8(kTitle));
  {
    QPainter painter(&generator);
    PaintPosterior(painter, kPictureSize, plot_->Data());
  }
  return WriteFile(path, bytes.toStdString());
}

void CalibrationWindow::AskAndSave(const QString& title, const QString& filter,
                                   const QString& suffix,
                                   std::string (CalibrationWindow::*save)(const std::string&)
                                       const) {
  response::AskAndSave(*this, QString::fromUtf8(kTitle),
                       {title, filter, QStringLiteral("corvellan-posterior.") + suffix, suffix},
                       [this, save](const std::string& path) { return (this->*save)(path); });
}

void CalibrationWindow::AskAndLoad() {
  QFileDialog dialog(this, tr("Open Observed Data"), QString(),
                     tr("CSV files (*.csv);;All files (*)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  if (const std::string e = LoadObserved(path.toStdString()); !e.empty()) {
    QMessageBox::warning(this, QString::fromUtf8(kTitle),
                         tr("Could not open \"%1\": %2").arg(path, FromStd(e)));
  }
}

void CalibrationWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* mime = event->mimeData();
  if (mime->hasUrls() && mime->urls().size() == 1 && mime->urls().front().isLocalFile()) {
    event->acceptProposedAction();
  }
}

void CalibrationWindow::dropEvent(QDropEvent* event) {
  const QString path = event->mimeData()->urls().front().toLocalFile();
  event->acceptProposedAction();
  if (const std::string e = LoadObserved(path.toStdString()); !e.empty()) {
    QMessageBox::warning(this, QString::fromUtf8(kTitle),
                         tr("Could not open \"%1\": %2").arg(path, FromStd(e)));
  }
}

}  // namespace calibration
