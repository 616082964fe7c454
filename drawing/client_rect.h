#pragma once

namespace platform {

// A client rectangle in pixels; right and bottom lie just outside it.
struct ClientRect {
  int left;
  int top;
  int right;
  int bottom;
  friend bool operator==(const ClientRect&, const ClientRect&) = default;
};

}  // namespace platform
