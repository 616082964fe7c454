#pragma once

#include <QWidget>

#include "population/population_picture.h"

namespace population {

// The population picture as a widget; never smaller than its texts need.
class PopulationView : public QWidget {
 public:
  explicit PopulationView(QWidget* parent = nullptr);
  void SetPicture(PopulationPicture picture);
  const PopulationPicture& Picture() const { return picture_; }
  // The boxes of the texts of the last paint.
  const std::vector<QRectF>& TextBoxes() const { return textBoxes_; }

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PopulationPicture picture_;
  std::vector<QRectF> textBoxes_;
};

}  // namespace population
