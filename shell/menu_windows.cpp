// The Windows menu (see shell/menu_windows.h).
#include "shell/menu_windows.h"

#include "core/model.h"
#include "core/window_state.h"
#include "fit/paramset.h"
#include "platform/app.h"
#include "platform/forms.h"
#include "shell/menu_state.h"

namespace sorvan {

void OnArrangeWindowsA(int) { plat::ArrangeCascade(); }

void OnArrangeWindowsB(int) { plat::ArrangeTile(); }

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
