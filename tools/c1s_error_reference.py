#!/usr/bin/python3
"""Reference errors of a three-peak fit of a real C 1s spectrum.

The tests of the error command fit three Gauss-Lorentz peaks to the C 1s
block of ../shared/samples/vamas/five-regions.vms from the menu (counts per
second, binding-energy axis, one Shirley pass kept as the defined background,
Lorentz shares and asymmetries fixed) and estimate the parameter errors by
both methods. This script computes the same numbers independently:

1. It reads the C 1s block from the VAMAS file itself: the dwell time and the
   scan count that follow the block's "pulse counting" line, the 602 ordinate
   values after them (counts and transmission interleaved; the counts are the
   even ones) and checks them against the minimum and maximum stated in the
   block.
2. Counts per second y = counts / (scans * dwell); the background is one
   Shirley pass from a flat start at the right end level, the end levels
   being the means of the first and the last three points; the fitted data
   are y - background, the weights 1 / sigma^2 with sigma = sqrt(counts / f)
   (f = scans * dwell), and chi-square = f * sum((model - data) / sigma)^2,
   which is the chi-square of the counts.
3. The model is the product Gauss-Lorentz line with the program's rounded
   constant ln 2 = 0.6931 and its cut of the exponent at 22, in channel units
   (position in channels, half width in channels).
4. It fits the nine free entries (heights, positions, half widths) from the
   start values that the test types, with scipy's bounded least squares to
   full convergence, inside the limits the test types.
5. Curvature errors: the standard errors of the least-squares fit,
   sqrt(diag((J^T J)^-1)) with J the Jacobian of the weighted residuals at
   the minimum (central differences of the model with small steps); and the
   errors from the Hessian of chi-square itself, sqrt(diag(2 H^-1)), with H
   measured by central second differences of chi-square with the steps
   h_k = 1e-4 |x_k|: H(k,k) = (C(+k) - 2 C0 + C(-k)) / h_k^2 and
   H(i,k) = (C(++) - C(+-) - C(-+) + C(--)) / (4 h_i h_k), each difference
   summed channel by channel. The diagonal of that H also gives the first
   estimates of the profile, sqrt(2 / H(k,k)).
6. Profile errors, the same definition as the program's chi-square profile:
   for each free entry k, e(k) = sqrt(2 / H(k,k)) (the diagonal estimate);
   the entry is held at x0 + j e(k) for j = 0, 1, 2, ... (and downwards) with
   all other entries refitted, until chi-square is no longer below C0 + 1
   (C0 the chi-square of the fit) or the entry would leave its limits; the
   error is the largest of e(k) and the two offsets reached (each a whole
   multiple of e(k)); an error larger than the larger distance of the value
   to its limits becomes that distance.

The fitted vector and both sets of errors (fit units: channels, half widths
in channels) go to tests/fiterrors/reference/c1s_errors.inc.

Run from the source folder:  /usr/bin/python3 tools/c1s_error_reference.py
Needs Debian's python3-numpy and python3-scipy.
"""

import math
import os

import numpy as np
from scipy.optimize import least_squares

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, "..", "..", "shared", "samples", "vamas", "five-regions.vms")
OUT = os.path.join(HERE, "..", "tests", "fiterrors", "reference", "c1s_errors.inc")

LN2 = 0.6931
CUT = 22.0
AVERAGE_POINTS = 3

# What the test types on the pages: energies in eV on the binding axis.
PEAKS = 3
START = [(800.0, 0.3, 282.5, 1.2), (150.0, 0.3, 284.2, 1.5), (80.0, 0.3, 286.5, 1.5)]
LIMITS = dict(height=(0.0, 10000.0), position=(278.0, 290.0), width=(0.3, 4.0))


