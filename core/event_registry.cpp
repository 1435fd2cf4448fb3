// The event registry: handlers by event name, looked up without regard to
// case, and the dispatcher that the platform calls for every event.
#include <algorithm>
#include <cctype>
#include <map>

#include "core/events.h"

namespace sorvan {

namespace {

std::string Key(const std::string& name) {
  std::string key = name;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

struct Entry {
  std::string name;  // as registered
  EventHandler handler;
};

std::map<std::string, Entry>& Registry() {
  static std::map<std::string, Entry> registry;
  return registry;
}

}  // namespace

void RegisterEvent(const std::string& name, EventHandler handler) {
  Registry()[Key(name)] = Entry{name, std::move(handler)};
}

bool DispatchEvent(const std::string& name, plat::EventArgs& args) {
  auto it = Registry().find(Key(name));
  if (it == Registry().end()) return false;
  // A copy, so that a handler that rebuilds the registry cannot pull the
  // running function out from under itself.
  EventHandler handler = it->second.handler;
  if (handler) handler(args);
  return true;
}

bool HasEvent(const std::string& name) { return Registry().count(Key(name)) != 0; }

std::vector<std::string> RegisteredEventNames() {
  std::vector<std::string> names;
  names.reserve(Registry().size());
  for (const auto& [key, entry] : Registry()) names.push_back(entry.name);  // keys are lower case: sorted without case
  return names;
}

void BuildEventRegistry() {
  Registry().clear();
  RegisterCoreEvents();
  RegisterShellEvents();
  RegisterDisplayEvents();
  RegisterImportEvents();
  RegisterProcessingEvents();
  RegisterFitEvents();
  RegisterFitErrorEvents();
  RegisterDialogEvents();
  RegisterReportEvents();
  plat::SetEventSink([](const std::string& name, plat::EventArgs& args) { DispatchEvent(name, args); });
}

}  // namespace sorvan
