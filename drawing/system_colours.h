#pragma once

#include <QColor>

#include "drawing/paint_context.h"

namespace platform {

// The colour a paint context draws for a system colour. The nearest palette
// roles would be QPalette::Mid (application workspace) and QPalette::Dark
// (button shadow), but they change with the style and are not meaningful on
// the offscreen platform, and pictures must come out the same everywhere; so
// both are the fixed greys of the classic desktop scheme:
//   kAppWorkspace  171, 171, 171
//   kButtonShadow  160, 160, 160
QColor SystemColourValue(SystemColour colour);

QColor ColourValue(const Colour& colour);

}  // namespace platform
