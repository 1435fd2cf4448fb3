// Closed-form weights of the quadratic Savitzky-Golay filters and the filter
// pass over a whole spectrum.
#include "processing/kernels/savitzky_golay.h"

#include <vector>

namespace sorvan {

double FilterNormaliser(int m) {
  const double md = m;
  return (2 * md + 3) * (4 * md * md - 1) * md * (md + 1) / 3.0;
}

double SmoothingWeight(int m, int j, int k) {
  const double md = m, jd = j, kd = k;
  const double mm1 = md * (md + 1);
  return ((3 * mm1 - 1 - 5 * jd * jd) * mm1 + (2 * md + 3) * (2 * md - 1) * kd * jd +
          5 * kd * kd * (3 * jd * jd - mm1)) /
         FilterNormaliser(m);
}

double DerivativeWeight(int m, int j, int k) {
  const double md = m, jd = j, kd = k;
  return ((2 * md + 3) * (2 * md - 1) * jd + 10 * kd * (3 * jd * jd - md * (md + 1))) /
         FilterNormaliser(m);
}

double FilterWeight(FilterKind kind, int m, int j, int k) {
  return kind == FilterKind::Smoothing ? SmoothingWeight(m, j, k) : DerivativeWeight(m, j, k);
}

bool FilterFits(int pointCount, int m) { return m >= 1 && pointCount >= 2 * m + 1; }

bool SavitzkyGolayFilter(FilterKind kind, std::span<const double> y, std::span<double> out,
                         int m) {
  const int n = static_cast<int>(y.size()) - 1;
  if (!FilterFits(n, m) || static_cast<int>(out.size()) - 1 < n) return false;

  // The mirrored window at the right end runs against the energy axis, so a
  // slope measured in it has the opposite sign.
  const double mirrorSign = kind == FilterKind::Derivative ? -1.0 : 1.0;
  for (int k = -m; k <= -1; ++k) {
    double left = 0, right = 0;
    for (int j = -m; j <= m; ++j) {
      const double wjk = FilterWeight(kind, m, j, k);
      left += wjk * y[m + 1 + j];
      right += wjk * y[n - m - j];
    }
    out[m + 1 + k] = left;
    out[n - m - k] = mirrorSign * right;
  }

  std::vector<double> centre(2 * m + 1);
  for (int j = -m; j <= m; ++j) centre[m + j] = FilterWeight(kind, m, j, 0);
  for (int i = m + 1; i <= n - m; ++i) {
    double sum = 0;
    for (int j = -m; j <= m; ++j) sum += centre[m + j] * y[i + j];
    out[i] = sum;
  }
  return true;
}

}  // namespace sorvan
