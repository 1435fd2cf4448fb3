// The installed calls into the spectrum windows.
#include "core/window_calls.h"

namespace sorvan {

namespace {
RedrawWindowCall g_redraw = nullptr;
OpenWindowCall g_open = nullptr;
}  // namespace

void InstallWindowCalls(RedrawWindowCall redraw, OpenWindowCall open) {
  g_redraw = redraw;
  g_open = open;
}

void CallRedrawWindow(int w) {
  if (g_redraw) g_redraw(w);
}

void CallOpenSpectrumWindow(int w, const std::string& caption) {
  if (g_open) g_open(w, caption);
}

}  // namespace sorvan
