#pragma once

#include "platform/dialog_template.h"

namespace ui {

// The bottom, in pixels, of the band above a dialog's controls: the client
// area from the top down to the highest control. The graph lives there.
int GraphBandBottom(const platform::DialogTemplate& dialogTemplate);

}  // namespace ui
