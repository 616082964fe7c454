#include "res/slope_dialog_template.h"

#include <array>

#include "res/control_ids.h"
#include "res/dialog_font.h"
#include "res/resource_ids.h"

namespace res {
namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogTemplate;

constexpr std::uint32_t kButtonStyle = platform::kStyleTabStop;
// The field only shows the slope: no typing, digits only.
constexpr std::uint32_t kSlopeEditStyle = platform::kStyleCenter | platform::kStyleAutoHScroll |
                                          platform::kStyleReadOnly | platform::kStyleNumber |
                                          platform::kStyleBorder | platform::kStyleTabStop;
constexpr std::uint32_t kCaptionStyle = platform::kStyleCenter | platform::kStyleGroup;

constexpr int kWidth = 209;
constexpr int kHeight = 138;
constexpr int kControlCount = 4;

// Template order is also the tab order.
constexpr std::array<ControlTemplate, kControlCount> kControls = {{
    {kIdSlopeOk, ControlKind::kDefPushButton, "OK", kButtonStyle, 152, 105, 50, 14},
    {kIdSlopeCancel, ControlKind::kPushButton, "Cancel", kButtonStyle, 152, 83, 50, 14},
    {kIdSlopeEdit, ControlKind::kEdit, "", kSlopeEditStyle, 156, 51, 40, 14},
    {kIdUnaddressed, ControlKind::kLabel, "Slope parameter (M)", kCaptionStyle, 155, 22, 42, 26},
}};

}  // namespace

constinit const DialogTemplate kSlopeDialogTemplate{
    kSlopeDialogId, "Dialog", kWidth, kHeight, kDialogFontFace, kDialogFontPoints, kControls,
};

}  // namespace res
