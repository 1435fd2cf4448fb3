// The test driver: a script of steps taken in order wherever the program
// would wait for a person, direct actions on menus, toolbar and windows, and
// read-back of what the program shows.
#include "platform/driver.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScreen>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <sstream>
#include <thread>

#include "platform/app.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/loop.h"
#include "platform/menus.h"
#include "platform/mouse.h"
#include "platform/qt_internal.h"
#include "platform/toolbar.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {

struct Step {
  std::string kind;  // "message", "file", "font", "colour", "drag", "dialog:<kind>", or a page step
  std::string description;
  ui::driver_hooks::Answer answer;
  std::string expectText;
  std::function<void()> action;  // page steps
};

std::deque<Step> g_script;

// Watchdog: a test that runs longer than this is stopped with a message
// instead of waiting for a person. The limit leaves room for the longest error
// runs under the sanitizers on a loaded machine.
std::atomic<long long> g_deadline{0};
void ArmWatchdog(int seconds) {
  using namespace std::chrono;
  g_deadline = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() + seconds * 1000LL;
  static std::once_flag started;
  std::call_once(started, [] {
    std::thread([] {
      using namespace std::chrono;
      for (;;) {
        std::this_thread::sleep_for(milliseconds(250));
        long long d = g_deadline.load();
        long long now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
        if (d != 0 && now > d) {
          std::fprintf(stderr, "test driver watchdog: the test ran longer than allowed; stopped\n");
          std::fflush(stderr);
          std::_Exit(3);
        }
      }
    }).detach();
  });
}

std::string OpenPages() {
  std::vector<int> pages = OpenDialogWindows();
  if (pages.empty()) return "none";
  std::string s;
  for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
    if (!s.empty()) s += ", ";
    s += std::to_string(*it) + " '" + DialogCaption(*it) + "'";
  }
  return s;
}

[[noreturn]] void Fail(const std::string& what) {
  throw DriverFailure(what + " [open dialog windows, innermost first: " + OpenPages() +
                      "; last event: " + LastEvent() + "]");
}

void Push(Step s) { g_script.push_back(std::move(s)); }

void PushAnswer(const std::string& kind, const std::string& description, ui::driver_hooks::Answer a,
                const std::string& expectText = "") {
  Step s;
  s.kind = kind;
  s.description = description;
  s.answer = std::move(a);
  s.expectText = expectText;
  Push(std::move(s));
}

void PushPageStep(const std::string& description, std::function<void()> action) {
  Step s;
  s.kind = "page";
  s.description = description;
  s.action = std::move(action);
  Push(std::move(s));
}

int WindowOfControl(const std::string& name, int index) {
  int n = FindControlWindow(name, index);
  if (n == 0) Fail("no open dialog window holds control " + name + (index >= 0 ? "(" + std::to_string(index) + ")" : ""));
  return n;
}

int InnermostPage() {
  std::vector<int> pages = OpenDialogWindows();
  if (pages.empty()) Fail("no dialog window is open");
  return pages.back();
}

std::string Ctl(const std::string& name, int index) {
  return index >= 0 ? name + "(" + std::to_string(index) + ")" : name;
}

std::map<int, std::function<int()>> g_pollActions;

// The test clock: milliseconds, moved by the test only.
long long g_clock = 0;
int g_clockStepAtPolls = 0;
bool g_realClock = false;
std::function<void(const std::string&, int)> g_refill;

// Lets the refill queue steps for a wait that found the script used up.
void Refill(const std::string& kind, int window) {
  if (g_script.empty() && g_refill) g_refill(kind, window);
}

}  // namespace

