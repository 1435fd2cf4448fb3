// The error command's chain: analysis, then the error pages.
#include "fiterrors/error_analysis.h"

#include "core/model.h"
#include "core/model_codes.h"
#include "fit/fit_vector.h"
#include "fiterrors/error_pages.h"
#include "fiterrors/hessian_errors.h"
#include "fiterrors/peak_start_page.h"
#include "fiterrors/profile_errors.h"

namespace sorvan {

void EstimateErrorsOfWindow(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  G.FitPeakCount = win.PeakCount;
  G.FitTypeName = win.PeakType;
  if (win.ErrorTableValid == 0) {
    SetUpAndLoadFit(w);
    const bool doniachSunjic = win.PeakModel == PeakModelDoniachSunjic;
    if (win.ErrorMethod == ErrorMethodHessian) {
      doniachSunjic ? EstimateErrorsHessianDoniachSunjic(w) : EstimateErrorsHessianGaussLorentz(w);
    } else if (win.ErrorMethod == ErrorMethodProfile) {
      doniachSunjic ? EstimateErrorsProfileDoniachSunjic(w) : EstimateErrorsProfileGaussLorentz(w);
    }
  }
  // A failed estimation (message 10 shown) opens no error page.
  const bool showPages =
      G.ProgressKey != ProgressCancelled && G.FitRunState != FitStopRequested && G.ErrorRunState != ErrorsFailed && win.WindowOpen;
  if (showPages) {
    const bool singlet = win.PeakType == G.MessageTexts[47];
    const bool doublet = win.PeakType == G.MessageTexts[52];
    if (singlet || doublet) {
      if (win.BackgroundState == BackgroundFitted) ShowBackgroundErrorPage(w);
      singlet ? ShowPeakErrorPage(w) : ShowDoubletErrorPage(w);
    }
  }
  G.ErrorRunState = ErrorsIdle;
  G.ProgressKey = ProgressIdle;
  G.FitRunState = FitIdle;
}

}  // namespace sorvan
