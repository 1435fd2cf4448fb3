// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"

namespace sorvan {

void RegisterProcessingEvents() {}

}  // namespace sorvan
