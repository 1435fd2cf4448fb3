#!/usr/bin/python3
"""Reference minima of fits with the background fitted alongside the peaks,
from starts off in position.

Seeded synthetic spectra (energy step 0.1 eV, 200 points) of Gauss-Lorentz
singlets on A + E S + F T with Poisson noise, where S is the running sum of
the peak sum from the end of the region (a Shirley step) and T the loss tail
of the peak sum,
    T(i) = 2866 s sum_{j >= i} K((j - i + 1) s) peak(j),
with the universal loss cross-section K(E) = E / (E^2 + 1643)^2 and s the
energy step. S and T belong to the peaks: the model of a parameter set is its
peak sum plus A + E S + F T with S and T made from that same peak sum.

The chi-square of that whole model is minimised by
scipy.optimize.least_squares (method 'trf', the same bounds as the program's
fit: height 0..1e7, share 0..1, channel 1..200, half width 0.5..100, E at
least 0) with S and T rebuilt from the peaks at every evaluation and a
central-difference Jacobian, so that the derivatives include the way S and T
move with the peaks.

Cases:
- the offset case: one peak started 20 channels (2 eV) off, all of height,
  share, channel, half width, A, E, F free (its minimum is also checked by
  'dogbox');
- one peak with the share free or fixed, and two peaks, each started 5, 10,
  20 and 40 channels (0.5, 1, 2, 4 eV) below and above the true channels,
  heights 0.8 of the truth, half widths 5 channels: scipy's chi-square from
  each start, and the lowest of all starts of that kind.

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
SEED_TWO = 20261213
# Per peak: height, Lorentz share, channel, half width; then A, E, F.
TRUTH = [[5000.0, 0.3, 100.0, 8.0]]
TRUTH_BACKGROUND = [100.0, 0.004, 1.0]
START = [4500.0, 0.4, 120.0, 9.0, 80.0, 0.003, 0.5]
TRUTH_TWO = [[5000.0, 0.3, 85.0, 7.0], [3000.0, 0.5, 122.0, 6.0]]
START_BACKGROUND = [80.0, 0.003, 0.5]
OFFSETS = [-40, -20, -10, -5, 5, 10, 20, 40]
PEAK_LOWER = [0.0, 0.0, 1.0, 0.5]
PEAK_UPPER = [1e7, 1.0, 200.0, 100.0]
BACKGROUND_LOWER = [-np.inf, 0.0, -np.inf]
BACKGROUND_UPPER = [np.inf, np.inf, np.inf]


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


def full_model(v, x, peaks):
    """v: 4 entries per peak, then A, E, F. S and T from this v's peaks."""
    total = sum(line(x, *v[4 * k:4 * k + 4]) for k in range(peaks))
    A, E, F = v[4 * peaks:4 * peaks + 3]
    return total + A + E * shirley(total) + F * tail(total)


def spectrum(x, peaks, seed):
    v = np.array(sum(peaks, []) + TRUTH_BACKGROUND)
    clean = full_model(v, x, len(peaks))
    counts = np.random.default_rng(seed).poisson(clean).astype(float)
    sigma = np.sqrt(np.where(counts <= 0, 1e-8, counts))
    return counts, sigma


def minimise(start, free, x, counts, sigma, peaks, method="trf"):
    """Minimum of the whole model's chi-square over the free entries."""
    start = np.array(start, dtype=float)
    free = np.array(free, dtype=bool)
    lower = np.array(PEAK_LOWER * peaks + BACKGROUND_LOWER)[free]
    upper = np.array(PEAK_UPPER * peaks + BACKGROUND_UPPER)[free]

    def residuals(q):
        v = start.copy()
        v[free] = q
        return (full_model(v, x, peaks) - counts) / sigma

    r = least_squares(residuals, start[free], jac="3-point", bounds=(lower, upper), method=method,
                      xtol=1e-15, ftol=1e-15, gtol=1e-15, max_nfev=20000, x_scale="jac")
    v = start.copy()
    v[free] = r.x
    return v, float(np.sum(residuals(r.x) ** 2))


