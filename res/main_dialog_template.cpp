#include "res/main_dialog_template.h"

#include <array>

#include "res/control_ids.h"
#include "res/dialog_font.h"
#include "res/resource_ids.h"

namespace res {
namespace {

using platform::ControlTemplate;
using platform::DialogTemplate;

constexpr auto kPush = platform::ControlKind::kPushButton;
constexpr auto kDefPush = platform::ControlKind::kDefPushButton;
constexpr auto kRadio = platform::ControlKind::kRadioButton;
constexpr auto kCheck = platform::ControlKind::kCheckBox;
constexpr auto kGroup = platform::ControlKind::kGroupBox;
constexpr auto kLabel = platform::ControlKind::kLabel;
constexpr auto kEdit = platform::ControlKind::kEdit;
constexpr auto kTrack = platform::ControlKind::kTrackbar;
constexpr auto kPicture = platform::ControlKind::kBitmap;

constexpr std::uint32_t kPlain = platform::kStyleNone;
// Radio captions sit against the right edge of their rectangles, except 1034's.
constexpr std::uint32_t kRadioStyle = platform::kStyleAlignRight;
constexpr std::uint32_t kLeftRadioStyle = platform::kStyleNone;
// Series boxes have no caption; the legend picture to their right names them.
constexpr std::uint32_t kSeriesBoxStyle = platform::kStyleLeftText;
constexpr std::uint32_t kCountEditStyle =
    platform::kStyleReadOnly | platform::kStyleNumber | platform::kStyleBorder;
constexpr std::uint32_t kLegendStyle = platform::kStyleBorder;

constexpr int kNoId = kIdUnaddressed;
constexpr int kWidth = 552;
constexpr int kHeight = 382;
constexpr int kControlCount = 96;

// Creation order: each group box comes before the controls inside it.
constexpr std::array<ControlTemplate, kControlCount> kControls = {{
    // Group R.
    {kNoId, kGroup, "R", kPlain, 12, 202, 95, 80},
    {kIdRadioConstantR, kRadio, "Constant", kRadioStyle, 17, 212, 87, 8},
    {kIdRadioNormalR, kRadio, "Normal Distribution", kRadioStyle, 17, 222, 87, 10},
    {kIdRadioLogNormalR, kRadio, "Log-Normal Distribution", kRadioStyle, 17, 232, 87, 10},
    {kIdCaptionMedianR, kLabel, "Median", kPlain, 18, 245, 24, 8},
    {kIdSliderMedianR, kTrack, "", kPlain, 42, 247, 41, 8},
    {kIdReadoutMedianR, kLabel, "0.00", kPlain, 88, 245, 16, 8},
    {kIdCaptionSigmaR, kLabel, "Sigma", kPlain, 18, 255, 20, 8},
    {kIdSliderSigmaR, kTrack, "", kPlain, 42, 257, 41, 8},
    {kIdReadoutSigmaR, kLabel, "0.00", kPlain, 88, 255, 16, 8},
    {kIdCaptionCountR, kLabel, "N", kPlain, 19, 269, 8, 8},
    {kIdSliderCountR, kTrack, "", kPlain, 27, 270, 59, 8},
    {kIdReadoutCountR, kLabel, "0.00", kPlain, 88, 268, 16, 8},
    // Group I.
    {kNoId, kGroup, "I", kPlain, 112, 202, 96, 66},
    {kIdRadioConstantI, kRadio, "Constant", kRadioStyle, 119, 213, 87, 8},
    {kIdRadioNormalI, kRadio, "Normal Distribution", kRadioStyle, 119, 222, 87, 10},
    {kIdRadioLogNormalI, kRadio, "Log-Normal Distribution", kRadioStyle, 119, 232, 87, 10},
    {kIdCaptionValueI, kLabel, "Value", kPlain, 121, 245, 25, 8},
    {kIdSliderValueI, kTrack, "", kPlain, 146, 247, 41, 8},
    {kIdReadoutValueI, kLabel, "0.00", kPlain, 190, 245, 16, 8},
    {kIdCaptionSigmaI, kLabel, "Sigma", kPlain, 121, 256, 20, 8},
    {kIdSliderSigmaI, kTrack, "", kPlain, 146, 258, 41, 8},
    {kIdReadoutSigmaI, kLabel, "0.00", kPlain, 189, 256, 16, 8},
    // Group T.
    {kNoId, kGroup, "T", kPlain, 12, 286, 95, 66},
    {kIdRadioConstantT, kRadio, "Constant", kRadioStyle, 18, 295, 87, 8},
    {kIdRadioNormalT, kRadio, "Normal Distribution", kRadioStyle, 18, 305, 87, 10},
    {kIdRadioLogNormalT, kRadio, "Log-Normal Distribution", kRadioStyle, 18, 315, 87, 10},
    {kIdCaptionValueT, kLabel, "Value", kPlain, 20, 328, 23, 8},
    {kIdSliderValueT, kTrack, "", kPlain, 45, 331, 41, 8},
    {kIdReadoutValueT, kLabel, "0.00", kPlain, 88, 328, 16, 8},
    {kIdCaptionSigmaT, kLabel, "Sigma", kPlain, 20, 339, 20, 8},
    {kIdSliderSigmaT, kTrack, "", kPlain, 45, 342, 41, 8},
    {kIdReadoutSigmaT, kLabel, "0.00", kPlain, 88, 339, 16, 8},
    // Group E.
    {kNoId, kGroup, "E", kPlain, 111, 286, 95, 66},
    {kIdRadioConstantE, kRadio, "Constant", kRadioStyle, 117, 295, 87, 8},
    {kIdRadioNormalE, kRadio, "Normal Distribution", kRadioStyle, 117, 305, 87, 10},
    {kIdRadioLogNormalE, kRadio, "Log-Normal Distribution", kRadioStyle, 117, 315, 87, 10},
    {kIdCaptionValueE, kLabel, "Value", kPlain, 119, 328, 18, 8},
    {kIdSliderValueE, kTrack, "", kPlain, 143, 330, 41, 8},
    {kIdReadoutValueE, kLabel, "0.00", kPlain, 189, 328, 16, 8},
    {kIdCaptionSigmaE, kLabel, "Sigma", kPlain, 119, 338, 20, 8},
    {kIdSliderSigmaE, kTrack, "", kPlain, 143, 340, 41, 8},
    {kIdReadoutSigmaE, kLabel, "0.00", kPlain, 189, 338, 16, 8},
    // Group Sanctions, with the nested group R'.
    {kIdGroupSanctions, kGroup, "Sanctions", kPlain, 220, 202, 118, 150},
    {kIdCheckSanctions, kCheck, "Sanctions", kPlain, 234, 212, 47, 10},
    {kIdGroupRPrime, kGroup, "R'", kPlain, 230, 225, 99, 85},
    {kIdRadioConstantRPrime, kRadio, "Constant", kRadioStyle, 235, 234, 86, 8},
    {kIdRadioNormalRPrime, kRadio, "Normal Distribution", kRadioStyle, 235, 244, 86, 8},
    {kIdRadioLogNormalRPrime, kRadio, "Log-Normal Distribution", kLeftRadioStyle, 235, 254, 86, 8},
    {kIdCaptionMedianRPrime, kLabel, "Median", kPlain, 238, 270, 24, 8},
    {kIdSliderMedianRPrime, kTrack, "", kPlain, 265, 271, 41, 8},
    {kIdReadoutMedianRPrime, kLabel, "0.00", kPlain, 309, 270, 16, 8},
    {kIdCaptionSigmaRPrime, kLabel, "Sigma", kPlain, 240, 281, 20, 8},
    {kIdSliderSigmaRPrime, kTrack, "", kPlain, 265, 281, 41, 8},
    {kIdReadoutSigmaRPrime, kLabel, "0.00", kPlain, 309, 279, 16, 8},
    {kIdCaptionCountRPrime, kLabel, "N", kPlain, 241, 295, 8, 8},
    {kIdSliderCountRPrime, kTrack, "", kPlain, 249, 296, 59, 8},
    {kIdReadoutCountRPrime, kLabel, "0.00", kPlain, 309, 294, 16, 8},
    {kIdCaptionJPrime, kLabel, "J'", kPlain, 235, 320, 8, 9},
    {kIdSliderJPrime, kTrack, "", kPlain, 243, 321, 68, 9},
    {kIdReadoutJPrime, kLabel, "0.00", kPlain, 315, 321, 16, 8},
    {kIdCaptionM, kLabel, "m", kPlain, 235, 337, 8, 8},
    {kIdSliderM, kTrack, "", kPlain, 245, 337, 66, 9},
    {kIdReadoutM, kLabel, "0.00", kPlain, 315, 337, 22, 8},
    // Legend, series boxes and the fixed counts.
    {kNoId, kPicture, "", kLegendStyle, 358, 204, 187, 51, kLegendBitmapId},
    {kIdCheckFirstOrderRate, kCheck, "", kSeriesBoxStyle, 340, 207, 16, 8},
    {kIdCheckSecondOrderRate, kCheck, "", kSeriesBoxStyle, 340, 217, 16, 8},
    {kIdCheckMeanPropensityVolunteers, kCheck, "", kSeriesBoxStyle, 340, 227, 16, 8},
    {kIdCheckMeanPropensityNonVolunteers, kCheck, "", kSeriesBoxStyle, 340, 236, 16, 8},
    {kIdCheckMeanPropensity, kCheck, "", kSeriesBoxStyle, 340, 246, 16, 8},
    {kNoId, kLabel, "N", kPlain, 365, 265, 8, 8},
    {kIdEditAgentCount, kEdit, "", kCountEditStyle, 403, 262, 28, 12},
    {kNoId, kLabel, "Iterations #", kPlain, 449, 265, 43, 8},
    {kIdEditIterations, kEdit, "", kCountEditStyle, 497, 263, 28, 12},
    // Group Correlation. "&&" shows as one ampersand.
    {kNoId, kGroup, "Correlation", kPlain, 362, 276, 164, 74},
    {kIdCaptionCorrRRPrime, kLabel, "R && R'", kPlain, 394, 289, 21, 8},
    {kIdSliderCorrRRPrime, kTrack, "", kPlain, 418, 289, 59, 8},
    {kIdReadoutCorrRRPrime, kLabel, "0.00", kPlain, 486, 289, 19, 8},
    {kIdCaptionCorrRI, kLabel, "R && I", kPlain, 394, 302, 21, 8},
    {kIdSliderCorrRI, kTrack, "", kPlain, 418, 303, 59, 8},
    {kIdReadoutCorrRI, kLabel, "0.00", kPlain, 486, 303, 19, 8},
    {kIdCaptionCorrRPrimeI, kLabel, "R' && I", kPlain, 394, 316, 21, 8},
    {kIdSliderCorrRPrimeI, kTrack, "", kPlain, 418, 319, 59, 8},
    {kIdReadoutCorrRPrimeI, kLabel, "0.00", kPlain, 486, 319, 19, 8},
    {kIdCaptionCorrET, kLabel, "E && T", kPlain, 394, 332, 21, 8},
    {kIdSliderCorrET, kTrack, "", kPlain, 418, 335, 59, 8},
    {kIdReadoutCorrET, kLabel, "0.00", kPlain, 486, 335, 19, 8},
    // Bottom row.
    {kNoId, kLabel, "J", kPlain, 16, 360, 8, 9},
    {kIdSliderJ, kTrack, "", kPlain, 22, 361, 73, 9},
    {kIdReadoutJ, kLabel, "0.00", kPlain, 96, 359, 16, 8},
    {kNoId, kLabel, "X", kPlain, 115, 361, 8, 8},
    {kIdSliderX, kTrack, "", kPlain, 121, 362, 73, 9},
    {kIdReadoutX, kLabel, "0.00", kPlain, 199, 360, 22, 8},
    {kIdButtonDumpData, kPush, "Dump data to file", kPlain, 222, 361, 60, 15},
    {kIdButtonSlopeParameter, kPush, "Slope Parameter", kPlain, 300, 361, 58, 15},
    {kIdButtonExit, kDefPush, "EXIT", kPlain, 495, 360, 50, 16},
}};

}  // namespace

constinit const DialogTemplate kMainDialogTemplate{
    kMainDialogId, "Corvellan", kWidth, kHeight, kDialogFontFace, kDialogFontPoints, kControls,
};

}  // namespace res
