// Private state of the Qt window half of the platform layer, shared by its
// .cpp files: the tables of windows, pages and controls by number and name.
// Included only by platform/*.cpp.
#pragma once
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/canvas.h"  // FontSpec, RgbColour
#include "platform/labels.h"
#include "platform/mouse.h"

class QShortcut;
class QButtonGroup;

namespace plat::ui {

QString ToQt(const std::string& text);  // UTF-8 (ValidUtf8 for stray bytes)
std::string FromQt(const QString& text);
QFont ToQFont(const FontSpec& font);
QColor ToQColor(int colour);
int Clamp(double value);  // to whole pixels within +-1e6

// ---- Qt entry: events that arrive through Qt's own dispatch ----
// While one of these is alive, RaiseEvent keeps exceptions (test mode) or
// shows them (program mode) instead of letting them cross Qt.
struct QtEntry {
  QtEntry();
  ~QtEntry();
};
bool InQtEntry();
// Calls made by the test driver: exceptions pass straight to the test again,
// even when a Qt entry is further up the stack.
struct DirectCall {
  DirectCall();
  ~DirectCall();
  int saved;
};
// Code-originated geometry and activation changes: Qt's resulting events are
// not raised to the program while this counter is non-zero.
struct SuppressQtEvents {
  SuppressQtEvents();
  ~SuppressQtEvents();
};
bool QtEventsSuppressed();
// Held by a page's wait: while any is alive, PageWaiting() is true.
struct PageWait {
  PageWait();
  ~PageWait();
  PageWait(const PageWait&) = delete;
  PageWait& operator=(const PageWait&) = delete;
};
// Shows the main window's menu bar and toolbar enabled or disabled (app.cpp);
// a bar built while a page waits starts disabled.
void SetCommandBarsEnabled(bool enabled);

// ---- Main window ----
QMainWindow* MainWindow();
QMdiArea* MdiArea();
void InstallToolbar(QWidget* toolbar);  // app.cpp owns the main window layout

// ---- Spectrum windows ----
class Canvas;
struct SpectrumWindow {
  QPointer<QMdiSubWindow> sub;
  QPointer<QWidget> canvas;  // a Canvas (forms.cpp)
  QImage image;
  PointerShape pointer = PointerShape::Standard;
};
SpectrumWindow* FindSpectrumWindow(int w);  // nullptr when not open
// Held while spectrum windows are resized or arranged: drawing into a window
// meanwhile is shown once the windows stand still, not at once.
struct GeometryChange {
  GeometryChange();
  ~GeometryChange();
  GeometryChange(const GeometryChange&) = delete;
  GeometryChange& operator=(const GeometryChange&) = delete;
};
bool GeometryChanging();
int WindowOfSubWindow(const QMdiSubWindow* sub);
void ForgetSpectrumWindow(int w);  // removes labels and the table entry
// Deletes the kept frames of closed spectrum windows (forms.cpp).
void DeleteSpareFrames();

// ---- Dialog windows and their controls ----
struct Control {
  ControlKind kind = ControlKind::Label;
  std::string name;
  int index = kNoIndex;
  QPointer<QWidget> widget;
  QPointer<QShortcut> hotkey;  // Alt+letter for hidden buttons
  int x = 0, y = 0, width = 0, height = 0;
  double minimum = 0, maximum = 100, value = 0;  // progress bars
  bool threeState = false;
  bool checkable = false;  // list boxes
};
class DialogWidget;
struct DialogWindow {
  QPointer<QWidget> widget;  // a DialogWidget (forms.cpp)
  FontSpec font;
  bool fontSet = false;
  std::vector<Control> controls;
  std::string defaultButton, cancelButton;
  int defaultIndex = kNoIndex, cancelIndex = kNoIndex;
  long order = 0;
  std::map<std::string, QButtonGroup*> optionGroups;  // by container key
};
DialogWindow* FindDialogWindow(int n);
Control* FindControl(int n, const std::string& name, int index);
Control& RequireControl(int n, const std::string& name, int index);
// Enter / Esc / Alt+letter on window n as the user presses them; false when
// nothing takes the key.
bool PressKey(int n, int key /* Qt::Key */, bool alt);
void ForgetDialogWindow(int n);

// ---- Labels ----
void DeleteAllLabels();

// ---- Menus, toolbar ----
void ResetMenus();
void ResetToolbar();
// Raises the menu event now (test driver) or queued (user choice).
bool MenuCommandChoosable(int command, std::string& why);
bool ToolbarButtonClickable(int index, std::string& why);
void ClickToolbarButtonNow(int index);
QIcon ImageListIcon(int image);

// ---- Dialog state ----
void ResetDialogRecords();
void ResetMouse();

// Starts noting key presses for PollKey (once the application exists).
void WatchKeys();

// ---- Key polls in test mode: counter and the driver's hook ----
int& KeyPollCounter();
// Runs the hook of SetBeforeWaitHook (loop.h), if any.
void RunBeforeWaitHook();
std::function<int(int)>& KeyPollHook();

// ---- Driver hooks used by the waits and dialogs ----
namespace driver_hooks {
// The test clock (plat::Milliseconds in test mode) and whether the driver
// was told to follow the real clock instead.
long long ClockMilliseconds();
bool RealClock();
// Runs the next script step inside the wait of dialog window n; throws
// DriverFailure when none is left.
void RunNextStepIn(int n);
struct Answer {
  bool cancel = false;
  std::string text;
  int number = 0;
  int x = 0, y = 0;
  FontSpec font;
};
// Pops the next step, which must be an answer of `kind` ("message", "file",
// "font", "colour", "drag", "print", ...); throws DriverFailure otherwise.
Answer TakeAnswer(const std::string& kind, const std::string& detail);
}  // namespace driver_hooks

}  // namespace plat::ui