def read_c1s_block(path):
    lines = open(path, encoding="latin-1").read().splitlines()
    start = next(i for i, s in enumerate(lines) if s.strip() == "C 1s" and lines[i + 1].strip() == "Ni-W")
    at = next(i for i in range(start, len(lines)) if lines[i].strip() == "pulse counting")
    dwell = float(lines[at + 1])
    scans = float(lines[at + 2])
    count_line = next(i for i in range(at, len(lines)) if lines[i].strip() == "602")
    low, high = float(lines[count_line + 1]), float(lines[count_line + 2])
    values = [float(s) for s in lines[count_line + 5:count_line + 5 + 602]]
    counts = np.array(values[0::2])
    assert counts.min() == low and counts.max() == high, "not the block's counts"
    # The abscissa: kinetic start and step, two lines before the variable names.
    kinetic_line = next(i for i in range(start, at) if lines[i].strip() == "Kinetic energy")
    e0 = float(lines[kinetic_line + 2])
    step = float(lines[kinetic_line + 3])
    excitation = 1486.69
    return counts, scans * dwell, e0, step, excitation


COUNTS, F, E0, STEP, HV = read_c1s_block(SAMPLE)
N = len(COUNTS)
CH = np.arange(1, N + 1, dtype=float)
Y = COUNTS / F


def shirley_one_pass(y):
    left = y[:AVERAGE_POINTS].mean()
    right = y[-AVERAGE_POINTS:].mean()
    d = y - right
    integral = np.zeros_like(y)
    tail = 0.0
    for i in range(len(y) - 1, -1, -1):
        integral[i] = tail + 0.5 * d[i]
        tail += d[i]
    return right + (left - right) / d.sum() * integral


BACKGROUND = shirley_one_pass(Y)
TARGET = Y - BACKGROUND
SIGMA = np.sqrt(COUNTS / F)


def channel(binding):
    return 1.0 + (HV - E0 - binding) / STEP


def line(A, m, x0, w0):
    d = CH - x0
    w2 = w0 * w0
    w2 = 1e-5 if w2 == 0 else max(w2, 1e-8)
    t2 = d * d / w2
    e = (1.0 - m) * LN2 * t2
    v = A / ((1.0 + m * t2) * np.exp(np.minimum(e, 50.0)))
    return np.where(e > CUT, 0.0, v)


SHAPES = [s[1] for s in START]


def model(q):
    """q: height, position (channel), half width (channels) of each peak."""
    total = np.zeros_like(CH)
    for p in range(PEAKS):
        A, x0, w0 = q[3 * p:3 * p + 3]
        total += line(A, SHAPES[p], x0, w0)
    return total


def residuals(q):
    return math.sqrt(F) * (model(q) - TARGET) / SIGMA


def chi2(q):
    return float(np.sum(residuals(q) ** 2))


def jacobian(q):
    cols = []
    for k in range(len(q)):
        h = 1e-6 * max(abs(q[k]), 1.0)
        up = q.copy()
        up[k] += h
        down = q.copy()
        down[k] -= h
        cols.append((residuals(up) - residuals(down)) / (2 * h))
    return np.array(cols).T


def chi2_hessian(q):
    """Hessian of chi-square by central second differences, steps 1e-4 |q|."""
    n = len(q)
    h = np.array([1e-4 * abs(v) if v != 0 else 1e-6 for v in q])
    r0 = residuals(q)

    def change(steps):
        moved = q.copy()
        for k, sign in steps:
            moved[k] += sign * h[k]
        r = residuals(moved)
        return r * r - r0 * r0  # summed later, channel by channel

    H = np.zeros((n, n))
    for k in range(n):
        H[k, k] = np.sum(change([(k, 1)]) + change([(k, -1)])) / h[k] ** 2
    for i in range(n):
        for k in range(i + 1, n):
            d = (change([(i, 1), (k, 1)]) - change([(i, 1), (k, -1)])
                 - change([(i, -1), (k, 1)]) + change([(i, -1), (k, -1)]))
            H[i, k] = H[k, i] = np.sum(d) / (4 * h[i] * h[k])
    return H


def bounds():
    lo, hi = [], []
    for _ in range(PEAKS):
        lo += [LIMITS["height"][0], channel(LIMITS["position"][1]), LIMITS["width"][0] / STEP / 2]
        hi += [LIMITS["height"][1], channel(LIMITS["position"][0]), LIMITS["width"][1] / STEP / 2]
    return np.array(lo), np.array(hi)


