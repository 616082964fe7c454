#include "map/map_plot.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "map/contour_segments.h"
#include "map/viridis.h"
#include "response/nice_ticks.h"

namespace map {
namespace {

// Room around the picture's parts, in pixels; text is measured on top.
constexpr int kPad = 6;
constexpr int kGap = 4;
constexpr int kTick = 4;
constexpr int kBarWidth = 18;
constexpr int kLeastBarGap = 16;
constexpr int kAxisTicks = 5;
constexpr int kBarTicks = 5;
constexpr double kHalfCell = 0.5;
constexpr int kMarkerRadius = 6;
constexpr double kOutlineWidth = 3.0;
constexpr double kInnerWidth = 1.5;
constexpr int kFadeAlpha = 170;
constexpr int kCellDigits = 9;
constexpr double kDarkBelow = 0.18;  // luminance under which white shows best

// The fractional position of value among an axis's ascending values.
double PositionOfValue(const std::vector<double>& values, double value) {
  if (values.size() < 2 || values.back() == values.front()) return 0.0;
  const auto upper = std::upper_bound(values.begin(), values.end(), value);
  if (upper == values.begin()) return 0.0;
  if (upper == values.end()) return static_cast<double>(values.size() - 1);
  const auto i = static_cast<std::size_t>(upper - values.begin()) - 1;
  const double span = values[i + 1] - values[i];
  return static_cast<double>(i) + (span > 0 ? (value - values[i]) / span : 0.0);
}

struct Tick {
  double position;
  QString text;
};

std::vector<Tick> AxisTicks(const std::vector<double>& values) {
  std::vector<Tick> ticks;
  if (values.empty()) return ticks;
  const std::vector<double> at = response::NiceTicks(values.front(), values.back(), kAxisTicks);
  const std::vector<std::string> texts = response::TickTexts(at);
  for (std::size_t t = 0; t < at.size(); ++t) {
    ticks.push_back({PositionOfValue(values, at[t]), QString::fromStdString(texts[t])});
  }
  return ticks;
}

int WidestText(const QFontMetrics& metrics, const std::vector<Tick>& ticks) {
  int widest = 0;
  for (const Tick& tick : ticks) widest = std::max(widest, metrics.horizontalAdvance(tick.text));
  return widest;
}

// Where everything goes, from the text's measures.
struct Layout {
  QRectF area;  // the cells
  QRectF bar;   // the colour bar
  std::size_t xCount = 1;
  std::size_t yCount = 1;
  ValueRange range;
  std::vector<Tick> xTicks;
  std::vector<Tick> yTicks;
  std::vector<double> barTicks;
  std::vector<std::string> barTexts;

