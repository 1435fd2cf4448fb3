// Parameter errors of a fitted window from the curvature of chi-square: the
// Hessian of chi-square is measured by central second differences around the
// fitted parameters, inverted, and the standard error of each fit variable
// taken from the diagonal of 2 H^-1. Where that Hessian is not positive
// definite, the normal matrix of the fit takes its place, and the window
// says so. The errors of
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

// How the measurement reaches its caller.
struct CurvatureCallbacks {
  // The residuals at the vector that the measurement moves in place.
  ResidualsAt residuals;
  // `steps` steps of the progress count done.
  std::function<void(int steps)> advance;
  // True when the run is to stop (asked between steps).
  std::function<bool()> stop;
};

// Curvature of chi-square around x[1..P] (x is moved and restored in place),
// measured by central second differences of chi-square with the step
// h_k = CurvatureStep(x[k]) of each entry:
//   H(k,k) = s_k [C(+k) - 2 C0 + C(-k)] / h_k^2,
//   H(i,k) = s_i s_k [C(++) - C(+i) - C(+k) + 2 C0 - C(-i) - C(-k) + C(--)] / (2 h_i h_k),
// the pair steps moving i and k together up (++) or down (--), the single
// steps reused. Every difference is summed channel by channel from the
// changes of the residuals, so that the large equal parts of the chi-squares
// cancel exactly and an entry stepped by a millionth keeps its precision.
// A diagonal that comes out 0 (a direction that does not change chi-square)
// becomes 1. An entry with s = 0 (fixed, or on a limit) is decoupled:
// diagonal 1, the rest of its row and column 0; it is never moved.
// With `normal`, the normal matrix of the fit, 2 s_i s_k sum_c J_i(c) J_k(c)
// with J_k = (r(x + h_k) - r(x - h_k)) / (2 h_k), is built from the same
// single steps (decoupled and flat entries as above): the curvature without
// the model's own curvature weighted by the residuals, positive definite
// where chi-square itself may not be.
// The count advances 1 at the start, 2 per entry in the single steps, 2 per
// entry in the pair steps and 1 at the end, 4P + 2 in all; `stop` is asked
// before each entry of both passes. False when stopped (H is then incomplete).
bool MeasureChiSquareCurvature(int P, double* x, const double* s, const CurvatureCallbacks& cb,
                               SquareMatrix& H, SquareMatrix* normal = nullptr);

// Whether the symmetric part of H is positive definite (a Cholesky
// factorisation finds every pivot positive).
bool PositiveDefinite(const SquareMatrix& H);

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
// error table is built. A main entry that the fit holds on a limit, or at
// the floor its bounds keep an entry at instead of 0 or below, is on its
// limit: it takes no part (error 0). The peak table is stored back from the fitted values
// and the window redrawn whatever happened, except when the window was closed
// meanwhile. A singular or indefinite curvature shows message 10 and leaves
// ErrorRunState 2.
void EstimateErrorsHessianGaussLorentz(int w);
void EstimateErrorsHessianDoniachSunjic(int w);

}  // namespace sorvan
