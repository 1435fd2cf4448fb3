// The Options menu: presettings, the toolbar, the dialog font, the language,
// the export number format, the averaging points, the energy scale and the
// intensity unit, line styles and fonts of screen and printer, the satellite
// presets and the defaults of closed windows. The rows of these commands are
// in shell/command_table.cpp.
#pragma once

namespace sorvan {

void OnLoadPresetting(int command);
void OnSavePresetting(int command);
void OnToggleToolbar(int command);
// The averaging points and the toolbar's actions: the option list page
// (dialogs/option_list_page.h) in the mode of `command`.
void OnOptionList(int command);
void OnDialogFont(int command);
void OnLanguageGerman(int command);
void OnLanguageEnglish(int command);
void OnLanguageSpanish(int command);
void OnDecimalPoint(int command);
void OnDecimalComma(int command);
void OnSeparatorSemicolon(int command);
void OnSeparatorComma(int command);
void OnSeparatorTab(int command);
void OnSeparatorBlank(int command);
void OnBindingEnergyScale(int command);
void OnKineticEnergyScale(int command);
void OnCountsUnit(int command);
void OnCpsUnit(int command);
void OnScreenLineStyles(int command);
void OnScreenFonts(int command);
void OnPrinterLineStyles(int command);
void OnPrinterFonts(int command);
void OnAlSatellites(int command);
void OnMgSatellites(int command);
void OnDefaultGaussLorentz(int command);
void OnDefaultDoniachSunjic(int command);
void OnDefaultIndependentPeaks(int command);
void OnDefaultRelativePeaks(int command);
void OnDefaultErrorsProfile(int command);
void OnDefaultErrorsHessian(int command);
void OnDefaultErrorsAbsolute(int command);
void OnDefaultErrorsPercent(int command);

// The language commands: chooses language slot 0..4, reads the language
// file again and renames menus, toolbar and axis titles. Names stored as
// language texts (the last background, scale and arithmetic operation, fit
// type, every window's peak type) are carried over into the new language.
// Nothing happens when the slot is already chosen.
void ChooseLanguage(int slot);

}  // namespace sorvan
