// The message loop, the waits of the dialog pages, key polls and plain waits.
// Everything runs on one thread; handlers run inside these calls and nest.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace plat {

// Runs the program's message loop until EndProgram or the main window is gone.
void RunMessageLoop();

// Waits until dialog window n has closed, taking events meanwhile: spectrum
// windows and other pages stay usable, the menu bar and the toolbar take no
// command while the wait runs (PageWaiting, platform/events.h). On every pass the
// window's frame position is stored into left/top. Never returns while an
// inner wait is still on the stack. In test mode the driver's script steps
// are taken instead of real events.
void WaitWhileOpen(int n, int& left, int& top);
void WaitWhileOpen(int n, std::int16_t& left, std::int16_t& top);
void WaitWhileOpen(int n, const std::function<void(int left, int top)>& onPass);

// Lets pending events through once (throttled to about every 20 ms), makes
// drawing visible, and returns the key pressed meanwhile: 27 for Esc, else 0.
int PollKey();
// Takes all pending events now.
void DoEvents();

// Milliseconds of a steady clock, for pacing (how often a long run shows its
// pictures). In test mode it is the driver's clock, which stands still unless
// the test steps it (driver.h).
long long Milliseconds();

// Runs `hook` whenever the program is about to wait for the person: a page's
// wait, a message box. Empty: nothing runs.
void SetBeforeWaitHook(std::function<void()> hook);

// A plain wait with no event processing. Goes through an injectable clock:
// tests make it instant (and see the requested times in SleepLog()).
void Sleep(int milliseconds);
void SetSleepFunction(std::function<void(int milliseconds)> sleeper);  // empty: real sleep
// The waits requested since the last ClearSleepLog (test mode records them).
const std::vector<int>& SleepLog();
void ClearSleepLog();

}  // namespace plat
