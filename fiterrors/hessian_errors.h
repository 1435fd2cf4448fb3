// Parameter errors of a fitted window from the curvature of chi-square: the
// Hessian is measured by central differences around the fitted parameters,
// inverted, and the standard error of each fit variable taken from the
// diagonal of 2 H^-1 (the covariance of a least-squares fit). The errors of
// the peak areas follow from one more evaluation with every peak entry moved
// away from zero by its error. The numeric part works on plain arrays; the
// window procedures add the data, the progress page and the error table.
#pragma once

#include <functional>
#include <vector>

namespace sorvan {

// The step of an entry of value v: v * 1e-4, or 1e-6 when that is 0.
double CurvatureStep(double value);

// A square matrix of rows and columns 1..size (row and column 0 unused).
struct SquareMatrix {
  int size = 0;
  std::vector<double> a;
  explicit SquareMatrix(int n = 0) : size(n), a(static_cast<std::size_t>(n + 1) * (n + 1), 0.0) {}
  double& operator()(int i, int k) { return a[static_cast<std::size_t>(i) * (size + 1) + k]; }
  double operator()(int i, int k) const { return a[static_cast<std::size_t>(i) * (size + 1) + k]; }
};

// How the measurement reaches its caller.
struct CurvatureCallbacks {
  // Chi-square at x[1..P] (the vector that the measurement moves in place).
  std::function<double(const double* x)> chiSquare;
  // One step of the progress count done.
  std::function<void()> advance;
  // True when the run is to stop (asked between steps).
  std::function<bool()> stop;
};

// Curvature of chi-square around x[1..P] (x is moved and restored in place):
// H(i,i) = s_i (C(x + h_i) - 2 C(x) + C(x - h_i)) / h_i^2, 1 when that is 0;
// H(i,k) = s_i s_k (C(++) - C(+-) - C(-+) + C(--)) / (4 h_i h_k). An entry
// with s = 0 (fixed, or on a limit) is decoupled: diagonal 1, the rest of
// its row and column 0; its chi-square values are not computed.
// Advances 2 + 4P times (one for the base value, one for the single steps,
// one per entry in each of the four mixed passes) and asks `stop` before the
// single steps and before each entry of the mixed passes. False when stopped
// (H is then incomplete).
bool MeasureChiSquareCurvature(int P, double* x, const double* s, const CurvatureCallbacks& cb,
                               SquareMatrix& H);

// Inverts a symmetric matrix in place by Gauss-Jordan elimination with
// partial pivoting, on the matrix scaled to a unit diagonal. False (and the
// matrix undefined) when it is singular (two entries correlated to within
// 1e-9 of each other, or a zero row) or the inverse is not finite.
bool InvertMatrix(SquareMatrix& m);

// Result of turning a curvature matrix into standard errors.
enum class ErrorsOutcome { Done, Singular, NegativeVariance };

// Symmetrises H, inverts it and writes error[u] = sqrt(2 Hinv(u,u)) s_u for
// u = 1..P in order, stopping at the first negative variance (the errors
// of lower indices stay written). A singular matrix writes none.
ErrorsOutcome ErrorsFromCurvature(SquareMatrix H, const double* s, double* error);

// Errors never reach past a limit: for the main entries k = 1, 3, ..., N
// (Height, Shape, Position, Width, Asymmetry of every peak) an error larger
// than the larger distance of x[k] to its limits becomes that distance.
void HoldErrorsInsideLimits(int N, const double* x, const double* lower, const double* upper,
                            const double* s, double* error);

// Errors of the partner-share ratios (entries D+3) of Gauss-Lorentz peaks,
// so that the partner's share stays inside 0..1.
void HoldPartnerShareErrors(int peakCount, bool relative, const double* x, double* error);

// The window procedures: estimate the errors of window w's fit (whose fit
// arrays are sized and loaded), with the progress page; on success the
// error table is built. The peak table is stored back from the fitted values
// and the window redrawn whatever happened, except when the window was closed
// meanwhile. A singular or indefinite curvature shows message 10 and leaves
// ErrorRunState 2.
void EstimateErrorsHessianGaussLorentz(int w);
void EstimateErrorsHessianDoniachSunjic(int w);

}  // namespace sorvan
