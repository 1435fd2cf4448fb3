// The dialog page mechanism: opening, laying out, showing and waiting for a
// page, the busy guards, closing (also by the close box) and typed numbers.
#include "dialogs/page.h"

#include <cmath>
#include <map>

#include "core/events.h"
#include "core/fitted_text.h"
#include "core/model.h"
#include "core/presetting.h"
#include "core/number_text.h"
#include "display/draw_support.h"
#include "platform/forms.h"
#include "platform/loop.h"
#include "platform/mouse.h"
#include "platform/text.h"

namespace sorvan {

namespace {

// What the mechanism keeps about a page while it is open.
struct OpenPageRecord {
  long serial = 0;
  PageGuard guard = PageGuard::None;
  int spectrumWindow = 0;
  std::function<void()> onCloseBox;
  // The default button's cell rectangle, for the pointer.
  bool hasDefaultButton = false;
  Cells buttonX, buttonY, buttonWidth, buttonHeight;
};

std::map<int, OpenPageRecord>& Pages() {
  static std::map<int, OpenPageRecord> pages;
  return pages;
}

long g_pageSerial = 0;

void ClearGuard(PageGuard guard) {
  if (std::uint8_t* flag = GuardFlag(guard)) *flag = 0;
}

// Forgets the page on n when it is still the one with `serial` and clears its
// guard; a page that a handler has already closed (and perhaps shown again)
// is left alone.
void ForgetPage(int n, long serial) {
  auto it = Pages().find(n);
  if (it == Pages().end() || it->second.serial != serial) return;
  const PageGuard guard = it->second.guard;
  Pages().erase(it);
  ClearGuard(guard);
}

int PixelsOf(const Cells& length, int cell) {
  // The cells are decimal numbers (11.3 cells of 15 pixels are 169.5, which
  // goes to 170); the binary product may miss the half by a hair, so it is
  // taken to a millionth of a pixel before the halves go to even.
  const double pixels = std::round(length.cells * cell * 1e6) / 1e6;
  return static_cast<int>(plat::RoundHalfEven(pixels)) + length.pixels;
}

Cells Plus(const Cells& a, double cells, int pixels = 0) {
  return Cells(a.cells + cells, a.pixels + pixels);
}

Cells Half(const Cells& a) { return Cells(a.cells / 2, a.pixels / 2); }

// Clears the page's record when the show procedure leaves, by any path.
class PageScope {
 public:
  PageScope(int n, long serial) : n_(n), serial_(serial) {}
  ~PageScope() {
    if (serial_ != 0) ForgetPage(n_, serial_);
  }
  void Release() { serial_ = 0; }
  PageScope(const PageScope&) = delete;
  PageScope& operator=(const PageScope&) = delete;