// ---- Hooks used by the waits and dialogs ----
namespace ui::driver_hooks {

long long ClockMilliseconds() { return g_clock; }
bool RealClock() { return g_realClock; }

void RunNextStepIn(int n) {
  Refill("page", n);
  if (g_script.empty())
    Fail("dialog window " + std::to_string(n) + " '" + DialogCaption(n) +
         "' is waiting, but the script is used up");
  Step step = std::move(g_script.front());
  g_script.pop_front();  // a mismatched step is used up too, so that it is reported once
  if (step.kind != "page")
    Fail("dialog window " + std::to_string(n) + " is waiting, but the next step is: " + step.description);
  ui::DirectCall direct;
  step.action();
}

Answer TakeAnswer(const std::string& kind, const std::string& detail) {
  Refill(kind, 0);
  if (g_script.empty()) Fail("a " + kind + " dialog (" + detail + ") needs an answer, but the script is used up");
  Step step = std::move(g_script.front());
  g_script.pop_front();  // a mismatched step is used up too, so that it is reported once
  if (step.kind != kind)
    Fail("a " + kind + " dialog (" + detail + ") needs an answer, but the next step is: " + step.description);
  if (!step.expectText.empty() && detail.find(step.expectText) == std::string::npos)
    Fail("the " + kind + " dialog shows '" + detail + "', which does not contain '" + step.expectText + "'");
  return step.answer;
}

}  // namespace ui::driver_hooks

namespace detail {
bool ScriptedAnswer(const std::string& kind, std::string& answer) {
  if (!TestMode()) return false;
  ui::driver_hooks::Answer a = ui::driver_hooks::TakeAnswer("dialog:" + kind, kind);
  answer = a.cancel ? std::string() : a.text;
  return true;
}
}  // namespace detail

// ---- Script steps ----
namespace script {

void AnswerMessage(int answer, const std::string& textContains) {
  ui::driver_hooks::Answer a;
  a.number = answer;
  PushAnswer("message", "answer message box with " + std::to_string(answer), a, textContains);
}

void AnswerFile(const std::string& path) {
  ui::driver_hooks::Answer a;
  a.text = path;
  PushAnswer("file", "choose file " + path, a);
}

void CancelFile() {
  ui::driver_hooks::Answer a;
  a.cancel = true;
  PushAnswer("file", "cancel file dialog", a);
}

void AnswerFont(const FontSpec& font) {
  ui::driver_hooks::Answer a;
  a.font = font;
  PushAnswer("font", "choose font " + font.name, a);
}

void CancelFont() {
  ui::driver_hooks::Answer a;
  a.cancel = true;
  PushAnswer("font", "cancel font dialog", a);
}

void AnswerColour(int colour) {
  ui::driver_hooks::Answer a;
  a.number = colour;
  PushAnswer("colour", "choose colour " + std::to_string(colour), a);
}

void CancelColour() {
  ui::driver_hooks::Answer a;
  a.cancel = true;
  PushAnswer("colour", "cancel colour dialog", a);
}

void AnswerDialog(const std::string& kind, const std::string& answer) {
  ui::driver_hooks::Answer a;
  a.text = answer;
  a.cancel = answer.empty();
  PushAnswer("dialog:" + kind, "answer " + kind + " dialog with '" + answer + "'", a);
}

void AnswerDrag(int dropX, int dropY) {
  ui::driver_hooks::Answer a;
  a.x = dropX;
  a.y = dropY;
  PushAnswer("drag", "drop outline at " + std::to_string(dropX) + "," + std::to_string(dropY), a);
}

void SetText(const std::string& name, int index, const std::string& text) {
  PushPageStep("set text of " + Ctl(name, index) + " to '" + text + "'", [=] {
    plat::SetText(WindowOfControl(name, index), name, index, text);
  });
}

void SetValue(const std::string& name, int index, double value) {
  PushPageStep("set value of " + Ctl(name, index), [=] {
    plat::SetValue(WindowOfControl(name, index), name, index, value);
  });
}

void SelectItems(const std::string& name, int index, std::vector<int> items) {
  PushPageStep("select items of " + Ctl(name, index), [=] {
    int n = WindowOfControl(name, index);
    int count = ListCount(n, name, index);
    for (int i = 0; i < count; ++i) SetItemSelected(n, name, index, i, false);
    for (int i : items) {
      if (i < 0 || i >= count) Fail("list " + Ctl(name, index) + " has no item " + std::to_string(i));
      SetListIndex(n, name, index, i);
      SetItemSelected(n, name, index, i, true);
    }
  });
}

void Click(const std::string& name, int index) {
  PushPageStep("click " + Ctl(name, index), [=] {
    int n = WindowOfControl(name, index);
    if (!Enabled(n, name, index)) Fail("control " + Ctl(name, index) + " is disabled");
    ClickControl(n, name, index);
  });
}

void Key(KeyCode key) {
  PushPageStep(key == KeyCode::Enter ? "press Enter" : "press Esc", [=] {
    ui::PressKey(InnermostPage(), key == KeyCode::Enter ? Qt::Key_Return : Qt::Key_Escape, false);
  });
}

void AltKey(char letter) {
  PushPageStep(std::string("press Alt+") + letter, [=] {
    if (!ui::PressKey(InnermostPage(), letter, true))
      Fail(std::string("no enabled button takes Alt+") + letter);
  });
}

void MoveDialog(int left, int top) {
  PushPageStep("move the page to " + std::to_string(left) + "," + std::to_string(top), [=] {
    MoveDialogWindow(InnermostPage(), left, top);
  });
}

void Expect(std::function<bool()> predicate, const std::string& what) {
  PushPageStep("expect " + what, [=] {
    if (!predicate()) Fail("expectation failed: " + what);
  });
}

void ClickSpectrum(int w, int x, int y, int button) {
  PushPageStep("click spectrum window " + std::to_string(w), [=] {
    driver::MouseDown(w, x, y, button);
    SetTestMouseState(x, y, 0);
  });
}

void Run(std::function<void()> action, const std::string& what) {
  PushPageStep(what, std::move(action));
}

}  // namespace script

