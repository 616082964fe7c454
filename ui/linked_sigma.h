#pragma once

namespace ui {

// The Sigma value that follows a location value v: a third of v's distance
// from the nearer end of [0, 1], in single precision. The far distance 1 - v
// is rounded to single precision when it is the smaller; v itself is not.
float LinkedSigmaValue(double locationValue);

// The trackbar position that shows value x at the given scale:
// floor(x / scale + 0.5), in double precision from the single-precision x.
int PositionForValue(float value, double scale);

}  // namespace ui
