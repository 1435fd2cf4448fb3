// Start-up, event loop and shutdown. Start-up runs in a fixed order: the
// presetting chooses the language, the language texts name the menus and the
// toolbar, and the window defaults take the presetting's values, so each step
// needs the ones before it.
#include "shell/startup.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/events.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/presetting.h"
#include "core/program_exit.h"
#include "core/reference_files.h"
#include "core/settings_paths.h"
#include "core/store.h"
#include "platform/app.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/toolbar.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"
#include "dialogs/pickers.h"
#include "shell/toolbar.h"

namespace sorvan {

namespace {

// The text whose mean character width gives the width of the dialog cell.
constexpr const char* kCellSample = "ABC DFG HIJ WMHGfg";

// The files start-up could not read (completely), in the order met.
std::vector<std::string> g_unreadFiles;

void NoteUnread(const std::string& path) {
  if (std::find(g_unreadFiles.begin(), g_unreadFiles.end(), path) == g_unreadFiles.end())
    g_unreadFiles.push_back(path);
}

// Runs one start-up reader. The readers throw plat::FileError, naming the
// file, when it is missing or ends before they are done; the file is noted
// for the message after start-up, what the reader stored stays and the rest
// keeps its cleared or default value.
template <typename Reader>
void ReadAtStartup(const std::string& path, Reader reader) {
  try {
    reader();
  } catch (const plat::FileError& e) {
    NoteUnread(e.path().empty() ? path : e.path());
    plat::CloseAll();  // a reader that stopped half-way leaves its channel open
  }
}

int Rounded(double v) { return static_cast<int>(plat::RoundHalfEven(v)); }

// Menu command numbers, menu flags and the menu bar, from the language texts.
void BuildMenus() {
  InitMenuCommandIds();
  InitMenuItemFlags();
  BuildMenuBar();
}

// Option check marks, toolbar texts and the toolbar.
void BuildToolbarAtStartup() {
  SyncOptionChecks();
  BuildToolbarActionTexts();
  BuildToolbar();
}

// PrepareProgram, and PrepareFirstStart with `freshProcess` set.
bool Prepare(bool freshProcess) {
  ResetExitState();
  g_unreadFiles.clear();
  BuildEventRegistry();

  // Steps 1-2: the fixed numbers and every table of the data model, cleared
  // (at the first start of a process they still are, as constructed).
  if (freshProcess)
    InitialiseFreshModel();
  else
    InitialiseModel();

  // Step 3: the program folder. Without it no settings file can be found.
  try {
    ReadStartupFile();
  } catch (const plat::FileError&) {
    plat::CloseAll();
    ShowStartupFileMessage(plat::ShownPath(G.IniFilePath));
    return false;
  }

  // Step 4: the main window over the whole screen.
  plat::OpenMainWindow("");
  G.ScreenHeight = plat::ScreenHeight();

  // Steps 6-8: the presetting chooses the language; the language file names
  // everything that follows.
  SetPresettingPath();
  ReadAtStartup(G.PresettingFilePath, [] { ReadPresetting(ApplyPresettingToScreen); });
  SetLanguagePaths();
  ReadAtStartup(G.LanguageFilePath, [] { ReadLanguageFile(); });
  // Without a language file the window still carries the program's name.
  plat::SetCaption(kMainWindowNumber, G.CaptionTexts[1].empty() ? std::string("Sorvan") : G.CaptionTexts[1]);

  // Steps 9-11: region names, satellite table, menus.
  ReadAtStartup(G.PhiNamesFilePath, [] { ReadRegionNameTable(); });
  SetParameterSetAndSatellitePaths();
  ReadAtStartup(G.SatelliteFilePath, [] { ReadSatelliteFile(); });
  BuildMenus();

  // Step 12: the reference tables named by the presetting. A name the
  // presetting left empty names no file: the table stays empty.
  SetReferenceTablePaths();
  if (!G.SensitivityFilePath.empty())
    ReadAtStartup(G.SensitivityFilePath, [] { ReadSensitivityFactors(); });
  if (!G.TransmissionFilePath.empty())
    ReadAtStartup(G.TransmissionFilePath, [] { ReadTransmissionParameters(); });

  // Step 13: doublets and line positions.
  SetElementTablePaths();
  ReadAtStartup(G.DoubletFilePath, [] { ReadDoubletTable(); });
  ReadAtStartup(G.LinesFolder + "\\linienlage.pos", [] { ReadLinePositions(); });

  // Step 14: the room for spectrum windows, measured once the main window
  // has laid out its new menu bar.
  plat::DoEvents();
  G.ScreenWidth = static_cast<std::int16_t>(plat::ScreenWidth());
  G.WorkAreaHeight = static_cast<std::int16_t>(Rounded(0.999 * plat::ScreenHeight()));

  // Step 15: global start-up values (the excitation energy becomes the
  // aluminium line when the presetting left it 0).
  ApplyGlobalStartupValues();

  // Steps 16-17: every window's start-up values from the defaults just read,
  // and the imported spectrum 1 ("Test") that pages show before the first
  // import.
  ApplyWindowStartupValues();

  // Steps 18-19: the toolbar, and the room it takes from the spectrum windows.
  BuildToolbarAtStartup();
  plat::DoEvents();
  if (G.ToolbarVisible == 1) {
    const double toolbar = plat::ToolbarHeight();
    G.ToolbarHeight = static_cast<std::int16_t>(Rounded(toolbar));
    G.WorkAreaHeight = static_cast<std::int16_t>(Rounded(G.WorkAreaHeight - toolbar));
  }

  // Step 20: the character cell of the dialog pages in the main form's font.
  G.CharWidth = static_cast<std::int16_t>(Rounded(plat::MainFontTextWidth(kCellSample) / 18.0));
  G.CharHeight = static_cast<std::int16_t>(Rounded(1.1 * plat::MainFontTextHeight(kCellSample)));

  // The files that could not be read, now that the language is known.
  if (!g_unreadFiles.empty()) {
    std::vector<std::string> shown;
    for (const std::string& p : g_unreadFiles) shown.push_back(plat::ShownPath(p));
    ShowUnreadFilesMessage(shown);
  }
  return true;
}

}  // namespace

bool PrepareProgram() { return Prepare(false); }

bool PrepareFirstStart() { return Prepare(true); }

void RunEventLoop() { plat::RunMessageLoop(); }

int StartProgram(int& argc, char** argv) {
  plat::InitApplication(argc, argv);
  if (!PrepareFirstStart()) return 1;
  RunEventLoop();
  return 0;
}

}  // namespace sorvan
