#!/usr/bin/python3
"""Reference minima of ten-peak Gauss-Lorentz fits on seeded Poisson spectra,
from several starts each, by an independent solver.

The problem is the one of tools/ten_peak_fit_reference.py (ten product
Gauss-Lorentz singlets with the program's rounded ln 2 = 0.6931 and its cut
of the exponent at 22, on A + B b, b = last channel - channel, channels
1..n), with Poisson counts drawn from a seeded generator, weights
1/counts (a count of 0 counts as 1e-8). For each point count seven starts:
the start of tools/ten_peak_fit_reference.py (heights 0.9 of the truth,
every share 0.4, positions 0.3 half widths high, half widths 1.1 of the
truth), and six drawn around it from the same generator (heights +-0.2 of
the truth, shares +-0.2, positions +-0.4 half widths, half widths +-0.2). Limits: heights 0..1e7, shares 0..1, positions start +- spacing/2,
half widths 0.05 spacing .. spacing, A and B free.

Each start is minimised by scipy.optimize.least_squares(method='trf') with
the analytic Jacobian of the line (the derivatives follow from the line's
formula), to full convergence; the chi-square of each
start's trf minimum is written, with the counts and the starts, to
tests/fit/reference/ten_peak_poisson_reference.inc.

Run from the source folder:  /usr/bin/python3 tools/ten_peak_poisson_reference.py
Needs Debian's python3-numpy and python3-scipy.
"""

import os

import numpy as np
from scipy.optimize import least_squares

LN2 = 0.6931
CUT = 22.0
POINT_COUNTS = [500, 2000, 8000, 32767]
STARTS = 7
PEAKS = 10
SEED = 20261211
TRUE_SHARES = [0.1, 0.4, 0.12, 0.6, 0.1, 0.3, 0.15, 0.5, 0.1, 0.25]
TRUE_A, TRUE_B = 200.0, 0.01


def truth_of(n):
    spacing = n / 11.0
    v = []
    for p in range(PEAKS):
        v += [1000.0 + 300.0 * p, TRUE_SHARES[p], spacing * (p + 1), spacing / 12.0]
    return np.array(v + [TRUE_A, TRUE_B])


def model_and_jacobian(v, x, n, want_jacobian=True):
    total = v[-2] + v[-1] * (n - x)
    jac = np.zeros((len(x), len(v))) if want_jacobian else None
    for p in range(PEAKS):
        A, m, x0, w0 = v[4 * p:4 * p + 4]
        w = w0 if abs(w0) >= 1e-4 else 1e-4
        t = (x - x0) / w
        t2 = t * t
        c = (1.0 - m) * LN2
        e = c * t2
        inside = e <= CUT
        L = 1.0 + m * t2
        G = np.exp(np.minimum(e, 50.0))
        f = np.where(inside, 1.0 / (L * G), 0.0)
        total = total + A * f
        if want_jacobian:
            q = np.where(inside, A / (L * L * G), 0.0)
            jac[:, 4 * p] = f
            jac[:, 4 * p + 1] = q * t2 * (LN2 * L - 1.0)
            jac[:, 4 * p + 2] = 2.0 * q * t * (m + L * c) / w
            jac[:, 4 * p + 3] = 2.0 * q * t2 * (m + L * c) / w
    if want_jacobian:
        jac[:, -2] = 1.0
        jac[:, -1] = n - x
    return total, jac


def limits_of(n, start):
    spacing = n / 11.0
    lower, upper = [], []
    for p in range(PEAKS):
        s_pos = start[4 * p + 2]
        lower += [0.0, 0.0, s_pos - spacing / 2, 0.05 * spacing]
        upper += [1e7, 1.0, s_pos + spacing / 2, spacing]
    return np.array(lower + [-np.inf, -np.inf]), np.array(upper + [np.inf, np.inf])


