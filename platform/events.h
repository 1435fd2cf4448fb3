// Event delivery: the layer turns every window, menu, toolbar, label and
// control event into its name (the program's naming rule) and hands it to one
// program-provided sink. Handlers run only inside the layer's calls that take
// pending messages (the main loop, page waits, key polls), so they nest.
#pragma once
#include <functional>
#include <string>

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

using EventSink = std::function<void(const std::string& name, EventArgs& args)>;
// Installs the program's dispatcher; every event reaches it.
void SetEventSink(EventSink sink);
// Raises an event by name through the guarded entry (used by the layer itself
// and by the test driver). Returns after the handler has run.
void RaiseEvent(const std::string& name, EventArgs& args);

}  // namespace plat
