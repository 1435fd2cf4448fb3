// The event registry: every event the program handles, by name (compared
// without regard to case), with its handler. Events without an entry have no
// effect. Each subsystem adds its handlers in its own Register...Events().
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/events.h"

namespace sorvan {

using EventHandler = std::function<void(plat::EventArgs&)>;

void RegisterEvent(const std::string& name, EventHandler handler);
// Runs the handler of `name`; false when the name has no entry.
bool DispatchEvent(const std::string& name, plat::EventArgs& args);
bool HasEvent(const std::string& name);
std::vector<std::string> RegisteredEventNames();  // sorted without regard to case

// Fills the registry (calls every subsystem's registration) and installs the
// dispatcher as the platform's event sink.
void BuildEventRegistry();

// One registration function per subsystem folder, each in <folder>/events.cpp.
void RegisterCoreEvents();
void RegisterShellEvents();
void RegisterDisplayEvents();
void RegisterImportEvents();
void RegisterProcessingEvents();
void RegisterFitEvents();
void RegisterFitErrorEvents();
void RegisterDialogEvents();
void RegisterReportEvents();

}  // namespace sorvan
