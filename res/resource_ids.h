#pragma once

#include <array>
#include <string_view>

namespace res {

// Resource ids the program refers to.
inline constexpr int kMainDialogId = 102;
inline constexpr int kSlopeDialogId = 135;
inline constexpr int kAppIconId = 128;
inline constexpr int kLegendBitmapId = 139;

// Where the images live among the Qt resources of corvellan_res_images.
inline constexpr std::string_view kAppIconPath = ":/corvellan/icon-128.png";
inline constexpr std::string_view kLegendBitmapPath = ":/corvellan/bitmap-139.png";

// Icon 128 drawn again at the sizes of title bars and task bars, where a
// scaled-down 256-pixel image would blur its lines.
inline constexpr std::array<std::string_view, 3> kAppIconSmallPaths = {
    ":/corvellan/icon-128-16.png",
    ":/corvellan/icon-128-32.png",
    ":/corvellan/icon-128-48.png",
};

}  // namespace res
