#include "population/population_window.h"

#include <QBuffer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <stdexcept>

#include "batch/population_csv.h"
#include "batch/population_summary.h"
#include "model/result_series.h"
#include "output/output_file.h"
#include "response/save_dialog.h"

namespace population {
namespace {

constexpr const char* kTitle = "Corvellan: Population";
constexpr QSize kPictureSize{1000, 720};
constexpr int kLastStep = model::kStepCount - 1;
constexpr int kPageSteps = 10;

std::string WriteFile(const std::string& path, const std::string& bytes) {
  // Never a FIFO or a device: the window must not wait for a reader.
  const output::WriteResult written = output::WriteWholeFile(
      path, bytes, output::OutputFile::Existing::kReplace, output::OutputFile::NotRegular::kRefuse);
  return written.Written() ? std::string() : written.reason;
}

// A colour of the context, unless the context gave none (all black).
QColor SeriesColour(const batch::ResponseContext& context, int series, const QColor& fallback) {
  const auto& rgb = context.seriesColours[static_cast<std::size_t>(series)];
  if (rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0) return fallback;
  return QColor(rgb[0], rgb[1], rgb[2]);
}

int VolunteersAt(const batch::PopulationRecord& record, int step) {
  int count = 0;
  for (int i = 0; i < record.agentCount; ++i) count += record.volunteered[record.Index(step, i)];
  return count;
}

}  // namespace

PopulationWindow::PopulationWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QString::fromUtf8(kTitle));
  BuildControls();
  AddClosingKeys();
}

void PopulationWindow::BuildControls() {
  view_ = new PopulationView(this);
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setRange(0, kLastStep);
  slider_->setPageStep(kPageSteps);
  slider_->setFocusPolicy(Qt::StrongFocus);
  slider_->setAccessibleName(tr("Step"));
  auto* stepLabel = new QLabel(tr("&Step:"), this);
  stepLabel->setBuddy(slider_);
  stepValue_ = new QLabel(this);
  // Room for the widest step number, so that the slider does not move.
  stepValue_->setMinimumWidth(stepValue_->fontMetrics().horizontalAdvance(QStringLiteral("000")) +
                              stepValue_->fontMetrics().averageCharWidth());
  status_ = new QLabel(this);
  status_->setWordWrap(true);

  auto* stepRow = new QHBoxLayout;
  stepRow->addWidget(stepLabel);
  stepRow->addWidget(slider_, 1);
  stepRow->addWidget(stepValue_);

  auto* saveCsv = new QPushButton(tr("Save as &CSV\u2026"), this);
  auto* savePng = new QPushButton(tr("Save as P&NG\u2026"), this);
  auto* saveSvg = new QPushButton(tr("Save as S&VG\u2026"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  buttons->addWidget(saveCsv);
  buttons->addWidget(savePng);
  buttons->addWidget(saveSvg);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addLayout(stepRow);
  layout->addLayout(buttons);

  connect(slider_, &QSlider::valueChanged, this, [this] { ShowStep(); });
  connect(saveCsv, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as CSV"), tr("CSV files (*.csv)"), "csv", &PopulationWindow::SaveCsv);
  });
  connect(savePng, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as PNG"), tr("PNG images (*.png)"), "png", &PopulationWindow::SavePng);
  });
  connect(saveSvg, &QPushButton::clicked, this, [this] {
    AskAndSave(tr("Save as SVG"), tr("SVG images (*.svg)"), "svg", &PopulationWindow::SaveSvg);
  });
  setTabOrder(slider_, saveCsv);
  setTabOrder(saveCsv, savePng);
  setTabOrder(savePng, saveSvg);
  ShowStep();
}

void PopulationWindow::AddClosingKeys() {
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, &QWidget::close);
  }
}

void PopulationWindow::ShowFor(const batch::ResponseContext& context) {
  context_ = context;
  haveContext_ = true;
  RecordRun();
  show();
  raise();
  activateWindow();
  slider_->setFocus();
}

