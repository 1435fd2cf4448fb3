// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"
#include "processing/background_page.h"
#include "processing/satellite_removal.h"
#include "processing/smoothing.h"

namespace sorvan {

void RegisterProcessingEvents() {
  RegisterBackgroundPageEvents();
  RegisterConfirmPageEvents();
  RegisterSatellitePageEvents();
}

}  // namespace sorvan
