#pragma once

#include "platform/dialog_template.h"

namespace res {

// Dialog template 102: the main window, parameter panel below y = 202 and the
// graph band above it.
extern const platform::DialogTemplate kMainDialogTemplate;

}  // namespace res
