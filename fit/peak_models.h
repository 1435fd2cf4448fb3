// Line shapes of the peak fit: the Gauss-Lorentz product line with an
// asymmetric width and the Doniach-Sunjic line broadened by a Gaussian. Each
// shape keeps its value, its analytic derivatives and its area side by side;
// everything here works on plain numbers in fit units (channels, half widths
// in channels, partner ratios) and needs no window.
#pragma once

#include <cstddef>

namespace sorvan {

// The product line uses this rounded ln 2 (not the exact value), so that the
// stored fits of earlier versions reproduce to the last digit.
inline constexpr double kGaussLorentzLn2 = 0.6931;
// A line whose exponent (1 - m) * ln2 * t^2 exceeds this contributes exactly 0.
inline constexpr double kGaussLorentzCut = 22.0;

// Number of fit-vector entries per peak and the offsets of the entries inside
// one peak's block (base index D, entry D + offset).
inline constexpr int kEntriesPerPeak = 10;
enum PeakEntry : int {
  kHeight = 0,
  kPartnerHeight = 1,    // partner height / height
  kShape = 2,            // Lorentz share m (Doniach-Sunjic: Gaussian half width)
  kPartnerShape = 3,     // partner share / share
  kPosition = 4,         // channel of the maximum, 1 = first point
  kPartnerPosition = 5,  // partner channel - main channel
  kWidth = 6,            // half width at half maximum in channels (DS: Lorentz half width)
  kPartnerWidth = 7,     // partner width / width
  kAsymmetry = 8,        // change of half width per channel (DS: alpha)
  kPartnerAsymmetry = 9  // partner asymmetry / asymmetry
};

// How a vanishing squared width is raised before it divides. The drawing
// floors w^2 at 1e-4; the chi-square of a trial floors it at 1e-8, with an
// exactly zero width taken as 1e-5 (main line) or 1e-8 (partner line).
enum class WidthFloor { Drawing, ChiSquareMain, ChiSquarePartner };

// One Gauss-Lorentz product line in fit units.
struct GaussLorentzLine {
  double height = 0;
  double share = 0;      // Lorentz share m, 0 pure Gauss, 1 pure Lorentz
  double centre = 0;     // channel
  double halfWidth = 0;  // HWHM in channels at the centre
  double asymmetry = 0;  // the half width at channel x is w0 + a * (x - x0)
};

// Value of the line at `channel`: A / ((1 + m t^2) exp((1 - m) ln2 t^2)) with
// t = (x - x0) / w. Zero where the asymmetric width is not positive and where
// the exponent passes the cut.
double GaussLorentzValue(const GaussLorentzLine& line, double channel, WidthFloor floor);

// The partner of a doublet peak: its main line's values times the ratios,
// shifted by the splitting. `entries` points at the peak's ten entries.
GaussLorentzLine GaussLorentzMainLine(const double* entries);
GaussLorentzLine GaussLorentzPartnerLine(const double* entries);

// Value of one whole peak (main line plus, for a doublet, its partner) at
// `channel`, with the chi-square width floors.
double GaussLorentzPeakValue(const double* entries, bool doublet, double channel);

// Value of one peak and its derivatives with respect to its ten entries, in
// one pass. `derivatives[0..9]` are overwritten. For a singlet the partner is
// not evaluated and its five derivatives are 0, so those entries never move.
// A half width that vanishes is floored at +-1e-5 keeping its sign.
double GaussLorentzPeakWithDerivatives(const double* entries, bool doublet, double channel,
                                       double* derivatives);

// Peaks 2..n of a relative table hold ratios to peak 1 (height, shape, width,
// asymmetry) and an offset from it (position); this gives the peak's own
// absolute entries, its partner ratios and splitting as they stand.
void ResolveRelativePeak(const double* first, const double* own, double* resolved);

// Value of one peak of a relative fit at `channel` (entries already
// resolved): main line plus partner for every peak type (a singlet's partner
// height ratio is 0). An exactly zero squared width is taken as 1e-5 for the
// main line of peak 1 and 1e-8 for every other line.
double GaussLorentzRelativePeakValue(const double* resolved, bool firstPeak, double channel);

// The unbroadened Doniach-Sunjic line of unit scale at distance d (channels)
// from its centre: cos(pi a / 2 + (1 - a) atan(d / g)) / (d^2 + g^2)^((1 - a) / 2).
// A Lorentz half width g below 1e-6 is taken as 1e-6, so the line stays finite.
double DoniachSunjicShape(double distance, double alpha, double lorentzHalfWidth);

// Gaussian broadening kernel: kernel[e] = exp(-ln2 e^2 / sigma^2) for
// e = 1..maxOffset while the exponent stays <= cut, 0 beyond. Returns the kernel
// length K (the last offset inside the cut). A non-positive sigma gives K = 0:
// no broadening. kernel must hold maxOffset + 1 values.
int GaussianKernel(double sigma, double cut, double* kernel, int maxOffset);

// Direct convolution of in[1..count] with the symmetric kernel (weight 1 at
// offset 0, kernel[1..K] beside it), normalised by the weights actually used,
// so lines near the ends keep their height. out[1..count] is written.
void ConvolveWithKernel(const double* in, double* out, int count, const double* kernel,
                        int kernelLength);

// One Doniach-Sunjic peak (and its partner for a doublet) over the points
// 1..pointCount, broadened and scaled so that its maximum is the height A
// (the partner's is A * ratio). peak[1..pointCount] receives main + partner
// inside [regionStart, regionEnd] and the main line alone outside; partner
// receives the partner curve (0 for a singlet). The area sums run over all
// points. scratchA and scratchB (pointCount + 1 values) are left zero.
struct DoniachSunjicSums {
  double peakSum = 0;
  double partnerSum = 0;
};
DoniachSunjicSums DoniachSunjicPeakCurve(const double* entries, bool doublet, int pointCount,
                                         int regionStart, int regionEnd, double* peak,
                                         double* partner, double* scratchA, double* scratchB);

}  // namespace sorvan

namespace sorvan {

// The program's procedures on window w, from G.FitVector over the window's
// region (Gauss-Lorentz) or all points (Doniach-Sunjic): WorkPeak holds the
// curve of the peak evaluated last, WorkFitSum the sum of the peaks, and
// G.PeakAreaSums / G.PartnerAreaSums the per-peak sums from which the areas
// follow. During a display pass (G.FitDisplayPass 1) each peak curve is
// stored as its component column.
// All peaks, each drawn into the window as it is evaluated; the sums are
// cleared first.
void EvaluatePeaksGaussLorentz(int w);
void EvaluatePeaksGaussLorentzRelative(int w);
// One peak, base index G.LoopIndexD; adds to WorkFitSum and the area sums
// (the caller clears them once per evaluation). Leaves WorkShirleyShape,
// WorkTougaardShape and WorkScratch zero.
void EvaluatePeakDoniachSunjic(int w);
void EvaluatePeakDoniachSunjicRelative(int w);

}  // namespace sorvan
