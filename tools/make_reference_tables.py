#!/usr/bin/env python3
"""Generates the reference tables that ship in data/.

Sources:
- Core-level binding energies and subshell photoionisation cross sections come
  from xraylib (Debian packages libxrl-dev and python3-xraylib; run with the
  system /usr/bin/python3). Its edge energies are an X-ray compilation; for a
  metal they lie within about 2 eV of XPS handbook values. Its partial cross
  sections are Scofield's Hartree-Slater values (C 1s at Al K alpha: 13600 b).
- The lines used to calibrate the energy scale (ISO 15472: Au 4f7/2, Ag 3d5/2,
  Cu 2p3/2, Cu L3VV) and the adventitious C 1s reference replace the X-ray
  values, since a user calibrates against exactly these numbers.
- X-ray satellite lines and the Auger-parameter examples are literature values
  (see the tables below).

Outputs (all Windows-1252 with CRLF line ends, as the program reads them):
  data/lines/linienlage.pos                  line positions
  data/sensitifity factors/Scofield Al Ka.sen and Scofield Mg Ka.sen
  data/settings/doublet.dda                  spin-orbit doublets
  data/settings/satellite.set                X-ray satellite presets
  data/XPS-transfct/*.trm                    transmission functions
  data/phi-names/phi_names.ele               region codes of *.INF files
  data/auger parameters/*.aup                Auger-parameter lists

The outputs are committed, so neither a build nor a user needs xraylib.
"""
from __future__ import annotations

import os
import sys

try:
    import xraylib as xrl
except ImportError:  # pragma: no cover
    sys.exit("xraylib is needed: apt-get install python3-xraylib; run with /usr/bin/python3")

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
DATA = os.path.join(ROOT, "data")

AL_KA = 1486.6  # eV
MG_KA = 1253.6
AVOGADRO = 6.02214076e23
LOWEST_LEVEL = 10.0  # eV; shallower levels are valence bands, not core lines

# Subshells in the order of rising principal and angular quantum number.
SUBSHELLS = [
    ("1s", "K_SHELL"), ("2s", "L1_SHELL"), ("2p1/2", "L2_SHELL"), ("2p3/2", "L3_SHELL"),
    ("3s", "M1_SHELL"), ("3p1/2", "M2_SHELL"), ("3p3/2", "M3_SHELL"),
    ("3d3/2", "M4_SHELL"), ("3d5/2", "M5_SHELL"),
    ("4s", "N1_SHELL"), ("4p1/2", "N2_SHELL"), ("4p3/2", "N3_SHELL"),
    ("4d3/2", "N4_SHELL"), ("4d5/2", "N5_SHELL"), ("4f5/2", "N6_SHELL"), ("4f7/2", "N7_SHELL"),
    ("5s", "O1_SHELL"), ("5p1/2", "O2_SHELL"), ("5p3/2", "O3_SHELL"),
    ("5d3/2", "O4_SHELL"), ("5d5/2", "O5_SHELL"),
]
# Spin-orbit partners: (level, lower-j partner, higher-j partner, area ratio
# of the lower-j line to the higher-j line from the 2j+1 occupancies).
DOUBLETS = [("2p", "2p1/2", "2p3/2", 0.5), ("3p", "3p1/2", "3p3/2", 0.5),
            ("3d", "3d3/2", "3d5/2", 2 / 3), ("4p", "4p1/2", "4p3/2", 0.5),
            ("4d", "4d3/2", "4d5/2", 2 / 3), ("4f", "4f5/2", "4f7/2", 0.75),
            ("5p", "5p1/2", "5p3/2", 0.5), ("5d", "5d3/2", "5d5/2", 2 / 3)]

# Reference binding energies used for energy calibration (ISO 15472 for the
# clean metals) and the usual hydrocarbon C 1s reference.
CALIBRATION = {
    ("Au", "4f7/2"): 83.96, ("Au", "4f5/2"): 87.63,
    ("Ag", "3d5/2"): 368.21, ("Ag", "3d3/2"): 374.21,
    ("Cu", "2p3/2"): 932.62, ("Cu", "2p1/2"): 952.45,
    ("C", "1s"): 284.8,
}

