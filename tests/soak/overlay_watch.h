// "Graph.bmp" in a fresh temporary current directory, and what the walk
// expects of it: its length never changes and every export advances the
// colour byte by one.
#pragma once

#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>

#include "tests/soak/model_checks.h"

namespace soak {

class OverlayWatch {
 public:
  // Makes the directory current and writes a blank overlay into it; the
  // working directory before is restored on destruction.
  OverlayWatch();
  ~OverlayWatch();
  OverlayWatch(const OverlayWatch&) = delete;
  OverlayWatch& operator=(const OverlayWatch&) = delete;

  // True when the blank overlay was written.
  bool Ready() const { return ready_; }
  void ExpectOneMoreExport();
  void Check(Violations& out) const;

 private:
  std::filesystem::path previous_;
  QTemporaryDir directory_;
  bool ready_ = false;
  std::uint8_t expectedColour_ = 0;
};

}  // namespace soak
