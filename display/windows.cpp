// Spectrum windows: opening, closing and geometry (see windows.h).
#include "display/windows.h"

#include "core/model.h"
#include "core/model_codes.h"
#include "core/paramset.h"
#include "core/window_state.h"
#include "display/axis_math.h"
#include "platform/forms.h"
#include "shell/menu_state.h"

namespace sorvan {

namespace {

// Value of FitRunState while a fit or an error analysis runs, and the value
// that asks it to stop at its next step.

}  // namespace

void SetDefaultWindowGeometry(int w) {
  const WindowPlace place = DefaultWindowPlace(w, G.ScreenWidth, G.WorkAreaHeight);
  Win[w].WindowLeft = static_cast<Int16>(place.left);
  Win[w].WindowTop = static_cast<Int16>(place.top);
  Win[w].WindowWidth = static_cast<Int16>(place.width);
  Win[w].WindowHeight = static_cast<Int16>(place.height);
}

void OpenSpectrumWindow(int w, const std::string& title) {
  if (!IsSpectrumWindow(w)) return;
  SetDefaultWindowGeometry(w);
  const WindowRecord& win = Win[w];
  // The platform keeps what is drawn in a backing picture per window, so a
  // covered window shows its picture again without being drawn anew.
  plat::OpenSpectrumWindow(w, win.WindowLeft, win.WindowTop, win.WindowWidth, win.WindowHeight,
                           title);
  Win[w].WindowOpen = true;
  G.CurrentWindow = static_cast<Byte>(w);
}

void CloseSpectrumWindow(int w) {
  if (G.FitRunState == FitRunning) G.FitRunState = FitStopRequested;
  if (!IsSpectrumWindow(w)) return;
  Win[w].WindowOpen = false;
  ResetWindowState(w);
  // The default peak table of the window's line shape; the line shape stays.
  if (Win[w].PeakModel == PeakModelGaussLorentz) {
    ReadParameterSet(w, G.ParameterSet1Path);
  } else if (Win[w].PeakModel == PeakModelDoniachSunjic) {
    ReadParameterSet(w, G.ParameterSet2Path);
  }
  Win[w].AnnotationCount = 0;
  Win[w].TitleLabelCount = 0;
  for (int k = 1; k <= 100; ++k) {
    Labels[LabelIndex(w, k)].AnnotationText.clear();
    Labels[LabelIndex(w, k)].TitleLabelText.clear();
  }
  UpdateMenuState(G.CurrentWindow);
}

}  // namespace sorvan
