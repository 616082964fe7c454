#include "population/population_picture.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace population {
namespace {

// Shares of the picture: the attribute histograms take the top, the heat
// strips the left of the rest, the step's histogram its right.
constexpr double kTopShare = 0.32;
constexpr double kStripShare = 0.62;
constexpr int kNumberDigits = 3;
constexpr int kStepTicks[] = {0, 25, 50, 75, 100};
// Heat strip rows beyond the bins, for propensities to sanction outside [0, 1].
constexpr int kOutsideRows = 3;
// Rows a histogram's or strip's bars need at least, in lines of text.
constexpr double kBarLines = 3.0;

const QColor kEmptyCell(255, 255, 255);
const QColor kFullCell(20, 50, 140);
const QColor kBar(100, 120, 170);
const QColor kMedian(200, 0, 0);
const QColor kAxis(0, 0, 0);
const QColor kStepMark(0, 0, 0);

QString Number(double v) {
  return QString::number(v, 'g', kNumberDigits);
}

QString AttributeTitle(const batch::AttributeSummary& a) {
  const bool share = a.attribute == batch::kAttributeR || a.attribute == batch::kAttributeRPrime;
  return QStringLiteral("%1: %2 %3")
      .arg(QString::fromUtf8(batch::kAttributeNames[a.attribute]))
      .arg(a.values.size())
      .arg(share ? QStringLiteral("carriers") : QStringLiteral("agents"));
}

QString StripTitle(bool sanction) {
  return sanction ? QStringLiteral("Propensity to sanction by step (bins of 0.05), line: mean")
                  : QStringLiteral("Propensity to volunteer by step (bins of 0.05), line: mean");
}

QString StepTitle(int step) {
  return QStringLiteral("Step %1: propensity to volunteer").arg(step);
}

// The square root of the share of the largest count: a few agents away from
// the crowd still show beside a bin that holds most of them.
QColor CellColour(int count, int largest) {
  const double t = largest > 0 ? std::sqrt(static_cast<double>(count) / largest) : 0.0;
  const auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
  return QColor(mix(kEmptyCell.red(), kFullCell.red()), mix(kEmptyCell.green(), kFullCell.green()),
                mix(kEmptyCell.blue(), kFullCell.blue()));
}

// Draws text and keeps its box. Every text is one line, placed by the top of
// its box and by its left edge, right edge or centre.
class Canvas {
 public:
  explicit Canvas(QPainter& painter) : p(painter), metrics(painter.font()) {}

  double LineHeight() const { return metrics.height(); }
  double Width(const QString& text) const { return metrics.horizontalAdvance(text) + 2.0; }

  void Text(double x, double top, Qt::Alignment align, const QString& text) {
    const double w = Width(text);
    double left = x;
    if (align & Qt::AlignRight) left = x - w;
    if (align & Qt::AlignHCenter) left = x - w / 2.0;
    const QRectF box(left, top, w, LineHeight());
    p.setPen(kAxis);
    p.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text);
    boxes.push_back(box);
  }

  // A text centred on x, moved inside [low, high] when it would stick out.
  void TextWithin(double x, double top, double low, double high, const QString& text) {
    const double w = Width(text);
    const double left = std::clamp(x - w / 2.0, low, std::max(low, high - w));
    Text(left, top, Qt::AlignLeft, text);
  }

  void Axes(const QRectF& area) {
    p.setPen(QPen(kAxis, 1));
    p.drawLine(area.bottomLeft(), area.bottomRight());
    p.drawLine(area.bottomLeft(), area.topLeft());
  }

  QPainter& p;
  QFontMetricsF metrics;
  std::vector<QRectF> boxes;
};

// Space the count labels left of a histogram's bars take.
double CountColumn(const Canvas& c) {
  return c.Width(QStringLiteral("0000")) + c.LineHeight() * 0.25;
}

// The bars of counts from the bottom of area, each bin a column; with
// stacked, a second set of bars sits on the first.
void Bars(Canvas& c, const QRectF& area, const std::vector<int>& counts, int largest,
          const QColor& colour, const std::vector<int>* under = nullptr) {
  if (counts.empty() || largest <= 0) return;
  const double w = area.width() / static_cast<double>(counts.size());
  for (std::size_t b = 0; b < counts.size(); ++b) {
    const int base = under ? (*under)[b] : 0;
    const double bottom = area.bottom() - area.height() * base / largest;
    const double h = area.height() * counts[b] / largest;
    if (h <= 0.0) continue;
    c.p.fillRect(QRectF(area.left() + w * static_cast<double>(b), bottom - h, w, h), colour);
    c.p.setPen(QPen(kEmptyCell, 0.5));
    c.p.drawRect(QRectF(area.left() + w * static_cast<double>(b), bottom - h, w, h));
  }
}