def arr(values, fmt="{:.17g}"):
    return "{" + ", ".join(fmt.format(v) for v in values) + "}"


def main():
    x = np.arange(1, POINTS + 1, dtype=float)
    counts, sigma = spectrum(x, TRUTH, SEED)
    counts_two, sigma_two = spectrum(x, TRUTH_TWO, SEED_TWO)

    # The offset case, by three methods.
    all_free = [True] * 7
    fitted, chi2 = minimise(START, all_free, x, counts, sigma, 1)
    for method in ("dogbox",):
        other, other_chi2 = minimise(START, all_free, x, counts, sigma, 1, method)
        assert abs(other_chi2 - chi2) <= 1e-9 * chi2, (method, other_chi2, chi2)
    print(f"offset case: chi-square {chi2:.10g}, fitted {fitted}")

    # Starts off in position.
    kinds = []
    for kind, truth, free_share, data in (
            ("share free", TRUTH, True, (counts, sigma)),
            ("share fixed", TRUTH, False, (counts, sigma)),
            ("two peaks", TRUTH_TWO, True, (counts_two, sigma_two))):
        peaks = len(truth)
        rows = []
        for offset in OFFSETS:
            start = []
            for h, m, x0, w0 in truth:
                start += [0.8 * h, m, x0 + offset, 5.0]
            start += START_BACKGROUND
            free = [True, free_share, True, True] * peaks + [True] * 3
            v, c = minimise(start, free, x, *data, peaks)
            rows.append((start, c, v))
            print(f"{kind:12s} offset {offset:+4d}: chi-square {c:.10g}")
        kinds.append((kind, peaks, free_share, rows))

    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fit", "reference", "background_offset_reference.inc")
    lines = [
        "// Made by tools/background_offset_reference.py: seeded spectra of singlets on a",
        "// constant, Shirley and loss-tail background, and the minima of the whole",
        "// model (S and T made from the peaks of each parameter set) that an",
        "// independent solver reaches from starts off in position. Do not edit by hand.",
        f"inline constexpr int kOffsetPoints = {POINTS};",
        f"inline constexpr double kOffsetStep = {STEP};",
        "inline const std::vector<double> kOffsetCounts = " + arr(counts, "{:.0f}") + ";",
        "inline const std::vector<double> kOffsetCountsTwoPeaks = " + arr(counts_two, "{:.0f}") + ";",
        "// Height, Lorentz share, channel, half width in channels; then A, E, F.",
        "inline const std::vector<double> kOffsetStart = " + arr(START) + ";",
        "inline const std::vector<double> kOffsetFitted = " + arr(fitted) + ";",
        f"inline constexpr double kOffsetChiSquare = {chi2:.17g};",
        "// Starts off in position: per kind, per offset in channels, the start",
        "// (4 entries per peak, then A, E, F) and the chi-square the solver reached.",
        "struct OffsetStart {",
        "  const char* kind;",
        "  int peaks;",
        "  bool shareFree;",
        "  int offset;",
        "  std::vector<double> start;",
        "  double chiSquare;",
        "  double lowestOfKind;",
        "};",
        "inline const std::vector<OffsetStart> kOffsetStarts = {",
    ]
    for kind, peaks, free_share, rows in kinds:
        lowest = min(c for _, c, _ in rows)
        for (start, c, _), offset in zip(rows, OFFSETS):
            lines.append(f'    {{"{kind}", {peaks}, {str(free_share).lower()}, {offset}, {arr(start)}, '
                         f"{c:.17g}, {lowest:.17g}}},")
    lines += ["};", ""]
    with open(out, "w") as f:
        f.write("\n".join(lines))
    print("written", os.path.normpath(out))


if __name__ == "__main__":
    main()
