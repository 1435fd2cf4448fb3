#!/usr/bin/python3
"""Reference numbers for the test of the background fitted with the peaks.

Makes a seeded synthetic spectrum: two Gauss-Lorentz singlets on a
background A + B b + E S, where b is the distance in channels from the end
of the region and S the running sum of the peak sum from the end of the
region (a Shirley step that follows the peaks), with Poisson noise. It then
finds the program's fit result with an independent solver
(scipy.optimize.least_squares).

S belongs to the peaks: the model of a parameter set is its peak sum plus the
background with the S of that same peak sum, and the reference minimises the
chi-square of that whole model, S rebuilt at every evaluation.

Writes tests/fit/reference/fitted_background_reference.inc.
Run from the source folder:  /usr/bin/python3 tools/fit_background_reference.py
Needs Debian's python3-numpy and python3-scipy.
"""

import os
import numpy as np
from scipy.optimize import least_squares

LN2 = 0.6931  # the rounded constant of the program's product line
CUT = 22.0

POINTS = 300
SEED = 20261211
# Per peak: height, Lorentz share, channel, half width (channels), asymmetry.
TRUTH_PEAKS = [[4000.0, 0.3, 110.0, 8.0, 0.0], [2200.0, 0.5, 190.0, 6.5, 0.0]]
TRUTH_BACKGROUND = [150.0, 0.4, 0.0, 0.0, 0.006, 0.0]  # A B C D E F
START_PEAKS = [[3500.0, 0.45, 113.0, 9.5, 0.0], [2600.0, 0.35, 187.0, 5.5, 0.0]]
START_BACKGROUND = [250.0, 0.2, 0.0, 0.0, 0.003, 0.0]
FREE_PEAK = [1, 1, 1, 1, 0]
FREE_BACKGROUND = [1, 1, 0, 0, 1, 0]


def line(x, A, m, x0, w0, a):
    d = x - x0
    w = w0 + a * d
    absent = (a != 0.0) & (w0 <= -a * d)
    w2 = np.where(w * w < 1e-8, 1e-8, w * w)
    t2 = d * d / w2
    e = (1.0 - m) * LN2 * t2
    v = A / ((1.0 + m * t2) * np.exp(np.minimum(e, 50.0)))
    return np.where(absent | (e > CUT), 0.0, v)


def peak_sum(peaks, x):
    return sum(line(x, *p) for p in peaks)


def shirley(total):
    # S(i) = sum over j = i..last of the peak sum.
    return np.cumsum(total[::-1])[::-1]


def background(t, x, S, last):
    b = last - x
    return t[0] + t[1] * b + t[2] * b * b + t[3] * b ** 3 + t[4] * S


def unpack(v):
    return [list(v[5 * k:5 * k + 5]) for k in range(len(TRUTH_PEAKS))], list(v[-6:])


def fit_whole_model(start, mask, total_of, background_of, counts, sigma, check=True):
    """The minimum of the chi-square of the whole model: the peaks plus their
    background, with the Shirley step S made from the peaks of every
    parameter set evaluated (so the solver's derivatives include the way S
    moves with the peaks). total_of(v) is the peak sum of the parameter
    vector v, background_of(v, S) its background with the step S. Solved by
    least_squares 'lm' (forward differences) and, with `check`, also by
    'trf' (central differences); the two must reach the same chi-square. Returns the parameters
    and the chi-square."""

    def residuals(q):
        v = start.copy()
        v[mask] = q
        total = total_of(v)
        return (total + background_of(v, shirley(total)) - counts) / sigma

    results = []
    for method in ("lm", "trf") if check else ("lm",):
        r = least_squares(residuals, start[mask], jac="3-point" if method != "lm" else "2-point",
                          method=method, xtol=1e-15, ftol=1e-15, gtol=1e-15, max_nfev=20000,
                          x_scale="jac")
        results.append((float(np.sum(residuals(r.x) ** 2)), r.x))
    results.sort(key=lambda t: t[0])
    if check:
        assert results[1][0] - results[0][0] <= 1e-9 * results[0][0], "the two solvers disagree"
    v = start.copy()
    v[mask] = results[0][1]
    return v, results[0][0]


def cxx_array(values, fmt="{:.17g}"):
    return "{" + ", ".join(fmt.format(v) for v in values) + "}"


def write_case(out, heading, prefix, counts, start, mask, fitted, chi2, entries):
    """Writes one case as C++ constants named k<prefix>...: the point count,
    the counts, the start, the free marks, the fitted parameters and the
    chi-square. `heading` are the comment lines on top, `entries` the comment
    lines that say what a peak's entries are."""
    lines = heading + [
        f"inline constexpr int k{prefix}Points = {len(counts)};",
        "// Counts at channels 1..points.",
        f"inline const std::vector<double> k{prefix}Counts = " + cxx_array(counts, "{:.0f}") + ";",
    ] + entries + [
        f"inline const std::vector<double> k{prefix}Start = " + cxx_array(start) + ";",
        f"inline const std::vector<int> k{prefix}Free = " + cxx_array(mask.astype(int), "{:d}") + ";",
        f"inline const std::vector<double> k{prefix}Fitted = " + cxx_array(fitted) + ";",
        f"inline constexpr double k{prefix}ChiSquare = {chi2:.17g};",
        "",
    ]
    with open(out, "w") as f:
        f.write("\n".join(lines))
    print("written", os.path.normpath(out))


def main():
    x = np.arange(1, POINTS + 1, dtype=float)
    truth_total = peak_sum(TRUTH_PEAKS, x)
    clean = truth_total + background(TRUTH_BACKGROUND, x, shirley(truth_total), POINTS)
    counts = np.random.default_rng(SEED).poisson(clean).astype(float)
    sigma = np.sqrt(np.where(counts <= 0, 1e-8, counts))

    start = np.array(sum(START_PEAKS, []) + START_BACKGROUND)
    mask = np.array(FREE_PEAK * len(TRUTH_PEAKS) + FREE_BACKGROUND, dtype=bool)
    current, chi2 = fit_whole_model(
        start, mask, lambda v: peak_sum(unpack(v)[0], x),
        lambda v, S: background(unpack(v)[1], x, S, POINTS), counts, sigma)
    print(f"chi-square {chi2:.10g}")

    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fit", "reference", "fitted_background_reference.inc")
    write_case(out, [
        "// Made by tools/fit_background_reference.py: a seeded synthetic spectrum of",
        "// two singlets on A + B b + E S and its fit by an independent solver.",
        "// Do not edit by hand.",
    ], "BackgroundCase", counts, start, mask, current, chi2, [
        "// Per peak: height, Lorentz share, channel, half width in channels,",
        "// asymmetry; then the terms A..F.",
    ])


if __name__ == "__main__":
    main()
