// Event naming and the guarded entry into the program.
#include "platform/events.h"

namespace plat {

namespace {
EventSink g_sink;
}

std::string WindowEventName(int window, const std::string& event) {
  if (window >= 1 && window <= 31) return "Win_" + std::to_string(window) + "_" + event;
  return "Form_" + event;
}

void SetEventSink(EventSink sink) { g_sink = std::move(sink); }

void RaiseEvent(const std::string& name, EventArgs& args) {
  if (g_sink) g_sink(name, args);
}

}  // namespace plat