 private:
  int n_;
  long serial_;
};

}  // namespace

std::uint8_t* GuardFlag(PageGuard guard) {
  switch (guard) {
    case PageGuard::Window1: return &G.DialogWindow1Busy;
    case PageGuard::Window2: return &G.DialogWindow2Busy;
    case PageGuard::Window3: return &G.DialogWindow3Busy;
    case PageGuard::Window17: return &G.DialogWindow17Busy;
    case PageGuard::Window28: return &G.DialogWindow28Busy;
    case PageGuard::ElementTable: return &G.ElementTablePageBusy;
    case PageGuard::None: break;
  }
  return nullptr;
}

int CellsToPixelsX(const Cells& length) { return PixelsOf(length, G.CharWidth); }
int CellsToPixelsY(const Cells& length) { return PixelsOf(length, G.CharHeight); }

bool RunPage(const PageSpec& spec, const std::function<void()>& build) {
  const int n = spec.dialogWindow;
  // A busy shared window, or a page that is still open, is not opened again:
  // two sets of controls would share one set of names.
  if (!PageCanOpen(n, spec.guard)) return false;
  std::uint8_t* flag = GuardFlag(spec.guard);
  if (flag) *flag = 1;
  if (spec.clearResult) G.DialogResult = 0;

  if (!plat::OpenDialogWindow(n, G.DialogLeft, G.DialogTop, CellsToPixelsX(spec.width),
                              CellsToPixelsY(spec.height), spec.caption)) {
    if (flag) *flag = 0;
    return false;
  }
  const long serial = ++g_pageSerial;
  OpenPageRecord& record = Pages()[n];
  record.serial = serial;
  record.guard = spec.guard;
  record.spectrumWindow = spec.spectrumWindow;
  record.onCloseBox = spec.onCloseBox;
  PageScope scope(n, serial);

  // The platform keeps a remembered place on the screen; the page's own
  // measures (and the pointer) start from where it really is.
  G.DialogLeft = static_cast<Int16>(plat::DialogWindowLeft(n));
  G.DialogTop = static_cast<Int16>(plat::DialogWindowTop(n));

  try {
    plat::SetDialogFont(n, DialogFont());
    build();
    if (!spec.firstEntry.empty()) plat::SetFocusSelectAll(n, spec.firstEntry, spec.firstEntryIndex);
    plat::ShowDialogWindow(n);
  } catch (...) {
    // A half-built page is closed and counts as cancelled; the error itself
    // goes on to the event's guard, which reports it.
    plat::CloseDialogWindow(n);
    G.DialogResult = 2;
    throw;
  }

  if (spec.movePointer) {
    Cells a = spec.pointerX, b = spec.pointerY;
    bool place = spec.pointerGiven;
    if (!place) {
      auto it = Pages().find(n);
      if (it != Pages().end() && it->second.hasDefaultButton) {
        const OpenPageRecord& r = it->second;
        const Cells halfW = Half(r.buttonWidth), halfH = Half(r.buttonHeight);
        a = Plus(r.buttonX, halfW.cells, halfW.pixels);
        b = Plus(Plus(r.buttonY, halfH.cells, halfH.pixels), 1);
        place = true;
      }
    }
    if (place) plat::MovePointer(G.DialogLeft + CellsToPixelsX(a), G.DialogTop + CellsToPixelsY(b));
  }

  if (spec.wait) plat::WaitWhileOpen(n, G.DialogLeft, G.DialogTop);
  else scope.Release();  // the page outlives its show procedure; ClosePage ends it
  return true;
}

bool PageCanOpen(int n, PageGuard guard) {
  // A page whose window has gone by another way than ClosePage (closed
  // directly by a handler, or taken down with every other window) is over:
  // forget it and free its guard.
  auto it = Pages().find(n);
  if (it != Pages().end() && !plat::DialogWindowOpen(n)) {
    const PageGuard stale = it->second.guard;
    Pages().erase(it);
    ClearGuard(stale);
  }
  const std::uint8_t* flag = GuardFlag(guard);
  if (flag && *flag != 0) return false;
  return !plat::DialogWindowOpen(n) && Pages().count(n) == 0;
}

bool PageOpen(int n) { return Pages().count(n) != 0 && plat::DialogWindowOpen(n); }

int PageTargetWindow(int n) {
  const int w = PageWindow(n);
  return IsSpectrumWindow(w) ? w : G.CurrentWindow;
}

int PageWindow(int n) {
  auto it = Pages().find(n);
  return it == Pages().end() ? 0 : it->second.spectrumWindow;
}

void ClosePage(int n, int result) {
  if (result >= 0) G.DialogResult = static_cast<Int16>(result);
  auto it = Pages().find(n);
  if (it != Pages().end()) {
    const PageGuard guard = it->second.guard;
    Pages().erase(it);
    ClearGuard(guard);
  }
  plat::CloseDialogWindow(n);
}

void PageClosedByUser(int n) {
  auto it = Pages().find(n);
  if (it == Pages().end()) return;
  std::function<void()> onCloseBox = it->second.onCloseBox;
  if (onCloseBox) onCloseBox();
  ClosePage(n, 2);
}

// ---- Controls ----

void PageControl(int n, plat::ControlKind kind, const std::string& name, int index, Cells x,
                 Cells y, Cells width, Cells height, const std::string& text,
                 const std::string& frame, int frameIndex) {
  plat::CreateControl(n, kind, name, index, CellsToPixelsX(x), CellsToPixelsY(y),
                      CellsToPixelsX(width), CellsToPixelsY(height), text, frame, frameIndex);
}

void PageLabel(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
               Cells height, const std::string& caption) {
  PageControl(n, plat::ControlKind::Label, name, index, x, y, width, height, caption);
}

namespace {

TextMeasure ControlMeasure(int n, const std::string& name, int index) {
  return [n, name, index](const std::string& text) { return plat::ControlTextWidth(n, name, index, text); };
}

}  // namespace

std::string TextFittedToControl(int n, const std::string& name, int index, const std::string& text) {
  return TextCutToWidth(text, plat::ControlTextRoom(n, name, index), ControlMeasure(n, name, index));
}

std::string PathFittedToControl(int n, const std::string& name, int index, const std::string& path) {
  return PathCutToWidth("", path, plat::ControlTextRoom(n, name, index), ControlMeasure(n, name, index));
}

void PageEdit(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
              Cells height, const std::string& text) {
  PageControl(n, plat::ControlKind::EditBox, name, index, x, y, width, height, text);
}

void PageButton(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
                Cells height, const std::string& caption, ButtonRole role) {
  PageControl(n, plat::ControlKind::CommandButton, name, index, x, y, width, height, caption);
  if (role == ButtonRole::Default) {
    plat::SetDefaultButton(n, name, index);
    auto it = Pages().find(n);
    if (it != Pages().end()) {
      it->second.hasDefaultButton = true;
      it->second.buttonX = x;
      it->second.buttonY = y;
      it->second.buttonWidth = width;
      it->second.buttonHeight = height;
    }
  } else if (role == ButtonRole::Cancel) {
    plat::SetCancelButton(n, name, index);
  }
}

void PageCheck(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
               Cells height, const std::string& caption, int value) {
  PageControl(n, plat::ControlKind::CheckBox, name, index, x, y, width, height, caption);
  plat::SetValue(n, name, index, value);
}

void PageOption(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
                Cells height, const std::string& caption, int value, const std::string& frame,
                int frameIndex) {
  PageControl(n, plat::ControlKind::OptionButton, name, index, x, y, width, height, caption, frame,
              frameIndex);
  plat::SetValue(n, name, index, value);
}

void PageFrame(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
               Cells height, const std::string& caption) {
  PageControl(n, plat::ControlKind::Frame, name, index, x, y, width, height, caption);
}

void PageList(int n, const std::string& name, int index, Cells x, Cells y, Cells width,
              Cells height, bool multiSelect) {
  PageControl(n, plat::ControlKind::ListBox, name, index, x, y, width, height, "");
  plat::SetListMultiSelect(n, name, index, multiSelect);
}

// ---- Typed numbers ----

double ReadNumberText(const std::string& typed) {
  G.NumberText = typed;
  NormaliseNumberInput();
  return plat::TextToNumber(G.NumberText);
}

double ReadPageNumber(int n, const std::string& name, int index) {
  return ReadNumberText(plat::Text(n, name, index));
}

long long ReadPageWholeNumber(int n, const std::string& name, int index) {
  return plat::RoundHalfEven(ReadPageNumber(n, name, index));
}

void RegisterPageEvents() {
  // The close box of a page without a cancel button (the platform presses
  // the cancel button itself where there is one).
  RegisterEvent("DialogWindow_Closed", [](plat::EventArgs& args) { PageClosedByUser(args.index); });
}

}  // namespace sorvan
