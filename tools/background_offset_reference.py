#!/usr/bin/python3
"""Reference for the fit of one peak with its background fitted alongside,
started 2 eV off in position.

Makes a seeded synthetic spectrum (energy step 0.1 eV): one Gauss-Lorentz
singlet on A + E S + F T, where S is the running sum of the peak sum from the
end of the region (a Shirley step) and T the loss tail of the peak sum,
T(i) = 2866 s sum_{j >= i} K((j - i + 1) s) peak(j) with the universal loss
cross-section K(E) = E / (E^2 + 1643)^2 and s the energy step, with Poisson
noise. Free: height, Lorentz share, position, half width, A, E and F.

The program's fit treats S and T as basis functions rebuilt from the
accepted peaks before every step, so at convergence the peak is optimal for
the S and T of its own curve. The reference iterates as
tools/fit_background_reference.py does: fix S and T from the current peak,
solve the bounded least-squares problem with them (scipy.optimize.least_squares,
checked by a second method once the sweeps close in), and repeat until the parameters no longer
change. It starts from the test's start, the peak 20 channels (2 eV) off.

Writes tests/fit/reference/background_offset_reference.inc.
Run from the source folder:  /usr/bin/python3 tools/background_offset_reference.py
Needs Debian's python3-numpy and python3-scipy.
"""

import os

import numpy as np
from scipy.optimize import least_squares

LN2 = 0.6931
CUT = 22.0
POINTS = 200
STEP = 0.1
SEED = 20261212
TRUTH = [5000.0, 0.3, 100.0, 8.0, 100.0, 0.004, 1.0]  # A_peak m x0 w0 | A E F
START = [4500.0, 0.4, 120.0, 9.0, 80.0, 0.003, 0.5]
# Bounds of the solves: a height not below 0, a share inside 0..1, a half
# width of at least half a channel (the fit keeps the same through its limits).
LOWER = [0.0, 0.0, 1.0, 0.5, -np.inf, -np.inf, -np.inf]
UPPER = [np.inf, 1.0, 200.0, 100.0, np.inf, np.inf, np.inf]


def line(x, A, m, x0, w0):
    w2 = max(w0 * w0, 1e-8)
    t2 = (x - x0) ** 2 / w2
    e = (1.0 - m) * LN2 * t2
    v = A / ((1.0 + m * t2) * np.exp(np.minimum(e, 50.0)))
    return np.where(e > CUT, 0.0, v)


def shirley(total):
    return np.cumsum(total[::-1])[::-1]


def tail(total):
    n = len(total)
    loss = np.arange(1, n + 1) * STEP
    k = loss / (loss * loss + 1643.0) ** 2
    t = np.array([np.dot(total[i:], k[:n - i]) for i in range(n)])
    return 2866.0 * STEP * t


def model(v, x, S, T):
    return line(x, *v[:4]) + v[4] + v[5] * S + v[6] * T


def main():
    x = np.arange(1, POINTS + 1, dtype=float)
    peak = line(x, *TRUTH[:4])
    clean = model(np.array(TRUTH), x, shirley(peak), tail(peak))
    counts = np.random.default_rng(SEED).poisson(clean).astype(float)
    sigma = np.sqrt(np.where(counts <= 0, 1e-8, counts))

    current = np.array(START)
    for sweep in range(300):
        p = line(x, *current[:4])
        S, T = shirley(p), tail(p)
        solutions = []
        # The second method checks the solves near the end, where both must
        # find the same minimum (far from it they may part ways).
        for method in ("trf", "dogbox") if sweep > 5 else ("trf",):
            r = least_squares(lambda v: (model(v, x, S, T) - counts) / sigma, current,
                              bounds=(LOWER, UPPER), method=method, xtol=1e-15, ftol=1e-15, gtol=1e-15,
                              max_nfev=20000, x_scale="jac")
            solutions.append(r.x)
        if len(solutions) == 2:
            spread = np.max(np.abs(solutions[0] - solutions[1]) / np.maximum(np.abs(solutions[0]), 1e-12))
            assert spread < 1e-6, "the two solvers disagree"
        change = np.max(np.abs(solutions[0] - current) / np.maximum(np.abs(solutions[0]), 1e-12))
        current = solutions[0]
        if change < 1e-14:
            break
    p = line(x, *current[:4])
    chi2 = float(np.sum(((model(current, x, shirley(p), tail(p)) - counts) / sigma) ** 2))
    print(f"{sweep + 1} sweeps, change {change:.1e}, chi-square {chi2:.10g}, fitted {current}")

    def arr(values, fmt="{:.17g}"):
        return "{" + ", ".join(fmt.format(v) for v in values) + "}"

    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fit", "reference", "background_offset_reference.inc")
    with open(out, "w") as f:
        f.write("\n".join([
            "// Made by tools/background_offset_reference.py: one singlet on a constant,",
            "// Shirley and loss-tail background, all fitted, and the fixed point that an",
            "// independent solver reaches from a start 20 channels (2 eV) off.",
            "// Do not edit by hand.",
            f"inline constexpr int kOffsetPoints = {POINTS};",
            f"inline constexpr double kOffsetStep = {STEP};",
            "inline const std::vector<double> kOffsetCounts = " + arr(counts, "{:.0f}") + ";",
            "// Height, Lorentz share, channel, half width in channels; then A, E, F.",
            "inline const std::vector<double> kOffsetStart = " + arr(START) + ";",
            "inline const std::vector<double> kOffsetFitted = " + arr(current) + ";",
            f"inline constexpr double kOffsetChiSquare = {chi2:.17g};",
            "",
        ]))
    print("written", os.path.normpath(out))


if __name__ == "__main__":
    main()
