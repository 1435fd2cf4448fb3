// The message loop, the waits of the dialog pages, key polls and plain waits.
#include "platform/loop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QThread>
#include <chrono>

#include "platform/app.h"
#include "platform/forms.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {
std::function<void(int)> g_sleeper;
std::function<void()> g_beforeWait;
std::vector<int> g_sleepLog;
int g_lastKey = 0;

// Notes the last key pressed anywhere, for the key polls of long runs.
class KeyWatcher : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(event);
      if (!k->isAutoRepeat()) g_lastKey = k->key() == Qt::Key_Escape ? 27 : k->key();
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

namespace ui {
void WatchKeys() {
  static KeyWatcher* watcher = nullptr;
  if (!watcher && QCoreApplication::instance()) {
    watcher = new KeyWatcher;
    QCoreApplication::instance()->installEventFilter(watcher);
  }
}
}  // namespace ui
using ui::WatchKeys;

namespace ui {
void RunBeforeWaitHook() {
  // A hook does not run again through a wait it causes itself.
  static bool running = false;
  if (!g_beforeWait || running) return;
  running = true;
  const std::function<void()> hook = g_beforeWait;
  hook();
  running = false;
}

int& KeyPollCounter() {
  static int count = 0;
  return count;
}
std::function<int(int)>& KeyPollHook() {
  static std::function<int(int)> hook;
  return hook;
}
}  // namespace ui

void RunMessageLoop() {
  WatchKeys();
  if (TestMode() || !MainWindowOpen()) {
    DoEvents();
    return;
  }
  QApplication::exec();
}

void WaitWhileOpen(int n, const std::function<void(int, int)>& onPass) {
  WatchKeys();
  ui::RunBeforeWaitHook();
  ui::PageWait modal;
  while (DialogWindowOpen(n)) {
    if (onPass) onPass(DialogWindowLeft(n), DialogWindowTop(n));
    if (TestMode()) {
      ui::driver_hooks::RunNextStepIn(n);
      RethrowPendingError();
    } else {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }
  }
}

void WaitWhileOpen(int n, int& left, int& top) {
  WaitWhileOpen(n, [&](int l, int t) {
    left = l;
    top = t;
  });
}

void WaitWhileOpen(int n, std::int16_t& left, std::int16_t& top) {
  WaitWhileOpen(n, [&](int l, int t) {
    left = static_cast<std::int16_t>(std::clamp(l, -32768, 32767));
    top = static_cast<std::int16_t>(std::clamp(t, -32768, 32767));
  });
}

int PollKey() {
  WatchKeys();
  if (TestMode()) {
    int k = ++ui::KeyPollCounter();
    int key = ui::KeyPollHook() ? ui::KeyPollHook()(k) : 0;
    RethrowPendingError();
    return key == 27 ? 27 : 0;
  }
  static QElapsedTimer timer;
  if (!timer.isValid() || timer.elapsed() >= 20) {
    timer.restart();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  int key = g_lastKey;
  g_lastKey = 0;
  return key == 27 ? 27 : 0;
}

void DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (TestMode()) RethrowPendingError();
}

long long Milliseconds() {
  if (TestMode() && !ui::driver_hooks::RealClock()) return ui::driver_hooks::ClockMilliseconds();
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SetBeforeWaitHook(std::function<void()> hook) { g_beforeWait = std::move(hook); }

void Sleep(int milliseconds) {
  if (TestMode()) g_sleepLog.push_back(milliseconds);
  if (g_sleeper) {
    g_sleeper(milliseconds);
    return;
  }
  if (TestMode() || milliseconds <= 0) return;
  QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void SetSleepFunction(std::function<void(int)> sleeper) { g_sleeper = std::move(sleeper); }
const std::vector<int>& SleepLog() { return g_sleepLog; }
void ClearSleepLog() { g_sleepLog.clear(); }

}  // namespace plat
