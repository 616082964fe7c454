#pragma once

#include <array>

// What the "Sanctions" check box switches. Switching on leaves out the R'
// location and sigma rows (their radio buttons decide) and the R & R' and
// R' & I correlation rows (the correlation rules have just set them).
namespace ui {

inline constexpr std::size_t kSanctionsOnCount = 14;
inline constexpr std::size_t kSanctionsOffCount = 26;

extern const std::array<int, kSanctionsOnCount> kSanctionsOnControls;
extern const std::array<int, kSanctionsOffCount> kSanctionsOffControls;

}  // namespace ui
