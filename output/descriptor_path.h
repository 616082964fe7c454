#pragma once

#include <optional>
#include <string_view>

namespace output {

// The descriptor number a path names when it is one of the system's names
// for the process's own open descriptors: /dev/stdin, /dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N, /proc/thread-self/fd/N and
// /proc/<this process>/fd/N. Such a path leads, through a link of the
// system's, to whatever the descriptor holds (a pipe, a terminal, a file
// opened for appending), which is written through the descriptor as it is.
// Whether the descriptor is open is not checked.
std::optional<int> NamedDescriptor(std::string_view path);

}  // namespace output
