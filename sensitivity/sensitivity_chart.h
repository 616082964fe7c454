#pragma once

#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace sensitivity {

// One factor's Sobol indices as the chart shows them.
struct IndexRow {
  QString name;
  std::size_t factor = 0;  // index into the analysis's factors
  double first = 0.0;
  double firstLow = 0.0;
  double firstHigh = 0.0;
  double total = 0.0;
  double totalLow = 0.0;
  double totalHigh = 0.0;
};

// One factor's Morris statistics.
struct ScreeningPoint {
  QString name;
  std::size_t factor = 0;
  double muStar = 0.0;
  double sigma = 0.0;
};

struct SobolChartData {
  QString title;
  std::vector<IndexRow> rows;  // the factors, largest total index first
  std::optional<IndexRow> draw;
};

struct MorrisChartData {
  QString title;
  std::vector<ScreeningPoint> points;
};

// Paints into a rectangle of size: labels, bars and axes sized from the
// painter's font, so that nothing is cut at any scale.
void PaintSobolChart(QPainter& painter, QSize size, const SobolChartData& data);
void PaintMorrisChart(QPainter& painter, QSize size, const MorrisChartData& data);

// The least size that holds every label of the Sobol chart in this font.
QSize SobolChartSize(const QFontMetrics& metrics, const SobolChartData& data);

// Where row r of the Sobol chart lies, for the painter's font.
QRect SobolRowRect(const QFontMetrics& metrics, QSize size, std::size_t row);

// The Sobol bars; a click on a factor's row reports its factor.
class SobolChart : public QWidget {
 public:
  explicit SobolChart(QWidget* parent = nullptr);

  void SetData(SobolChartData chartData);
  const SobolChartData& Data() const { return data_; }
  void OnFactorClicked(std::function<void(std::size_t factor)> clicked);
  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  SobolChartData data_;
  std::function<void(std::size_t)> clicked_;
};

// The mu*-sigma plane of Morris's screening.
class MorrisChart : public QWidget {
 public:
  explicit MorrisChart(QWidget* parent = nullptr);

  void SetData(MorrisChartData chartData);
  const MorrisChartData& Data() const { return data_; }
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  MorrisChartData data_;
};

}  // namespace sensitivity
