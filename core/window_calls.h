// The two calls the settings readers make into the spectrum windows: redraw
// a window, and open a window with a caption. The display installs them when
// it starts; while nothing is installed they do nothing, so the readers work
// (and are tested) without windows.
#pragma once
#include <string>

namespace sorvan {

using RedrawWindowCall = void (*)(int w);
using OpenWindowCall = void (*)(int w, const std::string& caption);

void InstallWindowCalls(RedrawWindowCall redraw, OpenWindowCall open);

// Forward to the installed calls.
void CallRedrawWindow(int w);
void CallOpenSpectrumWindow(int w, const std::string& caption);

}  // namespace sorvan
