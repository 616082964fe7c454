#pragma once

namespace platform {

class Dialog;

// The dialogs that have a window and have not ended, most recent last. The
// most recent is the active dialog: it owns the dialogs and message boxes
// opened from its handlers.
void RegisterActiveDialog(Dialog* dialog);
void UnregisterActiveDialog(Dialog* dialog);
Dialog* ActiveDialog();

}  // namespace platform
