// Draws the program's icon (resource 128) at its sizes and the legend picture
// (resource 139) into the folder given as the only argument.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr auto kLabelFontFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

// Legend: 278 x 81 pixels, five rows 16 pixels apart.
constexpr int kLegendWidth = 278;
constexpr int kLegendHeight = 81;
constexpr int kRowPitch = 16;
constexpr int kFirstRowCentre = 8;
constexpr int kSwatchLeft = 7;
constexpr int kSwatchRight = 33;
constexpr int kSwatchThickness = 2;
constexpr int kTextLeft = 41;
constexpr int kTextRightMargin = 3;
constexpr int kLargestTextPixels = 13;
constexpr int kDoubleScale = 2;

struct LegendRow {
  QColor colour;
  const char* label;
};

const std::array<LegendRow, 5> kLegendRows = {{
    {QColor(0, 0, 0), "first-order contribution rate"},
    {QColor(255, 0, 255), "second-order contribution rate"},
    {QColor(0, 255, 0), "mean propensity to volunteer (volunteers)"},
    {QColor(0, 0, 255), "mean propensity to volunteer (non-volunteers)"},
    {QColor(255, 0, 0), "mean propensity to volunteer"},
}};

// The largest label font whose longest label fits beside the swatches.
QFont FittingLabelFont(const QString& family) {
  QFont font(family);
  font.setHintingPreference(QFont::PreferFullHinting);
  for (int pixels = kLargestTextPixels; pixels > 1; --pixels) {
    font.setPixelSize(pixels);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const LegendRow& row : kLegendRows) {
      widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(row.label)));
    }
    if (kTextLeft + widest <= kLegendWidth - kTextRightMargin) return font;
  }
  return font;
}

// The legend at scale times its size: the same layout, its text drawn at the
// finer resolution (for screens of device pixel ratio scale).
QImage DrawLegend(const QString& family, int scale) {
  QImage image(kLegendWidth * scale, kLegendHeight * scale, QImage::Format_RGB888);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  const QFont font = FittingLabelFont(family);
  const QFontMetrics metrics(font);
  painter.setFont(font);
  for (std::size_t row = 0; row < kLegendRows.size(); ++row) {
    const int centre = kFirstRowCentre + static_cast<int>(row) * kRowPitch;
    // Swatches stay pure colour: no smoothing at their edges.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(kSwatchLeft, centre - kSwatchThickness / 2, kSwatchRight - kSwatchLeft,
                     kSwatchThickness, kLegendRows[row].colour);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::black);
    const int baseline = centre + (metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(kTextLeft, baseline, QString::fromLatin1(kLegendRows[row].label));
  }
  return image;
}

// A line of the given width centred near `at`, moved so that its edges fall
// on pixel boundaries: thin lines stay crisp at the small sizes.
double Snap(double at, double width) {
  return std::round(at - width / 2) + width / 2;
}

// The icon: a small chart card with a dotted grid, a black rising line and a
// red logistic curve. Details drop out as the size shrinks.
QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double unit = size / 256.0;
  const double border = std::max(1.0, std::round(8.0 * unit));
  const double inset = Snap(10.0 * unit + border / 2, border);
  const QRectF card(inset, inset, size - 2 * inset, size - 2 * inset);
  const double radius = 44.0 * unit;

  QLinearGradient fill(card.topLeft(), card.bottomLeft());
  fill.setColorAt(0.0, QColor(255, 255, 255));
  fill.setColorAt(1.0, QColor(226, 233, 242));
  painter.setPen(QPen(QColor(52, 80, 112), border));
  painter.setBrush(fill);
  painter.drawRoundedRect(card, radius, radius);

  const double axisWidth = std::max(1.0, std::round(8.0 * unit));
  const double left = Snap(52.0 * unit, axisWidth);
  const double right = 212.0 * unit;
  const double top = 48.0 * unit;
  const double bottom = Snap(200.0 * unit, axisWidth);
  if (size > 48) {
    QPen grid(QColor(150, 165, 185), std::max(1.0, 3.0 * unit), Qt::DotLine, Qt::FlatCap);
    painter.setPen(grid);
    constexpr int kGridLines = 4;
    for (int k = 1; k < kGridLines; ++k) {
      const double y = top + (bottom - top) * k / kGridLines;
      const double x = left + (right - left) * k / kGridLines;
      painter.drawLine(QPointF(left, y), QPointF(right, y));
      painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    }
  }
  QPen axes(QColor(52, 80, 112), axisWidth, Qt::SolidLine, size >= 48 ? Qt::RoundCap : Qt::FlatCap,
            Qt::MiterJoin);
  painter.setPen(axes);
  painter.setBrush(Qt::NoBrush);
  QPainterPath frame;
  frame.moveTo(left, top);
  frame.lineTo(left, bottom);
  frame.lineTo(right, bottom);
  painter.drawPath(frame);

  constexpr int kSamples = 64;
  const double inner = 8.0 * unit;
  auto curve = [&](auto valueAt) {
    QPainterPath path;
    for (int i = 0; i <= kSamples; ++i) {
      const double t = static_cast<double>(i) / kSamples;
      const QPointF point(left + inner + (right - left - 2 * inner) * t,
                          bottom - inner - (bottom - top - 2 * inner) * valueAt(t));
      if (i == 0) {
        path.moveTo(point);
      } else {
        path.lineTo(point);
      }
    }
    return path;
  };
  const double lineWidth = std::max(1.5, 12.0 * unit);
  if (size >= 32) {
    painter.setPen(
        QPen(QColor(20, 20, 20), lineWidth * 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(curve([](double t) { return 0.15 + 0.35 * std::sqrt(t); }));
  }
  painter.setPen(QPen(QColor(222, 0, 0), lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(curve([](double t) { return 1.0 / (1.0 + std::exp(-10.0 * (t - 0.5))); }));
  return image;
}

bool Save(const QImage& image, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name);
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList arguments = QGuiApplication::arguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "usage: corvellan_make_images <output folder>\n");
    return 2;
  }
  const int fontId = QFontDatabase::addApplicationFont(QString::fromLatin1(kLabelFontFile));
  const QStringList families = QFontDatabase::applicationFontFamilies(fontId);
  if (families.isEmpty()) {
    std::fprintf(stderr, "cannot load %s\n", kLabelFontFile);
    return 1;
  }
  const QDir folder(arguments.at(1));
  bool saved = Save(DrawLegend(families.first(), 1), folder, "bitmap-139.png");
  saved = Save(DrawLegend(families.first(), kDoubleScale), folder, "bitmap-139@2x.png") && saved;
  saved = Save(DrawIcon(256), folder, "icon-128.png") && saved;
  // 16, 32 and 48 pixels, and each of them at twice its size.
  for (const int size : {16, 32, 48, 64, 96}) {
    saved = Save(DrawIcon(size), folder, QString("icon-128-%1.png").arg(size)) && saved;
  }
  return saved ? 0 : 1;
}
