// Numeric routines of the one-shot backgrounds and the background area.
#include "processing/kernels/backgrounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "processing/kernels/fft.h"

namespace sorvan {

namespace {

// The last usable index of an array of points 1..n.
int LastPoint(std::size_t size) { return static_cast<int>(size) - 1; }

}  // namespace

EndLevels AverageEnds(std::span<const double> y, int first, int last, int averagePoints) {
  EndLevels levels;
  const int n = LastPoint(y.size());
  const int lo = std::max(first, 1);
  const int hi = std::min(last, n);
  double leftSum = 0, rightSum = 0;
  int leftCount = 0, rightCount = 0;
  for (int k = 0; k < averagePoints; ++k) {
    const int i = first + k;
    if (i >= lo && i <= hi) {
      leftSum += y[i];
      ++leftCount;
    }
    const int j = last - k;
    if (j >= lo && j <= hi) {
      rightSum += y[j];
      ++rightCount;
    }
  }
  if (leftCount > 0) levels.left = leftSum / leftCount;
  if (rightCount > 0) levels.right = rightSum / rightCount;
  return levels;
}

void FillFlat(std::span<double> b, int first, int last, double level) {
  const int lo = std::max(first, 0);
  const int hi = std::min(last, LastPoint(b.size()));
  for (int i = lo; i <= hi; ++i) b[i] = level;
}

void LinearBackground(std::span<double> b, int first, int last, double left, double right) {
  if (last <= first) {
    FillFlat(b, first, last, right);
    return;
  }
  const double slope = (left - right) / (last - first);
  const int lo = std::max(first, 0);
  const int hi = std::min(last, LastPoint(b.size()));
  for (int i = hi; i >= lo; --i) b[i] = right + (last - i) * slope;
}

double ShirleyPass(std::span<const double> y, std::span<double> b, std::span<double> sigma,
                   int first, int last, double left, double right) {
  const int lo = std::max(first, 1);
  const int hi = std::min({last, LastPoint(y.size()), LastPoint(b.size()),
                           LastPoint(sigma.size()) - 1});
  if (hi < lo) return 0;
  // Running sum from the right end: sigma_i = d_i/2 + d_(i+1) + ... + d_hi.
  double tail = 0;  // d_(i+1) + ... + d_hi
  double total = 0;
  sigma[hi + 1] = 0;
  for (int i = hi; i >= lo; --i) {
    const double d = y[i] - b[i];
    sigma[i] = tail + 0.5 * d;
    tail += d;
    total += d;
  }
  if (total == 0 || !std::isfinite(total)) {
    FillFlat(b, lo, hi, right);
    return total;
  }
  const double scale = (left - right) / total;
  for (int i = hi; i >= lo; --i) b[i] = right + scale * sigma[i];
  return total;
}

double TougaardKernel(double lossEv, double c) {
  const double denominator = lossEv * lossEv + c;
  const double k = lossEv / (denominator * denominator);
  return std::isfinite(k) ? k : 0.0;
}

double TougaardBackground(std::span<const double> y, std::span<double> b,
                          std::span<double> kernel, int first, int last, double step, double c,
                          double right) {
  const int n = LastPoint(y.size());
  const int lo = std::max(first, 1);
  const int hi = std::min({last, n, LastPoint(b.size())});
  const int tableEnd = std::min(n, LastPoint(kernel.size()));
  // Entry m holds the kernel at the loss of n - m + 1 steps: entry n is one
  // step, entry 1 is n steps.
  for (int m = 1; m <= tableEnd; ++m) kernel[m] = TougaardKernel((n - m + 1) * step, c);
  if (hi < lo) return 0;

  // S_i sums (y_j - right) * step * K((j - i + 1) * step) over j = i..hi:
  // the tail sums of the values above the level with the kernel by offset
  // j - i, all of them at once.
  const std::size_t length = static_cast<std::size_t>(hi - lo + 1);
  std::vector<double> above(length), weights(length), integrals(length);
  for (std::size_t t = 0; t < length; ++t) {
    above[t] = (y[lo + static_cast<int>(t)] - right) * step;
    const int m = n - static_cast<int>(t);
    weights[t] = m >= 1 && m <= tableEnd ? kernel[m] : 0.0;
  }
  TailSums(above, weights, integrals);
  // The integral at the start sets the scale; summed directly, it is the
  // same number whatever way the others were summed, and the background
  // meets the spectrum there exactly.
  double startIntegral = 0;
  for (std::size_t t = 0; t < length; ++t) startIntegral += above[t] * weights[t];
  double scale = 0;
  if (startIntegral != 0 && std::isfinite(startIntegral)) {
    scale = (y[lo] - right) / startIntegral;
    if (!std::isfinite(scale)) scale = 0;
  }
  if (scale == 0) {
    FillFlat(b, lo, hi, right);
    return 0;
  }
  b[lo] = right + scale * startIntegral;
  for (int i = lo + 1; i <= hi; ++i) b[i] = right + scale * integrals[static_cast<std::size_t>(i - lo)];
  return scale;
}

double TougaardConstantFromInput(double typed) { return typed < 0 ? 0.0 : typed; }

double CountRateDivisor(double scanCount, double dwellTime) {
  const double f = scanCount * dwellTime;
  return (f == 0 || !std::isfinite(f)) ? 1.0 : f;
}

double BackgroundArea(std::span<const double> y, std::span<const double> b, int first, int last,
                      double step, bool countsMode, double scanCount, double dwellTime) {
  const int lo = std::max(first, 0);
  const int hi = std::min({last, LastPoint(y.size()), LastPoint(b.size())});
  double sum = 0;
  for (int i = lo; i <= hi; ++i) sum += y[i] - b[i];
  sum *= step;
  if (countsMode) sum /= CountRateDivisor(scanCount, dwellTime);
  return sum;
}

}  // namespace sorvan
