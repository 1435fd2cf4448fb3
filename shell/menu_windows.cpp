// The Windows menu (see shell/menu_windows.h).
#include "shell/menu_windows.h"

#include "core/model.h"
#include "core/paramset.h"
#include "core/window_state.h"
#include "display/redraw.h"
#include "platform/app.h"
#include "platform/forms.h"
#include "shell/menu_state.h"

namespace sorvan {

namespace {

// Every open window drawn again for its new size and shown at the next
// repaint: a window the arrangement resized without a resize event of its
// own (one the user had just resized, say) would keep its old picture.
void RedrawAllWindows() {
  for (int w = 1; w <= kMaxWindows; ++w)
    if (Win[w].WindowOpen && plat::SpectrumWindowOpen(w)) RedrawWindow(w);
}

}  // namespace

void OnArrangeWindowsA(int) {
  plat::ArrangeCascade();
  RedrawAllWindows();
}

void OnArrangeWindowsB(int) {
  plat::ArrangeTile();
  RedrawAllWindows();
}

void OnCloseAllWindows(int) {
  G.GlobalEnergyOffset = 0;
  for (int w = 1; w <= kMaxWindows; ++w) {
    if (!Win[w].WindowOpen) continue;
    // The window's own close event does the display's part; the steps
    // below bring the window to its closed state either way.
    if (plat::SpectrumWindowOpen(w)) plat::CloseSpectrumWindow(w);
    if (plat::SpectrumWindowOpen(w)) plat::DestroySpectrumWindow(w);
    Win[w].WindowOpen = false;
    ResetWindowState(w);
    if (Win[w].PeakModel == PeakModelGaussLorentz)
      ReadParameterSet(w, G.ParameterSet1Path);
    else if (Win[w].PeakModel == PeakModelDoniachSunjic)
      ReadParameterSet(w, G.ParameterSet2Path);
  }
  UpdateMenuState(G.CurrentWindow);
}

}  // namespace sorvan
