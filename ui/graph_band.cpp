#include "ui/graph_band.h"

#include <algorithm>

namespace ui {

int GraphBandBottom(const platform::DialogTemplate& dialogTemplate) {
  int top = dialogTemplate.height;
  for (const platform::ControlTemplate& control : dialogTemplate.controls) {
    top = std::min(top, control.y);
  }
  return platform::DialogUnitsToPixelsY(top);
}

}  // namespace ui
