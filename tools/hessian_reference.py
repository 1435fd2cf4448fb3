#!/usr/bin/python3
"""Reference errors for the tests of the curvature error analysis.

Makes synthetic Gauss-Lorentz spectra whose counts are the model itself on a flat background (no
noise, so that the least-squares minimum is known and the curvature of
chi-square there is exactly twice J^T W J), fits each from a displaced start
with an independent Levenberg-Marquardt solver written here in plain Python
(numerical Jacobian, weights 1/counts as the program takes them), and writes
the fitted vector and the standard errors sqrt(diag((J^T W J)^-1)) of the free
variables to tests/fiterrors/reference/hessian_reference.inc.

Plain Python 3, no packages needed.
Run from the source folder:  python3 tools/hessian_reference.py
"""

import math
import os

LN2 = 0.6931  # the rounded constant of the program's product line
CUT = 22.0
# A flat background under the peaks: the window keeps it as its defined
# background (subtracted from the data before the fit), the weights come
# from the raw counts with it.
BACKGROUND = 200.0


def line(x, A, m, x0, w0, a):
    d = x - x0
    w = w0 + a * d
    if a != 0.0 and w0 <= -a * d:
        return 0.0
    w2 = w * w
    if w2 < 1e-8:
        w2 = 1e-8
    t2 = d * d / w2
    e = (1.0 - m) * LN2 * t2
    if e > CUT:
        return 0.0
    return A / ((1.0 + m * t2) * math.exp(e))


def model(p, x, peaks, doublet):
    """p: the program's fit vector without element 0 (10 entries per peak)."""
    total = 0.0
    for k in range(peaks):
        A, rh, m, rm, x0, dx, w0, rw, a, ra = p[10 * k:10 * k + 10]
        total += line(x, A, m, x0, w0, a)
        if doublet:
            total += line(x, A * rh, m * rm, x0 + dx, w0 * rw, a * ra)
    return total


CASES = [
    dict(name="TwoSinglets", points=240, doublet=False,
         truth=[[5000, 0, 0.3, 0, 100.0, 0, 9.0, 0, 0.0, 0],
                [2500, 0, 0.6, 0, 150.0, 0, 7.0, 0, 0.02, 0]],
         start=[[4500, 0, 0.4, 0, 102.0, 0, 10.0, 0, 0.0, 0],
                [2800, 0, 0.5, 0, 148.0, 0, 6.5, 0, 0.01, 0]],
         free=[[1, 0, 1, 0, 1, 0, 1, 0, 0, 0],
               [1, 0, 1, 0, 1, 0, 1, 0, 1, 0]]),
    dict(name="OneDoublet", points=300, doublet=True,
         truth=[[8000, 0.5, 0.25, 1.2, 120.0, 50.0, 8.0, 1.1, 0.0, 0.0]],
         start=[[7500, 0.6, 0.3, 1.0, 122.0, 48.0, 9.0, 1.0, 0.0, 0.0]],
         free=[[1, 1, 1, 1, 1, 1, 1, 1, 0, 0]]),
]


def solve(a, b):
    """Gaussian elimination with partial pivoting; a is a list of rows."""
    n = len(b)
    m = [row[:] + [b[i]] for i, row in enumerate(a)]
    for c in range(n):
        r = max(range(c, n), key=lambda i: abs(m[i][c]))
        m[c], m[r] = m[r], m[c]
        for i in range(n):
            if i != c:
                f = m[i][c] / m[c][c]
                for k in range(c, n + 1):
                    m[i][k] -= f * m[c][k]
    return [m[i][n] / m[i][i] for i in range(n)]


def inverse(a):
    n = len(a)
    cols = [solve(a, [1.0 if i == j else 0.0 for i in range(n)]) for j in range(n)]
    return [[cols[j][i] for j in range(n)] for i in range(n)]


