#pragma once

#include <QPainter>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "batch/parameter_map.h"

namespace map {

// What the map shows: one level's cells coloured by a statistic, on axes
// that span every position of both parameters, and where the main window stands.
struct MapPlotData {
  batch::MapLevel level;
  batch::MapStatistic statistic = batch::MapStatistic::kMedian;
  double threshold = 0.0;
  std::uint64_t replicates = 0;
  std::vector<double> xValues;  // every position of each axis
  std::vector<double> yValues;
  QString xTitle;
  QString yTitle;
  QString valueTitle;  // what the colours stand for
  std::size_t xCurrent = 0;
  std::size_t yCurrent = 0;
  std::optional<double> contour;
  // Shown faded, with this note over it, while a newer map is computed.
  bool faded = false;
  QString note;
};

// A cell of the shown level, by its indices in the level's positions.
struct CellIndex {
  std::size_t x = 0;
  std::size_t y = 0;
  friend bool operator==(const CellIndex&, const CellIndex&) = default;
};

// The colour scale's ends: the statistic's range over the level's cells (a
// share always 0 to 1), widened about a single value.
struct ValueRange {
  double low = 0.0;
  double high = 1.0;
};
ValueRange RangeOf(const MapPlotData& data);

// Paints data into a rectangle of size: cells, contour, marker, axes with
// ticks and titles and the colour bar with its numbers, all text measured in
// painter's font so that none is clipped.
void PaintMap(QPainter& painter, QSize size, const MapPlotData& data,
              std::optional<CellIndex> focus = std::nullopt);

// The cell under point in a picture of size painted with font; none outside.
std::optional<CellIndex> CellAt(const MapPlotData& data, QSize size, const QFont& font,
                                QPointF point);

// Where in a picture of size the centre of a cell lies.
QPointF CentreOf(const MapPlotData& data, QSize size, const QFont& font, CellIndex cell);

// The numbers of a cell, as its tooltip gives them.
QString CellText(const MapPlotData& data, CellIndex cell);

// The map as a widget: the numbers of the cell under the pointer as its
// tooltip; a click, or Return on the cell the arrow keys chose, picks a cell.
class MapPlot : public QWidget {
 public:
  explicit MapPlot(QWidget* parent = nullptr);
  void SetData(MapPlotData plotData);
  const MapPlotData& Data() const { return data_; }
  void OnPick(std::function<void(CellIndex)> pick) { pick_ = std::move(pick); }
  std::optional<CellIndex> Focus() const { return focus_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  MapPlotData data_;
  std::optional<CellIndex> focus_;
  std::function<void(CellIndex)> pick_;
};

}  // namespace map
