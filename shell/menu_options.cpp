// The Options menu (see shell/menu_options.h). Option groups check their own
// item and uncheck the others, keep the marks in the check flags (so that a rebuilt
// bar shows them) and change the setting; as a rule nothing at all happens
// when the setting already has the chosen value.
#include "shell/menu_options.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "core/file_dialogs.h"
#include "core/language.h"
#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/number_text.h"
#include "core/paramset.h"
#include "core/presetting.h"
#include "dialogs/option_list_page.h"
#include "dialogs/style_pages.h"
#include "display/switches.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/toolbar.h"
#include "processing/satellite_removal.h"
#include "shell/commands.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"
#include "dialogs/pickers.h"
#include "shell/toolbar.h"

namespace sorvan {
namespace {

// Procedures of the display and of the dialog pages that these commands
// call.
void SwitchEnergyScaleOfWindows() { SwitchEnergyScale(); }
void SwitchIntensityUnitOfWindows(int cps) { SwitchIntensityUnit(cps); }
void SwitchMultiSpectrumIntensityUnitOfWindows(int cps) { SwitchMultiSpectrumIntensityUnit(cps); }
void RefreshWindowTextsForLanguage() { RefreshWindowsForLanguage(); }
void OpenOptionListPage(int mode) { ShowOptionListPage(mode); }
void OpenLineStylePage(double styleClass, const std::string& caption) {
  ShowLineStylePage(styleClass, caption);
}
void OpenTextStylePage(const std::string& caption) { ShowTextStylePage(caption); }

// Marks `chosen` (8) and the rest of `items` (0) in `popup`.
void MarkGroup(MenuPopup popup, std::initializer_list<int> items, int chosen) {
  for (int c : items) SetOptionMark(popup, c, c == chosen ? kItemChecked : 0);
}

// Every window that is not open, in rising order.
template <typename Action>
void ForEachClosedWindow(Action action) {
  for (int w = 1; w <= kMaxWindows; ++w)
    if (!Win[w].WindowOpen) action(w);
}

void EnergyScale(int mode) {
  if (G.EnergyAxisMode != 1 - mode) return;
  G.EnergyAxisMode = static_cast<Byte>(mode);
  SwitchEnergyScaleOfWindows();
  MarkGroup(PopupEnergyScale, {CmdBindingEnergyScale, CmdKineticEnergyScale},
            mode == 0 ? CmdBindingEnergyScale : CmdKineticEnergyScale);
}

void IntensityUnit(int cps) {
  if (G.CpsMode != 1 - cps) return;
  G.CpsMode = static_cast<Byte>(cps);
  SwitchIntensityUnitOfWindows(G.CpsMode);
  SwitchMultiSpectrumIntensityUnitOfWindows(G.CpsMode);
  MarkGroup(PopupIntensityUnit, {CmdCountsUnit, CmdCpsUnit}, cps == 0 ? CmdCountsUnit : CmdCpsUnit);
}

void DecimalSign(int comma) {
  if (comma == 0) {
    if (G.DecimalComma == 0) return;
  } else if (G.DecimalComma == 1 || G.ColumnSeparator == ",") {
    return;  // a comma cannot be both the decimal sign and the separator
  }
  MarkGroup(PopupDecimalSign, {CmdDecimalPoint, CmdDecimalComma},
            comma == 0 ? CmdDecimalPoint : CmdDecimalComma);
  G.DecimalComma = static_cast<Byte>(comma);
}

void ColumnSeparator(int command, const std::string& separator) {
  if (command == CmdSeparatorComma && G.DecimalComma == 1) return;
  MarkGroup(PopupColumnSeparator,
            {CmdSeparatorSemicolon, CmdSeparatorComma, CmdSeparatorTab, CmdSeparatorBlank}, command);
  G.ColumnSeparator = separator;
  G.SeparatorChar = separator.empty() ? 0 : static_cast<Byte>(separator[0]);
}

void DefaultPeakModel(int model) {
  if (G.DefaultPeakModel == model) return;
  MarkGroup(PopupDefaultPeakModel, {CmdDefaultGaussLorentz, CmdDefaultDoniachSunjic},
            model == 0 ? CmdDefaultGaussLorentz : CmdDefaultDoniachSunjic);
  G.DefaultPeakModel = static_cast<Byte>(model);
  const std::string path = model == 0 ? G.ParameterSet1Path : G.ParameterSet2Path;
  ForEachClosedWindow([&](int w) {
    Win[w].PeakModel = static_cast<Byte>(model);
    ReadParameterSet(w, path);
  });
}

void DefaultRelativeMode(int mode) {
  if (G.DefaultRelativeMode == mode) return;
  MarkGroup(PopupDefaultPeakRelation, {CmdDefaultIndependentPeaks, CmdDefaultRelativePeaks},
            mode == 0 ? CmdDefaultIndependentPeaks : CmdDefaultRelativePeaks);
  G.DefaultRelativeMode = static_cast<Byte>(mode);
  ForEachClosedWindow([&](int w) { Win[w].RelativeMode = static_cast<Byte>(mode); });
}

void DefaultErrorsInPercent(int percent) {
  if (G.DefaultErrorsInPercent == percent) return;
  MarkGroup(PopupDefaultErrorDisplay, {CmdDefaultErrorsAbsolute, CmdDefaultErrorsPercent},
            percent == 0 ? CmdDefaultErrorsAbsolute : CmdDefaultErrorsPercent);
  G.DefaultErrorsInPercent = static_cast<Byte>(percent);
  ForEachClosedWindow([&](int w) { Win[w].ErrorsInPercent = static_cast<Byte>(percent); });
}

void DefaultErrorMethod(int method) {
  if (G.DefaultErrorMethod == method) return;
  MarkGroup(PopupDefaultErrorMethod, {CmdDefaultErrorsProfile, CmdDefaultErrorsHessian},
            method == 0 ? CmdDefaultErrorsProfile : CmdDefaultErrorsHessian);
  G.DefaultErrorMethod = static_cast<Byte>(method);
  ForEachClosedWindow([&](int w) { Win[w].ErrorMethod = static_cast<Byte>(method); });
}

// The axis titles of every window in the current language, energy scale and
// intensity unit.
void SetAxisTitles(bool transmissionTitles) {
  for (int w = 1; w <= kMaxWindows; ++w) {
    WindowRecord& win = Win[w];
    win.XAxisTitle = G.EnergyAxisMode == 1 ? G.KineticEnergyTitle : G.BindingEnergyTitle;
    win.YAxisTitle = G.CpsMode == 1 ? G.CpsTitle : G.CountsTitle;
    if (transmissionTitles) {
      if (win.ImportFormat == TransmissionParameterSpectrum) win.YAxisTitle = G.LabelTexts[130];
      win.MemberAxisTitle = G.LabelTexts[150];
    }
  }
}

// The language texts that the program stores as names and later compares:
// the background kinds, the scale and arithmetic operations, the peak types.
struct StoredNameTexts {
  std::vector<std::string> texts;
};
StoredNameTexts CaptureStoredNameTexts() {
  StoredNameTexts names;
  for (int i : {1, 2, 3, 4, 5, 17, 19, 21, 22, 23, 24, 47, 52}) names.texts.push_back(G.MessageTexts[i]);
  names.texts.push_back(G.LabelTexts[214]);
  return names;
}

// Carries a stored name from the old language's wording to the new one, so
// that commands comparing it with the language texts keep their mode.
void CarryOver(std::string& name, const StoredNameTexts& before, const StoredNameTexts& after) {
  if (name.empty()) return;
  for (size_t i = 0; i < before.texts.size(); ++i) {
    if (name == before.texts[i]) {
      name = after.texts[i];
      return;
    }
  }
}

void CarryOverStoredNames(const StoredNameTexts& before) {
  const StoredNameTexts after = CaptureStoredNameTexts();
  CarryOver(G.BackgroundName, before, after);
  CarryOver(G.ScaleOperationName, before, after);
  CarryOver(G.ArithmeticOperationName, before, after);
  CarryOver(G.FitTypeName, before, after);
  for (int w = 0; w <= kMaxWindows; ++w) CarryOver(Win[w].PeakType, before, after);
}

// A settings file that could not be read or written completely: message 8,
// worded for any file.
void ShowFileMessage() {
  G.CommandId = 8;
  ShowMessage(G.CommandId, G.CurrentWindow);
}

// Reads the language file; a missing or short file keeps the texts read so
// far, and the user is told.
void ReadLanguageTexts() {
  try {
    ReadLanguageFile();
  } catch (const plat::FileError&) {
    ShowFileMessage();
  }
}

// Reads the language file again, keeping the stored names in step.
void ReadLanguageKeepingNames() {
  const StoredNameTexts before = CaptureStoredNameTexts();
  ReadLanguageTexts();
  CarryOverStoredNames(before);
}

void LoadPresetting() {
  const std::string path =
      ChooseFileToOpen({G.CaptionTexts[18], "*.set", G.CaptionTexts[14], "*.*"}, "*.set", "set",
                       G.ProgramFolder + "\\presetting", G.MessageTexts[124]);
  const int cps = G.CpsMode;
  const int energy = G.EnergyAxisMode;
  const StoredNameTexts before = CaptureStoredNameTexts();
  if (!path.empty()) {
    G.PresettingFilePath = path;
    // A short file keeps what it has; the menus, toolbar and titles are
    // rebuilt from the settings all the same.
    try {
      ReadPresetting(ApplyPresettingToScreen);
    } catch (const plat::FileError&) {
      ShowFileMessage();
    }
    SyncOptionChecks();
  }
  if (G.CpsMode != cps) SwitchIntensityUnitOfWindows(G.CpsMode);
  if (G.EnergyAxisMode != energy) SwitchEnergyScaleOfWindows();
  if (G.DefaultExcitationEnergy == 0) G.DefaultExcitationEnergy = 1486.6;
  ReadLanguageTexts();
  CarryOverStoredNames(before);
  DestroyMenuBar();
  SetAxisTitles(false);
  BuildMenuBar();
  BuildToolbarActionTexts();
  BuildToolbar();
  FollowToolbarVisibility();
}

void SavePresetting() {
  const std::string path =
      ChooseFileToSave({G.CaptionTexts[18], "*.SET", G.CaptionTexts[14], "*.*"}, "*.SET", "SET",
                       G.ProgramFolder + "\\presetting", G.MessageTexts[125]);
  if (path.empty()) return;
  G.PresettingFilePath = path;
  try {
    WritePresetting();
  } catch (const plat::FileError& e) {
    ShowFileNotWrittenMessage(e);
  }
}

void ToggleToolbar() {
  if (G.ToolbarCheckFlag == 0) {
    SetOptionMark(PopupOptions, CmdToggleToolbar, kItemChecked);
    plat::ShowToolbar(true);
    G.ToolbarVisible = 1;
    G.ToolbarHeight = static_cast<Int16>(plat::ToolbarHeight());
    G.WorkAreaHeight = static_cast<Int16>(G.WorkAreaHeight - G.ToolbarHeight);
  } else {
    SetOptionMark(PopupOptions, CmdToggleToolbar, 0);
    plat::ShowToolbar(false);
    G.ToolbarVisible = 0;
    G.WorkAreaHeight = static_cast<Int16>(G.WorkAreaHeight + plat::ToolbarHeight());
  }
  plat::ArrangeCascade();
}

}  // namespace

void ChooseLanguage(int slot) {
  if (G.LanguageIndex == slot) return;
  G.LanguageIndex = static_cast<Byte>(slot);
  ReadLanguageKeepingNames();
  SetAxisTitles(true);
  BuildToolbarActionTexts();
  BuildToolbar();
  DestroyMenuBar();
  BuildMenuBar();
  RefreshWindowTextsForLanguage();
  MarkGroup(PopupLanguage, {CmdLanguageGerman, CmdLanguageEnglish, CmdLanguageSpanish},
            CmdLanguageGerman + slot);
}

void OnBindingEnergyScale(int) { EnergyScale(0); }
void OnKineticEnergyScale(int) { EnergyScale(1); }
void OnCountsUnit(int) { IntensityUnit(0); }
void OnCpsUnit(int) { IntensityUnit(1); }
void OnDecimalPoint(int) { DecimalSign(0); }
void OnDecimalComma(int) { DecimalSign(1); }
void OnSeparatorSemicolon(int command) { ColumnSeparator(command, ";"); }
void OnSeparatorComma(int command) { ColumnSeparator(command, ","); }
void OnSeparatorTab(int command) { ColumnSeparator(command, "\t"); }
void OnSeparatorBlank(int command) { ColumnSeparator(command, " "); }
void OnDefaultGaussLorentz(int) { DefaultPeakModel(0); }
void OnDefaultDoniachSunjic(int) { DefaultPeakModel(1); }
void OnDefaultIndependentPeaks(int) { DefaultRelativeMode(0); }
void OnDefaultRelativePeaks(int) { DefaultRelativeMode(1); }
void OnDefaultErrorsAbsolute(int) { DefaultErrorsInPercent(0); }
void OnDefaultErrorsPercent(int) { DefaultErrorsInPercent(1); }
void OnDefaultErrorsProfile(int) { DefaultErrorMethod(0); }
void OnDefaultErrorsHessian(int) { DefaultErrorMethod(1); }
void OnLanguageGerman(int) { ChooseLanguage(0); }
void OnLanguageEnglish(int) { ChooseLanguage(1); }
void OnLanguageSpanish(int) { ChooseLanguage(2); }
void OnLoadPresetting(int) { LoadPresetting(); }
void OnSavePresetting(int) { SavePresetting(); }

void OnOptionList(int command) {
  G.CommandId = static_cast<Int16>(command);
  OpenOptionListPage(command);
}

void OnDialogFont(int) {
  G.CommandId = CmdDialogFont;
  PickFont();
}

void OnScreenLineStyles(int) {
  G.CommandId = CmdScreenLineStyles;
  OpenLineStylePage(G.StyleClassIndex, G.LabelTexts[85]);
}

void OnPrinterLineStyles(int) {
  G.CommandId = CmdPrinterLineStyles;
  OpenLineStylePage(G.StyleClassIndex, G.LabelTexts[210]);
}

void OnScreenFonts(int) {
  G.CommandId = CmdScreenFonts;
  OpenTextStylePage(G.LabelTexts[178]);
}

void OnPrinterFonts(int) {
  G.CommandId = CmdPrinterFonts;
  OpenTextStylePage(G.LabelTexts[211]);
}

// CommandId carries the preset to the page: 0 aluminium, 1 magnesium.
void OnAlSatellites(int) {
  G.CommandId = 0;
  ShowSatellitePresetPage(G.CommandId);
}

void OnMgSatellites(int) {
  G.CommandId = 1;
  ShowSatellitePresetPage(G.CommandId);
}

void OnToggleToolbar(int) { ToggleToolbar(); }

}  // namespace sorvan
