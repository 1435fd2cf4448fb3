// The window events of the spectrum windows and the main window, entered
// into the event registry: focus, close, resize and the mouse.
#include <string>

#include "core/events.h"
#include "core/model.h"
#include "core/program_exit.h"
#include "display/mouse.h"
#include "display/redraw.h"
#include "display/window_labels.h"
#include "display/windows.h"
#include "shell/menu_state.h"

namespace sorvan {

namespace {

// Focus gained: a half-finished region pick is dropped on any focus change,
// a finished one when the focus moves to another window; the window that
// was current is drawn again without it. Then n becomes current.
void WindowGotFocus(int n) {
  if (!IsSpectrumWindow(n)) return;
  if (G.RegionPickState == 1 || (G.RegionPickState == 2 && G.CurrentWindow != n)) {
    G.RegionPickState = 0;
    RedrawWindow(G.CurrentWindow);
  }
  G.CurrentWindow = static_cast<Byte>(n);
  UpdateMenuState(n);
}

// Close: spectrum windows always close; the main window runs the exit path,
// whose Cancel keeps it open.
void WindowClose(int n, bool& cancel) {
  if (n == kMainWindowNumber) {
    MainWindowClose(cancel);
    return;
  }
  if (IsSpectrumWindow(n)) CloseSpectrumWindow(n);
}

void WindowResize(int n) {
  if (IsSpectrumWindow(n)) RedrawWindow(n);
}

void WindowMouseDown(int n) {
  if (!IsSpectrumWindow(n)) return;
  G.CurrentWindow = static_cast<Byte>(n);
  HandleWindowMouse(n);
}

void WindowMouseMove(int n) {
  if (IsSpectrumWindow(n)) HandleWindowMouse(n);
}

}  // namespace

void RegisterDisplayEvents() {
  // Windows 1..31 have handlers of their own; every other window shares the
  // Form_ handlers, which receive the window number as index.
  for (int n = 1; n <= 31; ++n) {
    const std::string prefix = "Win_" + std::to_string(n) + "_";
    RegisterEvent(prefix + "GotFocus", [n](plat::EventArgs&) { WindowGotFocus(n); });
    RegisterEvent(prefix + "Close", [n](plat::EventArgs& a) { WindowClose(n, a.cancel); });
    RegisterEvent(prefix + "ReSize", [n](plat::EventArgs&) { WindowResize(n); });
    RegisterEvent(prefix + "MouseDown", [n](plat::EventArgs&) { WindowMouseDown(n); });
    RegisterEvent(prefix + "MouseMove", [n](plat::EventArgs&) { WindowMouseMove(n); });
  }
  RegisterEvent("Form_GotFocus", [](plat::EventArgs& a) { WindowGotFocus(a.index); });
  RegisterEvent("Form_Close", [](plat::EventArgs& a) { WindowClose(a.index, a.cancel); });
  RegisterEvent("Form_ReSize", [](plat::EventArgs& a) { WindowResize(a.index); });
  RegisterEvent("Form_MouseDown", [](plat::EventArgs& a) { WindowMouseDown(a.index); });
  RegisterEvent("Form_MouseMove", [](plat::EventArgs& a) { WindowMouseMove(a.index); });
  RegisterEvent("beschlb_MouseDown", [](plat::EventArgs& a) { DragLabel(false, a.index); });
  RegisterEvent("titellb_MouseDown", [](plat::EventArgs& a) { DragLabel(true, a.index); });
}

}  // namespace sorvan
