// Parameter errors of a fitted window from the curvature of chi-square: the
// curvature matrix is measured by central differences around the fitted
// parameters, inverted, and the standard error of each fit variable taken
// from the diagonal of 2 H^-1 (the covariance of a least-squares fit). The errors of
// the peak areas follow from one more evaluation with every peak entry moved
// away from zero by its error. The numeric part works on plain arrays; the
// window procedures add the data, the progress page and the error table.
#pragma once

#include <functional>
#include <vector>

namespace sorvan {

// The step of an entry of value v: |v| * 1e-4, never less than 1e-6 (a zero
// entry, or one so near zero that a relative step would vanish).
double CurvatureStep(double value);

// A square matrix of rows and columns 1..size (row and column 0 unused).
struct SquareMatrix {
  int size = 0;
  std::vector<double> a;
  explicit SquareMatrix(int n = 0) : size(n), a(static_cast<std::size_t>(n + 1) * (n + 1), 0.0) {}
  double& operator()(int i, int k) { return a[static_cast<std::size_t>(i) * (size + 1) + k]; }
  double operator()(int i, int k) const { return a[static_cast<std::size_t>(i) * (size + 1) + k]; }
};

// The weighted residuals at x[1..P]: chi-square is the sum of their squares.
using ResidualsAt = std::function<void(const double* x, std::vector<double>& r)>;

// The derivative of the residuals by entry k, by a central step h:
// column[c] = (r(x + h_k)[c] - r(x - h_k)[c]) / (2 h_k), over the channels
// both evaluations give. x[k] is moved in place and put back.
void ResidualDerivative(int k, double h, double* x, const ResidualsAt& residuals,
                        std::vector<double>& column);

// How the measurement reaches its caller.
struct CurvatureCallbacks {
  // The residuals at the vector that the measurement moves in place.
  ResidualsAt residuals;
  // `steps` steps of the progress count done.
  std::function<void(int steps)> advance;
  // True when the run is to stop (asked between steps).
  std::function<bool()> stop;
};

// Curvature of chi-square around x[1..P] (x is moved and restored in place)
// from the derivatives of the weighted residuals, measured by central steps
// of each entry: H(i,k) = 2 s_i s_k sum_c J_i(c) J_k(c) with
// J_k = (r(x + h_k) - r(x - h_k)) / (2 h_k), 1 on the diagonal when that
// is 0. This is the normal matrix of the least-squares fit, the curvature of
// chi-square without the curvature of the model weighted by the residuals:
// that term is noise on real data, grows with every step away from the exact
// minimum and may leave the matrix indefinite for a good fit; the
// difference of residuals also keeps its precision where a second
// difference of chi-square itself would be lost in rounding (an entry
// stepped by 1e-4 of a value near zero). An entry with s = 0 (fixed, or on a
// limit) is decoupled: diagonal 1, the rest of its row and column 0; it is
// never moved.
// The count advances 1 at the start, 4 per entry (whatever its s) and 1 at
// the end, 4P + 2 in all; `stop` is asked before each entry. False when
// stopped (H is then incomplete).
bool MeasureChiSquareCurvature(int P, double* x, const double* s, const CurvatureCallbacks& cb,
                               SquareMatrix& H);

// True when x lies on its lower or upper limit: equal to it, nearer to it
// than the smallest curvature step 1e-6 (a millionth of the span for limits
// closer together than 1): a value that the fit pressed against the limit
// without landing on it exactly, as a Lorentz share of 7e-9 for a Gaussian
// peak; or off it only by the rounding of the conversions between table and
// fit units (a value held on a limit, stored into the peak table and loaded
// again).
bool OnLimit(double x, double lower, double upper);

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