// The count labels: the largest at the top of the bars, 0 at their foot.
void CountLabels(Canvas& c, const QRectF& bars, int largest) {
  const double half = c.LineHeight() / 2.0;
  const double x = bars.left() - c.LineHeight() * 0.25;
  c.Text(x, bars.top() - half, Qt::AlignRight, QString::number(largest));
  c.Text(x, bars.bottom() - half, Qt::AlignRight, QStringLiteral("0"));
}

void AttributePanel(Canvas& c, const QRectF& r, const batch::AttributeSummary& a) {
  const double lh = c.LineHeight();
  c.Text(r.left(), r.top(), Qt::AlignLeft, AttributeTitle(a));
  const QRectF bars(r.left() + CountColumn(c), r.top() + lh * 1.5, r.width() - CountColumn(c),
                    r.height() - lh * 3.75);
  c.Axes(bars);
  const batch::Histogram& h = a.histogram;
  if (a.values.empty()) {
    c.Text(bars.center().x(), bars.center().y() - lh / 2.0, Qt::AlignHCenter,
           QStringLiteral("no carriers"));
    return;
  }
  CountLabels(c, bars, h.Largest());
  Bars(c, bars, h.counts, h.Largest(), kBar);
  const double labelTop = bars.bottom() + lh * 0.1;
  if (h.counts.size() == 1) {
    c.Text(bars.center().x(), labelTop, Qt::AlignHCenter, Number(h.low));
  } else {
    c.Text(bars.left(), labelTop, Qt::AlignLeft, Number(h.low));
    c.Text(bars.right(), labelTop, Qt::AlignRight, Number(h.high));
  }
  const double span = h.high - h.low;
  const double x =
      span > 0.0 ? bars.left() + (a.median - h.low) / span * bars.width() : bars.center().x();
  c.p.setPen(QPen(kMedian, 2, Qt::DashLine));
  c.p.drawLine(QPointF(x, bars.top()), QPointF(x, bars.bottom()));
  c.TextWithin(x, labelTop + lh, r.left(), r.right(), QStringLiteral("median ") + Number(a.median));
}

// The rows of a strip, top to bottom: not-a-number, above 1, the bins from 1
// down to 0, below 0 (the three outside rows only when some value is there).
struct StripRows {
  QRectF notANumber, above, bins, below;
  bool outside;
};

StripRows StripRowsOf(const QRectF& area, bool outside, double lh) {
  StripRows rows{};
  rows.outside = outside;
  if (!outside) {
    rows.bins = area;
    return rows;
  }
  rows.notANumber = QRectF(area.left(), area.top(), area.width(), lh);
  rows.above = rows.notANumber.translated(0, lh);
  rows.bins = QRectF(area.left(), area.top() + 2 * lh, area.width(), area.height() - 3 * lh);
  rows.below = QRectF(area.left(), rows.bins.bottom(), area.width(), lh);
  return rows;
}

void OutsideRow(Canvas& c, const QRectF& row, const std::vector<int>& counts, int largest,
                double columnWidth, const QString& label) {
  for (std::size_t k = 0; k < counts.size(); ++k) {
    c.p.fillRect(QRectF(row.left() + columnWidth * static_cast<double>(k), row.top(), columnWidth,
                        row.height()),
                 CellColour(counts[k], largest));
  }
  c.p.setPen(QPen(kAxis, 0.5));
  c.p.drawRect(row);
  c.Text(row.right() + c.LineHeight() * 0.25, row.top(), Qt::AlignLeft, label);
}

double OutsideLabelWidth(const Canvas& c) {
  return c.Width(QStringLiteral("NaN")) + c.LineHeight() * 0.5;
}

