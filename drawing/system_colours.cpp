#include "drawing/system_colours.h"

#include <array>
#include <variant>

namespace platform {
namespace {

struct SystemColourEntry {
  SystemColour colour;
  Rgb value;
};

constexpr std::array<SystemColourEntry, 2> kSystemColours = {{
    {SystemColour::kAppWorkspace, {171, 171, 171}},
    {SystemColour::kButtonShadow, {160, 160, 160}},
}};

QColor ToQColor(Rgb rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

QColor SystemColourValue(SystemColour colour) {
  for (const SystemColourEntry& entry : kSystemColours) {
    if (entry.colour == colour) {
      return ToQColor(entry.value);
    }
  }
  return QColor(Qt::black);
}

QColor ColourValue(const Colour& colour) {
  if (const Rgb* rgb = std::get_if<Rgb>(&colour)) {
    return ToQColor(*rgb);
  }
  return SystemColourValue(std::get<SystemColour>(colour));
}

}  // namespace platform
