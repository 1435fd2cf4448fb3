// Numbered messages and information boxes, with their words from the language
// file. The answers of the questions go to G.MessageAnswer and
// G.InfoBoxAnswer (1 OK, 2 Cancel).
#pragma once
#include <string>
#include <vector>

#include "core/menu_commands.h"

namespace plat {
class FileError;
}

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
// A file the program had to write could not be written: message 2 naming
// the file, in the words of what failed (no room on the disk, a
// write-protected disk or folder, anything else); the old file is as it was.
void ShowFileNotWrittenMessage(const plat::FileError& error);
// A file held more regions than one import can place: `leftOut` of its
// `inFile` regions were not read. Worded in the language of `LanguageIndex`.
void ShowRegionsLeftOutMessage(int leftOut, int inFile);
// Regions of a file that could not be read were left out and the others
// read: message 3 for window w, the line "These regions of the file were
// left out:" (CaptionTexts 17) and one line per region as `regions` names
// them (at most 20, then "..."). CommandId becomes 3.
void ShowRegionsNotReadMessage(int window, const std::vector<std::string>& regions);
// A step that failed, with the line that says what failed (`detail`, may be
// empty): message `code` shows at once with the detail below it, except in
// the automatic steps (BatchMode 1) of a run that collects its failures
// (RunFailureCollector): there nothing is shown, the first failure is kept
// (G.RunFailureCode, G.RunFailureDetail) and the run ends at it.
void ShowStepFailure(int code, int window, const std::string& detail);
// What made a fit fail, as the detail line of its message says it.
enum class FitFailure { Singular, TooFewPoints, RegionOutside };
std::string FitFailureText(FitFailure what);
// The step of a profile error analysis that refits with entry `entry` held.
std::string ProfileStepText(int entry);
// Held by a batch run (a series, a profile error analysis) for as long as it
// runs: it starts with no failure kept and collects the failures of its
// automatic steps.
class RunFailureCollector {
 public:
  RunFailureCollector();
  ~RunFailureCollector();
  RunFailureCollector(const RunFailureCollector&) = delete;
  RunFailureCollector& operator=(const RunFailureCollector&) = delete;

 private:
  unsigned char previous_;
};
// True while a failure of the current batch run is kept.
bool RunFailed();
void ClearRunFailure();
// The kept failure shown once: its message, the line "The run stopped at
// this step:" (MessageTexts 128) with `step`, and the detail; then cleared.
void ReportRunFailure(int window, const std::string& step);
// The caption of a window while its fit iterates.
std::string IterationCaption(double iteration);

// The start-up file that names the program folder could not be read: the box
// names it and says that the program ends. Shown before any language is known,
// so it is in English.
void ShowStartupFileMessage(const std::string& path);

}  // namespace sorvan