// With labelColumn set the strip leaves room for the labels of the rows
// outside [0, 1] even without them, so that the strips above one another line up.
void StripPanel(Canvas& c, const QRectF& r, const batch::HeatStrip& strip, bool sanction,
                bool labelColumn, int step, const QColor& meanColour) {
  const double lh = c.LineHeight();
  c.Text(r.left(), r.top(), Qt::AlignLeft, StripTitle(sanction));
  const bool outside = strip.HasOutside();
  const double left = r.left() + c.Width(QStringLiteral("0.5")) + lh * 0.25;
  const double right = r.right() - (outside || labelColumn ? OutsideLabelWidth(c) : 0.0);
  const QRectF area(left, r.top() + lh * 1.75, right - left, r.height() - lh * 3.0);
  const StripRows rows = StripRowsOf(area, outside, lh);
  const double column = area.width() / std::max(1, strip.steps);
  const double rowHeight = rows.bins.height() / batch::kPropensityBinCount;
  const int largest = std::max(strip.Largest(), 1);
  for (int k = 0; k < strip.steps; ++k) {
    for (int b = 0; b < batch::kPropensityBinCount; ++b) {
      c.p.fillRect(QRectF(area.left() + column * k, rows.bins.bottom() - rowHeight * (b + 1),
                          column, rowHeight),
                   CellColour(strip.Count(k, b), largest));
    }
  }
  c.p.setPen(QPen(kAxis, 0.5));
  c.p.drawRect(rows.bins);
  if (outside) {
    OutsideRow(c, rows.notANumber, strip.notANumber, largest, column, QStringLiteral("NaN"));
    OutsideRow(c, rows.above, strip.above, largest, column, QStringLiteral(">1"));
    OutsideRow(c, rows.below, strip.below, largest, column, QStringLiteral("<0"));
  }
  // The mean, inside the bins only: a mean outside [0, 1] leaves the picture's scale.
  QPolygonF mean;
  for (int k = 0; k < strip.steps; ++k) {
    const double m = strip.mean[static_cast<std::size_t>(k)];
    if (std::isnan(m)) continue;
    mean << QPointF(area.left() + column * (k + 0.5), rows.bins.bottom() - m * rows.bins.height());
  }
  c.p.save();
  c.p.setClipRect(rows.bins);
  c.p.setPen(QPen(meanColour, 2));
  c.p.drawPolyline(mean);
  c.p.restore();
  if (step < strip.steps) {
    c.p.setPen(QPen(kStepMark, 1.5));
    c.p.drawRect(QRectF(area.left() + column * step, area.top(), column, area.height()));
  }
  const double half = lh / 2.0;
  const double labelRight = area.left() - lh * 0.25;
  c.Text(labelRight, rows.bins.top() - half, Qt::AlignRight, QStringLiteral("1"));
  c.Text(labelRight, rows.bins.center().y() - half, Qt::AlignRight, QStringLiteral("0.5"));
  c.Text(labelRight, rows.bins.bottom() - half, Qt::AlignRight, QStringLiteral("0"));
  for (const int k : kStepTicks) {
    if (k >= strip.steps) continue;
    c.Text(area.left() + column * (k + 0.5), area.bottom() + half, Qt::AlignHCenter,
           QString::number(k));
  }
}

void LegendEntry(Canvas& c, double& x, double top, const QColor& colour, const QString& text) {
  const double lh = c.LineHeight();
  c.p.fillRect(QRectF(x, top + lh * 0.2, lh * 0.6, lh * 0.6), colour);
  x += lh * 0.8;
  c.Text(x, top, Qt::AlignLeft, text);
  x += c.Width(text) + lh * 0.5;
}

int Sum(const std::vector<int>& counts) {
  int total = 0;
  for (const int n : counts) total += n;
  return total;
}

QString VolunteersText(const batch::StepSplit& s) {
  return QStringLiteral("volunteers: %1").arg(Sum(s.volunteers));
}

QString OthersText(const batch::StepSplit& s) {
  return QStringLiteral("others: %1").arg(Sum(s.nonVolunteers));
}

void StepPanel(Canvas& c, const QRectF& r, const PopulationPicture& picture) {
  const double lh = c.LineHeight();
  c.Text(r.left(), r.top(), Qt::AlignLeft, StepTitle(picture.step));
  double x = r.left();
  LegendEntry(c, x, r.top() + lh, picture.volunteerColour, VolunteersText(picture.split));
  LegendEntry(c, x, r.top() + lh, picture.nonVolunteerColour, OthersText(picture.split));
  const QRectF bars(r.left() + CountColumn(c), r.top() + lh * 2.75, r.width() - CountColumn(c),
                    r.height() - lh * 4.0);
  c.Axes(bars);
  std::vector<int> totals(picture.split.volunteers.size(), 0);
  for (std::size_t b = 0; b < totals.size(); ++b) {
    totals[b] = picture.split.volunteers[b] + picture.split.nonVolunteers[b];
  }
  const int largest = totals.empty() ? 0 : *std::max_element(totals.begin(), totals.end());
  Bars(c, bars, picture.split.volunteers, largest, picture.volunteerColour);
  Bars(c, bars, picture.split.nonVolunteers, largest, picture.nonVolunteerColour,
       &picture.split.volunteers);
  CountLabels(c, bars, largest);
  const double labelTop = bars.bottom() + lh * 0.1;
  c.Text(bars.left(), labelTop, Qt::AlignLeft, QStringLiteral("0"));
  c.Text(bars.center().x(), labelTop, Qt::AlignHCenter, QStringLiteral("0.5"));
  c.Text(bars.right(), labelTop, Qt::AlignRight, QStringLiteral("1"));
}

