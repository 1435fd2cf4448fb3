// Event naming, the event trace and the one guarded entry into the program.
#include "platform/events.h"

#include <QApplication>
#include <QMessageBox>
#include <deque>

#include "platform/app.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {
EventSink g_sink;
std::vector<std::string> g_trace;
std::exception_ptr g_pending;
int g_qtEntryDepth = 0;
int g_suppressDepth = 0;
int g_pageWaitDepth = 0;

// The events of the menu bar and the toolbar: refused while a page waits.
bool IsCommandEvent(const std::string& name) {
  return name == "Form_MenuEvent" || name == "tb_ButtonClick";
}
constexpr size_t kTraceLimit = 10000;

void Trace(const std::string& name, const EventArgs& args) {
  if (g_trace.size() >= kTraceLimit) g_trace.erase(g_trace.begin(), g_trace.begin() + kTraceLimit / 10);
  std::string entry = name + "(" + std::to_string(args.index);
  if (args.command != 0) entry += ", " + std::to_string(args.command);
  entry += ")";
  g_trace.push_back(entry);
}

// The text of the one error box that a failed handler leaves.
std::string ErrorText(const std::string& event) {
  try {
    throw;
  } catch (const FileError& e) {
    return "File error: " + std::string(e.what()) + "\r" + ShownPath(e.path());
  } catch (const std::exception& e) {
    return "Error in " + event + ": " + e.what();
  } catch (...) {
    return "Unknown error in " + event;
  }
}
}  // namespace

std::string WindowEventName(int window, const std::string& event) {
  if (window >= 1 && window <= 31) return "Win_" + std::to_string(window) + "_" + event;
  return "Form_" + event;
}

void RaiseWindowEvent(int window, const std::string& event, EventArgs& args) {
  if (!(window >= 1 && window <= 31)) args.index = window;
  RaiseEvent(WindowEventName(window, event), args);
}

void SetEventSink(EventSink sink) { g_sink = std::move(sink); }
EventSink CurrentEventSink() { return g_sink; }

void RaiseEvent(const std::string& name, EventArgs& args) {
  Trace(name, args);
  // Every page but the progress page is modal: while one waits, a command
  // from the menu bar or the toolbar would start a second operation on top
  // of the one that waits, sharing its globals. Spectrum windows, labels and
  // page controls still take their events (pages wait for picks there).
  if (g_pageWaitDepth > 0 && IsCommandEvent(name)) {
    g_trace.back() += " refused: a page waits";
    return;
  }
  if (!g_sink) return;
  if (TestMode() && !ui::InQtEntry()) {
    g_sink(name, args);  // the test sees every exception as it happens
    return;
  }
  try {
    g_sink(name, args);
  } catch (...) {
    if (TestMode()) {
      if (!g_pending) g_pending = std::current_exception();
      return;
    }
    std::string text = ErrorText(name);
    CloseAll();
    MessageBox(text, 0, "");
  }
}

void RaiseEvent(const std::string& name, int index) {
  EventArgs args;
  args.index = index;
  RaiseEvent(name, args);
}

void RethrowPendingError() {
  if (!g_pending) return;
  std::exception_ptr e = g_pending;
  g_pending = nullptr;
  std::rethrow_exception(e);
}

const std::vector<std::string>& EventTrace() { return g_trace; }
void ClearEventTrace() {
  g_trace.clear();
  g_pending = nullptr;
}
bool PageWaiting() { return g_pageWaitDepth > 0; }

std::string LastEvent() { return g_trace.empty() ? std::string("(none)") : g_trace.back(); }

namespace ui {
QtEntry::QtEntry() { ++g_qtEntryDepth; }
QtEntry::~QtEntry() { --g_qtEntryDepth; }
bool InQtEntry() { return g_qtEntryDepth > 0; }
DirectCall::DirectCall() : saved(g_qtEntryDepth) { g_qtEntryDepth = 0; }
DirectCall::~DirectCall() { g_qtEntryDepth = saved; }
SuppressQtEvents::SuppressQtEvents() { ++g_suppressDepth; }
SuppressQtEvents::~SuppressQtEvents() { --g_suppressDepth; }
bool QtEventsSuppressed() { return g_suppressDepth > 0; }
PageWait::PageWait() {
  if (g_pageWaitDepth++ == 0) SetCommandBarsEnabled(false);
}
PageWait::~PageWait() {
  if (--g_pageWaitDepth == 0) SetCommandBarsEnabled(true);
}
}  // namespace ui

}  // namespace plat
