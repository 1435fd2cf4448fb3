#!/usr/bin/env python3
"""Writes the test spectrum that "Open test spectrum" offers.

data/test spectra/Simulated C1s Au4f.vms is a VAMAS file (ISO 14976, mode
NORM, regular abscissa, kinetic energy rising) with two simulated regions
measured with Al K alpha (1486.6 eV):
- C 1s of an oxidised polymer surface: C-C/C-H at 284.8 eV, C-O at 286.3 eV
  and O-C=O at 288.9 eV;
- Au 4f of clean gold: 4f7/2 at 83.96 eV, 4f5/2 3.67 eV higher, area ratio
  3:4, with a Doniach-Sunjic-like tail toward higher binding energy.
Each sits on a Shirley-type step and a constant level, with Poisson counting
noise from a fixed seed, so the file is the same on every run. It is a
simulation, labelled as such in its comment, for trying out backgrounds and
fits without an instrument file at hand.
"""
from __future__ import annotations

import math
import os
import random

HV = 1486.6
DWELL = 0.1   # s per point and scan
SCANS = 10


def pseudo_voigt(x: float, centre: float, fwhm: float, lorentz_share: float) -> float:
    """Sum form: height 1 at the centre."""
    d = (x - centre) / fwhm
    gauss = math.exp(-4 * math.log(2) * d * d)
    lorentz = 1 / (1 + 4 * d * d)
    return (1 - lorentz_share) * gauss + lorentz_share * lorentz


def tailed(x: float, centre: float, fwhm: float, tail: float) -> float:
    """A line with an exponential tail on its high binding-energy side."""
    core = pseudo_voigt(x, centre, fwhm, 0.3)
    if x > centre:
        core += tail * (1 - math.exp(-(x - centre) / fwhm)) * math.exp(-(x - centre) / (4 * fwhm))
    return core


def region(binding_low, binding_high, step, peaks, constant, shirley_share, rng):
    """Counts per point from high kinetic energy (low binding) upward in
    kinetic energy order."""
    n = int(round((binding_high - binding_low) / step)) + 1
    # kinetic energy rises: binding energy falls along the file
    binding = [binding_high - i * step for i in range(n)]
    signal = [sum(p(b) for p in peaks) for b in binding]
    # Shirley step: proportional to the signal at lower binding energy (later
    # in the file), which is what inelastic losses add.
    total = sum(signal)
    running = 0.0
    background = [0.0] * n
    for i in range(n - 1, -1, -1):
        running += signal[i]
        background[i] = shirley_share * running / total
    counts = []
    for s, bg in zip(signal, background):
        mean = (s + constant + bg) * DWELL * SCANS
        value = rng.gauss(mean, math.sqrt(mean))
        counts.append(max(0, int(round(value))))
    return binding, counts


def block(name, transition, binding, counts, step, year_month_day):
    kinetic_start = HV - binding[0]
    lines = [
        f"{name} {transition}",      # block identifier
        "Simulated sample",          # sample identifier
        *[str(v) for v in year_month_day],
        "12", "0", "0", "0",         # hour minute second, hours ahead of GMT
        "1",                         # one block comment line
        "Simulated spectrum for testing - not a measurement",
        "XPS",                       # technique
        "Al",                        # analysis source label
        f"{HV}",                     # characteristic energy
        "300",                       # source strength (W)
        "1000", "1000",              # beam width x y (micrometre)
        "54.7", "0",                 # source polar angle and azimuth
        "FAT",                       # analyser mode
        "20",                        # pass energy
        "1", "4.5", "0",             # magnification work function target bias
        "800", "800",                # analysis width x y
        "0", "0",                    # take-off polar angle and azimuth
        name,                        # species label
        transition,                  # transition label
        "-1",                        # charge of detected particle
        "kinetic energy", "eV",
        f"{kinetic_start:.2f}", f"{step}",
        "1", "counts", "d",          # one corresponding variable
        "pulse counting",
        f"{DWELL}", f"{SCANS}",
        "0", "0", "0", "0",          # time correction tilt azimuth rotation
        "0",                         # additional numerical parameters
        str(len(counts)),
        str(min(counts)), str(max(counts)),
        *[str(c) for c in counts],
    ]
    return lines


def main() -> None:
    rng = random.Random(20060101)
    c_peaks = [lambda b: 9000 * pseudo_voigt(b, 284.8, 1.3, 0.2),
               lambda b: 3200 * pseudo_voigt(b, 286.3, 1.4, 0.2),
               lambda b: 1500 * pseudo_voigt(b, 288.9, 1.4, 0.2)]
    c_bind, c_counts = region(279.0, 296.0, 0.1, c_peaks, 600, 700, rng)
    au_peaks = [lambda b: 40000 * tailed(b, 83.96, 0.8, 0.08),
                lambda b: 30000 * tailed(b, 83.96 + 3.67, 0.8, 0.08)]
    au_bind, au_counts = region(78.0, 94.0, 0.05, au_peaks, 2500, 6000, rng)
    header = [
        "VAMAS Surface Chemical Analysis Standard Data Transfer Format 1988 May 4",
        "Sorvan", "Simulation", "Sorvan", "Test spectrum",
        "1", "Simulated regions with Poisson noise for trying out the program",
        "NORM", "REGULAR",
        "2",          # spectral regions
        "0",          # experimental variables
        "0",          # entries in the inclusion list
        "0",          # manually entered items
        "0",          # future upgrade experiment entries
        "0",          # future upgrade block entries
        "2",          # blocks
    ]
    lines = header
    lines += block("C", "1s", c_bind, c_counts, 0.1, (2006, 1, 1))
    lines += block("Au", "4f", au_bind, au_counts, 0.05, (2006, 1, 1))
    lines.append("end of experiment")
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    path = os.path.join(root, "data", "test spectra", "Simulated C1s Au4f.vms")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("".join(x + "\r\n" for x in lines).encode("ascii"))
    print(f"wrote {path}: {len(lines)} lines")


if __name__ == "__main__":
    main()