  double X(double position) const {
    return area.left() + (position + kHalfCell) / static_cast<double>(xCount) * area.width();
  }
  double Y(double position) const {
    return area.bottom() - (position + kHalfCell) / static_cast<double>(yCount) * area.height();
  }
  double BarY(double value) const {
    const double span = range.high - range.low;
    return bar.bottom() - (span > 0 ? (value - range.low) / span : kHalfCell) * bar.height();
  }
};

Layout LayoutOf(const MapPlotData& data, QSize size, const QFontMetrics& metrics) {
  Layout layout;
  layout.xCount = std::max<std::size_t>(1, data.xValues.size());
  layout.yCount = std::max<std::size_t>(1, data.yValues.size());
  layout.range = RangeOf(data);
  layout.xTicks = AxisTicks(data.xValues);
  layout.yTicks = AxisTicks(data.yValues);
  layout.barTicks = response::NiceTicks(layout.range.low, layout.range.high, kBarTicks);
  layout.barTexts = response::TickTexts(layout.barTicks);
  const int line = metrics.height();
  int barTickWidth = 0;
  for (const std::string& text : layout.barTexts) {
    barTickWidth = std::max(barTickWidth, metrics.horizontalAdvance(QString::fromStdString(text)));
  }
  const int left = kPad + line + kGap + WidestText(metrics, layout.yTicks) + kGap + kTick;
  const int bottom = kTick + kGap + line + kGap + line + kPad;
  const int top = kPad + line / 2 + 1;
  const int barGap = std::max(kLeastBarGap, WidestText(metrics, layout.xTicks) / 2 + kGap);
  const int right = barGap + kBarWidth + kTick + kGap + barTickWidth + kGap + line + kPad;
  layout.area = QRectF(left, top, std::max(1, size.width() - left - right),
                       std::max(1, size.height() - top - bottom));
  layout.bar =
      QRectF(layout.area.right() + barGap, layout.area.top(), kBarWidth, layout.area.height());
  return layout;
}

// The edges of level cell i along an axis of count positions, in positions.
std::pair<double, double> CellSpan(const std::vector<std::size_t>& positions, std::size_t i,
                                   std::size_t count) {
  const double at = static_cast<double>(positions[i]);
  const double low = i == 0 ? -kHalfCell : (static_cast<double>(positions[i - 1]) + at) / 2;
  const double high = i + 1 == positions.size() ? static_cast<double>(count) - kHalfCell
                                                : (at + static_cast<double>(positions[i + 1])) / 2;
  return {low, high};
}

QColor ColourOf(double value, ValueRange range) {
  const double span = range.high - range.low;
  const Rgb rgb = Viridis(span > 0 ? (value - range.low) / span : kHalfCell);
  return QColor(rgb[0], rgb[1], rgb[2]);
}

QRectF CellRect(const MapPlotData& data, const Layout& layout, CellIndex cell) {
  const auto [x0, x1] = CellSpan(data.level.xPositions, cell.x, layout.xCount);
  const auto [y0, y1] = CellSpan(data.level.yPositions, cell.y, layout.yCount);
  // Whole pixels, so that neighbouring cells meet without a seam.
  return QRectF(QPointF(std::round(layout.X(x0)), std::round(layout.Y(y1))),
                QPointF(std::round(layout.X(x1)), std::round(layout.Y(y0))));
}

void PaintCells(QPainter& painter, const MapPlotData& data, const Layout& layout) {
  const batch::MapLevel& level = data.level;
  for (std::size_t i = 0; i < level.xPositions.size(); ++i) {
    for (std::size_t j = 0; j < level.yPositions.size(); ++j) {
      const double value = batch::StatisticOfCell(level.At(i, j), data.statistic);
      painter.fillRect(CellRect(data, layout, {i, j}), ColourOf(value, layout.range));
    }
  }
}

// A level index with a fraction, as a position of the whole axis.
double PositionOfIndex(const std::vector<std::size_t>& positions, double index) {
  const auto whole = static_cast<std::size_t>(std::floor(index));
  if (whole + 1 >= positions.size()) return static_cast<double>(positions.back());
  const double fraction = index - static_cast<double>(whole);
  return static_cast<double>(positions[whole]) +
         fraction * static_cast<double>(positions[whole + 1] - positions[whole]);
}

void PaintContour(QPainter& painter, const MapPlotData& data, const Layout& layout) {
  if (!data.contour) return;
  const batch::MapLevel& level = data.level;
  std::vector<double> values;
  values.reserve(level.cells.size());
  for (const batch::MapCell& cell : level.cells) {
    values.push_back(batch::StatisticOfCell(cell, data.statistic));
  }
  const std::vector<ContourSegment> segments =
      ContourSegments(values, level.xPositions.size(), level.yPositions.size(), *data.contour);
  const auto point = [&](double x, double y) {
    return QPointF(layout.X(PositionOfIndex(level.xPositions, x)),
                   layout.Y(PositionOfIndex(level.yPositions, y)));
  };
  for (const auto& [pen, width] : {std::pair{Qt::black, kOutlineWidth}, {Qt::white, kInnerWidth}}) {
    painter.setPen(QPen(QColor(pen), width, Qt::SolidLine, Qt::RoundCap));
    for (const ContourSegment& s : segments) painter.drawLine(point(s.x0, s.y0), point(s.x1, s.y1));
  }
}

void PaintMarker(QPainter& painter, const MapPlotData& data, const Layout& layout) {
  const QPointF centre(layout.X(static_cast<double>(data.xCurrent)),
                       layout.Y(static_cast<double>(data.yCurrent)));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, kOutlineWidth));
  painter.drawEllipse(centre, kMarkerRadius, kMarkerRadius);
  painter.setPen(QPen(Qt::white, kInnerWidth));
  painter.drawEllipse(centre, kMarkerRadius, kMarkerRadius);
}

void PaintFocus(QPainter& painter, const MapPlotData& data, const Layout& layout, CellIndex cell) {
  const QRectF rect = CellRect(data, layout, cell);
  const batch::MapCell& values = data.level.At(cell.x, cell.y);
  const QColor fill = ColourOf(batch::StatisticOfCell(values, data.statistic), layout.range);
  const Rgb rgb{static_cast<std::uint8_t>(fill.red()), static_cast<std::uint8_t>(fill.green()),
                static_cast<std::uint8_t>(fill.blue())};
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Luminance(rgb) < kDarkBelow ? Qt::white : Qt::black, 1, Qt::DashLine));
  painter.drawRect(rect.adjusted(1, 1, -1, -1));
}

