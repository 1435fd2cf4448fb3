// The command numbers of the menu bar: every command a user can give from
// the menu is one of these numbers, and Form_MenuEvent receives exactly them.
// This is the one place that writes them out; each command's row in the
// command table (shell/command_table.cpp) says what it does.
#pragma once

namespace sorvan {

// File and import
inline constexpr int CmdImportTapBlocks = 1110;
inline constexpr int CmdImportEclipseTap = 1111;
inline constexpr int CmdImportPrefixedText = 1120;
inline constexpr int CmdImportKeywordText = 1130;
inline constexpr int CmdImportInfAsc = 1140;
inline constexpr int CmdImportNumberedFiles = 1150;
inline constexpr int CmdImportVamas = 1160;
inline constexpr int CmdImportNpl = 1170;
inline constexpr int CmdImportTwoColumnBinding = 1180;
inline constexpr int CmdImportTwoColumnBindingReversed = 1181;
inline constexpr int CmdImportTwoColumnKineticReversed = 1182;
inline constexpr int CmdImportTwoColumnKinetic = 1183;
inline constexpr int CmdImportSpxExperiment = 1184;
inline constexpr int CmdImportPcf = 1185;
inline constexpr int CmdExportSpectrumTable = 1200;
inline constexpr int CmdPrinterSetup = 1300;
inline constexpr int CmdExportBitmap = 1320;
inline constexpr int CmdOpenProject = 1330;
inline constexpr int CmdSaveProject = 1340;
inline constexpr int CmdSaveProjectAs = 1341;
inline constexpr int CmdPrintWindow = 1400;
inline constexpr int CmdPrintFitReport = 1500;
inline constexpr int CmdImportTestSpectrum = 1700;
inline constexpr int CmdOpenFileBlocks = 1800;
inline constexpr int CmdRevertSpectrum = 1900;
inline constexpr int CmdOpenAugerList = 5570;
inline constexpr int CmdImportTransmissionFunction = 9700;
inline constexpr int CmdExit = 11000;
inline constexpr int CmdOpenDepthProfileBlocks = 11100;

// Processing
inline constexpr int CmdCommitBackground = 2100;
inline constexpr int CmdBackgroundConstant = 2110;
inline constexpr int CmdBackgroundLinear = 2120;
inline constexpr int CmdBackgroundShirley = 2130;
inline constexpr int CmdBackgroundTougaard = 2140;
inline constexpr int CmdBackgroundPolyShirley = 2150;
inline constexpr int CmdRegionFromCursors = 2200;
inline constexpr int CmdCopySpectrum = 2210;
inline constexpr int CmdPasteSpectrum = 2220;
inline constexpr int CmdDifferentiate = 2300;
inline constexpr int CmdNegateSpectrum = 2400;
inline constexpr int CmdEditPointsByMouse = 2600;
inline constexpr int CmdSmooth = 2700;
inline constexpr int CmdRemoveSatellites = 2800;
inline constexpr int CmdShiftSpectrum = 2910;
inline constexpr int CmdScaleSpectrum = 2920;
inline constexpr int CmdNormaliseSpectrum = 2930;
inline constexpr int CmdAddWindow = 21010;
inline constexpr int CmdSubtractWindow = 21020;
inline constexpr int CmdMultiplyWindow = 21030;
inline constexpr int CmdDivideWindow = 21040;
inline constexpr int CmdRegionFull = 21100;
inline constexpr int CmdCorrectEnergy = 21200;

// Peak fit and parameter errors
inline constexpr int CmdFitFromParameterFile = 3110;
inline constexpr int CmdNewFitSinglets = 3111;
inline constexpr int CmdNewFitDoublets = 3112;
inline constexpr int CmdEditStartValues = 3113;
inline constexpr int CmdEditPeakLimits = 3114;
inline constexpr int CmdEditFitBackground = 3115;
inline constexpr int CmdEstimateErrors = 3120;
inline constexpr int CmdExportErrorMatrix = 3121;
inline constexpr int CmdRunFit = 3130;

// Series and multi-spectrum views
inline constexpr int CmdProcessSeries = 3116;
inline constexpr int CmdRevertAllWindows = 3117;
inline constexpr int CmdExportAllSpectra = 3118;
inline constexpr int CmdCorrectEnergyAll = 8100;
inline constexpr int CmdExportFitTable = 31119;
inline constexpr int CmdExportFitErrorTable = 31120;
inline constexpr int CmdPrintFitErrorReport = 31121;
inline constexpr int CmdStackedView = 31122;
inline constexpr int CmdColourMapView = 31123;
inline constexpr int CmdWaterfallView = 31124;
inline constexpr int CmdMirroredWaterfallView = 31125;

// Quantification, information, element tables, labels and transmission
inline constexpr int CmdQuantify = 4000;
inline constexpr int CmdLoadSensitivityFactors = 4100;
inline constexpr int CmdLoadTransmissionParameters = 4200;
inline constexpr int CmdShowDescription = 5100;
inline constexpr int CmdShowAcquisition = 5200;
inline constexpr int CmdShowExtremes = 5300;
inline constexpr int CmdShowSourceFile = 5400;
inline constexpr int CmdShowEnergyCorrection = 5500;
inline constexpr int CmdIdentifyLines = 5530;
inline constexpr int CmdEditLinePositions = 5540;
inline constexpr int CmdEditAugerParameters = 5550;
inline constexpr int CmdShowLineIdentification = 5560;
inline constexpr int CmdEditSensitivityFactors = 5561;
inline constexpr int CmdEditDoublets = 5562;
inline constexpr int CmdEditAnnotations = 6000;
inline constexpr int CmdEditMemberAxis = 6010;
inline constexpr int CmdEditMemberLabels = 6020;
inline constexpr int CmdEditEnergyAxis = 6030;
inline constexpr int CmdEditIntensityAxis = 6040;
inline constexpr int CmdEditTitleLabels = 6050;
inline constexpr int CmdTransmissionGold = 9400;
inline constexpr int CmdTransmissionSilver = 9500;
inline constexpr int CmdTransmissionCopper = 9600;
inline constexpr int CmdEditTransmission = 9800;
inline constexpr int CmdTransmissionFromLines = 9900;

// Options, windows and help
inline constexpr int CmdLoadPresetting = 8010;
inline constexpr int CmdSavePresetting = 8020;
inline constexpr int CmdDefaultGaussLorentz = 8111;
inline constexpr int CmdDefaultDoniachSunjic = 8112;
inline constexpr int CmdDefaultIndependentPeaks = 8113;
inline constexpr int CmdDefaultRelativePeaks = 8114;
inline constexpr int CmdDefaultErrorsAbsolute = 8115;
inline constexpr int CmdDefaultErrorsPercent = 8116;
inline constexpr int CmdLanguageGerman = 8121;
inline constexpr int CmdLanguageEnglish = 8122;
inline constexpr int CmdLanguageSpanish = 8123;  // no menu item
inline constexpr int CmdDecimalComma = 8131;
inline constexpr int CmdSeparatorSemicolon = 8132;
inline constexpr int CmdSeparatorComma = 8133;
inline constexpr int CmdSeparatorTab = 8134;
inline constexpr int CmdSeparatorBlank = 8135;
inline constexpr int CmdDecimalPoint = 8136;
inline constexpr int CmdDefaultErrorsProfile = 8144;
inline constexpr int CmdDefaultErrorsHessian = 8145;
inline constexpr int CmdAveragingPoints = 8200;
inline constexpr int CmdBindingEnergyScale = 8310;
inline constexpr int CmdKineticEnergyScale = 8320;
inline constexpr int CmdCountsUnit = 8410;
inline constexpr int CmdCpsUnit = 8420;
inline constexpr int CmdScreenLineStyles = 8510;
inline constexpr int CmdPrinterLineStyles = 8511;
inline constexpr int CmdScreenFonts = 8700;
inline constexpr int CmdPrinterFonts = 8701;
inline constexpr int CmdDialogFont = 8710;
inline constexpr int CmdToggleToolbar = 8730;
inline constexpr int CmdCustomiseToolbar = 8731;
inline constexpr int CmdAlSatellites = 5510;
inline constexpr int CmdMgSatellites = 5520;
inline constexpr int CmdArrangeWindowsA = 9100;
inline constexpr int CmdArrangeWindowsB = 9200;
inline constexpr int CmdCloseAllWindows = 9300;
inline constexpr int CmdAbout = 10000;

}  // namespace sorvan