FIRST_Z, LAST_Z = 3, 92


def symbol(z: int) -> str:
    return xrl.AtomicNumberToSymbol(z)


def edge(z: int, shell: str) -> float | None:
    try:
        e = xrl.EdgeEnergy(z, getattr(xrl, shell)) * 1000.0
    except ValueError:
        return None
    return e if e > 0 else None


def cross_section(z: int, shell: str, photon_ev: float) -> float:
    """Subshell photoionisation cross section in barns per atom (0 when none)."""
    try:
        cm2_per_g = xrl.CS_Photo_Partial(z, getattr(xrl, shell), photon_ev / 1000.0)
    except ValueError:
        return 0.0
    return cm2_per_g * xrl.AtomicWeight(z) / AVOGADRO * 1e24


def levels(z: int, photon_ev: float) -> list[tuple[str, float, float]]:
    """(subshell, binding energy, cross section) of the core levels that the
    photon can ionise; spin-orbit pairs that the compilation does not resolve
    (both partners at one energy) become a single line."""
    found = {}
    for name, shell in SUBSHELLS:
        e = edge(z, shell)
        if e is None or e < LOWEST_LEVEL or e >= photon_ev - 5:
            continue
        e = CALIBRATION.get((symbol(z), name), e)
        found[name] = (e, cross_section(z, shell, photon_ev))
    out = []
    merged = set()
    for level, low_j, high_j, _ in DOUBLETS:
        if low_j in found and high_j in found and abs(found[low_j][0] - found[high_j][0]) < 0.05:
            e = found[high_j][0]
            out.append((level, e, found[low_j][1] + found[high_j][1]))
            merged |= {low_j, high_j}
    for name, (e, cs) in found.items():
        if name not in merged:
            out.append((name, e, cs))
    return sorted(out, key=lambda t: t[1])


def energy_text(e: float) -> str:
    """One decimal: the line name must begin within the first ten columns."""
    return f"{e:.1f}"


# ---------------------------------------------------------------- line table
# Main Auger lines, kinetic energies in eV (entries whose text holds "(" are
# kinetic energies). Computed from the edges with the rule of Chung and
# Jenkins, E(ABC) = E_A(Z) - [E_B(Z) + E_B(Z+1)]/2 - [E_C(Z) + E_C(Z+1)]/2,
# except where a measured value is standard.
AUGER_MEASURED = {
    ("C", "KLL"): 263.4, ("N", "KLL"): 379.0, ("O", "KLL"): 510.0, ("F", "KLL"): 655.0,
    ("Cu", "L3M45M45"): 918.69,  # ISO 15472
    ("Ag", "M4N45N45"): 357.8,
}
AUGER_TRANSITIONS = [
    # (first Z, last Z, name, initial, two final shells)
    (11, 14, "KL23L23", "K_SHELL", ("L3_SHELL", "L3_SHELL")),
    (21, 28, "L3M23M23", "L3_SHELL", ("M3_SHELL", "M3_SHELL")),
    (21, 28, "L3M23M45", "L3_SHELL", ("M3_SHELL", "M5_SHELL")),
    (21, 34, "L3M45M45", "L3_SHELL", ("M5_SHELL", "M5_SHELL")),
    (44, 54, "M5N45N45", "M5_SHELL", ("N5_SHELL", "N5_SHELL")),
    (44, 54, "M4N45N45", "M4_SHELL", ("N5_SHELL", "N5_SHELL")),
]


