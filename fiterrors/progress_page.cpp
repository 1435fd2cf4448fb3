// The progress page (page 41x).
#include "fiterrors/progress_page.h"

#include <algorithm>

#include "core/events.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "dialogs/page.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/loop.h"

namespace sorvan {

namespace {

constexpr int kPage = kProgressDialogWindow;
double g_maximum = 1;

}  // namespace

void ShowProgressPage() {
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 50;
  spec.height = 5.2;
  spec.caption = G.LabelTexts[114];
  spec.wait = false;
  spec.movePointer = false;
  const bool shown = RunPage(spec, [] {
    PageControl(kPage, plat::ControlKind::ProgressBar, "pb411", plat::kNoIndex, 2, 0.5, 45, 1, "");
    PageButton(kPage, "cmdCancel411", plat::kNoIndex, 2, 2, 45, 1.4, G.LabelTexts[129],
               ButtonRole::Cancel);
    g_maximum = 1;
    plat::SetProgressRange(kPage, "pb411", plat::kNoIndex, 1, g_maximum);
  });
  G.ProgressValue = 1;
  if (shown) plat::SetValue(kPage, "pb411", plat::kNoIndex, 1);
}

void SetProgressMaximum(double maximum) {
  g_maximum = std::max(1.0, maximum);
  if (ProgressPageOpen()) plat::SetProgressRange(kPage, "pb411", plat::kNoIndex, 1, g_maximum);
}

void ShowProgressValue() {
  if (!ProgressPageOpen()) return;
  // The count may run past the maximum (one peak: 69 steps of 60); the bar
  // then stays full instead of freezing at an out-of-range value.
  const double shown = std::clamp(static_cast<double>(static_cast<float>(G.ProgressValue)), 1.0,
                                  g_maximum);
  plat::SetValue(kPage, "pb411", plat::kNoIndex, shown);
}

void AdvanceProgress(double step) {
  G.ProgressValue += step;
  ShowProgressValue();
}

bool PollProgressStop() {
  G.FitKey = static_cast<Byte>(plat::PollKey());
  return G.ProgressKey == ProgressCancelled;
}

void CloseProgressPage() {
  if (plat::DialogWindowOpen(kPage)) ClosePage(kPage, -1);
}

bool ProgressPageOpen() { return plat::DialogWindowOpen(kPage); }

void cmdCancel411_Click() {
  G.ProgressKey = ProgressCancelled;
  G.ErrorRunState = ErrorsIdle;
}

void RegisterProgressPageEvents() {
  RegisterEvent("cmdCancel411_Click", [](plat::EventArgs&) { cmdCancel411_Click(); });
}

}  // namespace sorvan
