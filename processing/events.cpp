// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"
#include "processing/arithmetic_page.h"
#include "processing/background_page.h"
#include "processing/calibration_page.h"
#include "processing/satellite_removal.h"
#include "processing/scale_page.h"
#include "processing/smoothing.h"

namespace sorvan {

void RegisterProcessingEvents() {
  RegisterBackgroundPageEvents();
  RegisterScalePageEvents();
  RegisterArithmeticPageEvents();
  RegisterCalibrationPageEvents();
  RegisterConfirmPageEvents();
  RegisterSatellitePageEvents();
}

}  // namespace sorvan