def auger_lines() -> list[tuple[float, str]]:
    out = []
    for (sym, name), ke in AUGER_MEASURED.items():
        out.append((ke, f"{sym} {name} (Auger kinetic energy)"))
    for first, last, name, initial, finals in AUGER_TRANSITIONS:
        for z in range(first, last + 1):
            if (symbol(z), name) in AUGER_MEASURED:
                continue
            e_a = edge(z, initial)
            parts = [edge(z, s) for s in finals] + [edge(z + 1, s) for s in finals]
            if e_a is None or any(p is None for p in parts):
                continue
            ke = e_a - (parts[0] + parts[2]) / 2 - (parts[1] + parts[3]) / 2
            if 0 < ke < AL_KA:
                out.append((ke, f"{symbol(z)} {name} (Auger kinetic energy)"))
    return out


def main_line(found: list[tuple[str, float, float]]) -> str:
    """The line usually taken to analyse an element: among the levels (both
    spin-orbit lines together) whose cross section is at least half the
    largest, the one of highest angular momentum, being the narrowest (Au 4f
    rather than Au 4d, Al 2p rather than Al 2s); its higher-j line."""
    totals: dict[str, float] = {}
    for name, _, cs in found:
        totals[name[:2]] = totals.get(name[:2], 0.0) + cs
    strongest = max(totals.values())
    candidates = [lv for lv, total in totals.items() if total >= 0.5 * strongest]
    level = max(candidates, key=lambda lv: ("spdf".index(lv[1]), totals[lv]))
    names = [name for name, _, _ in found if name[:2] == level]
    for _, low_j, high_j, _ in DOUBLETS:
        if high_j in names:
            return high_j
    return names[0]


def line_table() -> list[str]:
    entries = []
    for z in range(FIRST_Z, LAST_Z + 1):
        found = levels(z, AL_KA)
        if not found:
            continue
        strongest = main_line(found)
        for name, e, _ in found:
            mark = " *" if name == strongest else ""
            entries.append((e, f"{symbol(z)} {name}{mark}"))
    entries += auger_lines()
    entries.sort(key=lambda t: (round(t[0], 1), t[1]))
    # The element-table editor's layout: a blank, the number, two blanks, text.
    return [f" {energy_text(e)}  {text}" for e, text in entries]


# ------------------------------------------------------- sensitivity factors
def line_key(sym: str, level: str) -> str:
    """The key the quantification forms from a peak name: no blanks and no
    "/2": Cu2p3 for Cu 2p3/2, Cu2p for the whole Cu 2p doublet."""
    return sym + level.replace("/2", "")


def sensitivity_table(photon_ev: float) -> list[str]:
    carbon = cross_section(6, "K_SHELL", photon_ev)
    out = ["Sensitivity Factors"]
    for z in range(FIRST_Z, LAST_Z + 1):
        sym = symbol(z)
        found = {name: cs for name, _, cs in levels(z, photon_ev)}
        rows = []
        for name, cs in found.items():
            rows.append((line_key(sym, name), cs))
        # whole doublets for fits with doublet peaks (area of both lines)
        for level, low_j, high_j, _ in DOUBLETS:
            if low_j in found and high_j in found:
                rows.append((sym + level, found[low_j] + found[high_j]))
        for key, cs in rows:
            if cs > 0:
                out.append(f"{key},{cs / carbon:.4g}")
    return out


# ------------------------------------------------------------------ doublets
def doublet_table() -> list[str]:
    out = ["Dublett Werte"]
    for z in range(FIRST_Z, LAST_Z + 1):
        sym = symbol(z)
        for level, low_j, high_j, ratio in DOUBLETS:
            shells = dict(SUBSHELLS)
            e_low = edge(z, shells[low_j])
            e_high = edge(z, shells[high_j])
            if e_low is None or e_high is None or e_high < LOWEST_LEVEL or e_high >= AL_KA:
                continue
            e_low = CALIBRATION.get((sym, low_j), e_low)
            e_high = CALIBRATION.get((sym, high_j), e_high)
            splitting = e_low - e_high
            if splitting < 0.1:
                continue  # not resolved in the compilation
            out.append(f"{sym}{level},{ratio:.4g},{splitting:.2f}")
    return out


