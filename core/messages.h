// Numbered messages and information boxes, with their words from the language
// file. The answers of the questions go to G.MessageAnswer and
// G.InfoBoxAnswer (1 OK, 2 Cancel).
#pragma once
#include <string>
#include <vector>

#include "core/menu_commands.h"

namespace sorvan {

// The information boxes. The facts of a window and the about box take the
// numbers of the commands that show them (CmdShowDescription ..
// CmdShowEnergyCorrection, CmdAbout); so does the exit question, asked by
// the exit commands. The question after a profile error analysis is no
// command's.
inline constexpr int kExitQuestion = CmdExit;
inline constexpr int kBetterFitQuestion = 11100;

// Shows numbered message `code` (1..10) about window `window`; other codes
// show nothing. Codes 5 and 7 ask OK/Cancel and keep the answer in
// `MessageAnswer`.
void ShowMessage(int code, int window);
// Shows information box `code`: the facts of window `window`, the about text,
// the exit question (OK ends the program through `ShutdownProgram`) or the
// question after a profile error analysis. The answers of the two questions
// go to `InfoBoxAnswer`.
void ShowInfoBox(int code, int window);

// What a box shows; `shown` is false for a code that shows nothing.
struct BoxContent {
  bool shown = false;
  std::string text;   // lines separated by character 13
  std::string title;  // empty: the platform's default title
  bool okCancel = false;
};
BoxContent ComposeMessage(int code, int window);
BoxContent ComposeInfoBox(int code, int window);

// The fixed about text in the language `languageIndex` (0 German, 1 English,
// 2 Spanish, 3 and 4 English); empty for any other index.
std::string AboutText(int languageIndex);

// A settings or reference file that start-up could not read completely: one
// box naming every such file; the program goes on with defaults for what was
// not read. Worded in the language of `LanguageIndex`.
void ShowUnreadFilesMessage(const std::vector<std::string>& paths);
// Numbered message `code` with the file it concerns (program form) named on
// a line of its own, as the user reads paths.
void ShowMessageNaming(int code, int window, const std::string& path);
// A file the program had to write could not be written (`path` in program
// form): message 2 naming the file; the old file is as it was.
void ShowFileNotWrittenMessage(const std::string& path);
// A file held more regions than one import can place: `leftOut` of its
// `inFile` regions were not read. Worded in the language of `LanguageIndex`.
void ShowRegionsLeftOutMessage(int leftOut, int inFile);
// The start-up file that names the program folder could not be read: the box
// names it and says that the program ends. Shown before any language is known,
// so it is in English.
void ShowStartupFileMessage(const std::string& path);

}  // namespace sorvan
