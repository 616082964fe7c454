// Messages of the soak test, built from any streamable parts.
#pragma once

#include <sstream>
#include <string>

namespace soak {

template <class... Parts>
std::string Text(const Parts&... parts) {
  std::ostringstream text;
  text.precision(17);
  (text << ... << parts);
  return text.str();
}

}  // namespace soak