# ----------------------------------------------------------------- satellites
# Non-monochromatic Mg and Al K alpha: offsets of K alpha 3, 4, 5, 6 and K beta
# in eV towards higher kinetic energy, intensities relative to K alpha 1,2.
# Preset 1: the standard table of the XPS handbooks (after Krause and
# Ferreira). Preset 2: only K alpha 3 and 4, the two that matter in most
# spectra. Preset 3: a monochromated source (no satellites). Presets 4 and 5
# start as copies of preset 1 for the user's own values.
AL_STANDARD = [(9.8, 0.064), (11.8, 0.032), (20.1, 0.004), (23.4, 0.003), (69.7, 0.0055)]
MG_STANDARD = [(8.4, 0.080), (10.2, 0.041), (17.5, 0.0055), (20.0, 0.0045), (48.5, 0.005)]


def presets(standard):
    main_only = [standard[0], standard[1]] + [(0.0, 0.0)] * 3
    none = [(0.0, 0.0)] * 5
    return [standard, main_only, none, standard, standard]


def satellite_file() -> list[str]:
    al, mg = presets(AL_STANDARD), presets(MG_STANDARD)
    out = []
    for j in range(5):
        out.append("Aluminiumsatelliteni&")
        for s in range(5):
            out += [number(al[s][j][0]), number(al[s][j][1])]
        out.append("Magnesiumsatelliteni&")
        for s in range(5):
            out += [number(mg[s][j][0]), number(mg[s][j][1])]
    return out


def number(x: float) -> str:
    text = repr(float(x))
    return text[:-2] if text.endswith(".0") else text


# -------------------------------------------------------------- transmission
# IERF(E) = a0 + a1 x + a2 x^2 + a3 x^3 + a4 x^4 + b1 E^b2 with
# x = (E - 1000)/1000. A hemispherical analyser at fixed pass energy passes
# roughly E^-0.5 to E^-1 of the electrons; each file is normalised to 1 at
# 1000 eV kinetic energy.
TRANSMISSION = {
    "Unity.trm": ("Unity", "constant transmission", [1, 0, 0, 0, 0, 0, 0]),
    "FAT E-0.5.trm": ("FAT E-0.5", "fixed pass energy: E to the power -0.5",
                      [0, 0, 0, 0, 0, 1000 ** 0.5, -0.5]),
    "FAT E-0.7.trm": ("FAT E-0.7", "fixed pass energy: E to the power -0.7",
                      [0, 0, 0, 0, 0, 1000 ** 0.7, -0.7]),
    "FAT E-1.trm": ("FAT E-1", "fixed pass energy: E to the power -1",
                    [0, 0, 0, 0, 0, 1000.0, -1]),
}


def transmission_file(name: str, comment: str, coefficients) -> list[str]:
    out = [name, "transfct", "1361", "200", "1560", "1", "20", number(AL_KA), "1", "1",
           "FAT", comment, "2006-01-01", "Sorvan"]
    coefficients = list(coefficients) + [0, 0, 0]
    for c in coefficients:
        out += [number(c) if isinstance(c, float) else str(c), "0"]
    return out


# ---------------------------------------------------------------- region codes
REGION_SPECIAL = [("Su1", "Survey"), ("Sur", "Survey"), ("Su", "Survey"),
                  ("Val", "Valence band"), ("VB", "Valence band"), ("Vb1", "Valence band")]


AUGER_GROUPS = {"K": "KLL", "L": "LMM", "M": "MNN"}


