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
// The legend drawn at twice its size, for screens of device pixel ratio 2.
inline constexpr std::string_view kLegendBitmapDoublePath = ":/corvellan/bitmap-139@2x.png";

// Icon 128 drawn again at the sizes of title bars and task bars, where a
// scaled-down 256-pixel image would blur its lines: 16, 32 and 48 pixels, and
// 64 and 96 for the 32 and 48 of screens of device pixel ratio 2 (the 32
// serves the 16 there).
inline constexpr std::array<std::string_view, 5> kAppIconSmallPaths = {
    ":/corvellan/icon-128-16.png", ":/corvellan/icon-128-32.png", ":/corvellan/icon-128-48.png",
    ":/corvellan/icon-128-64.png", ":/corvellan/icon-128-96.png",
};

}  // namespace res
