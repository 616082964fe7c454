#include "map/viridis.h"

#include <cmath>
#include <cstddef>

namespace map {
namespace {

// Every eighth entry of the 256-entry viridis table, and its last, as red,
// green, blue from 0 to 1; between them the colour is interpolated linearly,
// which stays within a fraction of a level of the full table.
constexpr std::size_t kTableEntries = 256;
constexpr std::size_t kStride = 8;
struct Stop {
  std::size_t entry;
  double rgb[3];
};
constexpr Stop kStops[] = {
    {0, {0.267004, 0.004874, 0.329415}},   {8, {0.277018, 0.050344, 0.375715}},
    {16, {0.282327, 0.094955, 0.417331}},  {24, {0.282884, 0.135920, 0.453427}},
    {32, {0.278826, 0.175490, 0.483397}},  {40, {0.270595, 0.214069, 0.507052}},
    {48, {0.258965, 0.251537, 0.524736}},  {56, {0.244972, 0.287675, 0.537260}},
    {64, {0.229739, 0.322361, 0.545706}},  {72, {0.214298, 0.355619, 0.551184}},
    {80, {0.199430, 0.387607, 0.554642}},  {88, {0.185556, 0.418570, 0.556753}},
    {96, {0.172719, 0.448791, 0.557885}},  {104, {0.160665, 0.478540, 0.558115}},
    {112, {0.149039, 0.508051, 0.557250}}, {120, {0.137770, 0.537492, 0.554906}},
    {128, {0.127568, 0.566949, 0.550556}}, {136, {0.120565, 0.596422, 0.543611}},
    {144, {0.120638, 0.625828, 0.533488}}, {152, {0.132268, 0.655014, 0.519661}},
    {160, {0.157851, 0.683765, 0.501686}}, {168, {0.196571, 0.711827, 0.479221}},
    {176, {0.246070, 0.738910, 0.452024}}, {184, {0.304148, 0.764704, 0.419943}},
    {192, {0.369214, 0.788888, 0.382914}}, {200, {0.440137, 0.811138, 0.340967}},
    {208, {0.515992, 0.831158, 0.294279}}, {216, {0.595839, 0.848717, 0.243329}},
    {224, {0.678489, 0.863742, 0.189503}}, {232, {0.762373, 0.876424, 0.137064}},
    {240, {0.845561, 0.887322, 0.099702}}, {248, {0.926106, 0.897330, 0.104071}},
    {255, {0.993248, 0.906157, 0.143936}},
};
constexpr std::size_t kStopCount = sizeof kStops / sizeof kStops[0];
static_assert(kStops[kStopCount - 1].entry == kTableEntries - 1);
static_assert(kStops[kStopCount - 2].entry == (kStopCount - 2) * kStride);

constexpr std::uint8_t kGrey = 160;
constexpr double kFullScale = 255.0;

std::uint8_t Byte(double unit) {
  return static_cast<std::uint8_t>(std::lround(unit * kFullScale));
}

// sRGB's transfer curve undone: the light a channel gives.
double Linear(std::uint8_t channel) {
  constexpr double kKnee = 0.04045;
  constexpr double kSlope = 12.92;
  constexpr double kOffset = 0.055;
  constexpr double kGamma = 2.4;
  const double c = channel / kFullScale;
  return c <= kKnee ? c / kSlope : std::pow((c + kOffset) / (1 + kOffset), kGamma);
}

}  // namespace

Rgb Viridis(double t) {
  if (std::isnan(t)) return {kGrey, kGrey, kGrey};
  const double entry = std::fmin(std::fmax(t, 0.0), 1.0) * (kTableEntries - 1);
  std::size_t upper = 1;
  while (upper + 1 < kStopCount && static_cast<double>(kStops[upper].entry) < entry) ++upper;
  const Stop& a = kStops[upper - 1];
  const Stop& b = kStops[upper];
  const double f = (entry - static_cast<double>(a.entry)) / static_cast<double>(b.entry - a.entry);
  Rgb colour{};
  for (std::size_t c = 0; c < colour.size(); ++c) {
    colour[c] = Byte(a.rgb[c] + (b.rgb[c] - a.rgb[c]) * f);
  }
  return colour;
}

double Luminance(Rgb colour) {
  constexpr double kRed = 0.2126;
  constexpr double kGreen = 0.7152;
  constexpr double kBlue = 0.0722;
  return kRed * Linear(colour[0]) + kGreen * Linear(colour[1]) + kBlue * Linear(colour[2]);
}

}  // namespace map
