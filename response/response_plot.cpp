#include "response/response_plot.h"

#include <QHelpEvent>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <vector>

#include "response/nice_ticks.h"

namespace response {
namespace {

// Margins around the plotting area, in pixels: room for ticks and titles.
constexpr int kLeft = 64;
constexpr int kRight = 16;
constexpr int kTop = 28;
constexpr int kBottom = 48;
constexpr int kTickLength = 4;
constexpr int kTickCount = 5;
constexpr int kBandAlpha = 70;
constexpr int kMarkerAlpha = 160;
constexpr int kLegendSwatch = 18;
constexpr int kLegendGap = 6;
constexpr int kTextPadding = 4;

struct Frame {
  QRectF area;
  double xMin;
  double xMax;
  double yMin;
  double yMax;

  double X(double value) const {
    return xMax == xMin ? area.center().x()
                        : area.left() + (value - xMin) / (xMax - xMin) * area.width();
  }
  double Y(double value) const {
    return yMax == yMin ? area.center().y()
                        : area.bottom() - (value - yMin) / (yMax - yMin) * area.height();
  }
};

// The y range covers the band with a little air, never narrower than 0.01.
Frame FrameOf(const PlotData& data, QSize size) {
  constexpr double kLeastSpan = 0.01;
  constexpr double kAir = 0.05;
  Frame frame{QRectF(kLeft, kTop, std::max(1, size.width() - kLeft - kRight),
                     std::max(1, size.height() - kTop - kBottom)),
              data.points.front().value, data.points.back().value, 0.0, 0.0};
  double low = data.points.front().q05;
  double high = data.points.front().q95;
  for (const batch::ResponsePoint& p : data.points) {
    if (std::isfinite(p.q05)) low = std::min(low, p.q05);
    if (std::isfinite(p.q95)) high = std::max(high, p.q95);
  }
  if (high - low < kLeastSpan) {
    const double middle = (low + high) / 2;
    low = middle - kLeastSpan / 2;
    high = middle + kLeastSpan / 2;
  }
  const double span = high - low;
  frame.yMin = low - span * kAir;
  frame.yMax = high + span * kAir;
  return frame;
}

QString Number(double value) {
  return QString::number(value, 'g', 4);
}

void PaintAxes(QPainter& painter, const Frame& frame, const PlotData& data) {
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(frame.area.bottomLeft(), frame.area.bottomRight());
  painter.drawLine(frame.area.bottomLeft(), frame.area.topLeft());
  const QFontMetrics metrics = painter.fontMetrics();
  for (const double y : NiceTicks(frame.yMin, frame.yMax, kTickCount)) {
    const double py = frame.Y(y);
    painter.drawLine(QPointF(frame.area.left() - kTickLength, py), QPointF(frame.area.left(), py));
    const QString text = Number(y);
    painter.drawText(
        QPointF(frame.area.left() - kTickLength - kTextPadding - metrics.horizontalAdvance(text),
                py + metrics.ascent() / 2.0),
        text);
  }
  const bool named = !data.xNames.empty();
  const int xTicks = named ? static_cast<int>(data.points.size()) - 1 : kTickCount;
  for (int i = 0; i <= xTicks; ++i) {
    const double x = named ? data.points[static_cast<std::size_t>(i)].value
                           : frame.xMin + (frame.xMax - frame.xMin) * i / std::max(1, xTicks);
    const double px = frame.X(x);
    painter.drawLine(QPointF(px, frame.area.bottom()),
                     QPointF(px, frame.area.bottom() + kTickLength));
    const QString text = named ? data.xNames[static_cast<std::size_t>(i)] : Number(x);
    painter.drawText(QPointF(px - metrics.horizontalAdvance(text) / 2.0,
                             frame.area.bottom() + kTickLength + metrics.ascent() + 1),
                     text);
  }
  painter.drawText(QRectF(frame.area.left(), frame.area.bottom() + kTickLength + metrics.height(),
                          frame.area.width(), metrics.height() + kTextPadding),
                   Qt::AlignHCenter | Qt::AlignTop, data.xTitle);
  painter.save();
  painter.translate(metrics.height() / 2.0 + 2, frame.area.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-frame.area.height() / 2, -metrics.height() / 2.0, frame.area.height(),
                          metrics.height() + kTextPadding),
                   Qt::AlignHCenter | Qt::AlignTop, data.yTitle);
  painter.restore();
}

void PaintBandAndMedian(QPainter& painter, const Frame& frame, const PlotData& data) {
  QPolygonF band;
  for (const batch::ResponsePoint& p : data.points)
    band << QPointF(frame.X(p.value), frame.Y(p.q95));
  for (auto p = data.points.rbegin(); p != data.points.rend(); ++p) {
    band << QPointF(frame.X(p->value), frame.Y(p->q05));
  }
  QColor tint = data.colour;
  tint.setAlpha(kBandAlpha);
  painter.setPen(Qt::NoPen);
  painter.setBrush(tint);
  painter.drawPolygon(band);
  QPolygonF median;
  for (const batch::ResponsePoint& p : data.points) {
    median << QPointF(frame.X(p.value), frame.Y(p.median));
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(data.colour, 2));
  painter.drawPolyline(median);
}

void PaintMarker(QPainter& painter, const Frame& frame, const PlotData& data) {
  if (data.current >= data.points.size()) return;
  const double x = frame.X(data.points[data.current].value);
  QColor grey(Qt::darkGray);
  grey.setAlpha(kMarkerAlpha);
  painter.setPen(QPen(grey, 1, Qt::DashLine));
  painter.drawLine(QPointF(x, frame.area.top()), QPointF(x, frame.area.bottom()));
}

void PaintLegend(QPainter& painter, const Frame& frame, const PlotData& data) {
  const QFontMetrics metrics = painter.fontMetrics();
  double x = frame.area.left();
  const double y = kTop / 2.0;
  const auto entry = [&](const QString& text, const auto& swatch) {
    swatch(QRectF(x, y - metrics.ascent() / 2.0, kLegendSwatch, metrics.ascent()));
    x += kLegendSwatch + kLegendGap;
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x, y + metrics.ascent() / 2.0 - 1), text);
    x += metrics.horizontalAdvance(text) + 3 * kLegendGap;
  };
  entry(QStringLiteral("median"), [&](const QRectF& r) {
    painter.setPen(QPen(data.colour, 2));
    painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
  });
  entry(QStringLiteral("5\u201395 % of %1 replicates").arg(data.points.front().replicates),
        [&](const QRectF& r) {
          QColor tint = data.colour;
          tint.setAlpha(kBandAlpha);
          painter.fillRect(r, tint);
        });
  entry(QStringLiteral("main window now"), [&](const QRectF& r) {
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
  });
}

}  // namespace

