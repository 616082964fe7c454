#pragma once

namespace output {

// A write beyond the file-size limit (ulimit -f) ends the program by SIGXFSZ
// while that signal has its default action, leaving a temporary file behind
// or a picture half drawn. Ignored, the write fails with "File too large"
// instead, which every writer takes as the failure it is: the temporary file
// removed, old bytes put back, one line. Call once at start-up, before any
// thread.
void TakeFileSizeLimitAsError();

}  // namespace output
