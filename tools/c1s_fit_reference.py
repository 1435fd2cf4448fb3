#!/usr/bin/python3
"""Reference numbers for the new fit of a real C 1s spectrum from the menu.

The spectrum is the C 1s block of the shared sample five-regions.vms (a
monochromated Al source, 301 points from 300 eV down to 270 eV binding
energy, 10 scans of 0.199336 s). It holds three overlapping components: a
carbide line near 282.3 eV, the C-C line near 284 eV and a C-O line near
286.4 eV. The test imports the block from the menu, subtracts a Shirley
background from the menu (its first pass, over the whole spectrum), starts a
new fit of three singlets with their tops picked by the mouse and every limit
at its default, fixes the Lorentz share at the default 0.3 and lets the fit
run until it stops changing. This script does the same computation on its
own:

- the counts of the block, read from the file, divided by scans x dwell time
  (the program's default is counts per second);
- the Shirley background of the first pass: the end levels L and R are the
  means of the first three and the last three points; with d = y - R,
  S(i) = d(i)/2 + d(i+1) + ... + d(last), D = d(first) + ... + d(last) and
  b(i) = R + (L - R) S(i) / D;
- the weights from the raw counts: sigma(i) = sqrt(counts(i) / (scans x
  dwell time));
- the Gauss-Lorentz product line of the program on channels 1..301:
  A / ((1 + m t^2) exp((1 - m) 0.6931 t^2)), t = (x - x0) / w, nothing where
  the exponent exceeds 22; m = 0.3 fixed, no asymmetry;
- a least-squares fit of height, channel and half width of the three lines
  to the spectrum less its background, by scipy.optimize.least_squares, each
  result checked against a second method.

Writes tests/fiterrors/reference/c1s_fit_reference.inc: per peak the height
(counts per second), the position (binding energy, eV) and the full width at
half maximum (eV); chi-square with the raw-count weights (the program shows it
times scans x dwell time); scans x dwell time.

Run from the source folder:  /usr/bin/python3 tools/c1s_fit_reference.py
Needs Debian's python3-numpy and python3-scipy, and ../shared/samples.
"""

import os
import numpy as np
from scipy.optimize import least_squares

SHARE = 0.3
AVERAGE_POINTS = 3
# Start values: the three tops as one would pick them (binding energy in eV,
# height in counts per second above the background).
START = [(282.4, 420.0), (284.2, 100.0), (286.4, 40.0)]
START_FWHM = 1.2


def read_c1s_block(path):
    """The C 1s block of the file: start kinetic energy, step, excitation
    energy, scans, dwell time and the counts (the first of the block's two
    corresponding variables, the second being the transmission)."""
    lines = open(path, encoding="latin-1").read().splitlines()
    first = lines.index("C 1s")  # the block identifier
    label = lines.index("Kinetic energy", first)
    start, step = float(lines[label + 2]), float(lines[label + 3])
    variables = int(lines[label + 4])
    mode = lines.index("pulse counting", label)
    dwell, scans = float(lines[mode + 1]), int(lines[mode + 2])
    # Excitation energy: the line after the source label of the block.
    source = lines.index("Al (mono)", first)
    excitation = float(lines[source + 1])
    # The number of ordinate values is the first larger count after the scans;
    # the minimum and maximum of each variable follow, then the values.
    k = mode + 3
    while not (lines[k].strip().isdigit() and int(lines[k]) > 100):
        k += 1
    count = int(lines[k])
    values = [float(v) for v in lines[k + 1 + 2 * variables:k + 1 + 2 * variables + count]]
    counts = np.array(values[0::variables])
    assert counts.min() == float(lines[k + 1]) and counts.max() == float(lines[k + 2]), \
        "the block's own minimum and maximum disagree with the values read"
    return start, step, excitation, scans, dwell, counts