void PaintAxes(QPainter& painter, const MapPlotData& data, const Layout& layout) {
  const QFontMetrics metrics = painter.fontMetrics();
  const QRectF& area = layout.area;
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
  for (const Tick& tick : layout.xTicks) {
    const double x = layout.X(tick.position);
    painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + kTick));
    painter.drawText(QPointF(x - metrics.horizontalAdvance(tick.text) / 2.0,
                             area.bottom() + kTick + kGap + metrics.ascent()),
                     tick.text);
  }
  for (const Tick& tick : layout.yTicks) {
    const double y = layout.Y(tick.position);
    painter.drawLine(QPointF(area.left() - kTick, y), QPointF(area.left(), y));
    painter.drawText(QPointF(area.left() - kTick - kGap - metrics.horizontalAdvance(tick.text),
                             y - metrics.height() / 2.0 + metrics.ascent()),
                     tick.text);
  }
  const double titleTop = area.bottom() + kTick + kGap + metrics.height() + kGap;
  painter.drawText(QRectF(area.left(), titleTop, area.width(), metrics.height()),
                   Qt::AlignHCenter | Qt::AlignTop,
                   metrics.elidedText(data.xTitle, Qt::ElideRight, static_cast<int>(area.width())));
  const auto rotatedTitle = [&](const QString& title, double left, const QRectF& along) {
    painter.save();
    painter.translate(left, along.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-along.height() / 2, 0, along.height(), metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop,
                     metrics.elidedText(title, Qt::ElideRight, static_cast<int>(along.height())));
    painter.restore();
  };
  rotatedTitle(data.yTitle, kPad, area);
  const double barTextLeft = layout.bar.right() + kTick + kGap;
  int barTickWidth = 0;
  for (std::size_t t = 0; t < layout.barTicks.size(); ++t) {
    const double y = layout.BarY(layout.barTicks[t]);
    const QString text = QString::fromStdString(layout.barTexts[t]);
    barTickWidth = std::max(barTickWidth, metrics.horizontalAdvance(text));
    painter.drawLine(QPointF(layout.bar.right(), y), QPointF(layout.bar.right() + kTick, y));
    painter.drawText(QPointF(barTextLeft, y - metrics.height() / 2.0 + metrics.ascent()), text);
  }
  rotatedTitle(data.valueTitle, barTextLeft + barTickWidth + kGap, layout.bar);
}

void PaintBar(QPainter& painter, const Layout& layout) {
  const QRectF& bar = layout.bar;
  const int rows = std::max(1, static_cast<int>(bar.height()));
  for (int r = 0; r < rows; ++r) {
    const double t = (static_cast<double>(r) + kHalfCell) / rows;
    const Rgb rgb = Viridis(t);
    painter.fillRect(QRectF(bar.left(), bar.bottom() - r - 1, bar.width(), 1),
                     QColor(rgb[0], rgb[1], rgb[2]));
  }
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(bar);
}

void PaintFade(QPainter& painter, const MapPlotData& data, QSize size) {
  painter.fillRect(QRect(QPoint(0, 0), size), QColor(255, 255, 255, kFadeAlpha));
  if (data.note.isEmpty()) return;
  painter.setPen(Qt::black);
  painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, data.note);
}

}  // namespace

ValueRange RangeOf(const MapPlotData& data) {
  if (data.statistic == batch::MapStatistic::kShareAbove) return {0.0, 1.0};
  double low = INFINITY;
  double high = -INFINITY;
  for (const batch::MapCell& cell : data.level.cells) {
    const double v = batch::StatisticOfCell(cell, data.statistic);
    if (!std::isfinite(v)) continue;
    low = std::min(low, v);
    high = std::max(high, v);
  }
  if (!(low <= high)) return {0.0, 1.0};
  if (high == low) return {low - kHalfCell, high + kHalfCell};
  return {low, high};
}

void PaintMap(QPainter& painter, QSize size, const MapPlotData& data,
              std::optional<CellIndex> focus) {
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  const Layout layout = LayoutOf(data, size, painter.fontMetrics());
  if (!data.level.cells.empty()) {
    PaintCells(painter, data, layout);
    painter.setRenderHint(QPainter::Antialiasing, true);
    PaintContour(painter, data, layout);
    PaintMarker(painter, data, layout);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (focus) PaintFocus(painter, data, layout, *focus);
  }
  PaintBar(painter, layout);
  PaintAxes(painter, data, layout);
  if (data.faded) PaintFade(painter, data, size);
}

