#!/usr/bin/python3
"""Reference numbers for the Gauss-Lorentz peak-fit tests.

Makes seeded synthetic spectra (Gauss-Lorentz singlets and doublets on a
linear background, Poisson noise), fits each with an independent least-squares
solver (scipy.optimize.least_squares) using the same model and weights as the
program, and writes the spectra, the start values and the fitted parameters to
tests/fit/reference/gauss_lorentz_reference.inc.

Run from the source folder:  /usr/bin/python3 tools/fit_reference.py
Needs Debian's python3-numpy and python3-scipy.
"""

import os
import numpy as np
from scipy.optimize import least_squares

LN2 = 0.6931  # the rounded constant of the program's product line
CUT = 22.0


def line(x, A, m, x0, w0, a):
    """Gauss-Lorentz product line with asymmetric width (chi-square floors)."""
    d = x - x0
    w = w0 + a * d
    absent = (a != 0.0) & (w0 <= -a * d)
    w2 = np.where(w * w < 1e-8, 1e-8, w * w)
    t2 = d * d / w2
    e = (1.0 - m) * LN2 * t2
    v = A / ((1.0 + m * t2) * np.exp(np.minimum(e, 50.0)))
    return np.where(absent | (e > CUT), 0.0, v)


def model(p, x, peaks, doublet, last):
    """p is the program's fit vector without element 0 (peaks*10 + 6 entries)."""
    total = np.zeros_like(x)
    for k in range(peaks):
        e = p[10 * k:10 * k + 10]
        A, rh, m, rm, x0, dx, w0, rw, a, ra = e
        total += line(x, A, m, x0, w0, a)
        if doublet:
            total += line(x, A * rh, m * rm, x0 + dx, w0 * rw, a * ra)
    t = p[10 * peaks:10 * peaks + 6]
    b = last - x
    total += t[0] + t[1] * b + t[2] * b * b + t[3] * b ** 3
    return total


CASES = [
    # name, seed, points, doublet, truth (per peak: A rh m rm x0 dx w0 rw a ra),
    # background (A, B), start, free mask per peak entry
    dict(name="TwoSinglets", seed=20261210, points=300, doublet=False,
         peaks=[[5000, 0, 0.3, 0, 120.0, 0, 9.0, 0, 0.0, 0],
                [2500, 0, 0.6, 0, 175.0, 0, 7.0, 0, 0.02, 0]],
         background=[400.0, 1.5],
         start=[[4200, 0, 0.5, 0, 117.0, 0, 10.5, 0, 0.0, 0],
                [3000, 0, 0.4, 0, 178.0, 0, 6.0, 0, 0.0, 0]],
         start_background=[300.0, 1.0],
         free=[[1, 0, 1, 0, 1, 0, 1, 0, 0, 0],
               [1, 0, 1, 0, 1, 0, 1, 0, 1, 0]]),
    dict(name="Doublet", seed=777, points=400, doublet=True,
         peaks=[[8000, 0.5, 0.25, 1.0, 150.0, 60.0, 8.0, 1.2, 0.0, 0.0]],
         background=[900.0, 2.5],
         start=[[7000, 0.6, 0.4, 1.0, 147.0, 57.0, 9.0, 1.0, 0.0, 0.0]],
         start_background=[700.0, 2.0],
         free=[[1, 1, 1, 0, 1, 1, 1, 1, 0, 0]]),
    dict(name="TwoDoublets", seed=4242, points=500, doublet=True,
         peaks=[[6000, 0.5, 0.3, 1.0, 140.0, 45.0, 7.0, 1.1, 0.0, 0.0],
                [3000, 0.66, 0.5, 1.0, 300.0, 30.0, 9.0, 1.0, 0.0, 0.0]],
         background=[500.0, 1.0],
         start=[[5000, 0.55, 0.4, 1.0, 143.0, 43.0, 8.0, 1.0, 0.0, 0.0],
                [3500, 0.6, 0.4, 1.0, 297.0, 32.0, 8.0, 1.0, 0.0, 0.0]],
         start_background=[650.0, 0.8],
         free=[[1, 1, 1, 0, 1, 1, 1, 1, 0, 0],
               [1, 1, 1, 0, 1, 1, 1, 0, 0, 0]]),
]


def vector(peaks, background):
    v = []
    for e in peaks:
        v += list(map(float, e))
    v += [float(background[0]), float(background[1]), 0.0, 0.0, 0.0, 0.0]
    return np.array(v)


def fit_case(c):
    n = c["points"]
    x = np.arange(1, n + 1, dtype=float)
    peaks = len(c["peaks"])
    truth = vector(c["peaks"], c["background"])
    clean = model(truth, x, peaks, c["doublet"], n)
    rng = np.random.default_rng(c["seed"])
    counts = rng.poisson(clean).astype(float)
    sigma = np.sqrt(np.where(counts <= 0, 1e-8, counts))
    start = vector(c["start"], c["start_background"])
    mask = np.array(sum(c["free"], []) + [1, 1, 0, 0, 0, 0], dtype=bool)

    def residuals(q):
        p = start.copy()
        p[mask] = q
        return (model(p, x, peaks, c["doublet"], n) - counts) / sigma

    results = []
    for method in ("trf", "lm"):
        r = least_squares(residuals, start[mask], method=method, jac="3-point" if method == "trf" else "2-point",
                          xtol=1e-15, ftol=1e-15, gtol=1e-15, max_nfev=20000, x_scale="jac")
        p = start.copy()
        p[mask] = r.x
        results.append((p, 2.0 * r.cost))
    (p1, chi1), (p2, chi2) = results
    spread = np.max(np.abs(p1 - p2) / np.maximum(np.abs(p1), 1e-300))
    print(f"{c['name']}: chi2 {chi1:.10g} / {chi2:.10g}, largest relative difference of the two solvers {spread:.2e}")
    assert spread < 1e-6, "the two independent solvers disagree"
    return counts, start, mask, p1, chi1


def cxx_array(values, fmt="{:.17g}"):
    return "{" + ", ".join(fmt.format(v) for v in values) + "}"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fit", "reference", "gauss_lorentz_reference.inc")
    lines = ["// Made by tools/fit_reference.py: seeded synthetic spectra and their",
             "// least-squares fits by an independent solver. Do not edit by hand.",
             ""]
    for c in CASES:
        counts, start, mask, fitted, chi2 = fit_case(c)
        name = c["name"]
        lines.append(f"// {name}: {len(c['peaks'])} peak(s), {'doublet' if c['doublet'] else 'singlet'}, seed {c['seed']}")
        lines.append(f"inline const ReferenceCase k{name} = {{")
        lines.append(f"    \"{name}\", {len(c['peaks'])}, {'true' if c['doublet'] else 'false'}, {c['points']},")
        lines.append("    " + cxx_array(counts, "{:.0f}") + ",")
        lines.append("    " + cxx_array(start) + ",")
        lines.append("    " + cxx_array(mask.astype(int), "{:d}") + ",")
        lines.append("    " + cxx_array(fitted) + ",")
        lines.append(f"    {chi2:.17g}}};")
        lines.append("")
    with open(out, "w") as f:
        f.write("\n".join(lines))
    print("written", os.path.normpath(out))


if __name__ == "__main__":
    main()
