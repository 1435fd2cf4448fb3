#!/usr/bin/env python3
"""The default presetting that ships in data/presetting/presetting.set.

The presetting file keeps the user's options between runs: one value per line,
462 lines, in a fixed order. This script lists every line with what it means
and writes the file (Windows-1252, CRLF). Colours are red + 256*green +
65536*blue. Style indices: screen curve kinds 0..7 and line kinds 0..5, font
classes 0..3; the printer set of each is the same index plus 10.

Run it again after editing; the output is committed.
"""
from __future__ import annotations

import os
import sys

import language_texts


def rgb(red: int, green: int, blue: int) -> int:
    return red + 256 * green + 65536 * blue


BLACK = rgb(0, 0, 0)
WHITE = rgb(255, 255, 255)

# Curve kinds: (style, width, colour). Styles: 0 line, 1 every other segment,
# 2 dots, 3 squares, 4 crosses, 5 circles, 6 bars.
CURVES = {
    0: (0, 1.5, BLACK),                 # measured spectrum
    1: (0, 1.0, rgb(128, 128, 128)),    # background
    2: (0, 1.0, rgb(255, 128, 0)),      # removed satellite curve
    3: (0, 1.0, rgb(0, 0, 255)),        # fitted peaks
    4: (0, 1.5, rgb(220, 0, 0)),        # sum of the peaks
    5: (0, 1.0, rgb(0, 128, 0)),        # residual
    6: (3, 3.0, rgb(0, 0, 192)),        # chemical-state plot points
    7: (0, 1.0, rgb(230, 240, 255)),    # waterfall fill
}
# Line kinds: (style, width, colour). Styles: 0 solid, 1 fine dashes,
# 2 dashes, 3 long dashes, 4 dash and square, 5 dots, 6 dense dots.
LINES = {
    0: (0, 1.0, BLACK),                 # frame, axes and ticks
    1: (2, 1.0, rgb(128, 128, 128)),    # zero line
    2: (1, 1.0, rgb(0, 128, 0)),        # residual +1 and -1 lines
    3: (0, 1.0, rgb(0, 0, 160)),        # stacked-view line
    4: (1, 1.0, rgb(200, 200, 200)),    # grid lines
    5: (2, 1.0, rgb(128, 128, 128)),    # Auger-parameter diagonals
}
# Font classes: (name, size, bold, mean character width px, line height px).
# The widths and heights are those the program measures for Arial (or its
# metric twin) at 96 dots per inch: the mean width of "ABC DFG HIJ WMHGfg"
# and 1.1 times the text height, rounded. It measures them again whenever the
# user picks a font.
SCREEN_FONTS = {
    0: ("Arial", 12.0, False, 9, 20),   # title labels
    1: ("Arial", 10.0, False, 8, 16),   # annotation labels
    2: ("Arial", 10.0, False, 8, 16),   # axis titles
    3: ("Arial", 9.0, False, 7, 15),    # tick numbers
}
# Printer fonts in points; width and height hold the size, as the style page
# sets them when it copies the screen set (the printout measures them itself).
PRINTER_FONTS = {
    10: ("Arial", 12.0, True, 12, 12),
    11: ("Arial", 9.0, False, 9, 9),
    12: ("Arial", 10.0, False, 10, 10),
    13: ("Arial", 8.0, False, 8, 8),
}

# Toolbar actions shown at first start (1..69); the rest can be added on the
# toolbar page.
TOOLBAR_SHOWN = {
    1,   # read the last format again
    2,   # export spectrum table
    3, 4,  # open and save project
    6,   # print
    11,  # revert spectrum
    13, 14,  # copy and paste spectrum
    15,  # correct energy
    16, 17, 18,  # background again, subtract it, remove satellites
    19, 20,  # region from cursors, whole spectrum
    23,  # smooth
    25, 27,  # shift and scale, normalise
    28, 29, 30, 31, 33,  # new fit, fit from file, limits, start values, run
    34,  # estimate errors
    40,  # export fit table
    48, 49,  # quantify, load sensitivity factors
    50, 51, 53,  # description, acquisition, extremes
    55,  # identify lines
    61, 62,  # title labels, annotations
    67, 68, 69,  # cascade, tile, close all
}

SENSITIVITY_FILE = "Scofield Al Ka.sen"
TRANSMISSION_FILE = "FAT E-0.5.trm"


def number(x) -> str:
    """Plain decimal text with a point; whole numbers without a fraction."""
    if isinstance(x, bool):
        return "1" if x else "0"
    if isinstance(x, int):
        return str(x)
    text = repr(float(x))
    return text[:-2] if text.endswith(".0") else text


def flag(x: bool) -> str:
    return "-1" if x else "0"


