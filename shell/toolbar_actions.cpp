// The toolbar actions that differ from their menu commands: action 1 reads a
// file of the last imported format again, 12 ends the program, 16, 25, 26
// and 28 repeat the last choice of a popup, 31 opens the start values, 43
// runs the toolbar's series and 44 to 47 open the multi-spectrum views.
#include "core/model.h"
#include "core/startup.h"
#include "display/redraw.h"
#include "import/formats.h"
#include "shell/commands.h"
#include "shell/file_commands.h"
#include "shell/fit_commands.h"
#include "shell/processing_commands.h"
#include "shell/series_commands.h"

namespace sorvan {

namespace {

// Action 1: the import of the format read last, through its file dialog.
// VAMAS is read as its own import command, also after the test spectrum.
void ReadLastFormatAgain() {
  const int code = Win[0].ImportFormat;
  const ImportFormatInfo* format = FindImportFormat(code);
  if (code % 2 != 0 || format == nullptr || format->reader == nullptr) return;
  ImportWithFormat(code, code == Vamas ? 1160 : format->command);  // 1160: File > Import > VAMAS
}

// Action 16: the background kind computed last, on the current window.
// A name that is none of the five kinds (nothing computed yet) does nothing.
void RepeatLastBackground() {
  if (BackgroundProcedure compute = BackgroundProcedureNamed(G.BackgroundName))
    compute(G.CurrentWindow);
}

// Action 28: a new fit of the peak type set up last. Before the first fit
// (or after a change of language) the type is neither text and nothing
// happens: no page, and no fit started by an earlier page's answer.
void NewFitOfLastType() {
  if (G.FitTypeName == G.MessageTexts[47] || G.FitTypeName == G.MessageTexts[52])
    RunNewFit(G.FitTypeName);
}

}  // namespace

void RunToolbarSpecialAction(int a) {
  switch (a) {
    case 1: ReadLastFormatAgain(); break;
    // The toolbar's exit writes only the current presetting before it asks.
    case 12: RunToolbarExit(); break;
    case 16: RepeatLastBackground(); break;
    case 25: RepeatLastScaleOperation(); break;
    case 26: RepeatLastArithmeticOperation(); break;
    case 28: NewFitOfLastType(); break;
    // The start values as 3113 gives them: the page of the window's own
    // peak type, which becomes the type set up last.
    case 31: RunPeakFitCommand(3113); break;
    case 43: ProcessSeries(false); break;
    case 44: BuildViewWindow(StackedCurves, false); break;
    case 45: BuildViewWindow(Waterfall, false); break;
    case 46: BuildViewWindow(MirroredWaterfall, false); break;
    case 47: BuildViewWindow(ColourMap, false); break;
    default: break;
  }
}

}  // namespace sorvan
