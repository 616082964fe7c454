#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "drawing/mul_div.h"

namespace platform {

// Kinds of control a dialog template can hold.
enum class ControlKind : std::uint8_t {
  kPushButton,
  kDefPushButton,  // the dialog's default button: Enter presses it
  kRadioButton,    // automatic: exclusive within its group box only
  kCheckBox,       // automatic: toggles itself when clicked
  kGroupBox,
  kLabel,  // static text
  kEdit,
  kTrackbar,  // horizontal, no tick marks
  kBitmap,    // static picture showing a bitmap resource
};

// Style bits of a control, named after what they change.
enum ControlStyle : std::uint32_t {
  kStyleNone = 0,
  kStyleAlignRight = 1u << 0,   // button text right-aligned in its rectangle
  kStyleLeftText = 1u << 1,     // check box: the box on the right, text side on the left
  kStyleCenter = 1u << 2,       // centred text (labels, edits)
  kStyleReadOnly = 1u << 3,     // edit accepts no typing or pasting
  kStyleNumber = 1u << 4,       // edit accepts digits only
  kStyleBorder = 1u << 5,       // thin border (edits, pictures)
  kStyleAutoHScroll = 1u << 6,  // edit scrolls horizontally as text is typed
  kStyleTabStop = 1u << 7,
  kStyleGroup = 1u << 8,  // starts a new group in the tab order
};

// Control id of statics the program never addresses.
inline constexpr int kUnaddressedId = -1;

// One control of a template; positions and sizes in dialog units.
struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string_view caption;
  std::uint32_t style;
  int x;
  int y;
  int width;
  int height;
  int resourceId = 0;  // bitmap resource shown by a kBitmap control
};

// A dialog box: caption, client size in dialog units, font and controls in creation order.
struct DialogTemplate {
  int id;
  std::string_view caption;
  int width;
  int height;
  std::string_view fontFace;
  int fontPoints;
  std::span<const ControlTemplate> controls;
};

// Dialog base units of the dialog font, in pixels.
inline constexpr int kBaseUnitX = 6;
inline constexpr int kBaseUnitY = 13;

constexpr int DialogUnitsToPixelsX(int x) {
  return MulDiv(x, kBaseUnitX, 4);
}
constexpr int DialogUnitsToPixelsY(int y) {
  return MulDiv(y, kBaseUnitY, 8);
}

}  // namespace platform
