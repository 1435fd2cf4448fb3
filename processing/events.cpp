// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"
#include "dialogs/fit_finished_page.h"
#include "processing/pages/arithmetic_page.h"
#include "processing/pages/background_page.h"
#include "processing/pages/calibration_page.h"
#include "processing/poly_background.h"
#include "processing/satellite_removal.h"
#include "processing/pages/scale_page.h"
#include "processing/smoothing.h"

namespace sorvan {

void RegisterProcessingEvents() {
  RegisterBackgroundPageEvents();
  RegisterScalePageEvents();
  RegisterArithmeticPageEvents();
  RegisterCalibrationPageEvents();
  RegisterConfirmPageEvents();
  RegisterSatellitePageEvents();
  // The fit finished page's fit-background button and the fit commands set
  // the fitted background up through this hook.
  FitFinishedHooks().setUpFitBackground = SetUpFitBackground;
}

}  // namespace sorvan
