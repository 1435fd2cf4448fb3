// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"
#include "fiterrors/progress_page.h"

namespace sorvan {

void RegisterFitErrorEvents() { RegisterProgressPageEvents(); }

}  // namespace sorvan