// ---- Direct actions and read-back ----
namespace driver {

void Reset() {
  SetTestMode(true);
  g_script.clear();
  g_pollActions.clear();
  g_clock = 0;
  g_clockStepAtPolls = 0;
  g_realClock = false;
  g_refill = nullptr;
  ui::KeyPollCounter() = 0;
  ui::KeyPollHook() = [](int k) {
    g_clock += g_clockStepAtPolls;
    auto it = g_pollActions.find(k);
    if (it == g_pollActions.end()) return 0;
    ui::DirectCall direct;
    return it->second();
  };
  DestroyAllWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  CloseAll();
  ClearEventTrace();
  ClearSleepLog();
  SetSleepFunction({});
  ui::ResetDialogRecords();
  ui::ResetMouse();
  ArmWatchdog(120);
}

void Finish() {
  size_t left = g_script.size();
  std::string steps = DescribeSteps();
  g_script.clear();
  g_deadline = 0;
  if (left != 0) throw DriverFailure(std::to_string(left) + " script step(s) left unused: " + steps);
}

size_t StepsLeft() { return g_script.size(); }

std::string DescribeSteps() {
  std::string s;
  for (const Step& step : g_script) {
    if (!s.empty()) s += "; ";
    s += step.description;
  }
  return s;
}

void StepClock(int milliseconds) { g_clock += milliseconds; }
void StepClockAtKeyPolls(int milliseconds) { g_clockStepAtPolls = milliseconds; }
void UseRealClock() { g_realClock = true; }

void AtKeyPoll(int k, std::function<int()> action) { g_pollActions[k] = std::move(action); }

void ClearRecords() {
  ClearEventTrace();
  ClearSleepLog();
  ui::ResetDialogRecords();
}

void SetScriptRefill(std::function<void(const std::string& kind, int window)> refill) {
  g_refill = std::move(refill);
}
void EscAtKeyPoll(int k) {
  g_pollActions[k] = [] { return 27; };
}

void ChooseMenu(int command) {
  std::string why;
  if (!ui::MenuCommandChoosable(command, why)) Fail("cannot choose menu command: " + why);
  ui::DirectCall direct;
  EventArgs args;
  args.index = 0;
  args.command = command;
  RaiseEvent("Form_MenuEvent", args);
}

void ClickToolbar(int index) {
  std::string why;
  if (!ui::ToolbarButtonClickable(index, why)) Fail("cannot click the toolbar: " + why);
  ui::DirectCall direct;
  ui::ClickToolbarButtonNow(index);
}

void FocusWindow(int w) {
  if (!SpectrumWindowOpen(w)) Fail("spectrum window " + std::to_string(w) + " is not open");
  ui::DirectCall direct;
  ActivateSpectrumWindow(w);
}

void ResizeWindow(int w, int width, int height) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (!sw || !sw->sub) Fail("spectrum window " + std::to_string(w) + " is not open");
  // As when the user drags a corner: Qt resizes the window, the canvas makes
  // its new picture and raises ReSize itself, and the screen is repainted
  // when events are taken.
  sw->sub->resize(width, height);
  RethrowPendingError();
  DoEvents();
}

