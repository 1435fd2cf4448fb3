// The option, window and help commands: presettings, fonts, line styles,
// satellite presets, toolbar, language, export number format, energy scale
// and intensity unit, the defaults of closed windows, window arrangement,
// closing all windows and the about box.
#pragma once

namespace sorvan {

// Runs option, window or help command `command` (see shell/commands.h).
void RunOptionCommand(int command);

// The language commands: chooses language slot 0..4, reads the language
// file again and renames menus, toolbar and axis titles. Names stored as
// language texts (the last background, scale and arithmetic operation, fit
// type, every window's peak type) are carried over into the new language.
// Nothing happens when the slot is already chosen.
void ChooseLanguage(int slot);

}  // namespace sorvan