def fit_case(c):
    n = c["points"]
    xs = list(range(1, n + 1))
    peaks = len(c["truth"])
    truth = sum(c["truth"], [])
    counts = [model(truth, x, peaks, c["doublet"]) + BACKGROUND for x in xs]
    sigma = [math.sqrt(v) for v in counts]
    counts = [v - BACKGROUND for v in counts]  # the fitted target
    free = [i for i, f in enumerate(sum(c["free"], [])) if f]
    p = [float(v) for v in sum(c["start"], [])]

    def chi2(q):
        return sum(((model(q, x, peaks, c["doublet"]) - y) / s) ** 2
                   for x, y, s in zip(xs, counts, sigma))

    def jacobian(q):
        rows = []
        for i in free:
            h = 1e-6 * max(abs(q[i]), 1.0)
            up = q[:]
            up[i] += h
            down = q[:]
            down[i] -= h
            rows.append([(model(up, x, peaks, c["doublet"]) - model(down, x, peaks, c["doublet"])) / (2 * h * s)
                         for x, s in zip(xs, sigma)])
        return rows  # rows[k][point] = d r / d p_free[k]

    lam = 1e-3
    current = chi2(p)
    for _ in range(200):
        J = jacobian(p)
        r = [(model(p, x, peaks, c["doublet"]) - y) / s for x, y, s in zip(xs, counts, sigma)]
        g = [sum(a * b for a, b in zip(row, r)) for row in J]
        A = [[sum(a * b for a, b in zip(ri, rk)) for rk in J] for ri in J]
        while True:
            damped = [[A[i][k] * (1 + lam if i == k else 1) for k in range(len(A))] for i in range(len(A))]
            step = solve(damped, [-v for v in g])
            trial = p[:]
            for k, i in enumerate(free):
                trial[i] += step[k]
            t = chi2(trial)
            if t <= current:
                lam = max(lam / 10, 1e-12)
                break
            lam *= 10
            if lam > 1e12:
                break
        done = current - t < 1e-20 * max(current, 1.0)
        p, current = trial, t
        if done or current < 1e-20:
            break
    J = jacobian(p)
    A = [[sum(a * b for a, b in zip(ri, rk)) for rk in J] for ri in J]
    cov = inverse(A)
    errors = [0.0] * len(p)
    for k, i in enumerate(free):
        errors[i] = math.sqrt(cov[k][k])
    spread = max(abs(a - b) / max(abs(b), 1e-300) for a, b in zip(p, truth) if b != 0)
    print(f"{c['name']}: chi2 {current:.3g}, largest relative distance to the truth {spread:.1e}")
    assert spread < 1e-7, "the fit did not reach the minimum"
    return counts, p, sum(c["free"], []), errors


def cxx_array(values, fmt="{:.17g}"):
    return "{" + ", ".join(fmt.format(v) for v in values) + "}"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "tests", "fiterrors", "reference", "hessian_reference.inc")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    lines = [f"// Made by tools/hessian_reference.py: noise-free synthetic spectra, their",
             "// least-squares fits and the standard errors from the fits' covariance.",
             f"// Raw counts include a flat background of {BACKGROUND:g}. Do not edit by hand.",
             ""]
    for c in CASES:
        counts, fitted, free, errors = fit_case(c)
        name = c["name"]
        lines.append(f"inline const HessianCase k{name} = {{")
        lines.append(f"    \"{name}\", {len(c['truth'])}, {'true' if c['doublet'] else 'false'}, {c['points']},")
        lines.append("    " + cxx_array([v + BACKGROUND for v in counts]) + ",")
        lines.append("    " + cxx_array(fitted) + ",")
        lines.append("    " + cxx_array(free, "{:d}") + ",")
        lines.append("    " + cxx_array(errors) + "};")
        lines.append("")
    with open(out, "w") as f:
        f.write("\n".join(lines))
    print("written", os.path.normpath(out))


if __name__ == "__main__":
    main()
