#pragma once

#include <QColor>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "batch/response_sweep.h"

namespace response {

// What the plot shows: a measure's median and 5-95 % band against the values
// of one parameter, and where the main window stands.
struct PlotData {
  std::vector<batch::ResponsePoint> points;
  QString xTitle;
  QString yTitle;
  QColor colour;
  std::size_t current = 0;
  std::vector<QString> xNames;  // for kinds: a name per value; empty for numbers
  // Shown faded, with this note over it, while a newer result is computed.
  bool faded = false;
  QString note;
};

// Paints data into a rectangle of size on painter: axes with ticks and titles,
// the band and the median line (for kinds, each kind's median with whiskers
// to its 5 and 95 % quantiles), the current position's marker and a legend;
// the margins are measured in painter's font, so that no text is clipped.
void PaintResponse(QPainter& painter, QSize size, const PlotData& data);

// The point whose value lies nearest the pixel column x in a plot of size
// painted in font.
std::optional<std::size_t> PointAt(const PlotData& data, QSize size, const QFont& font, int x);

// The plot as a widget, with the numbers of the point under the pointer as its tooltip.
class ResponsePlot : public QWidget {
 public:
  explicit ResponsePlot(QWidget* parent = nullptr);
  void SetData(PlotData plotData);
  const PlotData& Data() const { return data_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  PlotData data_;
};

}  // namespace response
