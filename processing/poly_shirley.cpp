// Numeric routines of the polynomial-Shirley background and of the start of
// the fitted background.
#include "processing/poly_shirley.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "fit/lm_fit.h"

namespace sorvan {

namespace {

int LastPoint(std::size_t size) { return static_cast<int>(size) - 1; }

}  // namespace

void PolyShirleyFromShirleyPart(std::span<const double> shirleyPart, std::span<double> b,
                                int first, int last, double left, const double* terms) {
  const int lo = std::max(first, 1);
  const int hi = std::min({last, LastPoint(shirleyPart.size()), LastPoint(b.size())});
  if (hi < lo) return;
  const double A = terms[1], B = terms[2], C = terms[3], D = terms[4], E = terms[5];
  if (hi == lo) {
    b[lo] = A;
    return;
  }
  double shirleyMax = 1.0;
  for (int i = lo; i <= hi; ++i) shirleyMax = std::max(shirleyMax, shirleyPart[i] - A);
  std::vector<double> q(static_cast<std::size_t>(hi) + 1, 0.0);
  double polyMax = 1.0;
  for (int i = hi; i >= lo; --i) {
    const double x = last - i;
    q[i] = x * (B + x * (C + x * D));
    polyMax = std::max(polyMax, q[i]);
  }
  double sumMax = 0.0;
  for (int i = lo; i <= hi; ++i) {
    q[i] = q[i] / polyMax + E * (shirleyPart[i] - A) / shirleyMax;
    sumMax = std::max(sumMax, q[i]);
  }
  for (int i = lo; i <= hi; ++i) b[i] = sumMax == 0.0 ? A : A + (left - A) * q[i] / sumMax;
}

void FitBackgroundStartShapes(std::span<const double> y, double constant, int first, int last,
                              double step, std::span<double> shirley, std::span<double> tougaard) {
  const int n = std::min({LastPoint(y.size()), LastPoint(shirley.size()),
                          LastPoint(tougaard.size())});
  if (n < 1) return;
  const int lo = std::max(first, 1);
  const int hi = std::min(last, n);
  std::vector<double> above(static_cast<std::size_t>(n) + 1, 0.0);
  for (int i = lo; i <= hi; ++i) above[i] = y[i] - constant;
  std::vector<double> kernel(static_cast<std::size_t>(n) + 2, 0.0);
  if (hi < lo) {
    std::fill(shirley.begin(), shirley.begin() + n + 1, 0.0);
    std::fill(tougaard.begin(), tougaard.begin() + n + 1, 0.0);
    return;
  }
  BuildFitBackgroundBasis(above.data(), n, lo, hi, step, true, shirley.data(), tougaard.data(),
                          kernel.data());
}

void FitBackgroundCurve(std::span<double> b, std::span<const double> shirley,
                        std::span<const double> tougaard, int first, int last,
                        const double* terms) {
  const int lo = std::max(first, 1);
  const int hi = std::min({last, LastPoint(b.size()), LastPoint(shirley.size()),
                           LastPoint(tougaard.size())});
  for (int i = hi; i >= lo; --i) {
    const double x = last - i;
    b[i] = terms[1] + x * (terms[2] + x * (terms[3] + x * terms[4])) + terms[5] * shirley[i] +
           terms[6] * tougaard[i];
  }
}

double FitBackgroundStartShirley(std::span<const double> y, std::span<const double> shirley,
                                 int first, double constant, double current) {
  if (first < 1 || first > LastPoint(y.size()) || first > LastPoint(shirley.size())) return current;
  if (shirley[first] == 0.0) return current;
  return (y[first] - constant) / shirley[first];
}

}  // namespace sorvan
