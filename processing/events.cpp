// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"
#include "processing/arithmetic_page.h"
#include "processing/background_page.h"
#include "processing/calibration_page.h"
#include "processing/scale_page.h"

namespace sorvan {

void RegisterProcessingEvents() {
  RegisterBackgroundPageEvents();
  RegisterScalePageEvents();
  RegisterArithmeticPageEvents();
  RegisterCalibrationPageEvents();
}

}  // namespace sorvan