LOWER, UPPER = bounds()


def fit(q0, held=None):
    """Least squares from q0 with entry `held` kept at its value."""
    free = [k for k in range(len(q0)) if k != held]

    def full(z):
        q = q0.copy()
        q[free] = z
        return q

    r = least_squares(lambda z: residuals(full(z)), q0[free], bounds=(LOWER[free], UPPER[free]),
                      x_scale="jac", xtol=1e-15, ftol=1e-15, gtol=1e-15, max_nfev=10000)
    return full(r.x)


def profile_error(q, k, e, c0):
    def walk(direction):
        offset = 0.0
        current = q.copy()
        for _ in range(50):
            if current[k] < LOWER[k] or current[k] > UPPER[k]:
                return offset  # the fit's bounds would move the held entry
            current = fit(current, held=k)
            if not chi2(current) < c0 + 1:
                return offset
            offset += e
            current[k] += direction * e
        return offset

    error = max(e, walk(+1), walk(-1))
    larger = max(abs(q[k] - LOWER[k]), abs(UPPER[k] - q[k]))
    return min(error, larger)


def main():
    q0 = []
    for A, _, E, fwhm in START:
        q0 += [A, channel(E), fwhm / STEP / 2]
    q = fit(np.array(q0))
    q = fit(q)
    c0 = chi2(q)
    J = jacobian(q)
    hessian_errors = np.sqrt(np.diag(np.linalg.inv(J.T @ J)))
    H = chi2_hessian(q)
    assert np.all(np.linalg.eigvalsh(H) > 0), "the Hessian of chi-square is not positive definite"
    chi2_hessian_errors = np.sqrt(np.diag(2 * np.linalg.inv(H)))
    first = np.sqrt(2 / np.diag(H))
    profile_errors = [profile_error(q, k, first[k], c0) for k in range(len(q))]
    print(f"chi-square {c0:.6f}, reduced {c0 / (N - 5 * PEAKS):.4f}")
    names = ["height", "position", "half width"]
    for k in range(len(q)):
        print(f"peak {k // 3 + 1} {names[k % 3]:10s} {q[k]:14.6f}  curvature {hessian_errors[k]:.6g}"
              f"  chi2 Hessian {chi2_hessian_errors[k]:.6g}"
              f"  first {first[k]:.6g}  profile {profile_errors[k]:.6g}")
    # Fit-vector entries 1, 5, 7 of each peak (height, position, half width).
    entries = []
    for p in range(PEAKS):
        entries += [10 * p + 1, 10 * p + 5, 10 * p + 7]

    def arr(v):
        return "{" + ", ".join(f"{x:.17g}" for x in v) + "}"

    text = [
        "// Made by tools/c1s_error_reference.py: the three-peak fit of the C 1s block of",
        "// five-regions.vms and its parameter errors, computed independently of the",
        "// program. Fit units: heights in counts per second, positions in channels,",
        "// half widths in channels. Do not edit by hand.",
        f"inline constexpr double kC1sChiSquare = {c0:.17g};",
        f"inline constexpr int kC1sEntries[{len(entries)}] = {{{', '.join(str(e) for e in entries)}}};",
        f"inline constexpr double kC1sFitted[{len(q)}] = {arr(q)};",
        f"inline constexpr double kC1sCurvatureErrors[{len(q)}] = {arr(hessian_errors)};",
        f"inline constexpr double kC1sChiSquareHessianErrors[{len(q)}] = {arr(chi2_hessian_errors)};",
        f"inline constexpr double kC1sFirstEstimates[{len(q)}] = {arr(first)};",
        f"inline constexpr double kC1sProfileErrors[{len(q)}] = {arr(profile_errors)};",
        "",
    ]
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w") as f:
        f.write("\n".join(text))
    print("written", os.path.normpath(OUT))


if __name__ == "__main__":
    main()