std::optional<CellIndex> CellAt(const MapPlotData& data, QSize size, const QFont& font,
                                QPointF point) {
  const batch::MapLevel& level = data.level;
  if (level.cells.empty()) return std::nullopt;
  const Layout layout = LayoutOf(data, size, QFontMetrics(font));
  if (!layout.area.contains(point)) return std::nullopt;
  const double x =
      (point.x() - layout.area.left()) / layout.area.width() * static_cast<double>(layout.xCount) -
      kHalfCell;
  const double y = (layout.area.bottom() - point.y()) / layout.area.height() *
                       static_cast<double>(layout.yCount) -
                   kHalfCell;
  const auto nearest = [](const std::vector<std::size_t>& positions, double at) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < positions.size(); ++i) {
      if (std::abs(static_cast<double>(positions[i]) - at) <
          std::abs(static_cast<double>(positions[best]) - at)) {
        best = i;
      }
    }
    return best;
  };
  return CellIndex{nearest(level.xPositions, x), nearest(level.yPositions, y)};
}

QPointF CentreOf(const MapPlotData& data, QSize size, const QFont& font, CellIndex cell) {
  const Layout layout = LayoutOf(data, size, QFontMetrics(font));
  return {layout.X(static_cast<double>(data.level.xPositions[cell.x])),
          layout.Y(static_cast<double>(data.level.yPositions[cell.y]))};
}

QString CellText(const MapPlotData& data, CellIndex cell) {
  const batch::MapCell& c = data.level.At(cell.x, cell.y);
  const auto n = [](double v) { return QString::number(v, 'g', kCellDigits); };
  return QStringLiteral(
             "%1 = %2, %3 = %4\nmedian %5\n5 %: %6   95 %: %7   width %8\n"
             "share above %9: %10\n%11 populations")
      .arg(data.xTitle, n(data.xValues[data.level.xPositions[cell.x]]), data.yTitle,
           n(data.yValues[data.level.yPositions[cell.y]]), n(c.median), n(c.q05), n(c.q95),
           n(c.q95 - c.q05), n(data.threshold))
      .arg(n(c.shareAbove))
      .arg(data.replicates);
}

MapPlot::MapPlot(QWidget* parent) : QWidget(parent) {
  constexpr int kMinimumWidth = 480;
  constexpr int kMinimumHeight = 360;
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
}

void MapPlot::SetData(MapPlotData plotData) {
  data_ = std::move(plotData);
  const batch::MapLevel& level = data_.level;
  if (focus_ && (focus_->x >= level.xPositions.size() || focus_->y >= level.yPositions.size())) {
    focus_.reset();
  }
  update();
}

void MapPlot::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintMap(painter, size(), data_, hasFocus() ? focus_ : std::nullopt);
}

bool MapPlot::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const std::optional<CellIndex> at = CellAt(data_, size(), font(), help->pos());
  if (!at) {
    QToolTip::hideText();
    return true;
  }
  QToolTip::showText(help->globalPos(), CellText(data_, *at), this);
  return true;
}

void MapPlot::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const std::optional<CellIndex> at = CellAt(data_, size(), font(), event->position());
  if (!at) return;
  focus_ = at;
  update();
  if (pick_) pick_(*at);
}

void MapPlot::keyPressEvent(QKeyEvent* event) {
  const batch::MapLevel& level = data_.level;
  if (level.cells.empty()) return QWidget::keyPressEvent(event);
  CellIndex cell =
      focus_.value_or(CellIndex{level.xPositions.size() / 2, level.yPositions.size() / 2});
  switch (event->key()) {
    case Qt::Key_Left:
      if (cell.x > 0) --cell.x;
      break;
    case Qt::Key_Right:
      if (cell.x + 1 < level.xPositions.size()) ++cell.x;
      break;
    case Qt::Key_Down:
      if (cell.y > 0) --cell.y;
      break;
    case Qt::Key_Up:
      if (cell.y + 1 < level.yPositions.size()) ++cell.y;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (focus_ && pick_) pick_(*focus_);
      return;
    default:
      return QWidget::keyPressEvent(event);
  }
  focus_ = cell;
  update();
}

}  // namespace map
