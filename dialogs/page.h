// The dialog page mechanism that every page of the program is built on: open a
// numbered dialog window at the remembered place, lay out its controls on the
// character-cell grid, show it, put the pointer near its default button and
// wait until its own window has closed; the guards of the shared windows and
// the reading of typed numbers.
//
// A page's show procedure, in outline:
//
//   PageSpec spec;
//   spec.dialogWindow = 20;
//   spec.width = 28; spec.height = {8, listPixels};
//   spec.caption = modeText;
//   spec.clearResult = true;
//   RunPage(spec, [&] {
//     PageButton(20, "cmdOk201", -1, 1, {4.7, h}, 12, 1.2, G.ButtonTexts[2], ButtonRole::Default);
//     ...
//   });
//
// The button handlers store their answer and end the page with ClosePage.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/controls.h"

namespace sorvan {

// The busy flags that keep two pages off one shared dialog window.
enum class PageGuard : std::uint8_t {
  None,
  Window1,       // pages 1x and 32x
  Window2,       // pages 2x and 33x
  Window3,       // pages 3x and 34x
  Window17,      // pages 17x and 171x
  Window28,      // pages 28x, 35x and 38x
  ElementTable,  // page 4x
};

// The flag behind a guard (G.DialogWindow1Busy, ...); PageGuard::None has none.
std::uint8_t* GuardFlag(PageGuard guard);

// A length on the page: a decimal number of character cells plus whole
// pixels (pages whose lists grow add their height in pixels). Cells become
// pixels by rounding to the nearest integer, halves to even.
struct Cells {
  double cells = 0;
  int pixels = 0;
  Cells(double c = 0, int px = 0) : cells(c), pixels(px) {}  // NOLINT: plain numbers are cells
};
int CellsToPixelsX(const Cells& length);  // across: CharWidth
int CellsToPixelsY(const Cells& length);  // down: CharHeight

// What a show procedure tells the mechanism about its page.
struct PageSpec {
  int dialogWindow = 0;      // 1..31 (32: the progress page)
  Cells width, height;       // the client area
  std::string caption;
  PageGuard guard = PageGuard::None;
  bool clearResult = false;  // DialogResult := 0 before the page opens
  int spectrumWindow = 0;    // the window the page was opened for (PageWindow)
  bool wait = true;          // false: show and return at once (the progress page)
  // Where the pointer goes once the page shows, in cells from the page's
  // top-left corner. Unset: the centre of the default button, one cell lower
  // for the caption bar. movePointer false leaves the pointer alone.
  bool pointerGiven = false;
  Cells pointerX, pointerY;
  bool movePointer = true;
  // The entry field that gets the focus with its text selected ("" none).
  std::string firstEntry;
  int firstEntryIndex = plat::kNoIndex;
  // Runs when the page is closed by its close box (or Alt+F4) and has no
  // cancel button to press; DialogResult is 2 and the guard cleared after it.
  std::function<void()> onCloseBox;
};

// Runs a page: the guard test (returns false at once while the page's window
// is busy or already open), DialogResult := 0 when the page asks for it (clearResult), the
// window at (DialogLeft, DialogTop) in the dialog font, `build` creating the
// controls, the focus, the show, the pointer and the wait, which stores the
// window's position into DialogLeft/DialogTop on every pass and ends only
// when the page's own window has closed. True when the page was shown.
// A control call the platform refuses while the page is built closes the
// page (DialogResult 2, guard cleared) and the error is passed on, so that
// the event that showed the page ends with the platform's error box.
bool RunPage(const PageSpec& spec, const std::function<void()>& build);

// False while `guard` is busy or dialog window n holds a page: RunPage would
// return at once. (A page whose window was closed without ClosePage is
// forgotten here, its guard freed.) Show procedures that prepare globals before the page opens
// ask this first, so that a refused page changes nothing.
bool PageCanOpen(int n, PageGuard guard = PageGuard::None);
// True while a page runs on dialog window n.
bool PageOpen(int n);
// The spectrum window that the page on dialog window n was opened for (0 when
// none): handlers act on it rather than on whatever window is current now.
int PageWindow(int n);
// The window a handler of page n acts on: the one the page was opened for,
// else the current window.
int PageTargetWindow(int n);

// Ends the page on dialog window n: DialogResult := result (unless result is
// negative), the page's guard cleared, the window closed. The wait of the
// page's show procedure then returns.
void ClosePage(int n, int result);
// Called when the user closed dialog window n by its close box and the page
// had no cancel button to press: the page's own close action, DialogResult 2,
// the guard cleared.
void PageClosedByUser(int n);

// ---- Controls, in cells ----
enum class ButtonRole { Plain, Default, Cancel };

void PageControl(int n, plat::ControlKind kind, const std::string& name, int index, Cells x,
                 Cells y, Cells width, Cells height, const std::string& text,
                 const std::string& frame = "", int frameIndex = plat::kNoIndex);
void PageLabel(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
               Cells height, const std::string& caption);
void PageEdit(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
              Cells height, const std::string& text);
// A default button is pressed by Enter anywhere on the page, a cancel button
// by Esc (and by the close box).
void PageButton(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
                Cells height, const std::string& caption, ButtonRole role = ButtonRole::Plain);
void PageCheck(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
               Cells height, const std::string& caption, int value);
void PageOption(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
                Cells height, const std::string& caption, int value,
                const std::string& frame = "", int frameIndex = plat::kNoIndex);
void PageFrame(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
               Cells height, const std::string& caption);
void PageList(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
              Cells height, bool multiSelect);

// Texts fitted to a control already made on page n, measured in its font:
// the text cut to the control's room with "..." at the cut; a path (program
// form) shown with this system's separators, its file name and nearest
// folders kept and the rest replaced by "...".
std::string TextFittedToControl(int n, const std::string& name, int index, const std::string& text);
std::string PathFittedToControl(int n, const std::string& name, int index, const std::string& path);

// ---- Typed numbers ----
// The four steps: the text into NumberText, its first decimal comma turned
// into a point (NormaliseNumberInput), the leading number taken (a text that
// does not begin with a number gives 0).
double ReadNumberText(const std::string& typed);
// The same for the Text of an edit box.
double ReadPageNumber(int n, const std::string& name, int index = plat::kNoIndex);
// For integer fields: rounded to the nearest integer, halves to even.
long long ReadPageWholeNumber(int n, const std::string& name, int index = plat::kNoIndex);

// The page handlers' entries in the event registry (called by
// RegisterDialogEvents).
void RegisterPageEvents();

}  // namespace sorvan
