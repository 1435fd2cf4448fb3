#!/usr/bin/env python3
"""Writes the two default parameter sets of the program folder.

data/settings/paraset1.par holds the default peak table of the Gauss-Lorentz
line shape, data/settings/paraset2.par that of the Doniach-Sunjic shape. Each
file is one field per line (CRLF): the peak-type name, 100 x version + number
of peaks, then per peak and per parameter (height, partner height, shape,
partner shape, position, partner position, width, partner width, asymmetry,
partner asymmetry) the lower limit, upper limit, start value and state
(0 free, 1 fixed), then the six background terms as value and fixed flag.
Heights are counts per second, positions binding energies in eV, widths full
widths at half maximum in eV; partner entries are absolute. An upper height
limit of 0 means "no limit given": the fit then takes ten times the largest
value of the region.
"""
import os

PEAKS = 15
VERSION = 4

# (lower, upper, value, state) per parameter, for a peak at position e.
def gauss_lorentz(e):
    return [
        (0, 0, 1000, 0),          # height
        (0, 0, 500, 0),           # partner height (half of the main line)
        (0, 1, 0.3, 0),           # Lorentz share of the product line
        (0, 1, 0.3, 0),           # partner share
        (e - 5, e + 5, e, 0),     # position
        (e - 5, e + 6.2, e + 1.2, 0),  # partner position
        (0.3, 5, 1.5, 0),         # width
        (0.3, 5, 1.5, 0),         # partner width
        (-1, 1, 0, 1),            # asymmetry, fixed at 0 (symmetric line)
        (-1, 1, 0, 1),            # partner asymmetry
    ]


def doniach_sunjic(e):
    return [
        (0, 0, 1000, 0),          # height
        (0, 0, 500, 0),           # partner height
        (0.1, 3, 0.8, 0),         # Gaussian width (instrument broadening)
        (0.1, 3, 0.8, 0),         # partner Gaussian width
        (e - 5, e + 5, e, 0),     # position
        (e - 5, e + 6.2, e + 1.2, 0),  # partner position
        (0.05, 3, 0.5, 0),        # Lorentz width (lifetime)
        (0.05, 3, 0.5, 0),        # partner Lorentz width
        (0, 0.45, 0.05, 0),       # singularity index
        (0, 0.45, 0.05, 0),       # partner singularity index
    ]


def number(v):
    """The program's number text: a blank before non-negative numbers."""
    text = f"{v:.15g}"
    return text if text.startswith("-") else " " + text


def write(path, shape):
    fields = ["Peak", number(VERSION * 100 + PEAKS)]
    for p in range(PEAKS):
        # Peaks spread 2 eV apart from 285 eV, so that a larger peak count
        # starts with distinct positions.
        for lower, upper, value, state in shape(285 + 2 * p):
            fields += [number(lower), number(upper), number(value), number(state)]
    for term in range(6):
        fields += [number(0), number(1)]  # background terms fixed at 0
    with open(path, "wb") as f:
        f.write(("\r\n".join(fields) + "\r\n").encode("cp1252"))


here = os.path.dirname(os.path.abspath(__file__))
settings = os.path.join(here, "..", "data", "settings")
write(os.path.join(settings, "paraset1.par"), gauss_lorentz)
write(os.path.join(settings, "paraset2.par"), doniach_sunjic)
