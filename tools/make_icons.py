#!/usr/bin/python3
"""Draws the 69 toolbar icons into data/icons/<key>.ico (16x16 and 32x32).

Each icon is drawn on a 256-pixel canvas and scaled down: a rounded tile in
the colour of its toolbar group, and a dark glyph that says what the action
does (spectrum curves, pages, arrows, a printer, ...). Strokes are wide enough
to stay visible at 16 pixels.

Run: /usr/bin/python3 tools/make_icons.py   (needs python3-pil)
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

S = 256                       # drawing canvas
W = 22                        # main stroke width on the canvas
INK = (40, 40, 48, 255)
WHITE = (255, 255, 255, 255)
RED = (200, 40, 40, 255)
GREEN = (30, 140, 60, 255)
BLUE = (40, 90, 190, 255)

GROUP_COLOURS = {
    "dat": (120, 165, 230),    # file
    "bea": (120, 200, 130),    # processing
    "fit": (245, 170, 90),     # peak fit
    "ser": (175, 140, 220),    # series
    "kon": (90, 200, 200),     # quantification
    "inf": (235, 210, 100),    # information
    "besch": (235, 140, 180),  # labels
    "fen": (170, 175, 185),    # windows
}


def font(size):
    for path in ("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                 "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"):
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


# ---- glyph primitives (coordinates on the 256 canvas) ----

def peak(d, x0, x1, base, height, centre=None, width=None, fill=None, colour=INK, w=W):
    """A Gaussian peak from x0 to x1 on the baseline `base`."""
    centre = (x0 + x1) / 2 if centre is None else centre
    width = (x1 - x0) / 6 if width is None else width
    pts = [(x, base - height * math.exp(-((x - centre) / width) ** 2 / 2))
           for x in range(int(x0), int(x1) + 1, 4)]
    if fill:
        d.polygon(pts + [(x1, base), (x0, base)], fill=fill)
    d.line(pts, fill=colour, width=w, joint="curve")


def curve(d, fn, x0, x1, colour=INK, w=W):
    pts = [(x, fn(x)) for x in range(int(x0), int(x1) + 1, 4)]
    d.line(pts, fill=colour, width=w, joint="curve")


def spectrum(d, x0=40, x1=216, base=200, height=130, colour=INK, w=W):
    peak(d, x0, x1, base, height, colour=colour, w=w)


def two_peaks(d, base=200, colour=INK):
    def fn(x):
        return base - 120 * math.exp(-((x - 105) / 22) ** 2 / 2) - 80 * math.exp(-((x - 160) / 22) ** 2 / 2)
    curve(d, fn, 36, 220, colour)


def page(d, box, fold=True):
    x0, y0, x1, y1 = box
    f = (x1 - x0) // 3
    pts = [(x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1), (x0, y1)]
    d.polygon(pts, fill=WHITE, outline=INK)
    d.line(pts + [(x0, y0)], fill=INK, width=W // 2 + 4)
    if fold:
        d.line([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)], fill=INK, width=W // 2)


def lines_on(d, box, n=3):
    x0, y0, x1, y1 = box
    for i in range(n):
        y = y0 + (i + 1) * (y1 - y0) / (n + 1)
        d.line([(x0, y), (x1, y)], fill=INK, width=W // 2 + 2)


def grid(d, box, rows=3, cols=3):
    x0, y0, x1, y1 = box
    d.rectangle(box, fill=WHITE, outline=INK, width=W // 2 + 4)
    for r in range(1, rows):
        y = y0 + r * (y1 - y0) / rows
        d.line([(x0, y), (x1, y)], fill=INK, width=W // 2)
    for c in range(1, cols):
        x = x0 + c * (x1 - x0) / cols
        d.line([(x, y0), (x, y1)], fill=INK, width=W // 2)


def arrow(d, start, end, colour=INK, w=W, head=40):
    d.line([start, end], fill=colour, width=w)
    ang = math.atan2(end[1] - start[1], end[0] - start[0])
    left = (end[0] - head * math.cos(ang - 0.5), end[1] - head * math.sin(ang - 0.5))
    right = (end[0] - head * math.cos(ang + 0.5), end[1] - head * math.sin(ang + 0.5))
    d.polygon([end, left, right], fill=colour)


def double_arrow(d, y, x0, x1, colour=INK):
    arrow(d, ((x0 + x1) / 2, y), (x1, y), colour)
    arrow(d, ((x0 + x1) / 2, y), (x0, y), colour)


def undo_arrow(d, cx, cy, r, colour=BLUE):
    d.arc([cx - r, cy - r, cx + r, cy + r], 180, 450, fill=colour, width=W)
    tip = (cx - r, cy + 10)
    d.polygon([(tip[0] - 30, tip[1] - 30), (tip[0] + 30, tip[1] - 30), (tip[0], tip[1] + 20)], fill=colour)


def folder(d, box, colour=(250, 215, 110, 255)):
    x0, y0, x1, y1 = box
    tab = [(x0, y0 + 20), (x0 + 20, y0), (x0 + 80, y0), (x0 + 100, y0 + 20)]
    d.polygon(tab + [(x1, y0 + 20), (x1, y1), (x0, y1)], fill=colour, outline=INK)
    d.line(tab + [(x1, y0 + 20), (x1, y1), (x0, y1), (x0, y0 + 20)], fill=INK, width=W // 2 + 4)


def disk(d, box):
    x0, y0, x1, y1 = box
    d.rectangle(box, fill=(70, 100, 170, 255), outline=INK, width=W // 2 + 4)
    d.rectangle([x0 + 40, y0, x1 - 40, y0 + 60], fill=(220, 220, 230, 255), outline=INK, width=8)
    d.rectangle([x0 + 30, y1 - 80, x1 - 30, y1], fill=WHITE, outline=INK, width=8)


def printer(d):
    d.rectangle([70, 40, 186, 110], fill=WHITE, outline=INK, width=14)
    d.rounded_rectangle([30, 100, 226, 190], radius=20, fill=(120, 120, 130, 255), outline=INK, width=14)
    d.rectangle([70, 160, 186, 230], fill=WHITE, outline=INK, width=14)
    d.ellipse([190, 120, 210, 140], fill=GREEN)


def picture(d):
    d.rectangle([34, 50, 222, 206], fill=(200, 230, 250, 255), outline=INK, width=16)
    d.polygon([(42, 198), (110, 110), (160, 170), (190, 140), (214, 198)], fill=(60, 150, 70, 255))
    d.ellipse([160, 66, 200, 106], fill=(250, 200, 40, 255))


def letter(d, text, xy, size, colour=INK, anchor="mm"):
    d.text(xy, text, fill=colour, font=font(size), anchor=anchor)


def badge(d, text, colour=BLUE):
    d.ellipse([150, 150, 250, 250], fill=colour)
    letter(d, text, (200, 202), 80, WHITE)


def pencil(d):
    d.line([(150, 236), (236, 150)], fill=(230, 150, 40, 255), width=34)
    d.polygon([(136, 250), (130, 226), (154, 232)], fill=INK)


def stacked(d, n=3, dx=0, dy=-40, mirrored=False):
    for i in range(n):
        ox = (n - 1 - i) * dx * (-1 if mirrored else 1)
        oy = i * dy
        peak(d, 40 + ox, 200 + ox, 216 + oy, 70, w=W - 4)


def pages(d, n=3):
    for i in range(n):
        o = (n - 1 - i) * 24
        page(d, (50 + o, 30 + o, 170 + o, 190 + o), fold=False)


def window_frame(d, box, title=(90, 120, 200, 255)):
    x0, y0, x1, y1 = box
    d.rectangle(box, fill=WHITE, outline=INK, width=12)
    d.rectangle([x0, y0, x1, y0 + 30], fill=title, outline=INK, width=12)


# ---- the 69 glyphs ----

def g_dat1(d):
    folder(d, (30, 60, 200, 200))
    undo_arrow(d, 180, 90, 46, GREEN)


def g_dat2(d):
    grid(d, (30, 40, 170, 200))
    arrow(d, (140, 190), (236, 190), GREEN)


def g_dat8(d):
    folder(d, (30, 50, 226, 210))


def g_dat9(d):
    disk(d, (44, 36, 212, 220))


def g_dat10(d):
    page(d, (50, 24, 206, 232))
    lines_on(d, (78, 90, 180, 200), 3)
    letter(d, "A", (110, 70), 70)


def g_dat3(d):
    printer(d)


def g_dat11(d):
    picture(d)


def g_dat12(d):
    spectrum(d)
    badge(d, "T")


def g_dat4(d):
    pages(d, 3)


def g_dat5(d):
    for i in range(4):
        y = 50 + i * 40
        d.rectangle([40, y, 180, y + 28], fill=(180 - i * 30, 140 - i * 20, 90, 255), outline=INK, width=8)
    arrow(d, (215, 40), (215, 220), INK)


def g_dat6(d):
    spectrum(d, 30, 200, 216, 110)
    undo_arrow(d, 180, 80, 46)


def g_dat7(d):
    d.rectangle([60, 30, 170, 230], fill=(150, 100, 60, 255), outline=INK, width=14)
    d.ellipse([140, 120, 158, 138], fill=(250, 220, 80, 255))
    arrow(d, (120, 130), (240, 130), RED)


def g_bea7(d):
    page(d, (30, 30, 150, 180), fold=False)
    page(d, (100, 80, 220, 230), fold=False)


def g_bea8(d):
    d.rounded_rectangle([46, 40, 210, 236], radius=16, fill=(190, 140, 90, 255), outline=INK, width=14)
    d.rectangle([90, 24, 166, 64], fill=(200, 200, 210, 255), outline=INK, width=10)
    page(d, (80, 90, 176, 220), fold=False)


def g_bea9(d):
    spectrum(d, 40, 216, 220, 120)
    double_arrow(d, 60, 40, 216, RED)


def g_bea10(d):
    def bg(x):
        return 210 - 40 * (x - 30) / 196
    pts = [(x, bg(x) - 120 * math.exp(-((x - 128) / 28) ** 2 / 2)) for x in range(30, 227, 4)]
    d.polygon([(x, bg(x)) for x in range(30, 227, 4)] + [(226, 230), (30, 230)], fill=(90, 150, 220, 255))
    d.line([(x, bg(x)) for x in range(30, 227, 4)], fill=BLUE, width=W - 6)
    d.line(pts, fill=INK, width=W, joint="curve")


def g_bea11(d):
    spectrum(d, 30, 226, 200, 130)
    d.line([(20, 214), (236, 214)], fill=BLUE, width=W - 6)
    badge(d, "0", GREEN)


def g_bea12(d):
    def fn(x):
        return 210 - 150 * math.exp(-((x - 90) / 20) ** 2 / 2) - 40 * math.exp(-((x - 180) / 16) ** 2 / 2)
    curve(d, fn, 30, 230)
    d.line([(150, 130), (226, 206)], fill=RED, width=W)
    d.line([(226, 130), (150, 206)], fill=RED, width=W)


def g_bea13(d):
    spectrum(d, 24, 232, 220, 140)
    for x in (80, 176):
        d.line([(x, 30), (x, 236)], fill=RED, width=W - 4)


def g_bea14(d):
    spectrum(d, 24, 232, 220, 140)
    for x in (28, 228):
        d.line([(x, 30), (x, 236)], fill=RED, width=W - 4)
    double_arrow(d, 40, 40, 216, RED)


def g_bea15(d):
    def fn(x):
        t = (x - 128) / 34
        return 128 + 150 * t * math.exp(-t * t / 2)
    curve(d, fn, 24, 232)
    d.line([(20, 128), (236, 128)], fill=(150, 150, 150, 255), width=8)


def g_bea16(d):
    d.line([(20, 128), (236, 128)], fill=(150, 150, 150, 255), width=8)
    peak(d, 30, 226, 118, 90, w=W - 4, colour=(110, 110, 110, 255))
    peak(d, 30, 226, 138, -90)


def g_bea17(d):
    import random
    random.seed(7)
    for x in range(36, 222, 14):
        y = 210 - 140 * math.exp(-((x - 128) / 30) ** 2 / 2) + random.uniform(-18, 18)
        d.ellipse([x - 8, y - 8, x + 8, y + 8], fill=(110, 110, 110, 255))
    spectrum(d, 30, 226, 210, 140)


def g_bea18(d):
    spectrum(d, 24, 200, 210, 140)
    for x in (60, 90, 112, 140, 170):
        y = 210 - 140 * math.exp(-((x - 112) / (176 / 6)) ** 2 / 2)
        d.rectangle([x - 12, y - 12, x + 12, y + 12], fill=RED)
    d.polygon([(170, 150), (170, 246), (194, 222), (212, 252), (228, 244), (210, 214), (242, 212)],
              fill=WHITE, outline=INK)
    d.line([(170, 150), (170, 246), (194, 222), (212, 252), (228, 244), (210, 214), (242, 212), (170, 150)],
           fill=INK, width=8)


def g_bea19(d):
    spectrum(d, 20, 180, 220, 110, w=W - 4)
    peak(d, 20, 180, 150, 110, colour=(110, 110, 110, 255), w=W - 6)
    arrow(d, (214, 220), (214, 40), RED)


def g_bea20(d):
    letter(d, "+", (80, 90), 130)
    letter(d, "−", (176, 90), 130)
    letter(d, "×", (80, 190), 120)
    letter(d, "÷", (176, 190), 120)


def g_bea21(d):
    d.line([(24, 50), (232, 50)], fill=RED, width=10)
    spectrum(d, 24, 200, 220, 170)
    letter(d, "1", (216, 110), 100, RED)


def g_fit22(d):
    peak(d, 30, 190, 216, 150, centre=100, width=24, fill=(120, 170, 240, 255), w=W - 6)
    peak(d, 70, 236, 216, 110, centre=160, width=24, fill=(240, 130, 120, 255), w=W - 6)


def g_fit23(d):
    page(d, (20, 20, 130, 170))
    lines_on(d, (40, 60, 110, 150), 3)
    peak(d, 90, 240, 232, 120, centre=170, width=22)


def g_fit24(d):
    spectrum(d, 24, 232, 230, 150)
    d.line([(70, 50), (186, 50)], fill=RED, width=W - 4)
    for x in (70, 186):
        d.line([(x, 26), (x, 74)], fill=RED, width=W - 4)


def g_fit25(d):
    spectrum(d, 24, 232, 226, 160)
    d.ellipse([104, 42, 152, 90], fill=RED)
    d.line([(128, 226), (128, 100)], fill=RED, width=10)


def g_fit26(d):
    d.line([(20, 220), (236, 170)], fill=BLUE, width=W)
    def fn(x):
        return 220 - 50 * (x - 20) / 216 - 120 * math.exp(-((x - 100) / 20) ** 2 / 2) - 80 * math.exp(-((x - 170) / 20) ** 2 / 2)
    curve(d, fn, 20, 236)


def g_fit27(d):
    two_peaks(d, 226)
    d.polygon([(150, 30), (150, 130), (236, 80)], fill=GREEN)


def g_fit28(d):
    spectrum(d, 24, 200, 226, 150)
    d.line([(112, 40), (112, 140)], fill=RED, width=W - 6)
    for y in (40, 140):
        d.line([(88, y), (136, y)], fill=RED, width=W - 6)
    letter(d, "±", (200, 80), 110, RED)


def g_fit29(d):
    grid(d, (24, 24, 176, 176), 4, 4)
    d.line([(24, 24), (176, 176)], fill=RED, width=W - 6)
    arrow(d, (140, 210), (240, 210), GREEN)


def g_ser29(d):
    stacked(d, 3, 0, -56)
    double_arrow(d, 40, 30, 226, RED)


def g_ser30(d):
    stacked(d, 3, 0, -56)
    undo_arrow(d, 190, 70, 44)


def g_ser31(d):
    stacked(d, 3, 0, -56)
    arrow(d, (150, 60), (240, 60), GREEN)


def g_ser32(d):
    printer(d)
    peak(d, 78, 178, 224, 56, w=12)


def g_ser33(d):
    grid(d, (20, 30, 170, 200), 4, 3)
    arrow(d, (130, 212), (236, 212), GREEN)


def g_ser34(d):
    printer(d)
    letter(d, "±", (128, 196), 70)


def g_ser35(d):
    grid(d, (20, 30, 170, 200), 4, 3)
    letter(d, "±", (205, 120), 100, RED)


def g_ser36(d):
    stacked(d, 3, 0, -56)
    d.polygon([(160, 20), (160, 110), (236, 65)], fill=GREEN)


def g_ser37(d):
    stacked(d, 4, 0, -48)


def g_ser38(d):
    stacked(d, 4, 18, -44)


def g_ser39(d):
    stacked(d, 4, 18, -44, mirrored=True)


def g_ser40(d):
    colours = [(40, 40, 160), (40, 140, 220), (60, 200, 120), (240, 220, 60), (230, 90, 40)]
    for r in range(5):
        for c in range(5):
            k = min(4, abs(r - 2) + abs(c - 2))
            d.rectangle([28 + c * 40, 28 + r * 40, 68 + c * 40, 68 + r * 40], fill=colours[4 - k] + (255,))
    d.rectangle([28, 28, 228, 228], outline=INK, width=12)


def g_kon36(d):
    d.pieslice([30, 30, 226, 226], -90, 40, fill=(230, 90, 60, 255), outline=INK, width=10)
    d.pieslice([30, 30, 226, 226], 40, 170, fill=(70, 140, 220, 255), outline=INK, width=10)
    d.pieslice([30, 30, 226, 226], 170, 270, fill=(250, 210, 70, 255), outline=INK, width=10)


def g_kon37(d):
    page(d, (40, 20, 190, 236))
    letter(d, "S", (115, 140), 130)


def g_inf41(d):
    d.ellipse([40, 40, 216, 216], fill=WHITE, outline=INK, width=16)
    letter(d, "i", (128, 132), 140, BLUE)


def g_inf42(d):
    d.ellipse([30, 30, 226, 226], fill=WHITE, outline=INK, width=16)
    d.line([(128, 128), (128, 60)], fill=INK, width=W)
    d.line([(128, 128), (180, 150)], fill=INK, width=W)


def g_inf43(d):
    d.rectangle([20, 90, 236, 170], fill=(250, 230, 160, 255), outline=INK, width=12)
    for i, x in enumerate(range(44, 230, 24)):
        d.line([(x, 90), (x, 130 if i % 2 else 150)], fill=INK, width=10)
    double_arrow(d, 212, 40, 216, RED)


def g_inf38(d):
    d.polygon([(128, 20), (50, 110), (206, 110)], fill=RED)
    d.polygon([(128, 236), (50, 146), (206, 146)], fill=BLUE)


def g_inf44(d):
    page(d, (44, 20, 212, 236))
    lines_on(d, (74, 80, 182, 210), 4)


def g_inf39(d):
    spectrum(d, 20, 200, 226, 140)
    d.ellipse([110, 30, 210, 130], outline=BLUE, width=W)
    d.line([(198, 118), (244, 164)], fill=BLUE, width=W + 10)


def g_inf45(d):
    page(d, (30, 20, 180, 236), fold=False)
    lines_on(d, (56, 50, 154, 200), 4)
    pencil(d)


def g_inf40(d):
    spectrum(d, 24, 232, 230, 130)
    for x in (70, 128, 186):
        d.line([(x, 24), (x, 80)], fill=RED, width=W - 6)


def g_inf46(d):
    letter(d, "A", (110, 110), 170)
    pencil(d)


def g_inf47(d):
    letter(d, "S", (110, 110), 170)
    pencil(d)


def g_inf48(d):
    peak(d, 10, 140, 190, 140, centre=60, width=18, w=W - 4)
    peak(d, 50, 190, 190, 80, centre=120, width=18, w=W - 4)
    pencil(d)


def g_besch1(d):
    d.rectangle([20, 20, 236, 236], fill=WHITE, outline=INK, width=12)
    letter(d, "T", (128, 110), 140, BLUE)
    d.line([(50, 200), (206, 200)], fill=INK, width=12)


def g_besch2(d):
    d.rounded_rectangle([20, 30, 236, 170], radius=30, fill=WHITE, outline=INK, width=14)
    d.polygon([(70, 166), (60, 236), (130, 166)], fill=WHITE, outline=INK)
    d.line([(70, 168), (60, 236), (130, 168)], fill=INK, width=14)
    letter(d, "abc", (128, 100), 80)


def g_besch3(d):
    d.line([(20, 170), (236, 170)], fill=INK, width=W)
    for x in range(36, 236, 40):
        d.line([(x, 170), (x, 200)], fill=INK, width=12)
    letter(d, "E", (128, 84), 110, BLUE)


def g_besch4(d):
    d.line([(80, 20), (80, 236)], fill=INK, width=W)
    for y in range(36, 236, 40):
        d.line([(50, y), (80, y)], fill=INK, width=12)
    letter(d, "I", (170, 128), 130, BLUE)


def g_besch5(d):
    d.line([(30, 226), (226, 30)], fill=INK, width=W)
    for t in range(1, 5):
        x = 30 + t * 40
        y = 226 - t * 40
        d.line([(x, y), (x + 22, y + 22)], fill=INK, width=12)
    letter(d, "#", (80, 80), 90, BLUE)


def g_besch6(d):
    stacked(d, 3, 0, -56)
    letter(d, "a", (215, 45), 90, BLUE)


def g_fen40(d):
    for i in range(3):
        o = i * 40
        window_frame(d, (20 + o, 20 + o, 156 + o, 156 + o))


def g_fen41(d):
    for r in range(2):
        for c in range(2):
            window_frame(d, (20 + c * 112, 20 + r * 112, 124 + c * 112, 124 + r * 112))


def g_fen42(d):
    window_frame(d, (20, 20, 236, 236))
    d.line([(80, 100), (176, 196)], fill=RED, width=W + 6)
    d.line([(176, 100), (80, 196)], fill=RED, width=W + 6)


KEYS = ["dat1", "dat2", "dat8", "dat9", "dat10", "dat3", "dat11", "dat12", "dat4", "dat5", "dat6",
        "dat7"] + ["bea%d" % i for i in range(7, 22)] + ["fit%d" % i for i in range(22, 30)] + \
       ["ser%d" % i for i in range(29, 41)] + ["kon36", "kon37", "inf41", "inf42", "inf43", "inf38",
                                                "inf44", "inf39", "inf45", "inf40", "inf46", "inf47",
                                                "inf48"] + \
       ["besch%d" % i for i in range(1, 7)] + ["fen40", "fen41", "fen42"]


def group_of(key):
    return key.rstrip("0123456789")


def draw(key):
    image = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    r, g, b = GROUP_COLOURS[group_of(key)]
    d.rounded_rectangle([4, 4, S - 5, S - 5], radius=40, fill=(r, g, b, 255))
    globals()["g_" + key](d)
    return image


def main():
    assert len(KEYS) == 69 and len(set(KEYS)) == 69
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(root, "data", "icons")
    os.makedirs(out, exist_ok=True)
    for key in KEYS:
        big = draw(key)
        sizes = [(16, 16), (32, 32)]
        # Each size is scaled from the large drawing, so 16 pixels stay sharp.
        icon32 = big.resize((32, 32), Image.LANCZOS)
        icon16 = big.resize((16, 16), Image.LANCZOS)
        icon32.save(os.path.join(out, key + ".ico"), format="ICO", sizes=sizes,
                    append_images=[icon16])
        if len(sys.argv) > 1 and sys.argv[1] == "--preview":
            big.resize((64, 64), Image.LANCZOS).save(os.path.join("/tmp/icon_preview", key + ".png"))
    print("wrote %d icons to %s" % (len(KEYS), out))


if __name__ == "__main__":
    main()
