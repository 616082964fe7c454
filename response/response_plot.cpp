#include "response/response_plot.h"

#include <QHelpEvent>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "response/nice_ticks.h"

namespace response {
namespace {

// Room around the plot's parts, in pixels; text is measured on top.
constexpr int kPad = 6;
constexpr int kGap = 4;
constexpr int kLeastRight = 16;
constexpr int kTickLength = 4;
constexpr int kWhiskerCap = 6;
constexpr double kMedianDot = 4.0;
constexpr int kFadeAlpha = 170;
constexpr double kHalfCategory = 0.5;
constexpr int kTickCount = 5;
constexpr int kBandAlpha = 70;
constexpr int kMarkerAlpha = 160;
constexpr int kLegendSwatch = 18;
constexpr int kLegendGap = 6;

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

bool Categories(const PlotData& data) {
  return !data.xNames.empty();
}

QString Number(double value) {
  return QString::number(value, 'g', 4);
}

std::array<QString, 3> LegendTexts(const PlotData& data) {
  return {QStringLiteral("median"),
          QStringLiteral("5\u201395 % of %1 replicates").arg(data.points.front().replicates),
          QStringLiteral("main window now")};
}

// Where each legend entry starts: its left edge and its line (from 0); the
// entries flow onto further lines where one line cannot hold them.
struct LegendPlace {
  double x;
  int line;
};
std::array<LegendPlace, 3> LegendPlaces(const PlotData& data, const QFontMetrics& metrics,
                                        double left, double right) {
  std::array<LegendPlace, 3> places{};
  double x = left;
  int line = 0;
  const std::array<QString, 3> texts = LegendTexts(data);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const double width = kLegendSwatch + kLegendGap + metrics.horizontalAdvance(texts[i]);
    if (x > left && x + width > right) {
      x = kPad;
      ++line;
    }
    places[i] = {x, line};
    x += width + 3 * kLegendGap;
  }
  return places;
}

// The y range covers the band with a little air, never narrower than 0.01;
// the margins hold the tick labels and titles as metrics measures them.
Frame FrameOf(const PlotData& data, QSize size, const QFontMetrics& metrics) {
  constexpr double kLeastSpan = 0.01;
  constexpr double kAir = 0.05;
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
  Frame frame{QRectF(), data.points.front().value, data.points.back().value, low - span * kAir,
              high + span * kAir};
  if (Categories(data)) {
    frame.xMin -= kHalfCategory;
    frame.xMax += kHalfCategory;
  }
  int widestY = 0;
  for (const std::string& text : TickTexts(NiceTicks(frame.yMin, frame.yMax, kTickCount))) {
    widestY = std::max(widestY, metrics.horizontalAdvance(QString::fromStdString(text)));
  }
  int widestX = 0;
  for (const QString& name : data.xNames)
    widestX = std::max(widestX, metrics.horizontalAdvance(name));
  widestX = std::max({widestX, metrics.horizontalAdvance(Number(frame.xMin)),
                      metrics.horizontalAdvance(Number(frame.xMax))});
  const int line = metrics.height();
  const int left = kPad + line + kGap + widestY + kGap + kTickLength;
  const int right = std::max(kLeastRight, widestX / 2 + kPad);
  const int legendLines = LegendPlaces(data, metrics, left, size.width() - kPad).back().line + 1;
  const int top = kPad + legendLines * line + kGap + line / 2;
  const int bottom = kTickLength + kGap + line + kGap + line + kPad;
  frame.area = QRectF(left, top, std::max(1, size.width() - left - right),
                      std::max(1, size.height() - top - bottom));
  return frame;
}

void PaintAxes(QPainter& painter, const Frame& frame, const PlotData& data) {
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(frame.area.bottomLeft(), frame.area.bottomRight());
  painter.drawLine(frame.area.bottomLeft(), frame.area.topLeft());
  const QFontMetrics metrics = painter.fontMetrics();
  const std::vector<double> yTicks = NiceTicks(frame.yMin, frame.yMax, kTickCount);
  const std::vector<std::string> yTexts = TickTexts(yTicks);
  for (std::size_t t = 0; t < yTicks.size(); ++t) {
    const double py = frame.Y(yTicks[t]);
    painter.drawLine(QPointF(frame.area.left() - kTickLength, py), QPointF(frame.area.left(), py));
    const QString text = QString::fromStdString(yTexts[t]);
    painter.drawText(
        QPointF(frame.area.left() - kTickLength - kGap - metrics.horizontalAdvance(text),
                py - metrics.height() / 2.0 + metrics.ascent()),
        text);
  }
  const bool named = Categories(data);
  const int xTicks = named ? static_cast<int>(data.points.size()) - 1 : kTickCount;
  for (int i = 0; i <= xTicks; ++i) {
    const double x = named ? data.points[static_cast<std::size_t>(i)].value
                           : frame.xMin + (frame.xMax - frame.xMin) * i / std::max(1, xTicks);
    const double px = frame.X(x);
    painter.drawLine(QPointF(px, frame.area.bottom()),
                     QPointF(px, frame.area.bottom() + kTickLength));
    const QString text = named ? data.xNames[static_cast<std::size_t>(i)] : Number(x);
    painter.drawText(QPointF(px - metrics.horizontalAdvance(text) / 2.0,
                             frame.area.bottom() + kTickLength + kGap + metrics.ascent()),
                     text);
  }
  const double titleTop = frame.area.bottom() + kTickLength + kGap + metrics.height() + kGap;
  painter.drawText(
      QRectF(frame.area.left(), titleTop, frame.area.width(), metrics.height()),
      Qt::AlignHCenter | Qt::AlignTop,
      metrics.elidedText(data.xTitle, Qt::ElideRight, static_cast<int>(frame.area.width())));
  painter.save();
  painter.translate(kPad, frame.area.center().y());
  painter.rotate(-90);
  painter.drawText(
      QRectF(-frame.area.height() / 2, 0, frame.area.height(), metrics.height()),
      Qt::AlignHCenter | Qt::AlignTop,
      metrics.elidedText(data.yTitle, Qt::ElideRight, static_cast<int>(frame.area.height())));
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

// Each kind on its own: the median as a dot, whiskers to the 5 and 95 % quantiles.
void PaintCategories(QPainter& painter, const Frame& frame, const PlotData& data) {
  painter.setPen(QPen(data.colour, 2));
  painter.setBrush(data.colour);
  for (const batch::ResponsePoint& p : data.points) {
    const double x = frame.X(p.value);
    painter.drawLine(QPointF(x, frame.Y(p.q05)), QPointF(x, frame.Y(p.q95)));
    for (const double y : {p.q05, p.q95}) {
      painter.drawLine(QPointF(x - kWhiskerCap, frame.Y(y)), QPointF(x + kWhiskerCap, frame.Y(y)));
    }
    painter.drawEllipse(QPointF(x, frame.Y(p.median)), kMedianDot, kMedianDot);
  }
  painter.setBrush(Qt::NoBrush);
}

void PaintMarker(QPainter& painter, const Frame& frame, const PlotData& data) {
  if (data.current >= data.points.size()) return;
  const double x = frame.X(data.points[data.current].value);
  QColor grey(Qt::darkGray);
  grey.setAlpha(kMarkerAlpha);
  painter.setPen(QPen(grey, 1, Qt::DashLine));
  painter.drawLine(QPointF(x, frame.area.top()), QPointF(x, frame.area.bottom()));
}

void PaintLegend(QPainter& painter, QSize size, const Frame& frame, const PlotData& data) {
  const QFontMetrics metrics = painter.fontMetrics();
  const std::array<QString, 3> texts = LegendTexts(data);
  const std::array<LegendPlace, 3> places =
      LegendPlaces(data, metrics, frame.area.left(), size.width() - kPad);
  std::size_t next = 0;
  const auto entry = [&](const auto& swatch) {
    const LegendPlace place = places[next];
    const double y = kPad + metrics.height() * (place.line + 0.5);
    swatch(QRectF(place.x, y - metrics.ascent() / 2.0, kLegendSwatch, metrics.ascent()));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(place.x + kLegendSwatch + kLegendGap,
                             y - metrics.height() / 2.0 + metrics.ascent()),
                     texts[next]);
    ++next;
  };
  const bool categories = Categories(data);
  entry([&](const QRectF& r) {
    painter.setPen(QPen(data.colour, 2));
    if (categories) {
      painter.setBrush(data.colour);
      painter.drawEllipse(r.center(), kMedianDot, kMedianDot);
      painter.setBrush(Qt::NoBrush);
      return;
    }
    painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
  });
  entry([&](const QRectF& r) {
    if (categories) {
      painter.setPen(QPen(data.colour, 2));
      painter.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
      return;
    }
    QColor tint = data.colour;
    tint.setAlpha(kBandAlpha);
    painter.fillRect(r, tint);
  });
  entry([&](const QRectF& r) {
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
  });
}

}  // namespace

void PaintResponse(QPainter& painter, QSize size, const PlotData& data) {
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  if (data.points.empty()) return;
  painter.setRenderHint(QPainter::Antialiasing, true);
  const Frame frame = FrameOf(data, size, painter.fontMetrics());
  if (Categories(data)) {
    PaintCategories(painter, frame, data);
  } else {
    PaintBandAndMedian(painter, frame, data);
  }
  PaintMarker(painter, frame, data);
  painter.setRenderHint(QPainter::Antialiasing, false);
  PaintAxes(painter, frame, data);
  PaintLegend(painter, size, frame, data);
  if (data.faded) {
    painter.fillRect(QRect(QPoint(0, 0), size), QColor(255, 255, 255, kFadeAlpha));
    painter.setPen(Qt::black);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, data.note);
  }
}

std::optional<std::size_t> PointAt(const PlotData& data, QSize size, const QFont& font, int x) {
  if (data.points.empty()) return std::nullopt;
  const Frame frame = FrameOf(data, size, QFontMetrics(font));
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
  const std::optional<std::size_t> at = PointAt(data_, size(), font(), help->pos().x());
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
