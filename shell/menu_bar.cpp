// Builds the menu bar of the main window from the language texts and the
// menu flags. Nested popups are filled before the menu that holds them, the
// bar last; the handles are kept for enabling, graying and checking.
#include "shell/menu_bar.h"

#include <string>

#include "core/model.h"
#include "platform/menus.h"
#include "shell/menu_commands.h"
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

void Item(int menu, int flag, int command, const std::string& text) {
  plat::AppendMenu(menu, flag, command, text);
}
void Separator(int menu) { plat::AppendMenu(menu, kSeparatorFlag, 0, ""); }
void Nested(int menu, int flag, MenuPopup popup, const std::string& text) {
  plat::AppendMenu(menu, flag, G.MenuPopupHandles[popup], text);
}
// An option item built with its own check flag.
void CheckItem(int menu, int command, const std::string& text) {
  Item(menu, MenuCheckFlag(command), command, text);
}

void BuildFileMenus() {
  const int import = NewPopup(PopupImport);
  Item(import, kItemEnabled, CmdImportEclipseTap, M(2));
  Item(import, kItemEnabled, CmdImportTapBlocks, M(1));
  Item(import, kItemEnabled, CmdImportPrefixedText, M(3));
  Item(import, kItemEnabled, CmdImportKeywordText, M(4));
  Item(import, kItemEnabled, CmdImportInfAsc, L(10));
  Item(import, kItemEnabled, CmdImportNumberedFiles, L(11));
  Item(import, kItemEnabled, CmdImportVamas, L(15));
  Item(import, kItemEnabled, CmdImportNpl, L(63));
  Item(import, kItemEnabled, CmdImportSpxExperiment, L(106));
  Item(import, kItemEnabled, CmdImportPcf, L(140));
  Separator(import);
  Item(import, kItemEnabled, CmdImportTwoColumnBinding, L(95));
  Item(import, kItemEnabled, CmdImportTwoColumnBindingReversed, L(96));
  Item(import, kItemEnabled, CmdImportTwoColumnKineticReversed, L(97));
  Item(import, kItemEnabled, CmdImportTwoColumnKinetic, L(98));

  const int file = NewPopup(PopupFile);
  Nested(file, kPopupEnabled, PopupImport, M(5));
  Separator(file);
  Item(file, G.WindowItemsFlag, CmdExportSpectrumTable, L(12));
  Separator(file);
  Item(file, kItemEnabled, CmdOpenProject, L(78));
  Item(file, G.WindowItemsFlag, CmdSaveProject, L(79));
  Item(file, G.WindowItemsFlag, CmdSaveProjectAs, L(220));
  Separator(file);
  Item(file, kItemEnabled, CmdOpenAugerList, L(83));
  Separator(file);
  Item(file, kItemEnabled, CmdPrinterSetup, M(8));
  Item(file, G.WindowItemsFlag, CmdPrintWindow, M(9));
  Separator(file);
  Item(file, G.WindowItemsFlag, CmdExportBitmap, L(76));
  Separator(file);
  Item(file, kItemEnabled, CmdImportTestSpectrum, M(11));
  Item(file, G.FileBlocksItemFlag, CmdOpenFileBlocks, M(12));
  Item(file, G.DepthProfileItemFlag, CmdOpenDepthProfileBlocks, L(20));
  Item(file, G.RevertItemFlag, CmdRevertSpectrum, M(13));
  Separator(file);
  Item(file, kItemEnabled, CmdExit, M(14));
}

