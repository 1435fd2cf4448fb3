// Page 13x: the energy correction of one window or of all windows.
#include "processing/pages/calibration_page.h"

#include <algorithm>

#include "core/events.h"
#include "core/menu_commands.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 13;
constexpr int kCommandWindowCorrection = CmdCorrectEnergy;
constexpr int kCommandGlobalOffset = CmdCorrectEnergyAll;

constexpr int kPosition = 5;
constexpr int kPartnerPosition = 6;

// The mode the page was opened in; a later command must not change what OK
// does.
int g_pageMode = kCommandWindowCorrection;

}  // namespace

void MovePeakPositions(int w, double delta) {
  if (!IsSpectrumWindow(w) || delta == 0) return;
  WindowRecord& win = Win[w];
  const double d = G.EnergyAxisMode == 0 ? -delta : delta;
  const int peaks = win.RelativeMode == 1 ? 1 : std::min<int>(win.PeakCount, kMaxPeaks);
  for (int p = 1; p <= peaks; ++p) {
    win.ParameterValue[p][kPosition] += d;
    win.ParameterLower[p][kPosition] += d;
    win.ParameterUpper[p][kPosition] += d;
    if (win.RelativeMode != 1) win.ParameterValue[p][kPartnerPosition] += d;
  }
}

void ShowEnergyValuePage(int w) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage)) return;
  g_pageMode = G.CommandId == kCommandGlobalOffset ? kCommandGlobalOffset : kCommandWindowCorrection;
  G.ReferenceEnergy = G.GlobalEnergyOffset;
  if (g_pageMode == kCommandWindowCorrection) G.ReferenceEnergy += Win[w].EnergyShift;

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 18;
  spec.height = 6;
  spec.caption = G.MessageTexts[13];
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 8.5;
  spec.pointerY = 4.6;
  spec.firstEntry = "ed131";
  spec.onCloseBox = [] {};  // closing by the frame leaves everything as it was
  RunPage(spec, [&] {
    const auto none = plat::kNoIndex;
    PageEdit(kPage, "ed131", none, 1, 1, 10, 1.1, plat::NumberToText(G.ReferenceEnergy));
    PageLabel(kPage, "lb131", none, 13, 1, 4, 1.2, "eV");
    PageButton(kPage, "cmdOK131", none, 2, 3, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
  });
}

void cmdOK131_Click() {
  if (!PageOpen(kPage)) return;
  const double x = ReadPageNumber(kPage, "ed131");
  const double delta = x - G.ReferenceEnergy;
  if (g_pageMode == kCommandWindowCorrection) {
    int c = PageWindow(kPage);
    if (!IsSpectrumWindow(c)) c = G.CurrentWindow;
    if (IsSpectrumWindow(c)) {
      Win[c].EnergyShift = x - G.GlobalEnergyOffset;
      if (Win[c].WindowOpen && Win[c].HasFit == 1) MovePeakPositions(c, delta);
    }
  } else {
    G.GlobalEnergyOffset = x;
    for (int v = 1; v <= kMaxWindows; ++v) {
      if (!Win[v].WindowOpen) continue;
      if (Win[v].HasFit == 1) MovePeakPositions(v, delta);
      RedrawWindow(v);
    }
  }
  RedrawWindow(G.CurrentWindow);
  ClosePage(kPage, 1);
}

void RegisterCalibrationPageEvents() {
  RegisterEvent("cmdOK131_Click", [](plat::EventArgs&) { cmdOK131_Click(); });
}

}  // namespace sorvan
