#pragma once

#include "platform/dialog_template.h"

namespace res {

// Dialog template 135: the slope field and its buttons; the preview is painted
// to the left of them.
extern const platform::DialogTemplate kSlopeDialogTemplate;

}  // namespace res