def region_names() -> list[tuple[str, str]]:
    """Codes as *.INF files name their regions (symbol and principal quantum
    number, or symbol and level), with the name shown instead."""
    pairs = list(REGION_SPECIAL)
    seen = {c for c, _ in pairs}
    by_level = []
    for z in range(FIRST_Z, LAST_Z + 1):
        sym = symbol(z)
        found = levels(z, AL_KA)
        if not found:
            continue
        best = {}
        for name, _, cs in found:
            n = name[0]
            if n not in best or cs > best[n][1]:
                best[n] = (name, cs)
        main = main_line(found)
        best[main[0]] = (main, 0.0)  # Au4 is Au 4f, not the stronger Au 4d
        for n, (name, _) in sorted(best.items()):
            level = name[:2]
            pairs.append((sym + n, f"{sym} {level}"))
            by_level.append((sym + level, f"{sym} {level}"))
    for code, name in by_level:
        if len(code) <= 4:
            pairs.append((code, name))
    # Auger regions, then the weaker levels, until the table is full.
    for z in range(FIRST_Z, LAST_Z + 1):
        sym = symbol(z)
        groups = sorted({AUGER_GROUPS[text.split()[1][0]]
                         for _, text in auger_lines() if text.split()[0] == sym})
        for group in groups:
            pairs.append((sym + "A", f"{sym} {group}"))
    for z in range(FIRST_Z, LAST_Z + 1):
        sym = symbol(z)
        for name, _, _ in levels(z, AL_KA):
            level = name[:2]
            if len(sym + level) <= 4:
                pairs.append((sym + level, f"{sym} {level}"))
    out = []
    for code, name in pairs:
        if code not in seen or code in dict(REGION_SPECIAL):
            out.append((code, name))
            seen.add(code)
    return out[:434]


# ------------------------------------------------------------ Auger parameters
# Modified Auger parameter a' = binding energy of the photoelectron line + kinetic
# energy of the Auger line (eV), from published compilations (Wagner et al.;
# Biesinger et al. for Cu and Zn; Moretti for the oxides).
AUGER_PARAMETERS = {
    "Copper.aup": [(932.6, 918.6, "Cu metal"), (932.4, 916.5, "Cu2O"),
                   (933.8, 917.7, "CuO"), (934.7, 916.2, "Cu(OH)2")],
    "Zinc.aup": [(1021.7, 992.1, "Zn metal"), (1021.7, 988.1, "ZnO"),
                 (1021.9, 989.6, "ZnS")],
    "Silver.aup": [(368.2, 357.8, "Ag metal"), (367.7, 356.8, "Ag2O"),
                   (367.4, 356.6, "AgO")],
    "Silicon.aup": [(99.4, 1616.6, "Si elemental"), (103.5, 1608.5, "SiO2"),
                    (101.7, 1611.6, "Si3N4"), (100.4, 1614.8, "SiC")],
    "Indium.aup": [(443.9, 410.4, "In metal"), (444.5, 406.7, "In2O3")],
}


def auger_list(entries) -> list[str]:
    out = []
    for b, c, text in entries:
        a = round(b + c, 1)
        out.append(f" {a:.1f}={b:.1f}+{c:.1f}  {text}")
    return out


# --------------------------------------------------------------------- output
def write(relative: str, lines: list[str]) -> None:
    path = os.path.join(DATA, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    for line in lines:
        if relative.endswith((".sen", ".dda")):
            continue
        if "," in line:
            raise SystemExit(f"{relative}: a comma in {line!r}")
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))
    print(f"wrote data/{relative}: {len(lines)} lines")


def main() -> int:
    lines = line_table()
    if len(lines) > 1000:
        raise SystemExit(f"{len(lines)} line positions: the table holds 1000")
    write("lines/linienlage.pos", lines)
    write("sensitifity factors/Scofield Al Ka.sen", sensitivity_table(AL_KA))
    write("sensitifity factors/Scofield Mg Ka.sen", sensitivity_table(MG_KA))
    write("settings/doublet.dda", doublet_table())
    write("settings/satellite.set", satellite_file())
    for file_name, (name, comment, coefficients) in TRANSMISSION.items():
        write("XPS-transfct/" + file_name, transmission_file(name, comment, coefficients))
    pairs = region_names()
    if len(pairs) != 434:
        raise SystemExit(f"{len(pairs)} region names instead of 434")
    write("phi-names/phi_names.ele", [x for pair in pairs for x in pair])
    for file_name, entries in AUGER_PARAMETERS.items():
        write("auger parameters/" + file_name, auger_list(entries))
    return 0


if __name__ == "__main__":
    sys.exit(main())
