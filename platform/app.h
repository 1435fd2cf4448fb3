// Application start, the main window (number 101) with its area for the
// spectrum windows, screen size, the two window arrangements, the measuring
// font of the main window, and the end of the program.
#pragma once
#include <stdexcept>
#include <string>

#include "platform/canvas.h"  // FontSpec, RgbColour

namespace plat {

// Creates the application object when none exists yet (tests bring their own).
void InitApplication(int& argc, char** argv);

// Test mode: fixed 1024x768 main window, 96 DPI, dialogs answered by the test
// driver, waits instant, exceptions of handlers passed on to the test.
void SetTestMode(bool on);
bool TestMode();

// Opens the main window (101) at (0, 0) with the full size of the screen.
void OpenMainWindow(const std::string& caption);
bool MainWindowOpen();
// Closes the main window as the user would: raises Form_Close(101, cancel);
// returns true when it closed (the handler did not refuse).
bool RequestMainWindowClose();
// Removes the main window and every other window without raising events.
void DestroyAllWindows();

// Size of the main window's drawing area in pixels: the area holding the
// spectrum windows plus the toolbar strip while the toolbar is shown.
int ScreenWidth();
int ScreenHeight();

// The two arrangements of the spectrum windows: cascade and tile. Each
// window has its new place and size when they return.
void ArrangeCascade();
void ArrangeTile();

// The main window's measuring font: the program sets it and measures texts
// in it (pixels, at the screen's logical DPI). No widget shows it.
void SetMainFont(const FontSpec& font);
FontSpec MainFont();
double MainFontTextWidth(const std::string& text);
double MainFontTextHeight(const std::string& text);

// Thrown by EndProgram in test mode, so that the test regains control.
class ProgramEnded : public std::runtime_error {
 public:
  ProgramEnded() : std::runtime_error("the program ended") {}
};
// Ends the program: closes all files and windows and leaves the process with
// code 0. In test mode it throws ProgramEnded instead.
[[noreturn]] void EndProgram();

}  // namespace plat
