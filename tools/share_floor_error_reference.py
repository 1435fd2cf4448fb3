#!/usr/bin/python3
"""Reference curvature errors of a Gaussian line whose Lorentz share rests on 0.

One line on a flat background of 200 counts (height 2000, half width 5
channels, true Lorentz share 0) over 121 points, with Poisson noise drawn
from numpy's seeded generator. Each spectrum is fitted here with scipy's
bounded least squares (`least_squares`, trust region reflective, share
bounded to 0..1, weights 1 / raw counts, the background of 200 taken off
the data as the program's defined background), from the start that the
test gives the program.

For every seed the script reports the fitted share. Where it rests on its
limit 0, the curvature errors follow from chi-square as the error run
computes them: an entry on its limit takes no part, the Hessian of
chi-square over the other free entries (height, position, width) is taken
by central second differences around the minimum, and the error of entry
k is sqrt(2 (H^-1)_kk). The errors that the share would give the others if
it were counted as free are printed beside them.

Writes tests/fiterrors/reference/share_floor_errors.inc.
Run from the source folder:  tools/share_floor_error_reference.py
"""

import os

import numpy as np
from scipy.optimize import least_squares

LN2 = 0.6931  # the rounded constant of the program's line shape
CUT = 22.0
POINTS = 121
BACKGROUND = 200.0
TRUTH = (2000.0, 0.0, 61.0, 5.0)       # height, share, centre, half width (channels)
START = (1800.0, 0.3, 62.0, 6.0)
SEEDS = range(1, 9)

x = np.arange(1, POINTS + 1, dtype=float)


def line(p):
    height, share, centre, width = p
    d = x - centre
    t2 = d * d / max(width * width, 1e-8)
    e = (1.0 - share) * LN2 * t2
    value = height / ((1.0 + share * t2) * np.exp(np.minimum(e, 700.0)))
    value[e > CUT] = 0.0
    return value


def spectrum(seed):
    rng = np.random.default_rng(seed)
    mean = BACKGROUND + line(TRUTH)
    return rng.poisson(mean).astype(float)


def fit(counts):
    """The bounded minimum; where the share ends against its limit, the
    minimum with the share held at 0 and whether chi-square rises into the
    range from there (the limit is then active)."""
    target = counts - BACKGROUND
    sigma = np.sqrt(counts)
    residuals = lambda p: (line(p) - target) / sigma
    options = dict(method="trf", x_scale="jac", xtol=1e-15, ftol=1e-15, gtol=1e-15, max_nfev=20000)
    r = least_squares(residuals, START, bounds=([0, 0, 1, 0.5], [1e5, 1, POINTS, 60]), **options)
    chi2 = lambda p: float(np.sum(residuals(p) ** 2))
    p = r.x
    active = False
    if p[1] < 1e-3:
        held = lambda q: residuals([q[0], 0.0, q[1], q[2]])
        h = least_squares(held, [p[0], p[2], p[3]], bounds=([0, 1, 0.5], [1e5, POINTS, 60]), **options)
        on = np.array([h.x[0], 0.0, h.x[1], h.x[2]])
        # The slope of chi-square into the range 0..1 of the share.
        step = 1e-7
        slope = (chi2(on + [0, step, 0, 0]) - chi2(on)) / step
        if slope > 0:
            p, active = on, True
    return p, chi2, active


def hessian(chi2, p, free):
    """Central second differences of chi-square over the entries `free`."""
    n = len(free)
    H = np.zeros((n, n))
    h = [max(abs(p[k]) * 1e-4, 1e-6) for k in free]
    c0 = chi2(p)

    def at(moves):
        q = np.array(p, dtype=float)
        for k, v in moves:
            q[k] += v
        return chi2(q)

    for a in range(n):
        ka = free[a]
        H[a, a] = (at([(ka, h[a])]) - 2 * c0 + at([(ka, -h[a])])) / h[a] ** 2
        for b in range(a + 1, n):
            kb = free[b]
            H[a, b] = H[b, a] = (at([(ka, h[a]), (kb, h[b])]) - at([(ka, h[a]), (kb, -h[b])])
                                 - at([(ka, -h[a]), (kb, h[b])]) + at([(ka, -h[a]), (kb, -h[b])])) / (4 * h[a] * h[b])
    return H


def errors(chi2, p, free):
    H = hessian(chi2, p, free)
    assert np.all(np.linalg.eigvalsh(H) > 0)
    return np.sqrt(2 * np.diag(np.linalg.inv(H)))


def main():
    rows = []
    for seed in SEEDS:
        counts = spectrum(seed)
        p, chi2, on_limit = fit(counts)
        note = "on its limit" if on_limit else "inside"
        print(f"seed {seed}: share {p[1]:.3g} ({note}), chi2 {chi2(p):.6f}")
        if on_limit:
            e = errors(chi2, p, [0, 2, 3])
            e = [e[0], 0.0, e[1], e[2]]
            # As if the share were free at the fit's floor 1e-4.
            q = np.array(p)
            q[1] = 1e-4
            loose = errors(chi2, q, [0, 1, 2, 3])
            print(f"  share counted free: width {loose[3]:.5g}, share {loose[1]:.3g}")
        else:
            e = errors(chi2, p, [0, 1, 2, 3])
        print(f"  errors height {e[0]:.5g} share {e[1]:.3g} position {e[2]:.5g} width {e[3]:.5g}")
        rows.append((seed, counts, p, on_limit, e))
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fiterrors", "reference", "share_floor_errors.inc")
    with open(out, "w") as f:
        f.write("// Made by tools/share_floor_error_reference.py: seeded Poisson spectra of one\n")
        f.write("// Gaussian line (true Lorentz share 0), scipy's bounded fit of each and the\n")
        f.write("// curvature errors, the share left out where it rests on its limit 0.\n")
        f.write("// Do not edit by hand.\n\n")
        f.write("struct ShareFloorCase {\n  int seed;\n  std::vector<double> counts;  // raw, background 200 included\n")
        f.write("  bool shareOnLimit;\n")
        f.write("  double fitted[4];  // height, share, position, half width (channels)\n")
        f.write("  double errors[4];\n};\n\n")
        f.write("inline const ShareFloorCase kShareFloorCases[] = {\n")
        for seed, counts, p, on_limit, e in rows:
            f.write(f"    {{{seed},\n     {{" + ", ".join(str(int(v)) for v in counts) + "},\n")
            f.write(f"     {'true' if on_limit else 'false'},\n")
            f.write("     {" + ", ".join(repr(float(v)) for v in p) + "},\n")
            f.write("     {" + ", ".join(repr(float(v)) for v in e) + "}},\n")
        f.write("};\n")


if __name__ == "__main__":
    main()
