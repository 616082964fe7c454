#include "sensitivity/sensitivity_chart.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace sensitivity {
namespace {

// Lengths in multiples of the font's height or of a character, so that the
// chart grows with the font and the screen's scale.
constexpr double kRowHeights = 1.6;
constexpr int kMarginChars = 1;
constexpr int kLegendRows = 2;   // title, legend
constexpr int kAxisRows = 2;     // ticks and their labels, then the axis title
constexpr int kDrawGapRows = 1;  // between the factors and the draw
constexpr int kTicks = 4;        // 0, 0.25, ..., 1
constexpr int kMinimumBarChars = 30;
constexpr int kMinimumPlotChars = 40;
constexpr int kFewestVisibleRows = 6;
const QColor kFirstColour(40, 90, 170);
const QColor kTotalColour(150, 185, 235);
const QColor kDrawColour(170, 120, 40);
const QColor kAxisColour(90, 90, 90);
const QString kDrawLabel = QStringLiteral("Draw (seed)");

int RowHeight(const QFontMetrics& metrics) {
  return static_cast<int>(std::ceil(metrics.height() * kRowHeights));
}

int Margin(const QFontMetrics& metrics) {
  return metrics.horizontalAdvance(QLatin1Char('M')) * kMarginChars;
}

int LabelWidth(const QFontMetrics& metrics, const SobolChartData& data) {
  int widest = metrics.horizontalAdvance(kDrawLabel);
  for (const IndexRow& row : data.rows)
    widest = std::max(widest, metrics.horizontalAdvance(row.name));
  return widest;
}

// The x of index value v (clamped to [0, 1]) within the bars' span.
int XOf(double v, int left, int width) {
  const double clamped = std::clamp(std::isfinite(v) ? v : 0.0, 0.0, 1.0);
  return left + static_cast<int>(std::lround(clamped * width));
}

void PaintBar(QPainter& painter, QRect band, int left, int width, double value, double low,
              double high, const QColor& colour) {
  painter.fillRect(QRect(QPoint(left, band.top()), QPoint(XOf(value, left, width), band.bottom())),
                   colour);
  painter.setPen(QPen(kAxisColour, 1));
  const int y = band.center().y();
  const int x0 = XOf(low, left, width);
  const int x1 = XOf(high, left, width);
  painter.drawLine(x0, y, x1, y);
  painter.drawLine(x0, band.top(), x0, band.bottom());
  painter.drawLine(x1, band.top(), x1, band.bottom());
}

void PaintIndexRow(QPainter& painter, QRect rect, int labelWidth, const IndexRow& row,
                   const QColor& firstColour, const QColor& totalColour) {
  const QFontMetrics metrics = painter.fontMetrics();
  const int margin = Margin(metrics);
  painter.setPen(Qt::black);
  painter.drawText(QRect(rect.left(), rect.top(), labelWidth, rect.height()),
                   Qt::AlignRight | Qt::AlignVCenter, row.name);
  const int left = rect.left() + labelWidth + margin;
  const int width = rect.right() - left;
  const int half = rect.height() / 4;
  const QRect firstBand(left, rect.center().y() - half - 1, width, half);
  const QRect totalBand(left, rect.center().y() + 1, width, half);
  PaintBar(painter, firstBand, left, width, row.first, row.firstLow, row.firstHigh, firstColour);
  PaintBar(painter, totalBand, left, width, row.total, row.totalLow, row.totalHigh, totalColour);
}

struct LegendEntry {
  QColor colour;
  QString text;
};

std::vector<LegendEntry> Legend() {
  return {{kFirstColour, QStringLiteral("first-order")},
          {kTotalColour, QStringLiteral("total (with 95% intervals)")},
          {kDrawColour, QStringLiteral("the draw")}};
}

// From the left of the bars: each swatch, a half margin, its text, a margin.
int LegendWidth(const QFontMetrics& metrics) {
  const int height = RowHeight(metrics);
  const int margin = Margin(metrics);
  int width = 0;
  for (const LegendEntry& entry : Legend()) {
    width += height / 2 + margin / 2 + metrics.horizontalAdvance(entry.text) + margin;
  }
  return width;
}

QString Number(double v) {
  return QString::number(v, 'g', 3);
}

}  // namespace

QRect SobolRowRect(const QFontMetrics& metrics, QSize size, std::size_t row) {
  const int margin = Margin(metrics);
  const int height = RowHeight(metrics);
  return QRect(margin, margin + kLegendRows * height + static_cast<int>(row) * height,
               size.width() - 2 * margin, height);
}

