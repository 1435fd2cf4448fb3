// Removal of the X-ray satellites of a window (see satellite_removal.h).
#include "processing/satellite_removal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/messages.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "processing/kernels/backgrounds.h"
#include "processing/kernels/satellites.h"
#include "processing/pages/background_page.h"
#include "processing/smoothing.h"

namespace sorvan {

namespace {

constexpr int kSatelliteText = 10;  // MessageTexts: the operation's name

struct LineTable {
  std::array<int, kSatelliteLines> shift{};
  std::array<double, kSatelliteLines> intensity{};
};

// The five lines of w's anode as point shifts; all zero (no satellites) for
// an excitation energy of neither anode.
LineTable LinesOf(int w, double step, int n) {
  const WindowRecord& win = Win[w];
  LineTable t;
  const Anode anode = AnodeOfExcitation(win.SpectrumHeader.ExcitationEnergy);
  if (anode == Anode::None) return t;
  const bool al = anode == Anode::Aluminium;
  for (int k = 1; k <= kSatelliteLines; ++k) {
    const double offset = al ? win.AlSatOffset[k] : win.MgSatOffset[k];
    t.shift[k - 1] = SatelliteShift(offset, step, n);
    t.intensity[k - 1] = al ? win.AlSatIntensity[k] : win.MgSatIntensity[k];
  }
  return t;
}

// Adds column 2 back into column 1 at every point and clears column 2: the
// temporary background is given back over the whole spectrum.
void GiveBackTemporaryBackground(int w, int n) {
  LoadWorkData(w, 1, 1, n);
  LoadWorkBackground(w, 2, 1, n);
  for (int i = 1; i <= n; ++i) {
    WorkData[i] += WorkBackground[i];
    WorkBackground[i] = 0;
  }
  StoreWorkData(w, 1);
  StoreWorkBackground(w, 2);
}

// A Shirley background over first..last subtracted from column 1 there and
// kept in column 2 (0 elsewhere), so that the preview shows the spectrum free
// of background. It makes as many passes as the background command does in a
// series: the first and then the further ones the user asked for in the last
// interactive run (ShirleyPassTarget). Points outside the region keep their
// values.
void SubtractTemporaryShirley(int w, int n, int first, int last) {
  LoadWorkData(w, 1, 1, n);
  WorkBackground.Resize(n);
  const std::span<const double> y(WorkData.data(), WorkData.size());
  const std::span<double> b(WorkBackground.data(), WorkBackground.size());
  const EndLevels ends = AverageEnds(y, first, last, G.AveragePoints);
  FillFlat(b, first, last, ends.right);
  std::vector<double> sigma(static_cast<std::size_t>(n) + 2, 0.0);
  const int passes = 1 + std::max<int>(0, G.ShirleyPassTarget);
  for (int pass = 1; pass <= passes; ++pass)
    ShirleyPass(y, b, sigma, first, last, ends.left, ends.right);
  for (int i = first; i <= last; ++i) WorkData[i] -= WorkBackground[i];
  StoreWorkData(w, 1);
  StoreWorkBackground(w, 2);
}

}  // namespace

void RemoveXraySatellites(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const int n = WindowPointCount(w);
  if (n < 1) return;
  // The offsets of the lines are energies; without a step there is no way to
  // turn them into points.
  const double step = win.SpectrumHeader.EnergyStep;
  if (!(step > 0) || !std::isfinite(step)) {
    ShowStepFailure(3, w, std::string());
    return;
  }
  const bool asking = G.BatchMode != 1;
  // The page could not be shown: change nothing rather than act on an old answer.
  if (asking && !PageCanOpen(3, PageGuard::Window3)) return;

  const LineTable lines = LinesOf(w, step, n);
  const int first = std::max<int>(1, win.RegionStart);
  const int last = std::min<int>(n, win.RegionEnd);
  const bool temporary = win.BackgroundState == BackgroundNone && first <= last;

  // The background-free spectrum over the region, 0 elsewhere.
  if (temporary) SubtractTemporaryShirley(w, n, first, last);
  LoadWorkData(w, 1, first, last);
  std::vector<double> y(WorkData.begin(), WorkData.end());
  if (win.BackgroundState == BackgroundDefined) {
    LoadWorkBackground(w, 2, first, last);
    for (int i = first; i <= last; ++i) y[i] -= WorkBackground[i];
  }

  std::vector<double> s(static_cast<std::size_t>(n) + 1, 0.0);
  AccumulateSatellites(y, s, lines.shift, lines.intensity);

  // Preview: the redraw shows the curve in WorkSigma.
  DimWorkSigma(w);
  for (int i = 1; i <= n; ++i) WorkSigma[i] = s[i];
  win.SatelliteState = SatellitesPreview;
  RedrawWindow(w);

  G.ConfirmTitle = G.MessageTexts[kSatelliteText];
  const bool wasOpen = win.WindowOpen;
  if (asking) {
    G.DialogResult = 2;
    ShowConfirmPage(w);
  } else {
    G.DialogResult = 1;
  }
  // The page does not stop other commands: the window may have been closed
  // or given another spectrum meanwhile. Another spectrum is left alone; a
  // closed window gets its values back as after Cancel.
  if (WindowPointCount(w) != n) {
    if (win.SatelliteState == SatellitesPreview) win.SatelliteState = SatellitesNone;
    return;
  }
  const bool accepted = G.DialogResult == 1 && !(wasOpen && !win.WindowOpen);

  if (accepted) {
    LoadWorkData(w, 1, 1, n);
    WorkBackground.Resize(n);
    for (int i = first; i <= last; ++i) {
      WorkData[i] -= s[i];
      WorkBackground[i] = s[i];
    }
    StoreWorkData(w, 1);
    StoreWorkBackground(w, 3);
    if (temporary) GiveBackTemporaryBackground(w, n);
    win.SatelliteState = SatellitesRemoved;
  } else {
    win.SatelliteState = SatellitesNone;
    if (temporary) GiveBackTemporaryBackground(w, n);
  }
  RedrawWindow(w);
}

}  // namespace sorvan
