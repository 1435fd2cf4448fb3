// Windows found by number: spectrum windows 1..100 (children of the main
// window, each with a canvas that shows its backing picture), the main window
// 101, and dialog windows 1..31 (top-level, not modal) that hold the pages.
#pragma once
#include <string>
#include <vector>

#include "platform/canvas.h"  // FontSpec, RgbColour

namespace plat {

constexpr int kMainWindow = 101;

struct WindowRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// ---- Spectrum windows 1..100 ----
// Opens window w at left, top (main window client pixels) with outer size
// width x height and a caption; absurd numbers are clamped. Reopening an
// open window only moves it and sets the caption.
void OpenSpectrumWindow(int w, double left, double top, double width, double height,
                        const std::string& caption);
bool SpectrumWindowOpen(int w);
// Closes window w as the user would: raises its Close event (which may refuse);
// true when it closed. Its labels go with it.
bool CloseSpectrumWindow(int w);
// Removes window w at once without raising events.
void DestroySpectrumWindow(int w);
// Client (canvas) size in pixels; 0 when closed.
int ClientWidth(int w);
int ClientHeight(int w);
// Outer frame geometry in main window client pixels.
WindowRect SpectrumWindowRect(int w);
// Makes w the active spectrum window (raises its GotFocus event once).
void ActivateSpectrumWindow(int w);
// The active spectrum window, 0 when none.
int ActiveSpectrumWindow();
// Open spectrum windows, ascending.
std::vector<int> OpenSpectrumWindows();

// ---- Captions of spectrum windows 1..100 and the main window 101 ----
void SetCaption(int window, const std::string& caption);
std::string Caption(int window);

// ---- Dialog windows 1..31, and 32 for the progress page ----
// Opens dialog window n at screen pixel (left, top) with client size
// width x height and a caption; hidden until ShowDialogWindow. Returns false
// (and does nothing) when n is already open. A position off the screen is
// brought back onto it.
bool OpenDialogWindow(int n, double left, double top, double width, double height,
                      const std::string& caption);
// The font of every control created on n afterwards.
void SetDialogFont(int n, const FontSpec& font);
void ShowDialogWindow(int n);
bool DialogWindowOpen(int n);
// Closes n (deferred deletion); a wait on n ends. Raises no event.
void CloseDialogWindow(int n);
// Frame position in screen pixels (0, 0 when closed).
int DialogWindowLeft(int n);
int DialogWindowTop(int n);
void MoveDialogWindow(int n, int left, int top);
WindowRect DialogWindowRect(int n);
std::string DialogCaption(int n);
// Open dialog windows in the order they were opened (innermost last).
std::vector<int> OpenDialogWindows();
// The close box / Alt+F4 of a dialog window: presses the window's Cancel
// button when it has one; otherwise closes it and raises
// "DialogWindow_Closed" with the window number as index.
void RequestDialogClose(int n);

}  // namespace plat