void BuildProcessingMenus() {
  const int background = NewPopup(PopupBackground);
  Item(background, kItemEnabled, CmdBackgroundConstant, M(15));
  Item(background, kItemEnabled, CmdBackgroundLinear, M(16));
  Item(background, kItemEnabled, CmdBackgroundShirley, M(17));
  Item(background, kItemEnabled, CmdBackgroundTougaard, M(18));
  Item(background, kItemEnabled, CmdBackgroundPolyShirley, M(19));

  const int shift = NewPopup(PopupShiftScale);
  Item(shift, kItemEnabled, CmdShiftSpectrum, M(20));
  Item(shift, kItemEnabled, CmdScaleSpectrum, M(21));

  const int arithmetic = NewPopup(PopupWindowArithmetic);
  Item(arithmetic, kItemEnabled, CmdAddWindow, M(22));
  Item(arithmetic, kItemEnabled, CmdSubtractWindow, M(23));
  Item(arithmetic, kItemEnabled, CmdMultiplyWindow, M(24));
  Item(arithmetic, kItemEnabled, CmdDivideWindow, M(25));

  const int processing = NewPopup(PopupProcessing);
  const int spectrum = G.SpectrumItemsFlag;
  Item(processing, spectrum, CmdCopySpectrum, L(59));
  Item(processing, G.PasteItemFlag, CmdPasteSpectrum, L(60));
  Separator(processing);
  Item(processing, spectrum, CmdCorrectEnergy, M(26));
  Separator(processing);
  Nested(processing, G.SpectrumPopupsFlag, PopupBackground, M(27));
  Item(processing, spectrum, CmdCommitBackground, M(28));
  Item(processing, G.SatelliteItemFlag, CmdRemoveSatellites, M(29));
  Separator(processing);
  Item(processing, spectrum, CmdRegionFromCursors, M(30));
  Item(processing, spectrum, CmdRegionFull, M(31));
  Item(processing, spectrum, CmdDifferentiate, M(32));
  Item(processing, spectrum, CmdNegateSpectrum, M(33));
  Item(processing, spectrum, CmdSmooth, M(34));
  Separator(processing);
  Item(processing, G.EditPointsItemFlag, CmdEditPointsByMouse, M(35));
  Separator(processing);
  Nested(processing, G.SpectrumPopupsFlag, PopupShiftScale, M(36));
  Nested(processing, G.SpectrumPopupsFlag, PopupWindowArithmetic, M(37));
  Separator(processing);
  Item(processing, spectrum, CmdNormaliseSpectrum, Dots(L(214)));
}

void BuildFitMenus() {
  const int newFit = NewPopup(PopupNewFit);
  Item(newFit, kItemEnabled, CmdNewFitSinglets, M(38));
  Item(newFit, kItemEnabled, CmdNewFitDoublets, M(39));

  const int fit = NewPopup(PopupFit);
  const int spectrum = G.SpectrumItemsFlag;
  Nested(fit, G.SpectrumPopupsFlag, PopupNewFit, M(40));
  Item(fit, spectrum, CmdFitFromParameterFile, M(41));
  Separator(fit);
  Item(fit, spectrum, CmdEditPeakLimits, M(42));
  Item(fit, spectrum, CmdEditStartValues, M(43));
  Separator(fit);
  Item(fit, G.FitBackgroundItemFlag, CmdEditFitBackground, M(44));
  Separator(fit);
  Item(fit, spectrum, CmdRunFit, M(45));
  Separator(fit);
  Item(fit, G.ErrorEstimateItemFlag, CmdEstimateErrors, L(99));
  Item(fit, G.ErrorMatrixItemFlag, CmdExportErrorMatrix, L(118));
}

void BuildSeriesMenu() {
  const int series = NewPopup(PopupSeries);
  const int spectrum = G.SpectrumItemsFlag;
  Item(series, spectrum, CmdCorrectEnergyAll, L(13));
  Item(series, spectrum, CmdRevertAllWindows, L(24));
  Separator(series);
  Item(series, spectrum, CmdExportAllSpectra, L(40));
  Separator(series);
  Item(series, spectrum, CmdPrintFitReport, M(10));
  Item(series, spectrum, CmdExportFitTable, L(45));
  Separator(series);
  Item(series, spectrum, CmdPrintFitErrorReport, L(121));
  Item(series, spectrum, CmdExportFitErrorTable, L(120));
  Separator(series);
  Item(series, spectrum, CmdProcessSeries, L(23));
  Separator(series);
  Item(series, spectrum, CmdStackedView, L(145));
  Item(series, spectrum, CmdWaterfallView, L(148));
  Item(series, spectrum, CmdMirroredWaterfallView, L(149));
  Item(series, spectrum, CmdColourMapView, L(146));
}

