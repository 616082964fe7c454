#pragma once

#include <QRegion>

class QWidget;

namespace platform {

// The part of a window's client area that is its own surface: what no visible
// child control covers. Repainting only this leaves controls that did not
// change alone; a hidden or moved control is taken where it is now.
QRegion OwnSurface(const QWidget& window);

}  // namespace platform