// What one attribute panel needs across: its widest line beside the counts.
double AttributePanelWidth(const Canvas& c) {
  const double widest = std::max({c.Width(QStringLiteral("R': 100 carriers")),
                                  c.Width(QStringLiteral("median -0.000123")),
                                  2 * c.Width(QStringLiteral("-0.000123")) + c.LineHeight()});
  return widest + CountColumn(c);
}

double StripWidth(const Canvas& c) {
  return std::max(c.Width(StripTitle(true)), c.Width(StripTitle(false))) + OutsideLabelWidth(c);
}

double StepPanelWidth(const Canvas& c) {
  const batch::StepSplit wide{std::vector<int>(1, 100), std::vector<int>(1, 100)};
  return std::max(c.Width(StepTitle(100)),
                  c.Width(VolunteersText(wide)) + c.Width(OthersText(wide)) + c.LineHeight() * 2.5);
}

}  // namespace

std::vector<QRectF> PaintPopulation(QPainter& painter, QSize size,
                                    const PopulationPicture& picture) {
  Canvas c(painter);
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double lh = c.LineHeight();
  const double m = lh * 0.75;
  const double w = size.width();
  const double h = size.height();
  const QRectF top(m, m, w - 2 * m, (h - 2 * m) * kTopShare);
  const int panels = static_cast<int>(picture.attributes.size());
  const double panelWidth = panels > 0 ? (top.width() - m * (panels - 1)) / panels : 0.0;
  for (int a = 0; a < panels; ++a) {
    AttributePanel(c,
                   QRectF(top.left() + (panelWidth + m) * a, top.top(), panelWidth, top.height()),
                   picture.attributes[static_cast<std::size_t>(a)]);
  }
  const QRectF bottom(m, top.bottom() + m, w - 2 * m, h - top.bottom() - 2 * m);
  const QRectF strips(bottom.left(), bottom.top(), bottom.width() * kStripShare, bottom.height());
  const bool sanctions = picture.sanction.steps > 0;
  const double stripHeight = sanctions ? (strips.height() - m) / 2.0 : strips.height();
  const bool labelColumn = picture.sanction.HasOutside();
  StripPanel(c, QRectF(strips.left(), strips.top(), strips.width(), stripHeight),
             picture.propensity, false, labelColumn, picture.step, picture.meanColour);
  if (sanctions) {
    StripPanel(c,
               QRectF(strips.left(), strips.top() + stripHeight + m, strips.width(), stripHeight),
               picture.sanction, true, labelColumn, picture.step, picture.meanColour);
  }
  const double stepLeft = strips.right() + 2 * m;
  StepPanel(c, QRectF(stepLeft, bottom.top(), bottom.right() - stepLeft, bottom.height()), picture);
  return c.boxes;
}

QSize SmallestPictureSize(const QFont& font, bool sanctionsOn) {
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  painter.setFont(font);
  const Canvas c(painter);
  const double lh = c.LineHeight();
  const double m = lh * 0.75;
  const double topWidth = 5 * AttributePanelWidth(c) + 6 * m;
  const double stripArea = StripWidth(c) + c.Width(QStringLiteral("0.5")) + lh;
  const double bottomWidth =
      std::max(stripArea / kStripShare, (StepPanelWidth(c) + 2 * m) / (1.0 - kStripShare)) + 2 * m;
  // Lines of text and bars each part needs, top to bottom.
  const double topHeight = lh * (3.75 + kBarLines);
  const double stripHeight = lh * (3.0 + kOutsideRows + kBarLines);
  const double stripsHeight = sanctionsOn ? 2 * stripHeight + m : stripHeight;
  const double stepHeight = lh * (4.0 + kBarLines);
  const double bottomHeight = std::max(stripsHeight, stepHeight);
  const double height = std::max(topHeight / kTopShare, bottomHeight / (1.0 - kTopShare)) + 4 * m;
  return QSize(static_cast<int>(std::ceil(std::max(topWidth, bottomWidth))),
               static_cast<int>(std::ceil(height)));
}

}  // namespace population
