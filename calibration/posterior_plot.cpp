#include "calibration/posterior_plot.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <algorithm>
#include <cmath>

#include "abc/posterior_summary.h"
#include "run_description/number_text.h"

namespace calibration {
namespace {

constexpr int kBins = 24;
constexpr int kGap = 10;     // between cells, in pixels
constexpr int kPadding = 8;  // around the plot
constexpr int kTickLength = 4;
constexpr double kPointRadius = 1.6;
constexpr int kMinPointAlpha = 40;
constexpr int kMaxPointAlpha = 220;
constexpr int kIntervalAlpha = 50;
const QColor kFrame(120, 120, 120);
const QColor kText(30, 30, 30);
const QColor kMedian(200, 40, 40);

QString Number(double value) {
  // Three decimals at most: the ends of trackbar ranges are hundredths.
  const double rounded = std::round(value * 1000.0) / 1000.0;
  return QString::fromStdString(run::FormatRoundTrip(rounded == 0.0 ? 0.0 : rounded));
}

// What a parameter's axis spans: the particles' range with a margin on
// either side, within the prior; a posterior much narrower than its prior
// would otherwise be one bar.
constexpr double kViewMargin = 0.1;

abc::PriorRange ViewRange(const abc::Population& population, std::size_t parameter,
                          const abc::PriorRange& prior) {
  double low = prior.high;
  double high = prior.low;
  for (const abc::Particle& particle : population.particles) {
    low = std::min(low, particle.theta[parameter]);
    high = std::max(high, particle.theta[parameter]);
  }
  const double margin = std::max(high - low, (prior.high - prior.low) * 1e-3) * kViewMargin;
  return {std::max(prior.low, low - margin), std::min(prior.high, high + margin), prior.whole};
}

double Share(double value, const abc::PriorRange& prior) {
  return (value - prior.low) / (prior.high - prior.low);
}

// The histogram's bars over the prior, as shares of the tallest.
std::vector<double> Histogram(const abc::Population& population, std::size_t parameter,
                              const abc::PriorRange& prior) {
  std::vector<double> bars(kBins, 0.0);
  for (const abc::Particle& particle : population.particles) {
    const double share = Share(particle.theta[parameter], prior);
    const int bin = std::clamp(static_cast<int>(share * kBins), 0, kBins - 1);
    bars[static_cast<std::size_t>(bin)] += particle.weight;
  }
  const double tallest = *std::max_element(bars.begin(), bars.end());
  if (tallest > 0.0) {
    for (double& bar : bars) bar /= tallest;
  }
  return bars;
}

struct Layout {
  int left = 0;    // room for the rows' tick labels
  int bottom = 0;  // room for the columns' tick labels and names
  int title = 0;   // room for a histogram's name above it
  int cell = 0;
  QPoint origin;  // top left of the first cell
};

Layout LayOut(const QFontMetrics& metrics, QSize size, const PosteriorPlotData& data) {
  Layout layout;
  for (const abc::PriorRange& prior : data.priors) {
    layout.left = std::max({layout.left, metrics.horizontalAdvance(Number(prior.low)),
                            metrics.horizontalAdvance(Number(prior.high))});
  }
  layout.left += kTickLength + kPadding;
  layout.bottom = 2 * metrics.height() + kTickLength + kPadding;
  layout.title = metrics.height() + 2;
  const int count = std::max<int>(1, static_cast<int>(data.names.size()));
  const int width = size.width() - layout.left - kPadding - (count - 1) * kGap;
  const int height =
      size.height() - layout.bottom - kPadding - count * layout.title - (count - 1) * kGap;
  layout.cell = std::max(1, std::min(width, height) / count);
  layout.origin = QPoint(layout.left, kPadding + layout.title);
  return layout;
}

QRect Cell(const Layout& layout, int row, int column) {
  const int step = layout.cell + kGap + layout.title;
  return QRect(layout.origin.x() + column * (layout.cell + kGap), layout.origin.y() + row * step,
               layout.cell, layout.cell);
}

double X(const QRect& cell, double share) {
  return cell.left() + share * cell.width();
}
double Y(const QRect& cell, double share) {
  return cell.bottom() - share * cell.height();
}

void PaintHistogram(QPainter& painter, const QRect& cell, const PosteriorPlotData& data,
                    std::size_t parameter) {
  const abc::PriorRange& prior = data.priors[parameter];
  const std::vector<double> bars = Histogram(data.population, parameter, prior);
  const double width = static_cast<double>(cell.width()) / kBins;
  const abc::MarginalSummary summary = abc::SummariseParameter(data.population, parameter);
  QColor band = kMedian;
  band.setAlpha(kIntervalAlpha);
  painter.fillRect(QRectF(QPointF(X(cell, Share(summary.q05, prior)), cell.top()),
                          QPointF(X(cell, Share(summary.q95, prior)), cell.bottom())),
                   band);
  for (int b = 0; b < kBins; ++b) {
    const double height = bars[static_cast<std::size_t>(b)] * cell.height();
    painter.fillRect(QRectF(cell.left() + b * width, cell.bottom() - height, width, height),
                     data.colour);
  }
  painter.setPen(QPen(kMedian, 2));
  const double median = X(cell, Share(summary.median, prior));
  painter.drawLine(QPointF(median, cell.top()), QPointF(median, cell.bottom()));
}

void PaintPairs(QPainter& painter, const QRect& cell, const PosteriorPlotData& data,
                std::size_t row, std::size_t column) {
  double heaviest = 0.0;
  for (const abc::Particle& particle : data.population.particles) {
    heaviest = std::max(heaviest, particle.weight);
  }
  painter.setPen(Qt::NoPen);
  for (const abc::Particle& particle : data.population.particles) {
    QColor colour = data.colour;
    const double share = heaviest > 0.0 ? particle.weight / heaviest : 1.0;
    colour.setAlpha(kMinPointAlpha + static_cast<int>(share * (kMaxPointAlpha - kMinPointAlpha)));
    painter.setBrush(colour);
    const QPointF at(X(cell, Share(particle.theta[column], data.priors[column])),
                     Y(cell, Share(particle.theta[row], data.priors[row])));
    painter.drawEllipse(at, kPointRadius, kPointRadius);
  }
  painter.setBrush(Qt::NoBrush);
}

// The prior's ends under a column, and the parameter's name under them.
void PaintColumnLabels(QPainter& painter, const QFontMetrics& metrics, const QRect& cell,
                       const QString& name, const abc::PriorRange& prior) {
  painter.setPen(kText);
  const int top = cell.bottom() + kTickLength + 1;
  painter.drawText(QRect(cell.left(), top, cell.width(), metrics.height()),
                   Qt::AlignLeft | Qt::AlignTop, Number(prior.low));
  painter.drawText(QRect(cell.left(), top, cell.width(), metrics.height()),
                   Qt::AlignRight | Qt::AlignTop, Number(prior.high));
  painter.drawText(QRect(cell.left(), top + metrics.height(), cell.width(), metrics.height()),
                   Qt::AlignHCenter | Qt::AlignTop, name);
}

// The prior's ends left of a row of pairs.
void PaintRowLabels(QPainter& painter, const QFontMetrics& metrics, const QRect& cell,
                    const abc::PriorRange& prior) {
  painter.setPen(kText);
  const int right = cell.left() - kTickLength - 1;
  painter.drawText(QRect(0, cell.bottom() - metrics.height() + 1, right, metrics.height()),
                   Qt::AlignRight | Qt::AlignBottom, Number(prior.low));
  painter.drawText(QRect(0, cell.top(), right, metrics.height()), Qt::AlignRight | Qt::AlignTop,
                   Number(prior.high));
}

// The cells of the plot, each parameter's axis spanning its range in data.
void PaintGrid(QPainter& painter, const QFontMetrics& metrics, QSize size,
               const PosteriorPlotData& data) {
  const Layout layout = LayOut(metrics, size, data);
  const std::size_t count = data.names.size();
  for (std::size_t row = 0; row < count; ++row) {
    for (std::size_t column = 0; column <= row; ++column) {
      const QRect cell = Cell(layout, static_cast<int>(row), static_cast<int>(column));
      if (row == column) {
        PaintHistogram(painter, cell, data, row);
        painter.setPen(kText);
        painter.drawText(QRect(cell.left(), cell.top() - layout.title, cell.width(), layout.title),
                         Qt::AlignHCenter | Qt::AlignBottom, data.names[row]);
      } else {
        PaintPairs(painter, cell, data, row, column);
      }
      painter.setPen(kFrame);
      painter.drawRect(cell.adjusted(0, 0, -1, -1));
      if (row + 1 == count)
        PaintColumnLabels(painter, metrics, cell, data.names[column], data.priors[column]);
      if (column == 0 && row > 0) PaintRowLabels(painter, metrics, cell, data.priors[row]);
    }
  }
}

}  // namespace

void PaintPosterior(QPainter& painter, QSize size, const PosteriorPlotData& data) {
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  const QFontMetrics metrics(painter.font());
  if (data.population.particles.empty()) {
    painter.setPen(kText);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter,
                     QObject::tr("The posterior shows here once a fit has run."));
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  PosteriorPlotData view = data;
  for (std::size_t p = 0; p < view.priors.size(); ++p) {
    view.priors[p] = ViewRange(data.population, p, data.priors[p]);
  }
  PaintGrid(painter, metrics, size, view);
}

PosteriorPlot::PosteriorPlot(QWidget* parent) : QWidget(parent) {
  setMinimumSize(320, 320);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PosteriorPlot::SetData(PosteriorPlotData plotData) {
  data_ = std::move(plotData);
  update();
}

void PosteriorPlot::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintPosterior(painter, size(), data_);
}

}  // namespace calibration
