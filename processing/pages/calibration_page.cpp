// Page 13x: the energy correction of one window or of all windows.
#include "processing/pages/calibration_page.h"

#include <algorithm>
#include <cmath>

#include "core/events.h"
#include "core/messages.h"
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

constexpr int kInconsistentInput = 9;

constexpr int kPosition = 5;
constexpr int kPartnerPosition = 6;

// The mode the page was opened in; a later command must not change what OK
// does.
int g_pageMode = kCommandWindowCorrection;

// The largest total correction window w can take: no photoelectron has more
// energy than the excitation, so a shift beyond it is no calibration (and
// peak positions moved by it lose every digit when it is taken back). A
// window without a recorded excitation energy is held to its highest
// measured kinetic energy.
double LargestCorrection(int w) {
  const SpectrumHeaderRecord& h = Win[w].SpectrumHeader;
  double limit = 0;
  for (double e : {h.ExcitationEnergy, h.StartEnergy, h.EndEnergy})
    if (std::isfinite(e)) limit = std::max(limit, std::fabs(e));
  return limit;
}

bool CorrectionFits(int w, double total) {
  return std::isfinite(total) && std::fabs(total) <= LargestCorrection(w);
}

// True when the typed value x can be taken: for one window its total
// correction, for the global offset the total of every open window.
bool TypedCorrectionFits(int c, double x) {
  if (!std::isfinite(x) || !std::isfinite(x - G.ReferenceEnergy)) return false;
  if (g_pageMode == kCommandWindowCorrection) return !IsSpectrumWindow(c) || CorrectionFits(c, x);
  for (int v = 1; v <= kMaxWindows; ++v)
    if (Win[v].WindowOpen && !CorrectionFits(v, x + Win[v].EnergyShift)) return false;
  return true;
}

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
  int c = PageWindow(kPage);
  if (!IsSpectrumWindow(c)) c = G.CurrentWindow;
  // A value the axis cannot take changes nothing; the page waits for another.
  if (!TypedCorrectionFits(c, x)) {
    ShowMessage(kInconsistentInput, c);
    return;
  }
  if (g_pageMode == kCommandWindowCorrection) {
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
