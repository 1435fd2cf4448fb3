// The event handlers of this subsystem, entered into the event registry, and
// the pages that the fits of the fit subsystem show.
#include "core/events.h"
#include "core/model.h"
#include "dialogs/fit_finished_page.h"
#include "fit/lm_fit.h"
#include "fiterrors/doublet_start_page.h"
#include "fiterrors/error_pages.h"
#include "fiterrors/iteration_page.h"
#include "fiterrors/peak_count_page.h"
#include "fiterrors/peak_limits_page.h"
#include "fiterrors/peak_start_page.h"
#include "fiterrors/progress_page.h"
#include "processing/revert.h"

namespace sorvan {

void RegisterFitErrorEvents() {
  RegisterProgressPageEvents();
  RegisterIterationPageEvents();
  RegisterPeakCountPageEvents();
  RegisterPeakLimitsPageEvents();
  RegisterPeakStartPageEvents();
  RegisterDoubletStartPageEvents();
  RegisterErrorPageEvents();
  FitPages& pages = FitPageHooks();
  pages.iterationLimitPage = [](int) { ShowIterationLimitPage(); };
  pages.fitFinishedPage = ShowFitFinishedPage;
  pages.reloadSourceData = ReloadSourceData;
}

}  // namespace sorvan
