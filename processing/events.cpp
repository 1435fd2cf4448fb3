// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"
#include "processing/background_page.h"

namespace sorvan {

void RegisterProcessingEvents() { RegisterBackgroundPageEvents(); }

}  // namespace sorvan
