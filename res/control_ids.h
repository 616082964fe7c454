#pragma once

#include "platform/dialog_template.h"

// Control ids of dialog templates 102 (main) and 135 (slope).
namespace res {

// Statics the program never addresses: group boxes, fixed labels, the legend.
inline constexpr int kIdUnaddressed = platform::kUnaddressedId;

// Main dialog: buttons. EXIT carries the dialog's OK command id.
inline constexpr int kIdButtonExit = 1;
inline constexpr int kIdButtonSlopeParameter = 1004;
inline constexpr int kIdButtonDumpData = 1011;

// Main dialog: the two fixed-count edits.
inline constexpr int kIdEditAgentCount = 1002;
inline constexpr int kIdEditIterations = 1003;

// Main dialog: group boxes that are addressed (enabled with sanctions).
inline constexpr int kIdGroupSanctions = 1098;
inline constexpr int kIdGroupRPrime = 1099;

// Main dialog: distribution radio buttons, three per attribute.
inline constexpr int kIdRadioConstantR = 1027;
inline constexpr int kIdRadioNormalR = 1028;
inline constexpr int kIdRadioLogNormalR = 1029;
inline constexpr int kIdRadioConstantI = 1039;
inline constexpr int kIdRadioNormalI = 1040;
inline constexpr int kIdRadioLogNormalI = 1041;
inline constexpr int kIdRadioConstantT = 1056;
inline constexpr int kIdRadioNormalT = 1057;
inline constexpr int kIdRadioLogNormalT = 1058;
inline constexpr int kIdRadioConstantE = 1074;
inline constexpr int kIdRadioNormalE = 1075;
inline constexpr int kIdRadioLogNormalE = 1076;
inline constexpr int kIdRadioConstantRPrime = 1031;
inline constexpr int kIdRadioNormalRPrime = 1033;
inline constexpr int kIdRadioLogNormalRPrime = 1034;

// Main dialog: check boxes. The five series boxes stand beside the legend rows.
inline constexpr int kIdCheckSanctions = 1095;
inline constexpr int kIdCheckFirstOrderRate = 1100;
inline constexpr int kIdCheckSecondOrderRate = 1101;
inline constexpr int kIdCheckMeanPropensityVolunteers = 1102;
inline constexpr int kIdCheckMeanPropensityNonVolunteers = 1103;
inline constexpr int kIdCheckMeanPropensity = 1104;

// Main dialog: trackbars, named after the parameter each one feeds.
inline constexpr int kIdSliderJ = 1045;
inline constexpr int kIdSliderX = 1049;
inline constexpr int kIdSliderSigmaR = 1030;
inline constexpr int kIdSliderMedianR = 1062;
inline constexpr int kIdSliderCountR = 1032;
inline constexpr int kIdSliderSigmaI = 1042;
inline constexpr int kIdSliderValueI = 1065;
inline constexpr int kIdSliderSigmaT = 1059;
inline constexpr int kIdSliderValueT = 1068;
inline constexpr int kIdSliderSigmaE = 1077;
inline constexpr int kIdSliderValueE = 1080;
inline constexpr int kIdSliderJPrime = 1051;
inline constexpr int kIdSliderM = 1053;
inline constexpr int kIdSliderSigmaRPrime = 1035;
inline constexpr int kIdSliderMedianRPrime = 1071;
inline constexpr int kIdSliderCountRPrime = 1105;
inline constexpr int kIdSliderCorrRRPrime = 1047;
inline constexpr int kIdSliderCorrRI = 1083;
inline constexpr int kIdSliderCorrRPrimeI = 1085;
inline constexpr int kIdSliderCorrET = 1087;

// Main dialog: value labels ("0.00"), one per trackbar.
inline constexpr int kIdReadoutJ = 1050;
inline constexpr int kIdReadoutX = 1046;
inline constexpr int kIdReadoutSigmaR = 1043;
inline constexpr int kIdReadoutMedianR = 1064;
inline constexpr int kIdReadoutCountR = 1090;
inline constexpr int kIdReadoutSigmaI = 1044;
inline constexpr int kIdReadoutValueI = 1067;
inline constexpr int kIdReadoutSigmaT = 1061;
inline constexpr int kIdReadoutValueT = 1070;
inline constexpr int kIdReadoutSigmaE = 1079;
inline constexpr int kIdReadoutValueE = 1082;
inline constexpr int kIdReadoutJPrime = 1054;
inline constexpr int kIdReadoutM = 1052;
inline constexpr int kIdReadoutSigmaRPrime = 1055;
inline constexpr int kIdReadoutMedianRPrime = 1073;
inline constexpr int kIdReadoutCountRPrime = 1107;
inline constexpr int kIdReadoutCorrRRPrime = 1048;
inline constexpr int kIdReadoutCorrRI = 1084;
inline constexpr int kIdReadoutCorrRPrimeI = 1086;
inline constexpr int kIdReadoutCorrET = 1088;

// Main dialog: caption labels of trackbars that are enabled or renamed.
inline constexpr int kIdCaptionSigmaR = 1036;
inline constexpr int kIdCaptionMedianR = 1063;
inline constexpr int kIdCaptionCountR = 1089;
inline constexpr int kIdCaptionSigmaI = 1037;
inline constexpr int kIdCaptionValueI = 1066;
inline constexpr int kIdCaptionSigmaT = 1060;
inline constexpr int kIdCaptionValueT = 1069;
inline constexpr int kIdCaptionSigmaE = 1078;
inline constexpr int kIdCaptionValueE = 1081;
inline constexpr int kIdCaptionJPrime = 1097;
inline constexpr int kIdCaptionM = 1096;
inline constexpr int kIdCaptionSigmaRPrime = 1038;
inline constexpr int kIdCaptionMedianRPrime = 1072;
inline constexpr int kIdCaptionCountRPrime = 1106;
inline constexpr int kIdCaptionCorrRRPrime = 1091;
inline constexpr int kIdCaptionCorrRI = 1092;
inline constexpr int kIdCaptionCorrRPrimeI = 1093;
inline constexpr int kIdCaptionCorrET = 1094;

// Slope dialog.
inline constexpr int kIdSlopeOk = 1;
inline constexpr int kIdSlopeCancel = 2;
inline constexpr int kIdSlopeEdit = 1002;

}  // namespace res
