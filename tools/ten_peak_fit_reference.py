#!/usr/bin/python3
"""Reference chi-square of a ten-peak Gauss-Lorentz fit, by an independent solver.

The problem (the same in tests/fit/ten_peak_fit_test.cpp and bench/lm_fit.cpp):
ten product Gauss-Lorentz singlets with the program's rounded constant
ln 2 = 0.6931 and its cut of the exponent at 22, on a linear background
A + B b (b = last channel - channel), over n channels 1..n. The counts are the
true model plus a deterministic stand-in for counting noise,
sqrt(v) sin(12.9898 x); the weights are 1/sigma^2 with sigma = sqrt(counts).

Free: every peak's height, Lorentz share, position and half width, and A, B.
Limits: heights 0..1e7, shares 0..1, positions start +- spacing/2, half
widths 0.05 spacing .. spacing, A and B unbounded. Several true shares are
small and every peak starts with share 0.4, so a fit's first steps push
shares towards their lower limit of 0.

The fit is made with scipy.optimize.least_squares(method='trf') from the
same start inside the same limits, to full convergence (tolerances 1e-15),
and its chi-square for each point count is written to
tests/fit/reference/ten_peak_reference.inc with the problem's constants.

Run from the source folder:  /usr/bin/python3 tools/ten_peak_fit_reference.py
Needs Debian's python3-numpy and python3-scipy.
"""

import math
import os

import numpy as np
from scipy.optimize import least_squares

LN2 = 0.6931
CUT = 22.0
POINT_COUNTS = [500, 2000, 8000, 32767]
PEAKS = 10
TRUE_SHARES = [0.1, 0.4, 0.12, 0.6, 0.1, 0.3, 0.15, 0.5, 0.1, 0.25]
START_SHARE = 0.4
TRUE_A, TRUE_B = 200.0, 0.01
START_A, START_B = 150.0, 0.0


def problem(n):
    """Truth, start, lower and upper limits as arrays of 4 entries per peak
    (height, share, position, half width) then A, B."""
    spacing = n / 11.0
    truth, start, lower, upper = [], [], [], []
    for p in range(PEAKS):
        height = 1000.0 + 300.0 * p
        position = spacing * (p + 1)
        width = spacing / 12.0
        truth += [height, TRUE_SHARES[p], position, width]
        s_pos = position + 0.3 * width
        start += [0.9 * height, START_SHARE, s_pos, 1.1 * width]
        lower += [0.0, 0.0, s_pos - spacing / 2, 0.05 * spacing]
        upper += [1e7, 1.0, s_pos + spacing / 2, spacing]
    truth += [TRUE_A, TRUE_B]
    start += [START_A, START_B]
    lower += [-np.inf, -np.inf]
    upper += [np.inf, np.inf]
    return np.array(truth), np.array(start), np.array(lower), np.array(upper)


def model(v, x, n):
    total = v[-2] + v[-1] * (n - x)
    for p in range(PEAKS):
        A, m, x0, w0 = v[4 * p:4 * p + 4]
        w2 = max(w0 * w0, 1e-8)
        t2 = (x - x0) ** 2 / w2
        e = (1.0 - m) * LN2 * t2
        value = A / ((1.0 + m * t2) * np.exp(np.minimum(e, 50.0)))
        total = total + np.where(e > CUT, 0.0, value)
    return total


def counts_of(n):
    truth, _, _, _ = problem(n)
    x = np.arange(1, n + 1, dtype=float)
    v = model(truth, x, n)
    noise = np.array([math.sin(12.9898 * k) for k in range(1, n + 1)])
    return x, v + np.sqrt(v) * noise


def fit(n):
    _, start, lower, upper = problem(n)
    x, counts = counts_of(n)
    sigma = np.sqrt(counts)

    def residuals(v):
        return (model(v, x, n) - counts) / sigma

    r = least_squares(residuals, start, bounds=(lower, upper), method="trf", xtol=1e-15,
                      ftol=1e-15, gtol=1e-15, max_nfev=20000, x_scale="jac")
    chi2 = float(np.sum(residuals(r.x) ** 2))
    shares = r.x[1:4 * PEAKS:4]
    print(f"n={n}: chi-square {chi2:.12g} after {r.nfev} evaluations, status {r.status}, "
          f"smallest share {shares.min():.4g}")
    return chi2


def main():
    chi2 = [fit(n) for n in POINT_COUNTS]
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fit", "reference", "ten_peak_reference.inc")
    lines = [
        "// Made by tools/ten_peak_fit_reference.py: the chi-square that an independent",
        "// bounded least-squares solver reaches on the ten-peak problem described",
        "// there, per point count. Do not edit by hand.",
        "inline constexpr int kTenPeakPointCounts[4] = {" + ", ".join(str(n) for n in POINT_COUNTS) + "};",
        "inline constexpr double kTenPeakChiSquare[4] = {" + ", ".join(f"{c:.17g}" for c in chi2) + "};",
        "inline constexpr double kTenPeakTrueShares[10] = {" + ", ".join(f"{s:.17g}" for s in TRUE_SHARES) + "};",
        f"inline constexpr double kTenPeakStartShare = {START_SHARE:.17g};",
        f"inline constexpr double kTenPeakTrueBackground[2] = {{{TRUE_A:.17g}, {TRUE_B:.17g}}};",
        f"inline constexpr double kTenPeakStartBackground[2] = {{{START_A:.17g}, {START_B:.17g}}};",
        "",
    ]
    with open(out, "w") as f:
        f.write("\n".join(lines))
    print("written", os.path.normpath(out))


if __name__ == "__main__":
    main()