QSize SobolChartSize(const QFontMetrics& metrics, const SobolChartData& data) {
  const int margin = Margin(metrics);
  const std::size_t rows = std::max<std::size_t>(data.rows.size(), kFewestVisibleRows);
  const int height = RowHeight(metrics);
  const int content = static_cast<int>(rows + (data.draw ? 1 + kDrawGapRows : 0)) * height;
  const int bars = std::max(metrics.horizontalAdvance(QLatin1Char('M')) * kMinimumBarChars,
                            LegendWidth(metrics));
  const int width = std::max(margin + LabelWidth(metrics, data) + margin + bars + margin,
                             metrics.horizontalAdvance(data.title) + 2 * margin);
  return {width, 2 * margin + (kLegendRows + kAxisRows) * height + content};
}

void PaintSobolChart(QPainter& painter, QSize size, const SobolChartData& data) {
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  const QFontMetrics metrics = painter.fontMetrics();
  const int margin = Margin(metrics);
  const int height = RowHeight(metrics);
  const int labelWidth = LabelWidth(metrics, data);
  const int left = margin + labelWidth + margin;
  const int width = size.width() - margin - left;
  painter.setPen(Qt::black);
  painter.drawText(QRect(margin, margin, size.width() - 2 * margin, height),
                   Qt::AlignLeft | Qt::AlignVCenter, data.title);
  // The legend: a swatch and its meaning, one after the other.
  int x = left;
  const int legendY = margin + height;
  for (const auto& [colour, text] : Legend()) {
    painter.fillRect(QRect(x, legendY + height / 4, height / 2, height / 2), colour);
    x += height / 2 + margin / 2;
    painter.setPen(Qt::black);
    painter.drawText(QRect(x, legendY, metrics.horizontalAdvance(text) + 1, height),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    x += metrics.horizontalAdvance(text) + margin;
  }
  for (std::size_t r = 0; r < data.rows.size(); ++r) {
    PaintIndexRow(painter, SobolRowRect(metrics, size, r), labelWidth, data.rows[r], kFirstColour,
                  kTotalColour);
  }
  std::size_t next = data.rows.size();
  if (data.draw) {
    const QRect gap = SobolRowRect(metrics, size, next);
    painter.setPen(QPen(kAxisColour, 1, Qt::DashLine));
    painter.drawLine(gap.left(), gap.center().y(), gap.right(), gap.center().y());
    next += kDrawGapRows;
    IndexRow draw = *data.draw;
    draw.name = kDrawLabel;
    PaintIndexRow(painter, SobolRowRect(metrics, size, next), labelWidth, draw,
                  kDrawColour.darker(), kDrawColour);
    ++next;
  }
  // The axis: 0 to 1 under the bars.
  const int axisY = SobolRowRect(metrics, size, next).top();
  painter.setPen(QPen(kAxisColour, 1));
  painter.drawLine(left, axisY, left + width, axisY);
  for (int t = 0; t <= kTicks; ++t) {
    const double v = static_cast<double>(t) / kTicks;
    const int tx = XOf(v, left, width);
    painter.drawLine(tx, axisY, tx, axisY + height / 4);
    const QString label = Number(v);
    const int w = metrics.horizontalAdvance(label);
    painter.drawText(QRect(tx - w / 2 - 1, axisY + height / 4, w + 2, height), Qt::AlignCenter,
                     label);
  }
}

void PaintMorrisChart(QPainter& painter, QSize size, const MorrisChartData& data) {
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  const QFontMetrics metrics = painter.fontMetrics();
  const int margin = Margin(metrics);
  const int height = RowHeight(metrics);
  double most = 0.0;
  for (const ScreeningPoint& p : data.points) most = std::max({most, p.muStar, p.sigma});
  if (!(most > 0.0)) most = 1.0;
  int tickWidth = 0;
  for (int t = 0; t <= kTicks; ++t) {
    tickWidth = std::max(tickWidth, metrics.horizontalAdvance(Number(most * t / kTicks)));
  }
  // Left to right: the rotated axis title, a gap, the tick labels, the ticks;
  // top to bottom: the title, half a row for the top tick label, the plot,
  // the tick labels and the axis title. Half a tick label may stand out right.
  const int tickLength = height / 4;
  const int left = margin + height + margin / 2 + tickWidth + tickLength;
  const int top = margin + height + height / 2;
  const QRect plot(left, top, size.width() - margin - tickWidth / 2 - left,
                   size.height() - margin - kAxisRows * height - tickLength - top);
  painter.setPen(Qt::black);
  painter.drawText(QRect(margin, margin, size.width() - 2 * margin, height),
                   Qt::AlignLeft | Qt::AlignVCenter, data.title);
  painter.setPen(QPen(kAxisColour, 1));
  painter.drawRect(plot);
  const auto at = [&](double muStar, double sigma) {
    return QPoint(plot.left() + static_cast<int>(std::lround(muStar / most * plot.width())),
                  plot.bottom() - static_cast<int>(std::lround(sigma / most * plot.height())));
  };
  for (int t = 0; t <= kTicks; ++t) {
    const double v = most * t / kTicks;
    const QString label = Number(v);
    const QPoint p = at(v, v);
    painter.drawLine(p.x(), plot.bottom(), p.x(), plot.bottom() + tickLength);
    painter.drawText(
        QRect(p.x() - tickWidth / 2 - 1, plot.bottom() + tickLength, tickWidth + 2, height),
        Qt::AlignCenter, label);
    painter.drawLine(plot.left() - tickLength, p.y(), plot.left(), p.y());
    painter.drawText(
        QRect(plot.left() - tickLength - tickWidth, p.y() - height / 2, tickWidth, height),
        Qt::AlignRight | Qt::AlignVCenter, label);
  }
  painter.drawText(QRect(plot.left(), plot.bottom() + tickLength + height, plot.width(), height),
                   Qt::AlignCenter, QStringLiteral("\u03bc* (mean absolute elementary effect)"));
  painter.save();
  painter.translate(margin, plot.center().y());
  painter.rotate(-90);
  painter.drawText(QRect(-plot.height() / 2, 0, plot.height(), height), Qt::AlignCenter,
                   QStringLiteral("\u03c3 (spread of the effects)"));
  painter.restore();
  painter.setRenderHint(QPainter::Antialiasing);
  for (const ScreeningPoint& p : data.points) {
    const QPoint centre = at(p.muStar, p.sigma);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFirstColour);
    painter.drawEllipse(centre, height / 5, height / 5);
    if (p.muStar <= 0.0 && p.sigma <= 0.0) continue;  // unread factors all sit at the origin
    painter.setPen(Qt::black);
    const int w = metrics.horizontalAdvance(p.name) + 2;
    // Right of the point, or left of it near the right edge.
    const int x = centre.x() + w + height / 3 < plot.right() ? centre.x() + height / 3
                                                             : centre.x() - height / 3 - w;
    painter.drawText(QRect(x, centre.y() - height / 2, w, height), Qt::AlignVCenter, p.name);
  }
}

