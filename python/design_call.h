#pragma once

#include <atomic>
#include <functional>

#include "batch/design.h"
#include "batch/record_consumer.h"

namespace pymodule {

// Runs design on jobs threads with the GIL released, so that other Python
// threads go on meanwhile. Called with the GIL held. A signal Python has
// noted (Ctrl-C) raises the engine's stop flag: the runs under way finish and
// the Python exception (KeyboardInterrupt) is raised. A failed run raises
// ValueError with its message.
void RunDesignReleased(const batch::Design& design, batch::RecordConsumer& consumer, unsigned jobs);

// The same for work that takes a stop flag but reports no progress: it runs on
// a thread of its own while this one watches for signals. work returns false
// when it stopped early or failed; failure says why (raised as ValueError).
void RunStoppableReleased(const std::function<bool(const std::atomic<bool>& stop)>& work,
                          const char* failure);

}  // namespace pymodule
