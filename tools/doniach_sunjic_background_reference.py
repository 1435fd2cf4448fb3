#!/usr/bin/python3
"""Reference numbers for the test of the Doniach-Sunjic fit with a background
fitted alongside the peaks.

Makes a seeded synthetic spectrum: two Doniach-Sunjic singlets broadened by a
Gaussian on a background A + B b + E S, where b is the distance in channels
from the end of the region and S the running sum of the peak sum from the end
of the region (a Shirley step that follows the peaks), with Poisson noise. It
then finds the program's fit result with an independent solver
(scipy.optimize.least_squares).

The line, as the program evaluates it on channels c = 1..n:
  u(c) = cos(pi a / 2 + (1 - a) atan(d / g)) / (d^2 + g^2)^((1 - a) / 2),
  d = c - x0, g the Lorentz half width (at least 1e-6), a the asymmetry;
convolved with the Gaussian exp(-ln2 e^2 / s^2) for offsets e = 1.. while
the exponent stays at most 22 (s the Gaussian half width), each point divided
by the sum of the weights it used; finally scaled so that its largest
magnitude over the points is the height A.

S belongs to the peaks: the reference minimises the chi-square of the whole
model, the S of every parameter set made from its own peaks, by two methods
that must agree (tools/fit_background_reference.py).

Writes tests/fit/reference/doniach_sunjic_background_reference.inc.
Run from the source folder:  /usr/bin/python3 tools/doniach_sunjic_background_reference.py
Needs Debian's python3-numpy and python3-scipy.
"""

import os
import numpy as np

# The whole-model fit, the Shirley step and the writer are those of the
# Gauss-Lorentz case beside this script.
from fit_background_reference import fit_whole_model, shirley, write_case

POINTS = 250
SEED = 20261212
# Per peak: height, Gaussian half width, channel, Lorentz half width
# (both widths in channels), asymmetry.
TRUTH_PEAKS = [[3000.0, 3.0, 90.0, 4.0, 0.08], [1500.0, 3.0, 150.0, 5.0, 0.05]]
TRUTH_BACKGROUND = [300.0, 0.5, 0.0, 0.0, 0.004, 0.0]  # A B C D E F
START_PEAKS = [[2600.0, 3.5, 93.0, 3.5, 0.1], [1700.0, 2.5, 147.0, 5.5, 0.04]]
START_BACKGROUND = [250.0, 0.3, 0.0, 0.0, 0.002, 0.0]
FREE_PEAK = [1, 1, 1, 1, 1]
FREE_BACKGROUND = [1, 1, 0, 0, 1, 0]


def kernel(sigma, n):
    weights = []
    if sigma > 0:
        for e in range(1, n + 1):
            g = np.log(2.0) * e * e / (sigma * sigma)
            if g > 22.0:
                break
            weights.append(np.exp(-g))
    return np.array(weights)


def line(n, height, sigma, x0, gamma, alpha):
    c = np.arange(1, n + 1, dtype=float)
    d = c - x0
    g = max(gamma, 1e-6)
    u = np.cos(np.pi * alpha / 2 + (1 - alpha) * np.arctan(d / g)) / (d * d + g * g) ** ((1 - alpha) / 2)
    k = kernel(sigma, n)
    out = np.empty(n)
    for i in range(n):
        total, used = u[i], 1.0
        up = min(len(k), n - 1 - i)
        if up > 0:
            total += np.dot(u[i + 1:i + 1 + up], k[:up])
            used += k[:up].sum()
        down = min(len(k), i)
        if down > 0:
            total += np.dot(u[i - down:i][::-1], k[:down])
            used += k[:down].sum()
        out[i] = total / used
    largest = np.abs(out).max()
    return out * (height / largest if largest > 0 else 0.0)


def peak_sum(peaks):
    return sum(line(POINTS, *p) for p in peaks)


def background(t, S):
    x = np.arange(1, POINTS + 1, dtype=float)
    b = POINTS - x
    return t[0] + t[1] * b + t[2] * b * b + t[3] * b ** 3 + t[4] * S


def unpack(v):
    return [list(v[5 * k:5 * k + 5]) for k in range(len(TRUTH_PEAKS))], list(v[-6:])


def main():
    truth_total = peak_sum(TRUTH_PEAKS)
    clean = truth_total + background(TRUTH_BACKGROUND, shirley(truth_total))
    counts = np.random.default_rng(SEED).poisson(clean).astype(float)
    sigma = np.sqrt(np.where(counts <= 0, 1e-8, counts))

    start = np.array(sum(START_PEAKS, []) + START_BACKGROUND)
    mask = np.array(FREE_PEAK * len(TRUTH_PEAKS) + FREE_BACKGROUND, dtype=bool)
    current, chi2 = fit_whole_model(
        start, mask, lambda v: peak_sum(unpack(v)[0]), lambda v, S: background(unpack(v)[1], S),
        counts, sigma)
    print(f"chi-square {chi2:.10g}")

    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fit", "reference", "doniach_sunjic_background_reference.inc")
    write_case(out, [
        "// Made by tools/doniach_sunjic_background_reference.py: a seeded synthetic",
        "// spectrum of two Doniach-Sunjic singlets on A + B b + E S and its fit by an",
        "// independent solver. Do not edit by hand.",
    ], "DsBackground", counts, start, mask, current, chi2, [
        "// Per peak: height, Gaussian half width, channel, Lorentz half width (both",
        "// widths in channels), asymmetry; then the terms A..F.",
    ])


if __name__ == "__main__":
    main()
