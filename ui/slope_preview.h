#pragma once

#include <string_view>

#include "drawing/paint_context.h"

namespace ui {

// The logistic response 1 / (1 + e^(M (0.5 - t))) at t = 0 (low) and t = 1
// (high), and the factor that maps [low, high] onto the height of the box.
struct SlopeCurve {
  double low;
  double high;
  double stretch;
};

SlopeCurve ComputeSlopeCurve(double slope);

// The slope the preview shows for the field's text: at most its first nine
// characters, converted as atof does (no number gives 0).
double SlopeFromFieldText(std::string_view fieldText);

// Paints the preview box at client pixels (10, 10)-(210, 210): dotted grid,
// frame and the response curve for the slope in the field. When the slope
// gives no usable stretch (0, no number, NaN) the curve is a flat line through
// the middle of the box.
void SlopePreview(platform::PaintContext& context, std::string_view fieldText);

}  // namespace ui
