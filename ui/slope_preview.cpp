#include "ui/slope_preview.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "ui/paint_objects.h"
#include "ui/pixel_coordinate.h"

namespace ui {
namespace {

using platform::PaintContext;

constexpr int kBoxLeft = 10;
constexpr int kBoxTop = 10;
constexpr int kBoxRight = 210;
constexpr int kBoxBottom = 210;
constexpr int kBoxSize = kBoxBottom - kBoxTop;
constexpr int kBoxMiddle = (kBoxTop + kBoxBottom) / 2;
constexpr int kGridStep = 20;

// The curve samples t = 0.005 i for i = 1 to 199; t = 0 is the start corner
// and t = 1 is not drawn, so the curve stops one pixel short of the right side.
constexpr int kCurveSteps = 200;
constexpr double kCurveStepT = 0.005;
constexpr int kCurveLastX = kBoxLeft + kCurveSteps - 1;
constexpr double kThreshold = 0.5;

// The field is read into a 10-character buffer, terminator included.
constexpr std::size_t kFieldBufferSize = 10;

constexpr platform::Colour kGridColour = platform::SystemColour::kAppWorkspace;
constexpr platform::Colour kFrameColour = platform::SystemColour::kButtonShadow;
constexpr platform::Colour kCurveColour = platform::Rgb{222, 0, 0};

// Numbers are read with a decimal point whatever locale the window system
// switched the process to.
class ClassicNumbers {
 public:
  ClassicNumbers()
      : classic_(newlocale(LC_NUMERIC_MASK, "C", locale_t{})),
        previous_(classic_ ? uselocale(classic_) : locale_t{}) {}
  ClassicNumbers(const ClassicNumbers&) = delete;
  ClassicNumbers& operator=(const ClassicNumbers&) = delete;
  ~ClassicNumbers() {
    if (!classic_) return;
    uselocale(previous_);
    freelocale(classic_);
  }

 private:
  locale_t classic_;
  locale_t previous_;
};

void DrawGrid(PaintContext& context) {
  for (int x = kBoxLeft + kGridStep; x < kBoxRight; x += kGridStep) {
    context.MoveTo(x, kBoxBottom);
    context.LineTo(x, kBoxTop);
  }
  for (int y = kBoxTop; y < kBoxBottom; y += kGridStep) {
    context.MoveTo(kBoxLeft, y);
    context.LineTo(kBoxRight, y);
  }
}

// Left, bottom and right side; the top edge is the first dotted grid line.
void DrawFrame(PaintContext& context) {
  context.MoveTo(kBoxLeft, kBoxTop);
  context.LineTo(kBoxLeft, kBoxBottom);
  context.LineTo(kBoxRight, kBoxBottom);
  context.LineTo(kBoxRight, kBoxTop);
}

// With an infinite slope the sample at t = 0.5 is 0 x infinity: a point
// without a y is skipped and the curve resumes at the next one with a move.
void DrawCurve(PaintContext& context, const SlopeCurve& curve, double slope) {
  context.MoveTo(kBoxLeft, kBoxBottom);
  bool resume = false;
  for (int i = 1; i < kCurveSteps; ++i) {
    const double t = kCurveStepT * i;
    const double response = 1.0 / (std::exp((kThreshold - t) * slope) + 1.0);
    const double height = (response - curve.low) * curve.stretch;
    const std::optional<int> y = ToPixel(kBoxBottom - std::trunc(kBoxSize * height));
    if (!y) {
      resume = true;
      continue;
    }
    if (resume) {
      context.MoveTo(kBoxLeft + i, *y);
    } else {
      context.LineTo(kBoxLeft + i, *y);
    }
    resume = false;
  }
}

// Where low and high coincide there is no shape to show.
void DrawFlatCurve(PaintContext& context) {
  context.MoveTo(kBoxLeft, kBoxMiddle);
  context.LineTo(kCurveLastX, kBoxMiddle);
}

}  // namespace

// Large slopes overflow the exponential to infinity or underflow it to 0;
// 1 / (inf + 1) = 0 and 1 / (0 + 1) = 1 then make the curve a step.
SlopeCurve ComputeSlopeCurve(double slope) {
  SlopeCurve curve{};
  curve.high = 1.0 / (1.0 + std::exp(-kThreshold * slope));
  curve.low = 1.0 / (1.0 + std::exp(kThreshold * slope));
  curve.stretch = 1.0 / (curve.high - curve.low);
  return curve;
}

// strtod is atof with defined behaviour for numbers out of range.
double SlopeFromFieldText(std::string_view fieldText) {
  std::array<char, kFieldBufferSize> buffer{};
  const std::size_t count = std::min(fieldText.size(), buffer.size() - 1);
  std::copy_n(fieldText.begin(), count, buffer.begin());
  const ClassicNumbers classic;
  return std::strtod(buffer.data(), nullptr);
}

void SlopePreview(PaintContext& context, std::string_view fieldText) {
  PaintObjects objects(context);
  const platform::DrawingObject gridPen = objects.MakePen(platform::PenStyle::kDot, kGridColour);
  if (gridPen == platform::kNoObject) return;
  DrawWithPen(context, gridPen, [&] { DrawGrid(context); });

  const platform::DrawingObject framePen =
      objects.MakePen(platform::PenStyle::kSolid, kFrameColour);
  if (framePen == platform::kNoObject) return;
  DrawWithPen(context, framePen, [&] { DrawFrame(context); });

  const platform::DrawingObject curvePen =
      objects.MakePen(platform::PenStyle::kSolid, kCurveColour);
  if (curvePen == platform::kNoObject) return;
  const double slope = SlopeFromFieldText(fieldText);
  const SlopeCurve curve = ComputeSlopeCurve(slope);
  DrawWithPen(context, curvePen, [&] {
    if (std::isfinite(curve.stretch)) {
      DrawCurve(context, curve, slope);
    } else {
      DrawFlatCurve(context);
    }
  });
}

}  // namespace ui
