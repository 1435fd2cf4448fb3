// Smoothing and derivative of a window's spectrum with the closed-form
// Savitzky-Golay weights, and the confirm page 3x.
#include "processing/smoothing.h"

#include <algorithm>
#include <vector>

#include "core/events.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/frame.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "platform/surfaces.h"
#include "platform/text.h"
#include "processing/kernels/savitzky_golay.h"

namespace sorvan {

namespace {

constexpr int kPage = 3;  // dialog window of page 3x

// The language texts that name the operations (ConfirmTitle).
constexpr int kDerivativeText = 8;
constexpr int kSmoothingText = 9;
constexpr int kSatelliteText = 10;

// A number inside a sentence: no blank in front.
std::string InlineNumber(double value) { return plat::Trim(plat::NumberToText(value)); }

// The half width from the averaging points. A presetting without the option
// (0) would give a filter of one point and a normaliser of 0; the narrowest
// real filter (three points) is taken instead.
int HalfWidthFromAveragePoints() { return std::max<int>(1, G.AveragePoints); }

void FilterSpectrum(int w, FilterKind kind) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const int n = WindowPointCount(w);
  const int m = HalfWidthFromAveragePoints();
  G.FilterHalfWidth = static_cast<Byte>(m);
  G.ConfirmTitle = G.MessageTexts[kind == FilterKind::Derivative ? kDerivativeText : kSmoothingText];
  G.DialogResult = 2;
  // The edge windows of a spectrum shorter than the filter would reach past
  // its ends.
  if (!FilterFits(n, m)) {
    ShowStepFailure(3, w, std::string());
    return;
  }
  const bool wasOpen = win.WindowOpen;
  if (G.BatchMode == 0) {
    ShowConfirmPage(w);
  } else if (G.BatchMode == 1) {
    G.DialogResult = 1;
  }
  if (G.DialogResult != 1) return;
  // Other commands run while the page waits: a window closed or given
  // another spectrum meanwhile is left alone.
  if ((wasOpen && !win.WindowOpen) || WindowPointCount(w) != n) return;

  if (kind == FilterKind::Derivative) {
    ++win.DerivativeCount;
  } else {
    ++win.SmoothCount;
  }
  G.FilterWeights.Resize(2 * m + 1);
  for (int j = -m; j <= m; ++j) G.FilterWeights[m + 1 + j] = FilterWeight(kind, m, j, 0);

  LoadWorkData(w, 1, 1, n);
  const std::vector<double> input(WorkData.begin(), WorkData.end());
  std::vector<double> output(static_cast<std::size_t>(n) + 1, 0.0);
  SavitzkyGolayFilter(kind, input, output, m);
  for (int i = 1; i <= n; ++i) WorkData[i] = output[i];
  StoreWorkData(w, 1);

  // The derivative is shown over the region, the smoothed spectrum whole.
  if (kind == FilterKind::Derivative) {
    LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  } else {
    LoadWorkData(w, 1, 1, n);
  }
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  if (win.WindowOpen) {
    DrawFrameAndAxes(w, G.FrameColour);
    PlotSpectrum(w, G.CurveColours[0], G.CurveStyles[0], G.CurveWidths[0]);
    plat::FlushSurface();
  }
}

}  // namespace

void DifferentiateSpectrum(int w) { FilterSpectrum(w, FilterKind::Derivative); }
void SmoothSpectrum(int w) { FilterSpectrum(w, FilterKind::Smoothing); }

bool ShowConfirmPage(int w) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage, PageGuard::Window3)) return false;
  Win[w].YRangeFixed = 0;

  std::string text;
  if (G.ConfirmTitle == G.MessageTexts[kDerivativeText] ||
      G.ConfirmTitle == G.MessageTexts[kSmoothingText]) {
    text = G.MessageTexts[11] + " = " + InlineNumber(G.FilterHalfWidth);
  } else if (G.ConfirmTitle == G.MessageTexts[kSatelliteText]) {
    text = G.MessageTexts[12] + " = " + InlineNumber(Win[w].SpectrumHeader.ExcitationEnergy) +
           " eV";
  }

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 31;
  spec.height = 6;
  spec.caption = G.ConfirmTitle;
  spec.guard = PageGuard::Window3;
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 4.6;
  return RunPage(spec, [&] {
    const auto none = plat::kNoIndex;
    PageButton(kPage, "cmdOk31", none, 1, 3, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(kPage, "cmdCancel32", none, 16, 3, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
    PageLabel(kPage, "lb31", none, 1, 0.5, 27, 1.2, text);
  });
}

void cmdOk31_Click() { ClosePage(kPage, 1); }
void cmdCancel32_Click() { ClosePage(kPage, 2); }

void RegisterConfirmPageEvents() {
  RegisterEvent("cmdOk31_Click", [](plat::EventArgs&) { cmdOk31_Click(); });
  RegisterEvent("cmdCancel32_Click", [](plat::EventArgs&) { cmdCancel32_Click(); });
}

}  // namespace sorvan
