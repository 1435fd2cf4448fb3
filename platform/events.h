// Event delivery: the layer turns every window, menu, toolbar, label and
// control event into its name (the program's naming rule) and hands it to one
// program-provided sink. Handlers run only inside the layer's calls that take
// pending messages (the main loop, page waits, key polls), so they nest.
#pragma once
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace plat {

// Arguments of an event, all passed by reference to the handler: the window
// number (windows 32..101) or the element index of a control array, the mouse
// button and shift state, the pointer position, the menu command number, and
// for close events the refusal flag (set it to keep the window open).
struct EventArgs {
  int index = 0;
  int button = 0;
  int shift = 0;
  float x = 0;
  float y = 0;
  int command = 0;
  bool cancel = false;
};

// The name of a window event: "Win_<n>_<event>" for spectrum windows 1..31,
// "Form_<event>" for every other window (the number then goes in `index`).
std::string WindowEventName(int window, const std::string& event);
// Raises a window event (GotFocus, Close, ReSize, MouseDown, MouseMove) by the
// naming rule, with args.index set to the window for windows 32..101.
void RaiseWindowEvent(int window, const std::string& event, EventArgs& args);

using EventSink = std::function<void(const std::string& name, EventArgs& args)>;
// Installs the program's dispatcher; every event reaches it.
void SetEventSink(EventSink sink);
// The installed dispatcher (empty when none), so that tests can put it back.
EventSink CurrentEventSink();

// Raises an event by name through the one guarded entry (used by the layer
// itself and by the test driver); returns after the handler has run.
// An exception from the handler ends only this event: outside test mode it
// is shown as one error box naming the file or the error, and every file
// channel is closed; in test mode it is passed on to the caller (or, when the
// event came through Qt's own dispatch, kept and rethrown by the next
// RethrowPendingError).
void RaiseEvent(const std::string& name, EventArgs& args);
void RaiseEvent(const std::string& name, int index = 0);

// Test mode: rethrows an exception kept from a handler that ran inside Qt's
// event dispatch; no-op when none is kept.
void RethrowPendingError();

// True while a page waits (a WaitWhileOpen is running). The menu bar and the
// toolbar then take no command: Form_MenuEvent and tb_ButtonClick are not
// delivered (the trace notes them as refused), and both bars are shown
// disabled. Every other event is delivered as usual.
bool PageWaiting();

// The event trace: every raised event as "name(index)", oldest first
// (bounded to the last 10000).
const std::vector<std::string>& EventTrace();
void ClearEventTrace();
std::string LastEvent();

}  // namespace plat
