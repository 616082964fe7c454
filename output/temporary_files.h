#pragma once

#include <string>

namespace output {

// Temporary files that must not outlive the program, even when a signal ends
// it: the handlers that RemoveTemporaryFilesOnSignals installs remove them
// before the signal takes its usual course.

// Remembers path; returns its slot, or -1 when every slot is taken (the file
// is then still removed by its owner, only not on a signal).
int RememberTemporary(const std::string& path);
void ForgetTemporary(int slot);

// Removes every remembered file. Safe to call from a signal handler.
void RemoveTemporaryFiles();

// For SIGINT, SIGTERM and SIGHUP, unless the signal is ignored: remove the
// temporary files, then end the program as the signal would have.
void RemoveTemporaryFilesOnSignals();

}  // namespace output