void BuildInformationMenus() {
  const int quantification = NewPopup(PopupQuantification);
  Item(quantification, G.SpectrumItemsFlag, CmdQuantify, M(46));
  Separator(quantification);
  Item(quantification, kItemEnabled, CmdLoadSensitivityFactors, L(5));
  Item(quantification, kItemEnabled, CmdLoadTransmissionParameters, L(132));

  const int information = NewPopup(PopupInformation);
  const int spectrum = G.SpectrumItemsFlag;
  Item(information, spectrum, CmdShowDescription, M(47));
  Item(information, spectrum, CmdShowAcquisition, M(48));
  Separator(information);
  Item(information, spectrum, CmdShowEnergyCorrection, M(49));
  Separator(information);
  Item(information, spectrum, CmdShowExtremes, M(50));
  Separator(information);
  Item(information, spectrum, CmdShowSourceFile, M(51));
  Separator(information);
  Item(information, spectrum, CmdIdentifyLines, L(70));
  Item(information, kItemEnabled, CmdEditLinePositions, L(73));
  Separator(information);
  Item(information, G.LineIdentificationItemFlag, CmdShowLineIdentification, L(84));
  Item(information, kItemEnabled, CmdEditAugerParameters, L(81));
  Separator(information);
  Item(information, kItemEnabled, CmdEditSensitivityFactors, L(123));
  Separator(information);
  Item(information, kItemEnabled, CmdEditDoublets, L(124));

  const int labels = NewPopup(PopupLabels);
  Item(labels, G.WindowItemsFlag, CmdEditTitleLabels, Dots(L(179)));
  Item(labels, G.WindowItemsFlag, CmdEditAnnotations, Dots(L(180)));
  Separator(labels);
  Item(labels, G.EnergyAxisItemFlag, CmdEditEnergyAxis, Dots(L(157)));
  Separator(labels);
  Item(labels, G.IntensityAxisItemFlag, CmdEditIntensityAxis, Dots(L(158)));
  Separator(labels);
  Item(labels, G.MemberItemsFlag, CmdEditMemberAxis, Dots(L(152)));
  Item(labels, G.MemberItemsFlag, CmdEditMemberLabels, Dots(L(153)));
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
  Item(satellites, kItemEnabled, CmdAlSatellites, "Al...");
  Item(satellites, kItemEnabled, CmdMgSatellites, "Mg...");

  const int decimal = NewPopup(PopupDecimalSign);
  Item(decimal, G.DecimalPointCheckFlag, CmdDecimalPoint, L(28));
  Item(decimal, G.DecimalCommaCheckFlag, CmdDecimalComma, L(29));

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
  Item(options, G.PresettingItemsFlag, CmdLoadPresetting, M(5));
  Item(options, kItemEnabled, CmdSavePresetting, M(6));
  Separator(options);
  Item(options, G.ToolbarCheckFlag, CmdToggleToolbar, L(51));
  Item(options, G.PresettingItemsFlag, CmdCustomiseToolbar, L(89));
  Separator(options);
  Item(options, G.PresettingItemsFlag, CmdDialogFont, Dots(L(50)));
  Separator(options);
  Nested(options, G.LanguagePopupFlag, PopupLanguage, M(66));
  Separator(options);
  Nested(options, kPopupEnabled, PopupExportFormat, L(25));
  Separator(options);
  Item(options, kItemEnabled, CmdAveragingPoints, M(67));
  Separator(options);
  Nested(options, kPopupEnabled, PopupEnergyScale, M(68));
  Nested(options, kPopupEnabled, PopupIntensityUnit, M(69));
  Separator(options);
  Item(options, kItemEnabled, CmdScreenLineStyles, Dots(L(85)));
  Item(options, kItemEnabled, CmdScreenFonts, Dots(L(178)));
  Separator(options);
  Item(options, kItemEnabled, CmdPrinterLineStyles, Dots(L(210)));
  Item(options, kItemEnabled, CmdPrinterFonts, Dots(L(211)));
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
  Item(windows, G.WindowItemsFlag, CmdArrangeWindowsA, M(77));
  Item(windows, G.WindowItemsFlag, CmdArrangeWindowsB, M(78));
  Item(windows, G.WindowItemsFlag, CmdCloseAllWindows, M(79));

  const int help = NewPopup(PopupHelp);
  Item(help, kItemEnabled, CmdAbout, M(80));

  const int reference = NewPopup(PopupTransmissionReference);
  Item(reference, G.WindowItemsFlag, CmdTransmissionGold, "A&u");
  Item(reference, G.WindowItemsFlag, CmdTransmissionSilver, "&Ag");
  Item(reference, G.WindowItemsFlag, CmdTransmissionCopper, "&Cu");

  const int transmission = NewPopup(PopupTransmission);
  Nested(transmission, kPopupEnabled, PopupTransmissionReference, L(136));
  Item(transmission, G.WindowItemsFlag, CmdEditTransmission, L(139));
  Separator(transmission);
  Item(transmission, kItemEnabled, CmdTransmissionFromLines, L(141));
  Separator(transmission);
  Item(transmission, kItemEnabled, CmdImportTransmissionFunction, L(134));
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
