// The test driver: runs whole commands without a person. A script of steps is
// consumed in order at every point that would wait for a person (a page's
// wait, a message box, a file, font, colour or print dialog, an outline
// drag). A wait with no step left, a step of the wrong kind, or steps left
// unused at the end fail the test by throwing DriverFailure; nothing waits.
//
//   plat::driver::Reset();
//   plat::script::SetText("ed111", -1, "3");
//   plat::script::Key(plat::script::KeyCode::Enter);
//   plat::driver::ChooseMenu(1400);      // runs the command, pops the steps
//   plat::driver::Finish();              // fails when steps are left
#pragma once
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/canvas.h"  // FontSpec, RgbColour

namespace plat {

class DriverFailure : public std::runtime_error {
 public:
  explicit DriverFailure(const std::string& what) : std::runtime_error(what) {}
};

// ---- Script steps (queued; consumed in order) ----
namespace script {

enum class KeyCode { Enter, Esc };

// Answers the next message box with 1 (OK) or 2 (Cancel); when `textContains`
// is given, the box's text must contain it.
void AnswerMessage(int answer, const std::string& textContains = "");
// Answers the next open/save file dialog with a path in program form.
void AnswerFile(const std::string& path);
void CancelFile();
// Answers the next font dialog with a font, or cancels it.
void AnswerFont(const FontSpec& font);
void CancelFont();
void AnswerColour(int colour);
void CancelColour();
// Answers a dialog of the drawing half ("print", "printsetup") with a text.
void AnswerDialog(const std::string& kind, const std::string& answer);
// Answers the next outline drag with the drop corner.
void AnswerDrag(int dropX, int dropY);

// Steps inside a waiting page; controls are found in the open dialog windows,
// innermost first.
void SetText(const std::string& name, int index, const std::string& text);
void SetValue(const std::string& name, int index, double value);
void SelectItems(const std::string& name, int index, std::vector<int> items);
void Click(const std::string& name, int index = -1);
void Key(KeyCode key);            // Enter / Esc on the innermost page
void AltKey(char letter);         // Alt+letter on the innermost page
void MoveDialog(int left, int top);  // moves the innermost page
// A test on the state; failing it fails the test with `what`.
void Expect(std::function<bool()> predicate, const std::string& what = "expectation");
// A mouse click (down at x, y with the button, then release) on spectrum window w.
void ClickSpectrum(int w, int x, int y, int button = 1);
// Anything else, run as a step.
void Run(std::function<void()> action, const std::string& what = "action");

}  // namespace script

namespace driver {

// Test mode on; closes every window and page, clears the script, records,
// menus, toolbar, labels and mouse state; arms the watchdog.
void Reset();
// Fails when script steps are left unused; then resets.
void Finish();
size_t StepsLeft();
// Describes the remaining steps (for failure messages).
std::string DescribeSteps();

// Long runs: at the k-th key poll (counted from Reset) run `action`; its
// result is the key the poll returns (27 for Esc, 0 for none).
void AtKeyPoll(int k, std::function<int()> action);
void EscAtKeyPoll(int k);

// Time: plat::Milliseconds() in test mode. The clock is 0 after Reset and
// moves only when the test steps it.
void StepClock(int milliseconds);
// Every key poll first moves the clock by `milliseconds` (0: no more), as a
// run that takes that long from one poll to the next.
void StepClockAtKeyPolls(int milliseconds);
// plat::Milliseconds() follows the real clock until the next Reset
// (benchmarks of whole commands).
void UseRealClock();
// Answers made up while the program runs (the fuzz harnesses, whose inputs
// decide what is asked): a wait that finds the script used up first calls
// `refill` with what waits ("page", "message", "file", "font", "colour",
// "drag" or "dialog:<kind>") and, for a page, its dialog window (else 0);
// the steps it queues answer the wait. Reset removes it.
void SetScriptRefill(std::function<void(const std::string& kind, int window)> refill);
// Forgets the messages shown, the event trace and the sleep log without
// closing anything, for a driver that runs many commands in one process.
void ClearRecords();

// ---- Direct actions (run now) ----
// Chooses the item with this command number through the current menu bar;
// a grayed (or under a grayed popup) or missing item fails.
void ChooseMenu(int command);
// Clicks toolbar button `index` (1..); a separator, disabled or missing
// button fails.
void ClickToolbar(int index);
// Spectrum window events, as the user causes them.
void FocusWindow(int w);
void ResizeWindow(int w, int width, int height);  // outer size
bool CloseWindow(int w);  // true when it closed; 101: the main window
// Sets the mouse state, then raises MouseDown / MouseMove on window w.
void MouseDown(int w, int x, int y, int button, int shift = 0);
void MouseMove(int w, int x, int y, int buttons = 0, int shift = 0);
void MouseDownOnLabel(bool title, int L, int x, int y, int button);
void SetMouse(int x, int y, int buttons);
// Presses a control now (outside a page wait).
void Click(const std::string& name, int index = -1);

// ---- Read-back ----
std::string DescribeMenu();
std::string DescribeToolbar();
std::string DescribeLabels(int w);
// One line per open spectrum window: its number, caption, place, size, state
// (minimized, maximized, active) and a digest of the picture it shows; then
// the main window's caption. Two calls give the same text exactly when
// nothing a user could see of the windows changed.
std::string DescribeWindows();
// What the screen shows of spectrum window w, once pending events are taken,
// against its picture: the number of client pixels, within the main window,
// where they differ (0 when the screen shows the whole picture; parts
// covered by other windows, and the window's labels, differ).
int PixelsNotShown(int w);
// What the screen shows of the main window, once pending events are taken,
// against a fresh rendering of it: the number of pixels where they differ
// (0 when nothing stale is left on the screen, such as a window's old title
// bar or pieces of a picture in a gap between windows).
int MainWindowPixelsStale();

}  // namespace driver
}  // namespace plat