def lines() -> list[tuple[str, str]]:
    """(value, meaning) for lines 1..462."""
    out: list[tuple[str, str]] = []
    add = lambda value, meaning: out.append((value, meaning))
    msg = language_texts.MESSAGE
    english = lambda entry: entry[1]

    add("Voreinstellung", "signature")
    add("3", "AveragePoints: points averaged at region ends and smoothing window")
    add("0", "EnergyAxisMode: 0 binding energy")
    add("1", "CpsMode: 1 counts per second")
    add(";", "ColumnSeparator of exported tables")
    add("0", "DecimalComma: 0 exported numbers carry a decimal point")
    for c in range(20):
        curve = CURVES.get(c % 10) if c % 10 <= 7 else None
        line = LINES.get(c % 10)
        font = SCREEN_FONTS.get(c) or PRINTER_FONTS.get(c)
        cs, cw, cc = curve if curve else (0, 1.0, BLACK)
        ls, lw, lc = line if line else (0, 1.0, BLACK)
        add(number(cs), f"CurveStyles({c})")
        add(number(cw), f"CurveWidths({c})")
        add(number(cc), f"CurveColours({c})")
        add(number(ls), f"LineStyles({c})")
        add(number(lw), f"LineWidths({c})")
        add(number(lc), f"LineColours({c})")
        if font:
            name, size, bold, width, height = font
        else:  # classes no drawing uses keep an empty font
            name, size, bold, width, height = "", 0.0, False, 0, 0
        add(name, f"FontName({c})")
        add(flag(False), f"FontItalic({c})")
        add(number(size), f"FontSize({c})")
        add(flag(bold), f"FontBold({c})")
        add(flag(False), f"FontUnderline({c})")
        add(flag(False), f"FontStrikeout({c})")
        add("0", f"FontDialogText({c})")
        add(number(BLACK), f"FontColour({c})")
        add(number(width), f"FontCharWidth({c})")
        add(number(height), f"FontLineHeight({c})")
    add(number(WHITE), "PlotBackColour")
    add("0", "TickDirection: 0 ticks inside the frame")
    add("1", "TickSize: 1 medium")
    add("1", "RightTicks: repeat the intensity ticks on the right")
    add("1", "TopTicks: repeat the energy ticks on top")
    add("1", "MinorTicksX")
    add("0", "MinorTicksY")
    add("0", "WaterfallGuides")
    add(number(WHITE), "PrintBackColour")
    add("0", "PrintTickDirection")
    add("1", "PrintTickSize")
    add("1", "PrintRightTicks")
    add("1", "PrintTopTicks")
    add("1", "PrintMinorTicksX")
    add("0", "PrintMinorTicksY")
    add("0", "PrintWaterfallGuides")
    add("0", "XGridLinesDefault")
    add("0", "YGridLinesDefault")
    add("0", "MultiXGridLinesDefault")
    add("0", "MultiYGridLinesDefault")
    add("0", "MemberGridLinesDefault")
    add("0", "DefaultPeakModel: 0 Gauss-Lorentz")
    add("0", "DefaultRelativeMode: 0 independent peaks")
    add("120", "DialogLeft (pixels)")
    add("90", "DialogTop (pixels)")
    add("1486.6", "DefaultExcitationEnergy: Al K alpha in eV")
    add("1", "LanguageIndex: 1 English")
    add("1", "ToolbarVisible")
    add("", "ImportFolder: empty starts in the system's default folder")
    add("Arial", "DialogFontName")
    add("9", "DialogFontSize")
    add(flag(False), "DialogFontStyle bold")
    add(flag(False), "DialogFontStyle italic")
    add(flag(False), "DialogFontStyle underline")
    add(flag(False), "DialogFontStyle strikeout")
    add("0", "DialogFontDialogText")
    add(number(BLACK), "DialogFontColour")
    add("12", "ImportFormat(0): VAMAS, read again by toolbar action 1")
    add("0", "ExportScaleOn")
    for k, (on, what) in enumerate([(1, "source values"), (1, "processed spectrum"),
                                     (1, "background"), (0, "removed satellites"),
                                     (1, "peak components"), (1, "sum curve"),
                                     (0, "residual")], 1):
        add(str(on), f"ExportColumns({k}): {what}")
    add(english(msg[3]), "BackgroundName: the Shirley background")
    add(english(msg[17]), "ScaleOperationName")
    add(english(msg[22]), "ArithmeticOperationName")
    add(english(msg[47]), "FitTypeName: single peaks")
    add("1", "AlSatellitePreset")
    add("1", "MgSatellitePreset")
    add(SENSITIVITY_FILE, "SensitivityFilePath: file in \\sensitifity factors")
    add("1", "LineFilterAll")
    add("0", "LineFilterMarked")
    add("0", "LineFilterElement")
    add("0", "LineFilterOwnFile")
    add("C", "LineFilterSymbol")
    add("", "LineFilePath")
    add("", "LineFileName")
    for a in range(1, 70):
        add("1" if a in TOOLBAR_SHOWN else "0", f"ToolbarButtonOfAction({a})")
    add("24", "ToolbarButtonSize (pixels)")
    add(english(msg[3]), "BackgroundName again")
    add("0", "DefaultErrorsInPercent")
    add("", "ProjectFolder")
    add("", "ExportFolder")
    add("1", "DefaultErrorMethod: 1 Hessian")
    add(TRANSMISSION_FILE, "TransmissionFilePath: file in \\XPS-transfct")
    return out


def main() -> int:
    content = lines()
    if len(content) != 462:
        print(f"presetting: {len(content)} lines instead of 462", file=sys.stderr)
        return 1
    for n, (value, meaning) in enumerate(content, 1):
        if "," in value and n != 5:
            print(f"presetting line {n} ({meaning}) holds a comma", file=sys.stderr)
            return 1
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    path = os.path.join(root, "data", "presetting", "presetting.set")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("".join(v + "\r\n" for v, _ in content).encode("cp1252"))
    print(f"wrote {path}: {len(content)} lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
