#pragma once

#include <string_view>

namespace res {

// Font of both dialog templates; the dialog units are measured in it.
inline constexpr std::string_view kDialogFontFace = "MS Shell Dlg";
inline constexpr int kDialogFontPoints = 8;

}  // namespace res
