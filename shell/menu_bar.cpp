// Builds the menu bar of the main window from the language texts and the
// menu flags: each item takes the flag of its row's enabling rule (shell/
// command_table.cpp). Nested popups are filled before the menu that holds
// them, the bar last; the handles are kept for enabling, graying and checking.
#include "shell/menu_bar.h"

#include <cstdint>
#include <string>

#include "core/menu_commands.h"
#include "core/model.h"
#include "platform/menus.h"
#include "shell/command_table.h"
#include "shell/menu_state.h"

namespace sorvan {
namespace {

std::string M(int i) { return G.MenuTexts[i]; }
std::string L(int i) { return G.LabelTexts[i]; }
std::string Dots(const std::string& text) { return text + "..."; }

int NewPopup(MenuPopup popup) {
  const int handle = plat::CreatePopupMenu();
  G.MenuPopupHandles[popup] = handle;
  return handle;
}

// An item built with the flag of its row's enabling rule.
void Item(int menu, int command, const std::string& text) {
  const std::int32_t* flag = FlagOfEnabling(ItemEnabling(command));
  plat::AppendMenu(menu, flag != nullptr ? *flag : kItemEnabled, command, text);
}
// An item built with a check mark of its own.
void MarkedItem(int menu, int mark, int command, const std::string& text) {
  plat::AppendMenu(menu, mark, command, text);
}
void Separator(int menu) { plat::AppendMenu(menu, kSeparatorFlag, 0, ""); }
void Nested(int menu, int flag, MenuPopup popup, const std::string& text) {
  plat::AppendMenu(menu, flag, G.MenuPopupHandles[popup], text);
}
// An option item built with its own check flag.
void CheckItem(int menu, int command, const std::string& text) {
  MarkedItem(menu, MenuCheckFlag(command), command, text);
}

void BuildFileMenus() {
  const int import = NewPopup(PopupImport);
  Item(import, CmdImportEclipseTap, M(2));
  Item(import, CmdImportTapBlocks, M(1));
  Item(import, CmdImportPrefixedText, M(3));
  Item(import, CmdImportKeywordText, M(4));
  Item(import, CmdImportInfAsc, L(10));
  Item(import, CmdImportNumberedFiles, L(11));
  Item(import, CmdImportVamas, L(15));
  Item(import, CmdImportNpl, L(63));
  Item(import, CmdImportSpxExperiment, L(106));
  Item(import, CmdImportPcf, L(140));
  Separator(import);
  Item(import, CmdImportTwoColumnBinding, L(95));
  Item(import, CmdImportTwoColumnBindingReversed, L(96));
  Item(import, CmdImportTwoColumnKineticReversed, L(97));
  Item(import, CmdImportTwoColumnKinetic, L(98));

  const int file = NewPopup(PopupFile);
  Nested(file, kPopupEnabled, PopupImport, M(5));
  Separator(file);
  Item(file, CmdExportSpectrumTable, L(12));
  Separator(file);
  Item(file, CmdOpenProject, L(78));
  Item(file, CmdSaveProject, L(79));
  Item(file, CmdSaveProjectAs, L(220));
  Separator(file);
  Item(file, CmdOpenAugerList, L(83));
  Separator(file);
  Item(file, CmdPrinterSetup, M(8));
  Item(file, CmdPrintWindow, M(9));
  Separator(file);
  Item(file, CmdExportBitmap, L(76));
  Separator(file);
  Item(file, CmdImportTestSpectrum, M(11));
  Item(file, CmdOpenFileBlocks, M(12));
  Item(file, CmdOpenDepthProfileBlocks, L(20));
  Item(file, CmdRevertSpectrum, M(13));
  Separator(file);
  Item(file, CmdExit, M(14));
}

void BuildProcessingMenus() {
  const int background = NewPopup(PopupBackground);
  Item(background, CmdBackgroundConstant, M(15));
  Item(background, CmdBackgroundLinear, M(16));
  Item(background, CmdBackgroundShirley, M(17));
  Item(background, CmdBackgroundTougaard, M(18));
  Item(background, CmdBackgroundPolyShirley, M(19));

  const int shift = NewPopup(PopupShiftScale);
  Item(shift, CmdShiftSpectrum, M(20));
  Item(shift, CmdScaleSpectrum, M(21));

  const int arithmetic = NewPopup(PopupWindowArithmetic);
  Item(arithmetic, CmdAddWindow, M(22));
  Item(arithmetic, CmdSubtractWindow, M(23));
  Item(arithmetic, CmdMultiplyWindow, M(24));
  Item(arithmetic, CmdDivideWindow, M(25));

  const int processing = NewPopup(PopupProcessing);
  Item(processing, CmdCopySpectrum, L(59));
  Item(processing, CmdPasteSpectrum, L(60));
  Separator(processing);
  Item(processing, CmdCorrectEnergy, M(26));
  Separator(processing);
  Nested(processing, G.SpectrumPopupsFlag, PopupBackground, M(27));
  Item(processing, CmdCommitBackground, M(28));
  Item(processing, CmdRemoveSatellites, M(29));
  Separator(processing);
  Item(processing, CmdRegionFromCursors, M(30));
  Item(processing, CmdRegionFull, M(31));
  Item(processing, CmdDifferentiate, M(32));
  Item(processing, CmdNegateSpectrum, M(33));
  Item(processing, CmdSmooth, M(34));
  Separator(processing);
  Item(processing, CmdEditPointsByMouse, M(35));
  Separator(processing);
  Nested(processing, G.SpectrumPopupsFlag, PopupShiftScale, M(36));
  Nested(processing, G.SpectrumPopupsFlag, PopupWindowArithmetic, M(37));
  Separator(processing);
  Item(processing, CmdNormaliseSpectrum, Dots(L(214)));
}

void BuildFitMenus() {
  const int newFit = NewPopup(PopupNewFit);
  Item(newFit, CmdNewFitSinglets, M(38));
  Item(newFit, CmdNewFitDoublets, M(39));

  const int fit = NewPopup(PopupFit);
  Nested(fit, G.SpectrumPopupsFlag, PopupNewFit, M(40));
  Item(fit, CmdFitFromParameterFile, M(41));
  Separator(fit);
  Item(fit, CmdEditPeakLimits, M(42));
  Item(fit, CmdEditStartValues, M(43));
  Separator(fit);
  Item(fit, CmdEditFitBackground, M(44));
  Separator(fit);
  Item(fit, CmdRunFit, M(45));
  Separator(fit);
  Item(fit, CmdEstimateErrors, L(99));
  Item(fit, CmdExportErrorMatrix, L(118));
}

void BuildSeriesMenu() {
  const int series = NewPopup(PopupSeries);
  Item(series, CmdCorrectEnergyAll, L(13));
  Item(series, CmdRevertAllWindows, L(24));
  Separator(series);
  Item(series, CmdExportAllSpectra, L(40));
  Separator(series);
  Item(series, CmdPrintFitReport, M(10));
  Item(series, CmdExportFitTable, L(45));
  Separator(series);
  Item(series, CmdPrintFitErrorReport, L(121));
  Item(series, CmdExportFitErrorTable, L(120));
  Separator(series);
  Item(series, CmdProcessSeries, L(23));
  Separator(series);
  Item(series, CmdStackedView, L(145));
  Item(series, CmdWaterfallView, L(148));
  Item(series, CmdMirroredWaterfallView, L(149));
  Item(series, CmdColourMapView, L(146));
}

void BuildInformationMenus() {
  const int quantification = NewPopup(PopupQuantification);
  Item(quantification, CmdQuantify, M(46));
  Separator(quantification);
  Item(quantification, CmdLoadSensitivityFactors, L(5));
  Item(quantification, CmdLoadTransmissionParameters, L(132));

  const int information = NewPopup(PopupInformation);
  Item(information, CmdShowDescription, M(47));
  Item(information, CmdShowAcquisition, M(48));
  Separator(information);
  Item(information, CmdShowEnergyCorrection, M(49));
  Separator(information);
  Item(information, CmdShowExtremes, M(50));
  Separator(information);
  Item(information, CmdShowSourceFile, M(51));
  Separator(information);
  Item(information, CmdIdentifyLines, L(70));
  Item(information, CmdEditLinePositions, L(73));
  Separator(information);
  Item(information, CmdShowLineIdentification, L(84));
  Item(information, CmdEditAugerParameters, L(81));
  Separator(information);
  Item(information, CmdEditSensitivityFactors, L(123));
  Separator(information);
  Item(information, CmdEditDoublets, L(124));

  const int labels = NewPopup(PopupLabels);
  Item(labels, CmdEditTitleLabels, Dots(L(179)));
  Item(labels, CmdEditAnnotations, Dots(L(180)));
  Separator(labels);
  Item(labels, CmdEditEnergyAxis, Dots(L(157)));
  Separator(labels);
  Item(labels, CmdEditIntensityAxis, Dots(L(158)));
  Separator(labels);
  Item(labels, CmdEditMemberAxis, Dots(L(152)));
  Item(labels, CmdEditMemberLabels, Dots(L(153)));
}

void BuildOptionMenus() {
  const int energy = NewPopup(PopupEnergyScale);
  CheckItem(energy, CmdBindingEnergyScale, M(53));
  CheckItem(energy, CmdKineticEnergyScale, M(54));

  const int intensity = NewPopup(PopupIntensityUnit);
  CheckItem(intensity, CmdCountsUnit, M(55));
  CheckItem(intensity, CmdCpsUnit, M(56));

  const int model = NewPopup(PopupDefaultPeakModel);
  CheckItem(model, CmdDefaultGaussLorentz, M(62));
  CheckItem(model, CmdDefaultDoniachSunjic, M(63));

  const int relation = NewPopup(PopupDefaultPeakRelation);
  CheckItem(relation, CmdDefaultIndependentPeaks, L(2));
  CheckItem(relation, CmdDefaultRelativePeaks, L(3));

  const int language = NewPopup(PopupLanguage);
  CheckItem(language, CmdLanguageGerman, M(64));
  CheckItem(language, CmdLanguageEnglish, M(65));

  const int satellites = NewPopup(PopupSatellites);
  Item(satellites, CmdAlSatellites, "Al...");
  Item(satellites, CmdMgSatellites, "Mg...");

  const int decimal = NewPopup(PopupDecimalSign);
  MarkedItem(decimal, G.DecimalPointCheckFlag, CmdDecimalPoint, L(28));
  MarkedItem(decimal, G.DecimalCommaCheckFlag, CmdDecimalComma, L(29));

  const int separator = NewPopup(PopupColumnSeparator);
  CheckItem(separator, CmdSeparatorSemicolon, L(30));
  CheckItem(separator, CmdSeparatorComma, L(29));
  CheckItem(separator, CmdSeparatorTab, L(31));
  CheckItem(separator, CmdSeparatorBlank, L(32));

  const int errorDisplay = NewPopup(PopupDefaultErrorDisplay);
  CheckItem(errorDisplay, CmdDefaultErrorsAbsolute, L(2));
  CheckItem(errorDisplay, CmdDefaultErrorsPercent, L(3));

  const int errorMethod = NewPopup(PopupDefaultErrorMethod);
  CheckItem(errorMethod, CmdDefaultErrorsProfile, L(116));
  CheckItem(errorMethod, CmdDefaultErrorsHessian, L(117));

  const int exportFormat = NewPopup(PopupExportFormat);
  Nested(exportFormat, kPopupEnabled, PopupDecimalSign, L(26));
  Nested(exportFormat, kPopupEnabled, PopupColumnSeparator, L(27));

  const int options = NewPopup(PopupOptions);
  Item(options, CmdLoadPresetting, M(5));
  Item(options, CmdSavePresetting, M(6));
  Separator(options);
  MarkedItem(options, G.ToolbarCheckFlag, CmdToggleToolbar, L(51));
  Item(options, CmdCustomiseToolbar, L(89));
  Separator(options);
  Item(options, CmdDialogFont, Dots(L(50)));
  Separator(options);
  Nested(options, G.LanguagePopupFlag, PopupLanguage, M(66));
  Separator(options);
  Nested(options, kPopupEnabled, PopupExportFormat, L(25));
  Separator(options);
  Item(options, CmdAveragingPoints, M(67));
  Separator(options);
  Nested(options, kPopupEnabled, PopupEnergyScale, M(68));
  Nested(options, kPopupEnabled, PopupIntensityUnit, M(69));
  Separator(options);
  Item(options, CmdScreenLineStyles, Dots(L(85)));
  Item(options, CmdScreenFonts, Dots(L(178)));
  Separator(options);
  Item(options, CmdPrinterLineStyles, Dots(L(210)));
  Item(options, CmdPrinterFonts, Dots(L(211)));
  Separator(options);
  Nested(options, kPopupEnabled, PopupSatellites, L(52));
  Separator(options);
  Nested(options, kPopupEnabled, PopupDefaultPeakModel, M(76));
  Nested(options, kPopupEnabled, PopupDefaultPeakRelation, L(1));
  Separator(options);
  Nested(options, kPopupEnabled, PopupDefaultErrorMethod, L(115));
  Nested(options, kPopupEnabled, PopupDefaultErrorDisplay, L(113));
}

void BuildWindowMenus() {
  const int windows = NewPopup(PopupWindows);
  Item(windows, CmdArrangeWindowsA, M(77));
  Item(windows, CmdArrangeWindowsB, M(78));
  Item(windows, CmdCloseAllWindows, M(79));

  const int help = NewPopup(PopupHelp);
  Item(help, CmdAbout, M(80));

  const int reference = NewPopup(PopupTransmissionReference);
  Item(reference, CmdTransmissionGold, "A&u");
  Item(reference, CmdTransmissionSilver, "&Ag");
  Item(reference, CmdTransmissionCopper, "&Cu");

  const int transmission = NewPopup(PopupTransmission);
  Nested(transmission, kPopupEnabled, PopupTransmissionReference, L(136));
  Item(transmission, CmdEditTransmission, L(139));
  Separator(transmission);
  Item(transmission, CmdTransmissionFromLines, L(141));
  Separator(transmission);
  Item(transmission, CmdImportTransmissionFunction, L(134));
}

}  // namespace

void InitMenuCommandIds() {}

void InitMenuItemFlags() {
  G.EditPointsItemFlag = kItemGrayed;
  G.WindowItemsFlag = kItemGrayed;
  G.EnergyAxisItemFlag = kItemGrayed;
  G.IntensityAxisItemFlag = kItemGrayed;
  G.MemberItemsFlag = kItemGrayed;
  G.LanguagePopupFlag = kPopupEnabled;
  G.PresettingItemsFlag = kItemEnabled;
  G.FileBlocksItemFlag = kItemGrayed;
  G.DepthProfileItemFlag = kItemGrayed;
  G.RevertItemFlag = kItemGrayed;
  G.PasteItemFlag = kItemGrayed;
  G.SatelliteItemFlag = kItemGrayed;
  G.FitBackgroundItemFlag = kItemGrayed;
  G.ErrorEstimateItemFlag = kItemGrayed;
  G.ErrorMatrixItemFlag = kItemGrayed;
  G.LineIdentificationItemFlag = kItemGrayed;
  G.SpectrumItemsFlag = kItemGrayed;
  G.SpectrumPopupsFlag = kPopupGrayed;
  G.DecimalPointCheckFlag = G.DecimalComma == 0 ? kItemChecked : 0;
  G.DecimalCommaCheckFlag = G.DecimalComma == 0 ? 0 : kItemChecked;
  G.ToolbarCheckFlag = G.ToolbarVisible == 1 ? kItemChecked : 0;
}

void BuildMenuBar() {
  BuildFileMenus();
  BuildProcessingMenus();
  BuildFitMenus();
  BuildSeriesMenu();
  BuildInformationMenus();
  BuildOptionMenus();
  BuildWindowMenus();

  const int bar = plat::CreateMenu();
  G.MenuBarHandle = bar;
  Nested(bar, kPopupEnabled, PopupFile, M(81));
  Nested(bar, kPopupEnabled, PopupProcessing, M(82));
  Nested(bar, kPopupEnabled, PopupFit, M(83));
  Nested(bar, kPopupEnabled, PopupSeries, L(23));
  Nested(bar, kPopupEnabled, PopupQuantification, M(84));
  Nested(bar, kPopupEnabled, PopupInformation, M(85));
  Nested(bar, kPopupEnabled, PopupLabels, M(86));
  Nested(bar, kPopupEnabled, PopupTransmission, L(133));
  Nested(bar, kPopupEnabled, PopupOptions, M(87));
  Nested(bar, kPopupEnabled, PopupWindows, M(88));
  Nested(bar, kPopupEnabled, PopupHelp, M(89));
  plat::SetMenu(bar);
}

void DestroyMenuBar() {
  if (G.MenuBarHandle != 0) plat::DestroyMenu(G.MenuBarHandle);
  G.MenuBarHandle = 0;
  for (int p = 1; p <= kMenuPopupCount; ++p) G.MenuPopupHandles[p] = 0;
}

}  // namespace sorvan
