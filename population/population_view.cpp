#include "population/population_view.h"

#include <QPainter>

namespace population {
namespace {

// Room beyond the smallest size, so that the bars are more than a few lines tall.
constexpr double kPreferredGrowth = 1.25;

}  // namespace

PopulationView::PopulationView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PopulationView::SetPicture(PopulationPicture picture) {
  const bool sanctionsChanged = (picture.sanction.steps > 0) != (picture_.sanction.steps > 0);
  picture_ = std::move(picture);
  if (sanctionsChanged) updateGeometry();
  update();
}

QSize PopulationView::minimumSizeHint() const {
  return SmallestPictureSize(font(), picture_.sanction.steps > 0);
}

QSize PopulationView::sizeHint() const {
  return minimumSizeHint() * kPreferredGrowth;
}

void PopulationView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  textBoxes_ = PaintPopulation(painter, size(), picture_);
}

}  // namespace population
