// Spectrum windows: opening at the default place, the bookkeeping of a
// closed window, and the default geometry in blocks of 30.
#pragma once
#include <string>

namespace sorvan {

// Opens spectrum window w with `title` as its caption at its default place,
// marks it open and makes it the current window. Numbers outside 1..100 do
// nothing.
void OpenSpectrumWindow(int w, const std::string& title);

// Brings the data model in line with a window the user has closed: stops a
// running fit or error analysis, clears the open bit, resets the window,
// loads the default peak table of its line shape, empties its labels and
// updates the menus for the current window (which does not move).
void CloseSpectrumWindow(int w);

// Fills WindowLeft, WindowTop, WindowWidth and WindowHeight of window w from
// the screen width and the usable height.
void SetDefaultWindowGeometry(int w);

}  // namespace sorvan