void PopulationWindow::Follow(const batch::ResponseContext& context) {
  context_ = context;
  haveContext_ = true;
  // A hidden window records nothing: the main window's runs cost what they cost without it.
  if (isVisible()) {
    RecordRun();
  } else {
    stale_ = true;
  }
}

void PopulationWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) RecordRun();
}

void PopulationWindow::RecordRun() {
  stale_ = false;
  if (!haveContext_) return;
  ++recordings_;
  try {
    record_ = &recorder_.Record(context_.arguments, context_.seed);
    failure_.reset();
  } catch (const std::runtime_error& error) {
    record_ = nullptr;
    failure_ = error.what();
  }
  recordPicture_ = PictureOfRecord();
  ShowStep();
}

void PopulationWindow::ChooseStep(int step) {
  slider_->setValue(step);
}

int PopulationWindow::Step() const {
  return slider_->value();
}

PopulationPicture PopulationWindow::PictureOfRecord() const {
  PopulationPicture picture;
  picture.volunteerColour =
      SeriesColour(context_, model::kMeanPropensityVolunteers, picture.volunteerColour);
  picture.nonVolunteerColour =
      SeriesColour(context_, model::kMeanPropensityNonVolunteers, picture.nonVolunteerColour);
  picture.meanColour = SeriesColour(context_, model::kMeanPropensity, picture.meanColour);
  if (record_ == nullptr) return picture;
  picture.agentCount = record_->agentCount;
  for (int a = 0; a < batch::kAttributeCount; ++a) {
    picture.attributes.push_back(
        batch::SummariseAttribute(*record_, static_cast<batch::PopulationAttribute>(a)));
  }
  picture.propensity = batch::PropensityStrip(*record_);
  picture.sanction = batch::SanctionStrip(*record_);
  return picture;
}

// Attributes and strips change only with the record; the step's split with the step.
void PopulationWindow::ShowStep() {
  stepValue_->setText(QString::number(Step()));
  PopulationPicture picture = recordPicture_;
  picture.step = Step();
  if (record_ != nullptr) picture.split = batch::SplitStep(*record_, picture.step);
  view_->SetPicture(std::move(picture));
  status_->setText(StatusText());
}

QString PopulationWindow::StatusText() const {
  if (failure_) return tr("The run failed: %1").arg(QString::fromStdString(*failure_));
  if (record_ == nullptr) return tr("No run yet");
  const int step = Step();
  return tr("%1 agents, seed %2, sanctions %3; step %4: %5 volunteers, mean propensity %6")
      .arg(record_->agentCount)
      .arg(record_->seed)
      .arg(record_->sanctionsOn ? tr("on") : tr("off"))
      .arg(step)
      .arg(VolunteersAt(*record_, step))
      .arg(QString::number(record_->series[model::kMeanPropensity][static_cast<std::size_t>(step)],
                           'g', 3));
}

QSize PopulationWindow::PictureSize() const {
  return kPictureSize.expandedTo(SmallestPictureSize(font(), Picture().sanction.steps > 0));
}

std::string PopulationWindow::SaveCsv(const std::string& path) const {
  if (record_ == nullptr) return "there is no run to save";
  return WriteFile(path, batch::PopulationCsv(*record_));
}

std::string PopulationWindow::SavePng(const std::string& path) const {
  const QSize size = PictureSize();
  QImage image(size, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    painter.setFont(font());
    PaintPopulation(painter, size, Picture());
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return "the image could not be made";
  return WriteFile(path, bytes.toStdString());
}

std::string PopulationWindow::SaveSvg(const std::string& path) const {
  const QSize size = PictureSize();
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
    painter.setFont(font());
    PaintPopulation(painter, size, Picture());
  }
  return WriteFile(path, bytes.toStdString());
}

void PopulationWindow::AskAndSave(const QString& title, const QString& filter,
                                  const QString& suffix,
                                  std::string (PopulationWindow::*save)(const std::string&) const) {
  response::AskAndSave(*this, QString::fromUtf8(kTitle),
                       {title, filter, QStringLiteral("corvellan-population.") + suffix, suffix},
                       [this, save](const std::string& path) { return (this->*save)(path); });
}

}  // namespace population