void PaintResponse(QPainter& painter, QSize size, const PlotData& data) {
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  if (data.points.empty()) return;
  painter.setRenderHint(QPainter::Antialiasing, true);
  const Frame frame = FrameOf(data, size);
  PaintBandAndMedian(painter, frame, data);
  PaintMarker(painter, frame, data);
  painter.setRenderHint(QPainter::Antialiasing, false);
  PaintAxes(painter, frame, data);
  PaintLegend(painter, frame, data);
}

std::optional<std::size_t> PointAt(const PlotData& data, QSize size, int x) {
  if (data.points.empty()) return std::nullopt;
  const Frame frame = FrameOf(data, size);
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < data.points.size(); ++i) {
    if (std::abs(frame.X(data.points[i].value) - x) <
        std::abs(frame.X(data.points[nearest].value) - x)) {
      nearest = i;
    }
  }
  return nearest;
}

ResponsePlot::ResponsePlot(QWidget* parent) : QWidget(parent) {
  constexpr int kMinimumWidth = 480;
  constexpr int kMinimumHeight = 320;
  setMinimumSize(kMinimumWidth, kMinimumHeight);
}

void ResponsePlot::SetData(PlotData plotData) {
  data_ = std::move(plotData);
  update();
}

void ResponsePlot::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintResponse(painter, size(), data_);
}

bool ResponsePlot::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const std::optional<std::size_t> at = PointAt(data_, size(), help->pos().x());
  if (!at) {
    QToolTip::hideText();
    return true;
  }
  const batch::ResponsePoint& p = data_.points[*at];
  const QString value =
      data_.xNames.empty() ? QString::number(p.value, 'g', 17) : data_.xNames[*at];
  QToolTip::showText(help->globalPos(),
                     QStringLiteral("%1 = %2\nmedian %3\n5 %: %4   95 %: %5\nmean %6   sd %7\n"
                                    "%8 replicates")
                         .arg(data_.xTitle, value, QString::number(p.median, 'g', 9),
                              QString::number(p.q05, 'g', 9), QString::number(p.q95, 'g', 9),
                              QString::number(p.mean, 'g', 9), QString::number(p.sd, 'g', 9))
                         .arg(p.replicates),
                     this);
  return true;
}

}  // namespace response