def shirley_first_pass(y):
    n = len(y)
    left = y[:AVERAGE_POINTS].mean()
    right = y[n - AVERAGE_POINTS:].mean()
    d = y - right
    running = np.cumsum(d[::-1])[::-1]
    integral = running - 0.5 * d
    return right + (left - right) * integral / d.sum()


def line(x, height, x0, w0):
    d = x - x0
    t2 = d * d / max(w0 * w0, 1e-8)
    e = (1.0 - SHARE) * 0.6931 * t2
    v = height / ((1.0 + SHARE * t2) * np.exp(np.minimum(e, 50.0)))
    return np.where(e > 22.0, 0.0, v)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    sample = os.path.join(here, "..", "..", "shared", "samples", "vamas", "five-regions.vms")
    start_kinetic, step, hv, scans, dwell, counts = read_c1s_block(sample)
    n = len(counts)
    factor = scans * dwell
    y = counts / factor
    target = y - shirley_first_pass(y)
    sigma = np.sqrt(np.maximum(counts / factor, 1e-8))
    x = np.arange(1, n + 1, dtype=float)

    def binding(channel):
        return hv - (start_kinetic + (channel - 1) * step)

    def channel(energy):
        return (hv - energy - start_kinetic) / step + 1

    def model(q):
        return sum(line(x, q[3 * k], q[3 * k + 1], q[3 * k + 2]) for k in range(3))

    q0 = []
    for energy, height in START:
        q0 += [height, channel(energy), START_FWHM / step / 2]
    # The default limits: heights from 0 up, positions inside the spectrum,
    # widths from 0.1 eV to the spectrum's span.
    lower = [0.0, 1.0, 0.1 / step / 2] * 3
    upper = [np.inf, float(n), (n - 1) / 2.0] * 3
    results = []
    for method in ("trf", "lm"):
        bounds = {"bounds": (lower, upper)} if method == "trf" else {}
        r = least_squares(lambda q: (model(q) - target) / sigma, q0, method=method, xtol=1e-15,
                          ftol=1e-15, gtol=1e-15, max_nfev=20000, x_scale="jac", **bounds)
        results.append((r.x, 2.0 * r.cost))
    (q, chi2), (q2, chi2b) = results
    spread = np.max(np.abs(q - q2) / np.abs(q))
    assert spread < 1e-7, "the two solvers disagree"
    for i in range(9):
        assert lower[i] < q[i] < upper[i], "a parameter lies on its limit"
    peaks = []
    for k in range(3):
        height, x0, w0 = q[3 * k:3 * k + 3]
        peaks.append((height, binding(x0), 2 * w0 * step))
        print(f"peak {k + 1}: height {height:.6f} cps, {binding(x0):.6f} eV, FWHM {2 * w0 * step:.6f} eV")
    print(f"chi-square {chi2:.10g}, solvers within {spread:.1e}")

    out = os.path.join(here, "..", "tests", "fiterrors", "reference", "c1s_fit_reference.inc")
    lines = [
        "// Made by tools/c1s_fit_reference.py: the C 1s block of five-regions.vms",
        "// less the first Shirley pass, fitted with three Gauss-Lorentz singlets",
        "// (Lorentz share 0.3) by an independent solver. Do not edit by hand.",
        "// Per peak: height (counts per second), binding energy (eV), FWHM (eV).",
        "inline constexpr double kC1sPeaks[3][3] = {",
    ]
    for height, energy, fwhm in peaks:
        lines.append(f"    {{{height:.17g}, {energy:.17g}, {fwhm:.17g}}},")
    lines += [
        "};",
        "// Chi-square with the weights of the raw counts, and scans x dwell time.",
        f"inline constexpr double kC1sChiSquare = {chi2:.17g};",
        f"inline constexpr double kC1sCountsFactor = {factor:.17g};",
        "",
    ]
    with open(out, "w") as f:
        f.write("\n".join(lines))
    print("written", os.path.normpath(out))


if __name__ == "__main__":
    main()
