#!/usr/bin/env python3
"""The two default parameter sets that ship with the program.

Running this script writes data/settings/paraset1.par (Gauss-Lorentz peaks)
and data/settings/paraset2.par (Doniach-Sunjic peaks). A window takes its
peak table from one of them whenever it gets a spectrum, so every peak a user
may add to a fit (up to 15) has its row here: a fit of more peaks starts from
the same sound defaults as a fit of one.

File layout (read field by field; a field ends at a comma or a line end):
the peak-type name, then x = 100 * version + number of peaks, then per peak
and parameter j = 1..10 one line "lower, upper, value, state" (state 0 free,
1 fixed, 2 linked; the sign is ignored). Heights are per second, positions
binding energies in eV, widths full widths at half maximum in eV. CRLF.

The defaults must not cut real spectra, in counts or in counts per second,
of any element:
- the height's upper limit is left empty (0): the completion of the limit
  tables gives it ten times the largest value of the fit region;
- the position limits are left empty (0, 0): the completion gives them the
  ends of the fit region; the start position is picked or typed anyway;
- the width may grow up to the region's span (upper limit left empty) and
  only a line too narrow for any core level (0.1 eV) is cut below;
- the Doniach-Sunjic Gaussian width has no upper cap either, and its
  asymmetry may be freed up to 0.5, the largest the line allows.

Partner entries are absolute, as in every peak table: a partner of half the
height 4 eV above the peak (binding energy), with the peak's shape, width and
asymmetry, and the peak's limits. A new doublet fit takes its partners from
the doublet table of the spectrum's line instead (fiterrors/start_values.h).
"""
import os

PEAKS = 15
VERSION = 3


def gauss_lorentz_peak():
    # j: (lower, upper, value, state)
    return [
        (0, 0, 1000, 0),        # 1 height: upper limit from the region
        (0, 0, 500, 1),         # 2 partner height
        (0, 1, 0.3, 0),         # 3 Lorentz share
        (0, 1, 0.3, 2),         # 4 partner share
        (0, 0, 284.6, 0),       # 5 position: limits from the region
        (0, 0, 288.6, 2),       # 6 partner position
        (0.1, 0, 1.2, 0),       # 7 width: upper limit from the region
        (0.1, 0, 1.2, 1),       # 8 partner width
        (-0.1, 0.1, 0, -1),     # 9 asymmetry, fixed
        (-0.1, 0.1, 0, 1),      # 10 partner asymmetry
    ]


def doniach_sunjic_peak():
    return [
        (0, 0, 1000, 0),        # 1 height: upper limit from the region
        (0, 0, 500, 1),         # 2 partner height
        (0, 0, 0.3, 0),         # 3 Gaussian width: upper limit from the region
        (0, 0, 0.3, 2),         # 4 partner Gaussian width
        (0, 0, 284.6, 0),       # 5 position: limits from the region
        (0, 0, 288.6, 2),       # 6 partner position
        (0.1, 0, 1.2, 0),       # 7 Lorentz width: upper limit from the region
        (0.1, 0, 1.2, 1),       # 8 partner Lorentz width
        (0, 0.5, 0, -1),        # 9 asymmetry, fixed
        (0, 0.5, 0, 1),         # 10 partner asymmetry
    ]


def number(v):
    return f"{v:g}"


def write(path, peak):
    lines = ["Peak", f" {100 * VERSION + PEAKS}"]
    for _ in range(PEAKS):
        for lower, upper, value, state in peak():
            lines.append(" " + ", ".join(number(x) for x in (lower, upper, value, state)))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
    print("written", os.path.normpath(path))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    settings = os.path.join(here, "..", "data", "settings")
    write(os.path.join(settings, "paraset1.par"), gauss_lorentz_peak)
    write(os.path.join(settings, "paraset2.par"), doniach_sunjic_peak)


if __name__ == "__main__":
    main()
