#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <vector>

#include "batch/population_summary.h"

namespace population {

// What the population picture shows: the attributes as drawn, the two kinds
// of propensity over the steps, and one step's propensities to volunteer.
struct PopulationPicture {
  std::vector<batch::AttributeSummary> attributes;  // R, I, T, E, R'
  batch::HeatStrip propensity;
  batch::HeatStrip sanction;  // no steps without sanctions
  batch::StepSplit split;
  int step = 0;
  int agentCount = 0;
  QColor volunteerColour{0, 128, 0};
  QColor nonVolunteerColour{200, 0, 0};
  QColor meanColour{230, 120, 0};
};

// Paints picture into a rectangle of size: a histogram per attribute with its
// median, a heat strip per kind of propensity with the step mean and the
// chosen step, and the chosen step's histogram by decision. Returns the box of
// every text it drew, so that callers can check none is cut or covered.
std::vector<QRectF> PaintPopulation(QPainter& painter, QSize size,
                                    const PopulationPicture& picture);

// The smallest size at which every text of the picture fits, for the
// painter's font.
QSize SmallestPictureSize(const QFont& font, bool sanctionsOn);

}  // namespace population