def starts_of(n, rng):
    """Start 1 is the start of tools/ten_peak_fit_reference.py (heights 0.9
    of the truth, every share 0.4, positions 0.3 half widths high, half
    widths 1.1 of the truth); starts 2..7 draw each entry around it."""
    truth = truth_of(n)
    starts = []
    for s in range(STARTS):
        v = truth.copy()
        for p in range(PEAKS):
            width = truth[4 * p + 3]
            jitter = 0.0 if s == 0 else 1.0
            v[4 * p] = truth[4 * p] * (0.9 + jitter * rng.uniform(-0.2, 0.2))
            v[4 * p + 1] = 0.4 + jitter * rng.uniform(-0.2, 0.2)
            v[4 * p + 2] = truth[4 * p + 2] + width * (0.3 + jitter * rng.uniform(-0.4, 0.4))
            v[4 * p + 3] = width * (1.1 + jitter * rng.uniform(-0.2, 0.2))
        v[-2] = 150.0
        v[-1] = 0.0
        starts.append(v)
    return starts


def fit(n, counts, start):
    x = np.arange(1, n + 1, dtype=float)
    sigma = np.sqrt(np.where(counts <= 0, 1e-8, counts))
    lower, upper = limits_of(n, start)

    def residuals(v):
        return (model_and_jacobian(v, x, n, False)[0] - counts) / sigma

    def jacobian(v):
        return model_and_jacobian(v, x, n)[1] / sigma[:, None]

    best = None
    for method in ("trf",):
        r = least_squares(residuals, start, jac=jacobian, bounds=(lower, upper), method=method,
                          xtol=1e-15, ftol=1e-15, gtol=1e-15, max_nfev=5000, x_scale="jac")
        chi2 = float(np.sum(residuals(r.x) ** 2))
        if method == "trf":
            trf = chi2
        best = chi2 if best is None else min(best, chi2)
    return trf, best


def main():
    rng = np.random.default_rng(SEED)
    cases = []
    for n in POINT_COUNTS:
        x = np.arange(1, n + 1, dtype=float)
        clean = model_and_jacobian(truth_of(n), x, n, False)[0]
        counts = rng.poisson(clean).astype(float)
        starts = starts_of(n, rng)
        results = []
        for k, start in enumerate(starts):
            trf, best = fit(n, counts, start)
            print(f"n={n} start {k + 1}: trf {trf:.12g}")
            results.append(trf)
        cases.append((n, counts, starts, results))

    def arr(values, fmt="{:.17g}"):
        return "{" + ", ".join(fmt.format(v) for v in values) + "}"

    lines = [
        "// Made by tools/ten_peak_poisson_reference.py: seeded Poisson spectra of the",
        "// ten-peak problem, seven starts per point count, and the chi-square that an",
        "// independent bounded solver (trf) reaches from each start. Do not edit by hand.",
        f"inline constexpr int kPoissonSizes = {len(POINT_COUNTS)};",
        f"inline constexpr int kPoissonStarts = {STARTS};",
        "inline constexpr int kPoissonPointCounts[kPoissonSizes] = " + arr(POINT_COUNTS, "{:d}") + ";",
        "// Counts of every size, one after the other (channels 1..n of each).",
        "inline constexpr int kPoissonCounts[] = " +
        arr(np.concatenate([c[1] for c in cases]).astype(int), "{:d}") + ";",
        "// Per size and start: height, share, channel, half width of each peak, then A, B.",
        "inline constexpr double kPoissonStartValues[kPoissonSizes][kPoissonStarts][42] = {",
    ]
    for n, counts, starts, results in cases:
        lines.append("    {" + ",\n     ".join(arr(s) for s in starts) + "},")
    lines.append("};")
    lines.append("inline constexpr double kPoissonChiSquare[kPoissonSizes][kPoissonStarts] = {")
    for n, counts, starts, results in cases:
        lines.append("    " + arr(results) + ",")
    lines += ["};", ""]
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fit", "reference", "ten_peak_poisson_reference.inc")
    with open(out, "w") as f:
        f.write("\n".join(lines))
    print("written", os.path.normpath(out))


if __name__ == "__main__":
    main()
