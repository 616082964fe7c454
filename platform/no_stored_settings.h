#pragma once

namespace platform {

// Keeps Qt's own settings out of every file: the file dialogs' last folder,
// history, sidebar and view are neither read at start nor written at the end,
// so the window keeps nothing from one start to the next. Call before the
// first dialog is made.
void StoreNoSettings();

}  // namespace platform