SobolChart::SobolChart(QWidget* parent) : QWidget(parent) {
  setMouseTracking(false);
}

void SobolChart::SetData(SobolChartData chartData) {
  data_ = std::move(chartData);
  updateGeometry();
  update();
}

void SobolChart::OnFactorClicked(std::function<void(std::size_t factor)> clicked) {
  clicked_ = std::move(clicked);
}

QSize SobolChart::minimumSizeHint() const {
  return SobolChartSize(fontMetrics(), data_);
}

QSize SobolChart::sizeHint() const {
  return minimumSizeHint();
}

void SobolChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  PaintSobolChart(painter, size(), data_);
}

void SobolChart::mousePressEvent(QMouseEvent* event) {
  if (!clicked_) return;
  const QFontMetrics metrics = fontMetrics();
  for (std::size_t r = 0; r < data_.rows.size(); ++r) {
    if (SobolRowRect(metrics, size(), r).contains(event->position().toPoint())) {
      clicked_(data_.rows[r].factor);
      return;
    }
  }
}

MorrisChart::MorrisChart(QWidget* parent) : QWidget(parent) {}

void MorrisChart::SetData(MorrisChartData chartData) {
  data_ = std::move(chartData);
  update();
}

QSize MorrisChart::minimumSizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  const int m = metrics.horizontalAdvance(QLatin1Char('M'));
  return {std::max(m * kMinimumPlotChars, metrics.horizontalAdvance(data_.title) + 2 * m),
          metrics.height() * kMinimumPlotChars / 2};
}

void MorrisChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  PaintMorrisChart(painter, size(), data_);
}

}  // namespace sensitivity