bool CloseWindow(int w) {
  ui::DirectCall direct;
  if (w == kMainWindow) return RequestMainWindowClose();
  if (!SpectrumWindowOpen(w)) Fail("spectrum window " + std::to_string(w) + " is not open");
  return CloseSpectrumWindow(w);
}

void MouseDown(int w, int x, int y, int button, int shift) {
  if (!SpectrumWindowOpen(w)) Fail("spectrum window " + std::to_string(w) + " is not open");
  SetTestMouseState(x, y, button);
  ui::DirectCall direct;
  EventArgs args;
  args.button = button;
  args.shift = shift;
  args.x = static_cast<float>(x);
  args.y = static_cast<float>(y);
  RaiseWindowEvent(w, "MouseDown", args);
}

void MouseMove(int w, int x, int y, int buttons, int shift) {
  if (!SpectrumWindowOpen(w)) Fail("spectrum window " + std::to_string(w) + " is not open");
  SetTestMouseState(x, y, buttons);
  ui::DirectCall direct;
  EventArgs args;
  args.button = buttons;
  args.shift = shift;
  args.x = static_cast<float>(x);
  args.y = static_cast<float>(y);
  RaiseWindowEvent(w, "MouseMove", args);
}

void MouseDownOnLabel(bool title, int L, int x, int y, int button) {
  LabelArray array = title ? LabelArray::Title : LabelArray::Annotation;
  if (!LabelExists(array, L)) Fail(std::string(LabelArrayName(array)) + "(" + std::to_string(L) + ") does not exist");
  SetTestMouseState(x, y, button);
  ui::DirectCall direct;
  EventArgs args;
  args.index = L;
  args.button = button;
  args.x = static_cast<float>(x);
  args.y = static_cast<float>(y);
  RaiseEvent(std::string(LabelArrayName(array)) + "_MouseDown", args);
}

void SetMouse(int x, int y, int buttons) { SetTestMouseState(x, y, buttons); }

void Click(const std::string& name, int index) {
  int n = WindowOfControl(name, index);
  if (!Enabled(n, name, index)) Fail("control " + Ctl(name, index) + " is disabled");
  ui::DirectCall direct;
  ClickControl(n, name, index);
}

namespace {
void DescribeItems(std::ostringstream& out, const std::vector<MenuItemInfo>& items, int depth) {
  for (const MenuItemInfo& i : items) {
    out << std::string(static_cast<size_t>(depth) * 2, ' ');
    if (i.separator) {
      out << "----\n";
      continue;
    }
    out << i.text;
    if (!i.popup) out << " #" << i.id;
    if (!i.enabled) out << " [grayed]";
    if (i.checked) out << " [checked]";
    out << "\n";
    if (i.popup) DescribeItems(out, i.children, depth + 1);
  }
}
}  // namespace

std::string DescribeMenu() {
  std::ostringstream out;
  DescribeItems(out, MenuBarTree(), 0);
  return out.str();
}

