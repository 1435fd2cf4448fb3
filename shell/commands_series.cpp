// The series and multi-spectrum view commands of the menu.
#include "core/model.h"
#include "dialogs/window_choice_page.h"
#include "display/multi_windows.h"
#include "display/redraw.h"
#include "display/views.h"
#include "display/windows.h"
#include "shell/commands.h"
#include "shell/menu_commands.h"
#include "shell/menu_state.h"
#include "shell/processing_commands.h"
#include "shell/messages.h"

namespace sorvan {

namespace {

// True when the chosen windows can form one view: at least two, all on the
// energy grid of the first (energy shift, point count, step and start
// energy) and all fitted or all unfitted.
bool ChosenWindowsMatch() {
  const int count = G.ChosenWindowCount;
  if (count < 1) return true;  // a cancelled page: nothing to compare
  const WindowRecord& first = Win[static_cast<int>(G.ChosenWindows[1])];
  for (int i = 1; i <= count; ++i) {
    const WindowRecord& c = Win[static_cast<int>(G.ChosenWindows[i])];
    if (c.EnergyShift != first.EnergyShift ||
        c.SpectrumHeader.PointCount != first.SpectrumHeader.PointCount ||
        c.SpectrumHeader.EnergyStep != first.SpectrumHeader.EnergyStep ||
        c.SpectrumHeader.StartEnergy != first.SpectrumHeader.StartEnergy || count < 2 ||
        c.HasFit != first.HasFit) {
      return false;
    }
  }
  return true;
}

// Builds a new multi-spectrum window of `kind` from windows the user chooses.
void RunViewCommand(int kind) {
  G.ExcludedWindow = 0;
  ShowWindowChoicePage(G.ExcludedWindow, G.LabelTexts[33]);
  if (!ChosenWindowsMatch()) {
    G.CommandId = 7;
    ShowMessage(G.CommandId, G.SeriesTemplateWindow);
    return;
  }
  if (G.DialogResult != 1 || G.ChosenWindowCount < 1) return;
  const int v = LowestFreeWindow();
  if (RefuseWhenNoFreeWindow(v)) return;
  Win[v].WindowKind = static_cast<Byte>(kind);
  OpenSpectrumWindow(v, G.FileDialogResult);
  BuildMultiSpectrumWindow(v);
  switch (kind) {
    case ColourMap: DrawColourMapView(v, G.FrameColour); break;
    case StackedCurves: DrawStackedView(v, G.FrameColour); break;
    case Waterfall: DrawWaterfallView(v, G.FrameColour); break;
    default: DrawMirroredWaterfallView(v, G.FrameColour); break;
  }
  UpdateMenuState(v);
}

}  // namespace

void RunSeriesCommand(int command) {
  // 8100, the energy offset of all windows, shares the energy page.
  if (RunTransferScaleArithmeticCommand(command)) return;
  switch (command) {
    case CmdStackedView: RunViewCommand(StackedCurves); break;
    case CmdColourMapView: RunViewCommand(ColourMap); break;
    case CmdWaterfallView: RunViewCommand(Waterfall); break;
    case CmdMirroredWaterfallView: RunViewCommand(MirroredWaterfall); break;
    default: break;
  }
}

}  // namespace sorvan
