#pragma once

class QWidget;

namespace response {

// Escape, Ctrl+W and the platform's own key for closing (where it differs)
// close window.
void AddCloseKeys(QWidget* window);

}  // namespace response
