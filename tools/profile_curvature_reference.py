#!/usr/bin/python3
"""Reference curvatures of fixed entries for the chi-square profile test.

The error command's test window holds two Gaussian lines on a flat 100
(counts 100 + 1000 exp(-((i - 61) / 7)^2 / 2) + 500 exp(-((i - 101) / 7)^2 / 2)
over the points i = 1..161, the 100 kept as the defined background). With the
peak table set to the values that make the model this curve exactly, the
profile run's first estimate measures chi-square along every entry, fixed
ones included, by the second difference

    H(k) = [C(x + h e_k) - 2 C(x) + C(x - h e_k)] / h^2,

h = 1e-4 for an entry whose value is 0. This script evaluates that formula
for the fixed Lorentz shares and asymmetries of both peaks from the line
shape written out here with numpy (weights 1 / raw counts), and checks it
against the exact curvature 2 sum (dm/dx_k)^2 / counts at the minimum
(the residuals there are 0), with the derivatives taken by scipy's
numerical differentiation of the same line.

Writes tests/fiterrors/reference/profile_curvature.inc.
Run from the source folder:  tools/profile_curvature_reference.py
"""

import os

import numpy as np
from scipy.optimize import approx_fprime

LN2 = 0.6931  # the rounded constant of the program's line shape
CUT = 22.0
POINTS = 161
BACKGROUND = 100.0
# height, share, centre (channel), half width (channels), asymmetry
WIDTH = np.sqrt(98.0 * LN2)  # exp(-LN2 d^2 / w^2) = exp(-d^2 / 98)
PEAKS = [[1000.0, 0.0, 61.0, WIDTH, 0.0], [500.0, 0.0, 101.0, WIDTH, 0.0]]
# Fixed entries k of the fit vector (10 per peak): share 3 / 13, asymmetry 9 / 19.
ENTRIES = {3: (0, 1), 9: (0, 4), 13: (1, 1), 19: (1, 4)}

x = np.arange(1, POINTS + 1, dtype=float)


def line(height, share, centre, width, asymmetry):
    d = x - centre
    w = width + asymmetry * d
    t2 = d * d / np.maximum(w * w, 1e-8)
    e = (1.0 - share) * LN2 * t2
    value = height / ((1.0 + share * t2) * np.exp(np.minimum(e, 700.0)))
    value[e > CUT] = 0.0
    if asymmetry != 0.0:
        value[width <= -asymmetry * d] = 0.0
    return value


def model(peaks):
    return sum(line(*p) for p in peaks)


counts = BACKGROUND + 1000.0 * np.exp(-0.5 * ((x - 61) / 7.0) ** 2) + 500.0 * np.exp(-0.5 * ((x - 101) / 7.0) ** 2)
target = counts - BACKGROUND
weights = 1.0 / counts


def chi2(peaks):
    r = model(peaks) - target
    return float(np.sum(r * r * weights))


def moved(peak, entry, by):
    peaks = [list(p) for p in PEAKS]
    peaks[peak][entry] += by
    return peaks


def main():
    c0 = chi2(PEAKS)
    assert c0 < 1e-12, c0
    h = 1e-4
    rows = []
    for k, (peak, entry) in sorted(ENTRIES.items()):
        second = (chi2(moved(peak, entry, h)) - 2 * c0 + chi2(moved(peak, entry, -h))) / (h * h)
        # Exact curvature at a zero-residual minimum: 2 sum (dm/dx)^2 w.
        jac = np.array([approx_fprime(np.array([0.0]), lambda v, i=i: line(*moved(peak, entry, v[0])[peak])[i], 1e-7)[0]
                        for i in range(POINTS)])
        exact = 2.0 * float(np.sum(jac * jac * weights))
        print(f"entry {k}: second difference {second:.10g}, exact {exact:.10g}")
        assert abs(second - exact) < 1e-4 * exact
        rows.append((k, second))
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fiterrors", "reference", "profile_curvature.inc")
    with open(out, "w") as f:
        f.write("// Made by tools/profile_curvature_reference.py: the second difference of\n")
        f.write("// chi-square along fixed entries of the error command's two-peak window\n")
        f.write("// at its exact minimum. Do not edit by hand.\n\n")
        f.write("struct FixedCurvature {\n  int entry;\n  double curvature;\n};\n\n")
        f.write("inline const FixedCurvature kFixedCurvatures[] = {\n")
        for k, v in rows:
            f.write(f"    {{{k}, {v!r}}},\n")
        f.write("};\n")


if __name__ == "__main__":
    main()
