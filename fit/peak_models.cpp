// Line shapes of the peak fit: values, derivatives and broadening.
#include "fit/peak_models.h"

#include <algorithm>
#include <cmath>

namespace sorvan {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kExactLn2 = 0.6931471805599453;

double FlooredSquaredWidth(double width, WidthFloor floor) {
  double squared = width * width;
  switch (floor) {
    case WidthFloor::Drawing:
      return squared < 1e-4 ? 1e-4 : squared;
    case WidthFloor::ChiSquareMain:
      if (squared == 0.0) return 1e-5;
      return squared < 1e-8 ? 1e-8 : squared;
    case WidthFloor::ChiSquarePartner:
      return squared < 1e-8 ? 1e-8 : squared;
  }
  return squared;
}

}  // namespace

double GaussLorentzValue(const GaussLorentzLine& line, double channel, WidthFloor floor) {
  const double d = channel - line.centre;
  const double width = line.halfWidth + line.asymmetry * d;
  // On the side where the asymmetric width runs out the line is absent.
  if (line.asymmetry != 0.0 && line.halfWidth <= -line.asymmetry * d) return 0.0;
  const double t2 = d * d / FlooredSquaredWidth(width, floor);
  const double exponent = (1.0 - line.share) * kGaussLorentzLn2 * t2;
  if (exponent > kGaussLorentzCut) return 0.0;
  return line.height / ((1.0 + line.share * t2) * std::exp(exponent));
}

GaussLorentzLine GaussLorentzMainLine(const double* e) {
  return {e[kHeight], e[kShape], e[kPosition], e[kWidth], e[kAsymmetry]};
}

GaussLorentzLine GaussLorentzPartnerLine(const double* e) {
  return {e[kHeight] * e[kPartnerHeight], e[kShape] * e[kPartnerShape],
          e[kPosition] + e[kPartnerPosition], e[kWidth] * e[kPartnerWidth],
          e[kAsymmetry] * e[kPartnerAsymmetry]};
}

double GaussLorentzPeakValue(const double* entries, bool doublet, double channel) {
  double value = GaussLorentzValue(GaussLorentzMainLine(entries), channel, WidthFloor::ChiSquareMain);
  if (doublet) {
    value += GaussLorentzValue(GaussLorentzPartnerLine(entries), channel,
                               WidthFloor::ChiSquarePartner);
  }
  return value;
}

double GaussLorentzPeakWithDerivatives(const double* e, bool doublet, double channel,
                                       double* dv) {
  for (int k = 0; k < kEntriesPerPeak; ++k) dv[k] = 0.0;
  const double A = e[kHeight];
  const double m = e[kShape];
  const double w0 = e[kWidth];
  const double a = e[kAsymmetry];
  const double d = channel - e[kPosition];

  // Main line. With t = d / w and w = w0 + a d, f = 1 / (L G), L = 1 + m t^2,
  // G = exp(c t^2), c = (1 - m) ln2; dt/dx0 = -w0 / w^2, dt/dw0 = -d / w^2,
  // dt/da = -d^2 / w^2, so every width-like derivative is 2 q t (m + L c) times
  // that factor, with q = A / (L^2 G).
  double w = w0 + a * d;
  if (!(a != 0.0 && w0 <= -a * d)) {
    if (std::fabs(w) < 1e-5) w = (w < 0.0) ? -1e-5 : 1e-5;
    const double t = d / w;
    const double t2 = t * t;
    const double L = 1.0 + m * t2;
    const double c = (1.0 - m) * kGaussLorentzLn2;
    if (c * t2 <= kGaussLorentzCut) {
      const double G = std::exp(c * t2);
      const double f = 1.0 / (L * G);
      const double q = A / (L * L * G);
      const double u = 2.0 * q * t * (m + L * c) / (w * w);
      dv[kHeight] = f;
      dv[kPosition] = u * w0;
      dv[kWidth] = u * d;
      dv[kAsymmetry] = u * d * d;
      dv[kShape] = q * t2 * (kGaussLorentzLn2 * L - 1.0);
    }
  }

  if (doublet) {
    const double rh = e[kPartnerHeight];
    const double rm = e[kPartnerShape];
    const double rw = e[kPartnerWidth];
    const double ra = e[kPartnerAsymmetry];
    const double dp = d - e[kPartnerPosition];
    const double ap = a * ra;
    const double w0p = w0 * rw;
    double wp = w0p + ap * dp;
    if (!(ap != 0.0 && w0p <= -ap * dp)) {
      if (std::fabs(wp) < 1e-5) wp = (wp < 0.0) ? -1e-5 : 1e-5;
      const double tp = dp / wp;
      const double tp2 = tp * tp;
      const double mp = m * rm;
      const double Lp = 1.0 + mp * tp2;
      const double cp = (1.0 - mp) * kGaussLorentzLn2;
      if (cp * tp2 <= kGaussLorentzCut) {
        const double Gp = std::exp(cp * tp2);
        const double fp = 1.0 / (Lp * Gp);
        const double qp = A * rh / (Lp * Lp * Gp);
        const double sp = qp * tp2 * (kGaussLorentzLn2 * Lp - 1.0);
        const double up = 2.0 * qp * tp * (mp + Lp * cp) / (wp * wp);
        dv[kHeight] += fp * rh;
        dv[kPartnerHeight] = A * fp;
        dv[kShape] += sp * rm;
        dv[kPartnerShape] = sp * m;
        dv[kWidth] += up * rw * dp;
        dv[kPartnerWidth] = up * w0 * dp;
        dv[kAsymmetry] += up * ra * dp * dp;
        dv[kPartnerAsymmetry] = up * dp * dp * a;
        dv[kPartnerPosition] = up * w0p;
        dv[kPosition] += dv[kPartnerPosition];
      }
    }
  }
  // The line is linear in its height: the model is A times d(model)/dA.
  return A * dv[kHeight];
}

