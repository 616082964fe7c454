#pragma once

#include <array>
#include <span>
#include <vector>

#include "batch/response_sweep.h"
#include "model/attribute.h"
#include "ui/slider_table.h"

namespace ui {

// Every parameter the response window can sweep, in the order of the run's
// parameters: a trackbar over each of its positions (values as the window
// makes them), a distribution over its three kinds. `current` is the index of
// what the controls hold now.
std::vector<batch::ResponseAxis> ResponseAxes(std::span<const int, kSliderCount> positions,
                                              std::span<const int, model::kAttributes.size()> kinds,
                                              int agentCount);

// The axis of the parameter that trackbarId feeds, in axes as ResponseAxes
// makes them; 0 when it feeds none.
std::size_t AxisOfTrackbar(const std::vector<batch::ResponseAxis>& axes, int trackbarId);

}  // namespace ui
