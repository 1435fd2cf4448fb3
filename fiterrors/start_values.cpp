// Start values of a new fit that can separate (see start_values.h).
#include "fiterrors/start_values.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/model.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "fit/fit_vector.h"

namespace sorvan {

namespace {

// One peak and its partner in absolute table units.
struct StartPeak {
  double height = 0, shape = 0, position = 0, width = 0, asymmetry = 0;
  double partnerHeight = 0, partnerPosition = 0;
  bool place = false;      // needs a place of its own
  bool newPartner = false;  // needs its partner from the doublet table
};

// A bell of full width at half maximum `fwhm` and height `height` at
// `centre`: the start picture of a peak, fine enough to see what is left.
double Bell(double height, double centre, double fwhm, double energy) {
  if (fwhm <= 0) return 0;
  const double x = (energy - centre) / fwhm;
  return height * std::exp(-4 * std::log(2.0) * x * x);
}

// The peaks of w's table in absolute units, whatever the peak mode.
std::vector<StartPeak> AbsolutePeaks(int w, int n) {
  const WindowRecord& win = Win[w];
  const bool relative = win.RelativeMode == 1;
  std::vector<StartPeak> peaks(n + 1);
  const auto& first = win.ParameterValue[1];
  for (int p = 1; p <= n; ++p) {
    const auto& v = win.ParameterValue[p];
    StartPeak& k = peaks[p];
    if (!relative || p == 1) {
      k.height = v[1];
      k.shape = v[3];
      k.position = v[5];
      k.width = v[7];
      k.asymmetry = v[9];
    } else {
      k.height = first[1] * v[1];
      k.shape = first[3] * v[3];
      k.position = first[5] + v[5];
      k.width = first[7] * v[7];
      k.asymmetry = first[9] * v[9];
    }
    k.partnerHeight = relative ? v[2] * k.height : v[2];
    k.partnerPosition = relative ? k.position + v[6] : v[6];
  }
  return peaks;
}

// Writes the peaks back in w's table units.
void StorePeaks(int w, int n, const std::vector<StartPeak>& peaks, bool doublet) {
  WindowRecord& win = Win[w];
  const bool relative = win.RelativeMode == 1;
  auto ratio = [](double a, double b) { return b != 0 ? a / b : 0.0; };
  const StartPeak& one = peaks[1];
  for (int p = 1; p <= n; ++p) {
    const StartPeak& k = peaks[p];
    auto& v = win.ParameterValue[p];
    if (!k.place && !k.newPartner) continue;
    if (k.place) {
      if (!relative || p == 1) {
        v[1] = k.height;
        v[5] = k.position;
      } else {
        v[1] = ratio(k.height, one.height);
        v[5] = k.position - one.position;
      }
    }
    if (!doublet || !k.newPartner) continue;
    if (relative) {
      v[2] = ratio(k.partnerHeight, k.height);
      v[4] = 1;
      v[6] = k.partnerPosition - k.position;
      v[8] = 1;
      v[10] = v[9] != 0 ? 1 : 0;
    } else {
      v[2] = k.partnerHeight;
      v[4] = v[3];
      v[6] = k.partnerPosition;
      v[8] = v[7];
      v[10] = v[9];
    }
  }
  // A relative table whose peak 1 moved keeps the others where they were.
  if (relative && one.place) {
    for (int p = 2; p <= n; ++p) {
      if (peaks[p].place) continue;
      win.ParameterValue[p][1] = ratio(peaks[p].height, one.height);
      win.ParameterValue[p][5] = peaks[p].position - one.position;
    }
  }
}

}  // namespace

void SpreadStartValues(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const int n = HeldPeakCount(w);
  const int points = WindowPointCount(w);
  const int first = std::max<int>(1, win.RegionStart);
  const int last = std::min<int>(points, win.RegionEnd);
  if (n < 1 || last < first || win.SpectrumHeader.EnergyStep == 0.0) return;
  const bool doublet = IsDoubletWindow(w);
  const bool doniachSunjic = win.PeakModel == PeakModelDoniachSunjic;
  std::vector<StartPeak> peaks = AbsolutePeaks(w, n);

  // What the peaks are fitted to: the spectrum less a kept or fitted
  // background.
  const bool lessBackground = win.BackgroundState == BackgroundDefined || win.BackgroundState == BackgroundFitted;
  std::vector<double> energy(last + 1, 0.0), left(last + 1, 0.0);
  for (int i = first; i <= last; ++i) {
    energy[i] = EnergyOfChannel(w, i);
    left[i] = SlotData[w](i, 1) - (lessBackground ? SlotData[w](i, 2) : 0.0);
  }
  const double spectrumLow = std::min(EnergyOfChannel(w, 1), EnergyOfChannel(w, points));
  const double spectrumHigh = std::max(EnergyOfChannel(w, 1), EnergyOfChannel(w, points));
  const double regionLow = std::min(energy[first], energy[last]);
  const double regionHigh = std::max(energy[first], energy[last]);
  auto insideRegion = [&](double e) { return e >= regionLow && e <= regionHigh; };

  for (int p = 1; p <= n; ++p) {
    StartPeak& k = peaks[p];
    k.place = !insideRegion(k.position);
    for (int q = 1; q < p && !k.place; ++q)
      k.place = std::fabs(peaks[q].position - k.position) < 1e-9;
  }

  double ratio = 1, splitting = 0;
  if (doublet && !FindDoubletValues(win.SpectrumHeader.Name, ratio, splitting)) {
    ratio = kFallbackDoubletRatio;
    splitting = kFallbackDoubletSplitting;
  }
  // The partner lies above the main line on the binding scale and below it
  // on the kinetic scale.
  const double shift = G.EnergyAxisMode == 1 ? -splitting : splitting;
  auto givePartner = [&](StartPeak& k) {
    if (!doublet) return;
    k.newPartner = k.place || k.partnerHeight <= 0 ||
                   std::fabs(k.partnerPosition - k.position) < 1e-9 ||
                   k.partnerPosition < spectrumLow || k.partnerPosition > spectrumHigh;
    if (!k.newPartner) return;
    k.partnerHeight = k.height * ratio;
    k.partnerPosition = k.position + shift;
  };
  auto takeAway = [&](const StartPeak& k) {
    const double fwhm = k.width + (doniachSunjic ? k.shape : 0.0);
    for (int i = first; i <= last; ++i) {
      left[i] -= Bell(k.height, k.position, fwhm, energy[i]);
      if (doublet) left[i] -= Bell(k.partnerHeight, k.partnerPosition, fwhm, energy[i]);
    }
  };

  // The peaks with places of their own first; the others go on what these
  // leave, one after the other.
  for (int p = 1; p <= n; ++p) {
    if (peaks[p].place) continue;
    givePartner(peaks[p]);
    takeAway(peaks[p]);
  }
  int spread = 0;
  for (int p = 1; p <= n; ++p) {
    StartPeak& k = peaks[p];
    if (!k.place) continue;
    // The peak goes where most is left over its own width, not on a single
    // noisy point.
    const double fwhm = k.width + (doniachSunjic ? k.shape : 0.0);
    const int half = std::max(0, static_cast<int>(std::lround(
                                     0.5 * fwhm / std::fabs(win.SpectrumHeader.EnergyStep))));
    int best = first;
    double bestMean = -1e300;
    for (int i = first; i <= last; ++i) {
      double sum = 0;
      int count = 0;
      for (int m = std::max(first, i - half); m <= std::min(last, i + half); ++m, ++count) sum += left[m];
      const double mean = sum / count;
      if (mean > bestMean) {
        bestMean = mean;
        best = i;
      }
    }
    if (bestMean > 0) {
      k.position = energy[best];
      k.height = bestMean;
    } else {
      // Nothing left to stand on: peaks spread evenly over the region.
      ++spread;
      const int channel = first + (last - first) * spread / (n + 1);
      k.position = energy[channel];
      k.height = std::max(SlotData[w](channel, 1), 0.0);
    }
    givePartner(k);
    takeAway(k);
  }
  StorePeaks(w, n, peaks, doublet);
}

}  // namespace sorvan