void ResolveRelativePeak(const double* first, const double* own, double* resolved) {
  for (int k = 0; k < kEntriesPerPeak; ++k) resolved[k] = own[k];
  resolved[kHeight] = first[kHeight] * own[kHeight];
  resolved[kShape] = first[kShape] * own[kShape];
  resolved[kPosition] = first[kPosition] + own[kPosition];
  resolved[kWidth] = first[kWidth] * own[kWidth];
  resolved[kAsymmetry] = first[kAsymmetry] * own[kAsymmetry];
}

double GaussLorentzRelativePeakValue(const double* e, bool firstPeak, double channel) {
  return GaussLorentzValue(GaussLorentzMainLine(e), channel,
                           firstPeak ? WidthFloor::ChiSquareMain : WidthFloor::ChiSquarePartner) +
         GaussLorentzValue(GaussLorentzPartnerLine(e), channel, WidthFloor::ChiSquarePartner);
}

double DoniachSunjicShape(double distance, double alpha, double lorentzHalfWidth) {
  const double g = lorentzHalfWidth < 1e-6 ? 1e-6 : lorentzHalfWidth;
  return std::cos(kPi * alpha / 2.0 + (1.0 - alpha) * std::atan(distance / g)) /
         std::pow(distance * distance + g * g, (1.0 - alpha) / 2.0);
}

int GaussianKernel(double sigma, double cut, double* kernel, int maxOffset) {
  int length = 0;
  for (int e = 0; e <= maxOffset; ++e) kernel[e] = 0.0;
  if (!(sigma > 0.0)) return 0;
  for (int e = 1; e <= maxOffset; ++e) {
    const double g = kExactLn2 * e * e / (sigma * sigma);
    if (g > cut) break;
    kernel[e] = std::exp(-g);
    length = e;
  }
  return length;
}

void ConvolveWithKernel(const double* in, double* out, int count, const double* kernel,
                        int kernelLength) {
  for (int c = 1; c <= count; ++c) {
    double sum = in[c];
    double weights = 1.0;
    const int up = std::min(kernelLength, count - c);
    for (int e = 1; e <= up; ++e) {
      sum += in[c + e] * kernel[e];
      weights += kernel[e];
    }
    const int down = std::min(kernelLength, c - 1);
    for (int e = 1; e <= down; ++e) {
      sum += in[c - e] * kernel[e];
      weights += kernel[e];
    }
    out[c] = sum / weights;
  }
}

namespace {

// Broadened line of unit maximum into `curve`, then times `height`. Returns
// the sum of the scaled curve over all points.
double BroadenedLine(double height, double centre, double alpha, double gamma, double sigma,
                     double cut, int count, double* curve, double* shape, double* kernel) {
  for (int c = 1; c <= count; ++c) shape[c] = DoniachSunjicShape(c - centre, alpha, gamma);
  const int length = GaussianKernel(sigma, cut, kernel, count);
  ConvolveWithKernel(shape, curve, count, kernel, length);
  // Scale by the largest magnitude so that the curve's peak is the height
  // itself, whatever the size or sign of the height.
  double largest = 0.0;
  for (int c = 1; c <= count; ++c) largest = std::max(largest, std::fabs(curve[c]));
  const double factor = largest > 0.0 ? height / largest : 0.0;
  double sum = 0.0;
  for (int c = 1; c <= count; ++c) {
    curve[c] *= factor;
    sum += curve[c];
  }
  for (int c = 0; c <= count; ++c) {
    shape[c] = 0.0;
    kernel[c] = 0.0;
  }
  return sum;
}

}  // namespace

DoniachSunjicSums DoniachSunjicPeakCurve(const double* e, bool doublet, int pointCount,
                                         int regionStart, int regionEnd, double* peak,
                                         double* partner, double* scratchA, double* scratchB) {
  DoniachSunjicSums sums;
  const double A = e[kHeight];
  sums.peakSum = BroadenedLine(A, e[kPosition], e[kAsymmetry], e[kWidth], e[kShape],
                               kGaussLorentzCut, pointCount, peak, scratchA, scratchB);
  for (int c = 0; c <= pointCount; ++c) partner[c] = 0.0;
  if (doublet) {
    // The partner kernel is cut earlier (exponent 10) than the main one.
    sums.partnerSum = BroadenedLine(A * e[kPartnerHeight], e[kPosition] + e[kPartnerPosition],
                                    e[kAsymmetry] * e[kPartnerAsymmetry],
                                    e[kWidth] * e[kPartnerWidth], e[kShape] * e[kPartnerShape],
                                    10.0, pointCount, partner, scratchA, scratchB);
  }
  const int first = std::max(1, regionStart);
  const int last = std::min(pointCount, regionEnd);
  for (int c = first; c <= last; ++c) peak[c] += partner[c];
  return sums;
}

}  // namespace sorvan
