// The command table (see shell/command_table.h). The rows follow the menu
// bar, popup by popup; the toolbar actions without a menu item close it.
#include "shell/command_table.h"

#include <array>

#include "core/model.h"
#include "shell/menu_file.h"
#include "shell/menu_fit.h"
#include "shell/menu_help.h"
#include "shell/menu_information.h"
#include "shell/menu_labels.h"
#include "shell/menu_options.h"
#include "shell/menu_processing.h"
#include "shell/menu_quantification.h"
#include "shell/menu_series.h"
#include "shell/menu_transmission.h"
#include "shell/menu_windows.h"

namespace sorvan {
namespace {

using enum CommandGroup;
using enum Enabling;
constexpr bool Current = true;  // acts on the current window
constexpr bool Any = false;     // needs no current window

// clang-format off
constexpr CommandRow kRows[] = {
    // name                            menu            window   enabling             button  handler
    {CmdImportEclipseTap,               File,           Any,     Always,               0, OnImport},
    {CmdImportTapBlocks,                File,           Any,     Always,               0, OnImport},
    {CmdImportPrefixedText,             File,           Any,     Always,               0, OnImport},
    {CmdImportKeywordText,              File,           Any,     Always,               0, OnImport},
    {CmdImportInfAsc,                   File,           Any,     Always,               0, OnImport},
    {CmdImportNumberedFiles,            File,           Any,     Always,               0, OnImport},
    {CmdImportVamas,                    File,           Any,     Always,               0, OnImport},
    {CmdImportNpl,                      File,           Any,     Always,               0, OnImport},
    {CmdImportSpxExperiment,            File,           Any,     Always,               0, OnImport},
    {CmdImportPcf,                      File,           Any,     Always,               0, OnImport},
    {CmdImportTwoColumnBinding,         File,           Any,     Always,               0, OnImport},
    {CmdImportTwoColumnBindingReversed, File,           Any,     Always,               0, OnImport},
    {CmdImportTwoColumnKineticReversed, File,           Any,     Always,               0, OnImport},
    {CmdImportTwoColumnKinetic,         File,           Any,     Always,               0, OnImport},
    {CmdExportSpectrumTable,            File,           Current, Window,               2, OnExportSpectrumTable},
    {CmdOpenProject,                    File,           Any,     Always,               3, OnOpenProject},
    {CmdSaveProject,                    File,           Any,     Window,               4, OnSaveProject},
    {CmdSaveProjectAs,                  File,           Any,     Window,               0, OnSaveProject},
    {CmdOpenAugerList,                  File,           Any,     Always,               5, OnOpenAugerList},
    {CmdPrinterSetup,                   File,           Any,     Always,               0, OnPrinterSetup},
    {CmdPrintWindow,                    File,           Current, Window,               6, OnPrintWindow},
    {CmdExportBitmap,                   File,           Current, Window,               7, OnExportBitmap},
    {CmdImportTestSpectrum,             File,           Any,     Always,               8, OnImport},
    {CmdOpenFileBlocks,                 File,           Any,     FileBlocks,           9, OnOpenFileBlocks},
    {CmdOpenDepthProfileBlocks,         File,           Any,     DepthProfile,        10, OnOpenDepthProfileBlocks},
    {CmdRevertSpectrum,                 File,           Current, Revert,              11, OnRevertSpectrum},
    {CmdExit,                           File,           Any,     Always,              12, OnExit,
                                                                                          OnToolbarExit},

    {CmdCopySpectrum,                   Processing,     Current, Spectrum,            13, OnCopySpectrum},
    {CmdPasteSpectrum,                  Processing,     Any,     Paste,               14, OnPasteSpectrum},
    {CmdCorrectEnergy,                  Processing,     Current, Spectrum,            15, OnCorrectEnergy},
    {CmdBackgroundConstant,             Processing,     Current, Always,               0, OnBackgroundConstant},
    {CmdBackgroundLinear,               Processing,     Current, Always,               0, OnBackgroundLinear},
    {CmdBackgroundShirley,              Processing,     Current, Always,               0, OnBackgroundShirley},
    {CmdBackgroundTougaard,             Processing,     Current, Always,               0, OnBackgroundTougaard},
    {CmdBackgroundPolyShirley,          Processing,     Current, Always,               0, OnBackgroundPolyShirley},
    {CmdCommitBackground,               Processing,     Current, Spectrum,            17, OnCommitBackground},
    {CmdRemoveSatellites,               Processing,     Current, Satellite,           18, OnRemoveSatellites},
    {CmdRegionFromCursors,              Processing,     Current, Spectrum,            19, OnRegionFromCursors},
    {CmdRegionFull,                     Processing,     Current, Spectrum,            20, OnRegionFull},
    {CmdDifferentiate,                  Processing,     Current, Spectrum,            21, OnDifferentiate},
    {CmdNegateSpectrum,                 Processing,     Current, Spectrum,            22, OnNegateSpectrum},
    {CmdSmooth,                         Processing,     Current, Spectrum,            23, OnSmooth},
    {CmdEditPointsByMouse,              Processing,     Any,     EditPoints,          24, OnEditPointsByMouse},
    {CmdShiftSpectrum,                  Processing,     Current, Always,               0, OnShiftSpectrum},
    {CmdScaleSpectrum,                  Processing,     Current, Always,               0, OnScaleSpectrum},
    {CmdAddWindow,                      Processing,     Current, Always,               0, OnAddWindow},
    {CmdSubtractWindow,                 Processing,     Current, Always,               0, OnSubtractWindow},
    {CmdMultiplyWindow,                 Processing,     Current, Always,               0, OnMultiplyWindow},
    {CmdDivideWindow,                   Processing,     Current, Always,               0, OnDivideWindow},
    {CmdNormaliseSpectrum,              Processing,     Current, Spectrum,            27, OnNormaliseSpectrum},

    {CmdNewFitSinglets,                 Fit,            Current, Always,               0, OnNewFitSinglets},
    {CmdNewFitDoublets,                 Fit,            Current, Always,               0, OnNewFitDoublets},
    {CmdFitFromParameterFile,           Fit,            Current, Spectrum,            29, OnFitFromParameterFile},
    {CmdEditPeakLimits,                 Fit,            Current, Spectrum,            30, OnEditPeakLimits},
    // The toolbar gives the start values as an action of its own, with the
    // same steps.
    {CmdEditStartValues,                Fit,            Current, Spectrum,            31, OnEditStartValues,
                                                                                          OnEditStartValues},
    {CmdEditFitBackground,              Fit,            Current, FitBackground,       32, OnEditFitBackground},
    {CmdRunFit,                         Fit,            Current, Spectrum,            33, OnRunFit},
    {CmdEstimateErrors,                 Fit,            Current, ErrorEstimate,       34, OnEstimateErrors},
    {CmdExportErrorMatrix,              Fit,            Current, ErrorMatrix,         35, OnExportErrorMatrix},

    {CmdCorrectEnergyAll,               Series,         Any,     Spectrum,            36, OnCorrectEnergyAll},
    {CmdRevertAllWindows,               Series,         Any,     Spectrum,            37, OnRevertAllWindows},
    {CmdExportAllSpectra,               Series,         Any,     Spectrum,            38, OnExportAllSpectra},
    {CmdPrintFitReport,                 Series,         Any,     Spectrum,            39, OnPrintFitReport},
    {CmdExportFitTable,                 Series,         Any,     Spectrum,            40, OnExportFitTable},
    {CmdPrintFitErrorReport,            Series,         Any,     Spectrum,            41, OnPrintFitErrorReport},
    {CmdExportFitErrorTable,            Series,         Any,     Spectrum,            42, OnExportFitErrorTable},
    // The series and the views of the toolbar neither tile the windows nor
    // end with the menu state.
    {CmdProcessSeries,                  Series,         Current, Spectrum,            43, OnProcessSeries,
                                                                                          OnToolbarSeries},
    {CmdStackedView,                    Series,         Any,     Spectrum,            44, OnStackedView,
                                                                                          OnToolbarStackedView},
    {CmdWaterfallView,                  Series,         Any,     Spectrum,            45, OnWaterfallView,
                                                                                          OnToolbarWaterfallView},
    {CmdMirroredWaterfallView,          Series,         Any,     Spectrum,            46, OnMirroredWaterfallView,
                                                                                          OnToolbarMirroredWaterfallView},
    {CmdColourMapView,                  Series,         Any,     Spectrum,            47, OnColourMapView,
                                                                                          OnToolbarColourMapView},

    {CmdQuantify,                       Quantification, Any,     Spectrum,            48, OnQuantify},
    // The button is grayed with the spectrum commands beside it.
    {CmdLoadSensitivityFactors,         Quantification, Any,     Always,              49, OnLoadSensitivityFactors,
                                                                                          nullptr, Spectrum},
    {CmdLoadTransmissionParameters,     Quantification, Any,     Always,               0, OnLoadTransmissionParameters},

    {CmdShowDescription,                Information,    Current, Spectrum,            50, OnInformationBox},
    {CmdShowAcquisition,                Information,    Current, Spectrum,            51, OnInformationBox},
    {CmdShowEnergyCorrection,           Information,    Current, Spectrum,            52, OnInformationBox},
    {CmdShowExtremes,                   Information,    Current, Spectrum,            53, OnInformationBox},
    {CmdShowSourceFile,                 Information,    Current, Spectrum,            54, OnInformationBox},
    {CmdIdentifyLines,                  Information,    Current, Spectrum,            55, OnIdentifyLines},
    {CmdEditLinePositions,              Information,    Any,     Always,              56, OnEditElementTable},
    {CmdShowLineIdentification,         Information,    Current, LineIdentification,  57, OnShowLineIdentification},
    {CmdEditAugerParameters,            Information,    Any,     Always,              58, OnEditElementTable},
    {CmdEditSensitivityFactors,         Information,    Any,     Always,              59, OnEditElementTable},
    {CmdEditDoublets,                   Information,    Any,     Always,              60, OnEditElementTable},

    {CmdEditTitleLabels,                Labels,         Current, Window,              61, OnWindowTexts},
    {CmdEditAnnotations,                Labels,         Current, Window,              62, OnEditAnnotations},
    {CmdEditEnergyAxis,                 Labels,         Current, EnergyAxis,          63, OnWindowTexts},
    {CmdEditIntensityAxis,              Labels,         Current, IntensityAxis,       64, OnWindowTexts},
    {CmdEditMemberAxis,                 Labels,         Current, Members,             65, OnWindowTexts},
    {CmdEditMemberLabels,               Labels,         Current, Members,             66, OnWindowTexts},

    {CmdTransmissionGold,               Transmission,   Current, Window,               0, OnTransmissionReference},
    {CmdTransmissionSilver,             Transmission,   Current, Window,               0, OnTransmissionReference},
    {CmdTransmissionCopper,             Transmission,   Current, Window,               0, OnTransmissionReference},
    {CmdEditTransmission,               Transmission,   Current, Window,               0, OnEditTransmission},
    {CmdTransmissionFromLines,          Transmission,   Any,     Always,               0, OnTransmissionFromLines},
    // Reads a parameter file as a spectrum: an import of the File menu.
    {CmdImportTransmissionFunction,     Transmission,   Any,     Always,               0, OnImport},

    {CmdLoadPresetting,                 Options,        Any,     Presetting,           0, OnLoadPresetting},
    {CmdSavePresetting,                 Options,        Any,     Always,               0, OnSavePresetting},
    {CmdToggleToolbar,                  Options,        Any,     Always,               0, OnToggleToolbar},
    {CmdCustomiseToolbar,               Options,        Any,     Presetting,           0, OnOptionList},
    {CmdDialogFont,                     Options,        Any,     PresettingWhenBuilt,  0, OnDialogFont},
    {CmdLanguageGerman,                 Options,        Any,     Always,               0, OnLanguageGerman},
    {CmdLanguageEnglish,                Options,        Any,     Always,               0, OnLanguageEnglish},
    // The third language has no menu item.
    {CmdLanguageSpanish,                Options,        Any,     Always,               0, OnLanguageSpanish},
    {CmdDecimalPoint,                   Options,        Any,     Always,               0, OnDecimalPoint},
    {CmdDecimalComma,                   Options,        Any,     Always,               0, OnDecimalComma},
    {CmdSeparatorSemicolon,             Options,        Any,     Always,               0, OnSeparatorSemicolon},
    {CmdSeparatorComma,                 Options,        Any,     Always,               0, OnSeparatorComma},
    {CmdSeparatorTab,                   Options,        Any,     Always,               0, OnSeparatorTab},
    {CmdSeparatorBlank,                 Options,        Any,     Always,               0, OnSeparatorBlank},
    {CmdAveragingPoints,                Options,        Any,     Always,               0, OnOptionList},
    {CmdBindingEnergyScale,             Options,        Any,     Always,               0, OnBindingEnergyScale},
    {CmdKineticEnergyScale,             Options,        Any,     Always,               0, OnKineticEnergyScale},
    {CmdCountsUnit,                     Options,        Any,     Always,               0, OnCountsUnit},
    {CmdCpsUnit,                        Options,        Any,     Always,               0, OnCpsUnit},
    {CmdScreenLineStyles,               Options,        Any,     Always,               0, OnScreenLineStyles},
    {CmdScreenFonts,                    Options,        Any,     Always,               0, OnScreenFonts},
    {CmdPrinterLineStyles,              Options,        Any,     Always,               0, OnPrinterLineStyles},
    {CmdPrinterFonts,                   Options,        Any,     Always,               0, OnPrinterFonts},
    {CmdAlSatellites,                   Options,        Any,     Always,               0, OnAlSatellites},
    {CmdMgSatellites,                   Options,        Any,     Always,               0, OnMgSatellites},
    {CmdDefaultGaussLorentz,            Options,        Any,     Always,               0, OnDefaultGaussLorentz},
    {CmdDefaultDoniachSunjic,           Options,        Any,     Always,               0, OnDefaultDoniachSunjic},
    {CmdDefaultIndependentPeaks,        Options,        Any,     Always,               0, OnDefaultIndependentPeaks},
    {CmdDefaultRelativePeaks,           Options,        Any,     Always,               0, OnDefaultRelativePeaks},
    {CmdDefaultErrorsProfile,           Options,        Any,     Always,               0, OnDefaultErrorsProfile},
    {CmdDefaultErrorsHessian,           Options,        Any,     Always,               0, OnDefaultErrorsHessian},
    {CmdDefaultErrorsAbsolute,          Options,        Any,     Always,               0, OnDefaultErrorsAbsolute},
    {CmdDefaultErrorsPercent,           Options,        Any,     Always,               0, OnDefaultErrorsPercent},

    {CmdArrangeWindowsA,                Windows,        Any,     Window,              67, OnArrangeWindowsA},
    {CmdArrangeWindowsB,                Windows,        Any,     Window,              68, OnArrangeWindowsB},
    {CmdCloseAllWindows,                Windows,        Any,     Window,              69, OnCloseAllWindows},

    {CmdAbout,                          Help,           Any,     Always,               0, OnAbout},

    // Toolbar actions without a menu item: reading the format read last
    // again, and repeating the last choice of a popup.
    {0,                                 File,           Any,     Always,               1, OnReadLastFormatAgain},
    {0,                                 Processing,     Current, Spectrum,            16, OnRepeatLastBackground},
    {0,                                 Processing,     Current, Spectrum,            25, OnRepeatLastScaling},
    {0,                                 Processing,     Current, Spectrum,            26, OnRepeatLastArithmetic},
    {0,                                 Fit,            Current, Spectrum,            28, OnNewFitOfLastType},
};
// clang-format on

// The rows of the toolbar actions, by action.
const std::array<const CommandRow*, kToolbarActionCount + 1>& RowsByAction() {
  static const auto rows = [] {
    std::array<const CommandRow*, kToolbarActionCount + 1> byAction{};
    for (const CommandRow& row : kRows)
      if (row.toolbarAction >= 1 && row.toolbarAction <= kToolbarActionCount) byAction[row.toolbarAction] = &row;
    return byAction;
  }();
  return rows;
}

}  // namespace

std::span<const CommandRow> CommandTable() { return kRows; }

const CommandRow* RowOfCommand(int command) {
  if (command == 0) return nullptr;
  for (const CommandRow& row : kRows)
    if (row.command == command) return &row;
  return nullptr;
}

const CommandRow* RowOfToolbarAction(int a) {
  if (a < 1 || a > kToolbarActionCount) return nullptr;
  return RowsByAction()[a];
}

CommandGroup GroupOfCommand(int command) {
  const CommandRow* row = RowOfCommand(command);
  return row != nullptr ? row->group : CommandGroup::None;
}

bool ActsOnCurrentWindow(int command) {
  const CommandRow* row = RowOfCommand(command);
  return row != nullptr && row->actsOnCurrentWindow;
}

Enabling ItemEnabling(int command) {
  const CommandRow* row = RowOfCommand(command);
  return row != nullptr ? row->enabling : Enabling::Always;
}

Enabling ButtonEnabling(int a) {
  const CommandRow* row = RowOfToolbarAction(a);
  if (row == nullptr) return Enabling::Always;
  return row->buttonEnabling == Enabling::LikeItem ? row->enabling : row->buttonEnabling;
}

bool RunsItsMenuCommand(int a) {
  const CommandRow* row = RowOfToolbarAction(a);
  return row != nullptr && row->command != 0 && row->runFromToolbar == nullptr;
}

}  // namespace sorvan