std::string DescribeToolbar() {
  std::ostringstream out;
  for (int i = 1; i <= ToolbarButtonCount(); ++i) {
    ToolbarButton b = ToolbarButtonAt(i);
    out << i << " ";
    if (b.style == ToolbarStyle::Separator) {
      out << "----\n";
      continue;
    }
    out << b.key << " '" << b.tooltip << "' image=" << b.image;
    if (b.style == ToolbarStyle::Check) out << " check value=" << b.value;
    if (!b.enabled) out << " [disabled]";
    out << "\n";
  }
  return out.str();
}

std::string DescribeWindows() {
  DoEvents();
  std::ostringstream out;
  for (int w = 1; w <= 100; ++w) {
    ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
    if (!sw) continue;
    out << w;
    if (QMdiSubWindow* sub = sw->sub) {
      out << " '" << sub->windowTitle().toStdString() << "' @" << sub->x() << "," << sub->y() << " "
          << sub->width() << "x" << sub->height();
      if (sub->isMinimized()) out << " [minimized]";
      if (sub->isMaximized()) out << " [maximized]";
      if (!sub->isVisible()) out << " [hidden]";
      if (sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub) out << " [active]";
    }
    // FNV-1a over the picture's pixels, row by row (rows may be padded).
    const QImage picture = sw->image.convertToFormat(QImage::Format_RGB32);
    std::uint64_t digest = 1469598103934665603ull;
    for (int y = 0; y < picture.height(); ++y) {
      const uchar* row = picture.constScanLine(y);
      for (int i = 0; i < picture.width() * 4; ++i) digest = (digest ^ row[i]) * 1099511628211ull;
    }
    out << " picture " << picture.width() << "x" << picture.height() << " #" << std::hex << digest << std::dec
        << "\n";
  }
  if (QMainWindow* main = ui::MainWindow()) out << "main '" << main->windowTitle().toStdString() << "'\n";
  return out.str();
}

std::string DescribeLabels(int w) {
  std::ostringstream out;
  for (LabelArray array : {LabelArray::Annotation, LabelArray::Title}) {
    for (int L : LabelIndices(array)) {
      if ((L - 1) / 100 + 1 != w) continue;
      LabelSpec s = Label(array, L);
      out << LabelArrayName(array) << "(" << L << ") '" << s.text << "' @" << s.left << "," << s.top << " "
          << s.width << "x" << s.height << (s.transparent ? " transparent" : " opaque") << "\n";
    }
  }
  return out.str();
}

int PixelsNotShown(int w) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (!sw || !sw->canvas) Fail("spectrum window " + std::to_string(w) + " is not open");
  // The screen as the user sees it once the program waits for input again.
  DoEvents();
  QWidget* top = sw->canvas->window();
  QRect area = QRect(sw->canvas->mapTo(top, QPoint(0, 0)), sw->canvas->size()).intersected(top->rect());
  if (area.isEmpty()) return 0;
  QImage shown = QGuiApplication::primaryScreen()
                     ->grabWindow(top->winId(), area.x(), area.y(), area.width(), area.height())
                     .toImage()
                     .convertToFormat(QImage::Format_RGB32);
  QImage picture = sw->image.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < area.height(); ++y)
    for (int x = 0; x < area.width(); ++x) {
      bool inPicture = x < picture.width() && y < picture.height();
      if (y >= shown.height() || x >= shown.width() || !inPicture || shown.pixel(x, y) != picture.pixel(x, y))
        ++differing;
    }
  return differing;
}

int MainWindowPixelsStale() {
  QMainWindow* main = ui::MainWindow();
  if (!main) Fail("the main window is not open");
  DoEvents();
  const QImage shown = QGuiApplication::primaryScreen()
                           ->grabWindow(main->winId(), 0, 0, main->width(), main->height())
                           .toImage()
                           .convertToFormat(QImage::Format_RGB32);
  const QImage fresh = main->grab().toImage().convertToFormat(QImage::Format_RGB32);
  if (shown.size() != fresh.size()) return main->width() * main->height();
  int differing = 0;
  for (int y = 0; y < fresh.height(); ++y)
    for (int x = 0; x < fresh.width(); ++x) differing += shown.pixel(x, y) != fresh.pixel(x, y);
  return differing;
}

}  // namespace driver
}  // namespace plat
