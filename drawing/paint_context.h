#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "drawing/dash_pattern.h"

namespace platform {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class SystemColour : std::uint8_t {
  kAppWorkspace,  // background of an application's workspace
  kButtonShadow,  // shadow edge of a push button
};

using Colour = std::variant<Rgb, SystemColour>;

enum class PenStyle : std::uint8_t {
  kSolid,
  kDot,   // 3 pixels on, 3 off, restarting at every line; gaps in the background colour
  kDash,  // the dots of kDot with the gaps left as they are, so what lies beneath shows
};

struct PolygonPoint {
  int x;
  int y;
  friend bool operator==(const PolygonPoint&, const PolygonPoint&) = default;
};

// Handle of a drawing object (pen or font) made by a paint context; 0 is no object.
using DrawingObject = std::uint32_t;
inline constexpr DrawingObject kNoObject = 0;

// Text alignment flags: the reference point of a string is its top centre with
// kTextAlignCenter | kTextAlignTop (value 6).
inline constexpr unsigned kTextAlignLeft = 0;
inline constexpr unsigned kTextAlignTop = 0;
inline constexpr unsigned kTextAlignCenter = 6;

// Font weights.
inline constexpr int kFontWeightLight = 300;
inline constexpr int kFontWeightNormal = 400;

// The cell a string takes in a font: as wide as the text, as high as the
// font's character cell.
struct TextSize {
  int width;
  int height;
  friend bool operator==(const TextSize&, const TextSize&) = default;
};

// Side of a standard icon, in pixels.
inline constexpr int kIconSize = 32;

// The drawing surface handed to a paint handler. Objects are made, selected
// (the previous object of the same kind is returned so it can be put back) and
// released by the handler; the context starts with a black solid 1-pixel pen,
// the dialog font, left/top alignment, black text on an opaque white cell and
// the current position at (0, 0).
class PaintContext {
 public:
  virtual ~PaintContext() = default;

  // kNoObject when the pen cannot be made.
  virtual DrawingObject CreatePen(PenStyle style, int width, Colour colour) = 0;
  // A 1-pixel pen of dashes in colour whose pattern runs on from a line to
  // the next one drawn from its end, and starts afresh after MoveTo; its
  // gaps are left as they are. kNoObject when the pen cannot be made.
  virtual DrawingObject CreateDashedPen(const DashPattern& pattern, Rgb colour) = 0;
  // kNoObject when the font cannot be made. cellHeight is in pixels.
  virtual DrawingObject CreateFont(std::string_view face, int cellHeight, int weight) = 0;
  // Makes object current; returns the object of its kind that was current before.
  virtual DrawingObject SelectObject(DrawingObject object) = 0;
  // Releases an object that is not selected.
  virtual void DeleteObject(DrawingObject object) = 0;

  virtual void SetTextAlign(unsigned flags) = 0;
  // The colour of the text drawn from now on (black at first); its cell stays white.
  virtual void SetTextColour(Rgb colour) = 0;
  // The cell text would take in the font selected now.
  virtual TextSize MeasureText(std::string_view text) = 0;
  // Draws text at a reference point given by the alignment; the current position is unchanged.
  virtual void TextOut(int x, int y, std::string_view text) = 0;

  virtual void MoveTo(int x, int y) = 0;
  // Draws with the current pen from the current position up to, not including,
  // (x, y), which becomes the current position.
  virtual void LineTo(int x, int y) = 0;

  // Draws icon resource iconId with its top-left corner at (x, y).
  virtual void DrawIcon(int x, int y, int iconId) = 0;

  // Fills the closed polygon through points with colour at opacity (of 255)
  // over what is painted already, without an outline; the pen and the current
  // position are unchanged.
  virtual void FillPolygon(std::span<const PolygonPoint> points, Rgb colour,
                           std::uint8_t opacity) = 0;
};

}  // namespace platform
