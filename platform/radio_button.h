#pragma once

#include <QRadioButton>
#include <vector>

#include "platform/button_face.h"

namespace platform {

// An automatic radio button: a click checks it and clears the other buttons
// of its group, its peers. Checking from code touches only this button.
class RadioButton final : public QRadioButton {
  Q_OBJECT

 public:
  RadioButton(const QString& text, ButtonFaceLayout layout, QWidget* parent);

  void SetPeers(std::vector<RadioButton*> peers);

 protected:
  void nextCheckState() override;
  bool hitButton(const QPoint& position) const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  ButtonFaceLayout layout_;
  std::vector<RadioButton*> peers_;
};

}  // namespace platform
