#pragma once

#include <functional>

namespace platform {

// Runs work on the thread of the windows, after the events already queued;
// callable from any thread. Work posted while no application exists, or
// after it has ended, is dropped.
void PostToMainThread(std::function<void()> work);

}  // namespace platform
