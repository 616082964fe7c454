#pragma once

#include <QTimer>
#include <functional>

#include "platform/active_dialogs.h"
#include "platform/dialog.h"

namespace ui_test {

// Queues work for the next modal dialog of type D: it runs from inside that
// dialog's modal loop once D is the active dialog, and must close it. Until
// then it re-queues itself a bounded number of times, so it also waits out any
// event processing that happens before the dialog opens.
inline constexpr int kDialogWaitRounds = 1000;

template <class D>
void WhenDialogOpens(std::function<void(D&)> work, int roundsLeft = kDialogWaitRounds) {
  QTimer::singleShot(0, [work, roundsLeft] {
    if (auto* dialog = dynamic_cast<D*>(platform::ActiveDialog())) {
      work(*dialog);
    } else if (roundsLeft > 0) {
      WhenDialogOpens<D>(work, roundsLeft - 1);
    }
  });
}

// Clicks a push button of a dialog, as the user would.
void ClickButton(platform::Dialog& dialog, int buttonId);

}  // namespace ui_test
