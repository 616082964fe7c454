#pragma once

#include <QPainter>
#include <QString>
#include <QWidget>
#include <vector>

#include "abc/population.h"
#include "abc/prior_range.h"

namespace calibration {

// What the plot shows: a population over its fitted parameters.
struct PosteriorPlotData {
  std::vector<QString> names;  // as the main window names the parameters
  std::vector<abc::PriorRange> priors;
  abc::Population population;
  QColor colour{0, 90, 170};
};

// Paints data into a rectangle of size: for each parameter its weighted
// histogram (the diagonal), and for each pair the particles as points (below
// the diagonal), with the median and the 90 % credible interval marked on
// each histogram. Each axis spans the particles' range and a little more,
// within the prior, its ends labelled.
void PaintPosterior(QPainter& painter, QSize size, const PosteriorPlotData& data);

class PosteriorPlot : public QWidget {
 public:
  explicit PosteriorPlot(QWidget* parent = nullptr);
  void SetData(PosteriorPlotData plotData);
  const PosteriorPlotData& Data() const { return data_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PosteriorPlotData data_;
};

}  // namespace calibration
