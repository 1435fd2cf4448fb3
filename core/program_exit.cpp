// The ways the user ends the program (the exit command, the toolbar's exit
// button, closing the main window), each asking the exit question, and the
// shutdown once it is answered OK.
#include "core/program_exit.h"

#include "core/messages.h"
#include "core/model.h"
#include "core/presetting.h"
#include "core/reference_files.h"
#include "core/settings_paths.h"
#include "core/store.h"
#include "platform/app.h"
#include "platform/files.h"
#include "platform/loop.h"

namespace sorvan {

namespace {

// Set while ShutdownProgram closes the main window, so that its close event
// does not ask the exit question a second time.
bool g_shuttingDown = false;
// Set by the exit paths that do not write the satellite table before the
// question; ShutdownProgram writes it once the exit is confirmed, so that
// edits of the satellite presets are not lost.
bool g_satelliteTablePending = false;

// Writes one file before the exit question. A failure is told, and the
// question is still asked: the user must always be able to end the program.
template <typename Writer>
void WriteBeforeExit(Writer writer) {
  try {
    writer();
  } catch (const plat::FileError& e) {
    plat::CloseAll();
    ShowFileNotWrittenMessage(e);
  }
}

void AskExitQuestion() {
  G.CommandId = kExitQuestion;
  ShowInfoBox(G.CommandId, G.CurrentWindow);
}

}  // namespace

void ResetExitState() {
  g_shuttingDown = false;
  g_satelliteTablePending = false;
}

void ShutdownProgram() {
  g_shuttingDown = true;
  if (g_satelliteTablePending) {
    g_satelliteTablePending = false;
    try {
      WriteSatelliteFile();
    } catch (const plat::FileError&) {
      // The program ends anyway; nothing is left to tell the user with.
      plat::CloseAll();
    }
  }
  plat::DestroyAllWindows();
  ClearSpectrumStore();
  plat::EndProgram();
}

void RunExitCommand() {
  SetPresettingPath();
  WriteBeforeExit([] { WritePresetting(); });
  WriteBeforeExit([] { WriteSatelliteFile(); });
  g_satelliteTablePending = false;
  AskExitQuestion();
}

void RunToolbarExit() {
  WriteBeforeExit([] { WritePresetting(); });
  g_satelliteTablePending = true;
  AskExitQuestion();
  g_satelliteTablePending = false;  // Cancel: the program runs on
}

void MainWindowClose(bool& cancel) {
  // The close that ShutdownProgram itself makes goes ahead without a question.
  if (g_shuttingDown) return;
  WriteBeforeExit([] { WritePresetting(); });
  // The question is asked for the main window, whose number lies outside
  // every per-window table; the window that was current comes back when the
  // user stays.
  const auto previous = G.CurrentWindow;
  G.CurrentWindow = kMainWindowNumber;
  g_satelliteTablePending = true;
  AskExitQuestion();
  g_satelliteTablePending = false;
  G.CurrentWindow = previous;
  // OK does not come back here (the program has ended), so any return means
  // the user stays: the main window must not close.
  cancel = true;
}

}  // namespace sorvan
