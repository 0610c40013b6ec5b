#!/usr/bin/env python3
"""Draws the histogram's glyphs (T3, T4) and the toolbar icons (ilHisto) as
XPM pictures. Run it from this folder after changing a drawing; the XPM
files it writes are the resources the program embeds. The two vertical
scale captions (T1BG, T2BG) come from make_captions.sh."""

W = H = 16

# 3 x 5 digits and signs for the small texts on the icons.
GLYPHS = {
    '0': ["###", "#.#", "#.#", "#.#", "###"],
    '1': [".#.", "##.", ".#.", ".#.", "###"],
    '2': ["###", "..#", "###", "#..", "###"],
    '3': ["###", "..#", ".##", "..#", "###"],
    '4': ["#.#", "#.#", "###", "..#", "..#"],
    '5': ["###", "#..", "###", "..#", "###"],
    '6': ["###", "#..", "###", "#.#", "###"],
    '%': ["#.#", "..#", ".#.", "#..", "#.#"],
    'n': ["...", "##.", "#.#", "#.#", "#.#"],
    'M': ["#.#", "###", "###", "#.#", "#.#"],
    'x': ["...", "#.#", ".#.", "#.#", "..."],
    '-': ["...", "...", "###", "...", "..."],
    '+': ["...", ".#.", "###", ".#.", "..."],
}


class Canvas:
    def __init__(self, w=W, h=H):
        self.w, self.h = w, h
        self.px = [[None] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def line(self, x1, y1, x2, y2, c, dash=None):
        n = max(abs(x2 - x1), abs(y2 - y1))
        for i in range(n + 1):
            if dash and (i // dash[0]) % 2 == 1:
                continue
            x = x1 + round((x2 - x1) * i / n) if n else x1
            y = y1 + round((y2 - y1) * i / n) if n else y1
            self.set(x, y, c)

    def rect(self, x1, y1, x2, y2, outline, fill=None):
        for y in range(y1, y2 + 1):
            for x in range(x1, x2 + 1):
                edge = x in (x1, x2) or y in (y1, y2)
                if edge:
                    self.set(x, y, outline)
                elif fill:
                    self.set(x, y, fill)

    def text(self, x, y, s, c):
        for ch in s:
            for dy, row in enumerate(GLYPHS[ch]):
                for dx, p in enumerate(row):
                    if p == '#':
                        self.set(x + dx, y + dy, c)
            x += 4

    def xpm(self, name):
        colours = sorted({c for row in self.px for c in row if c})
        keys = "abcdefghijklmnopqrstuvwxyz"
        table = {c: keys[i] for i, c in enumerate(colours)}
        lines = [f'"{self.w} {self.h} {len(colours) + 1} 1"', '"  c None"']
        lines += [f'"{table[c]} c {c}"' for c in colours]
        lines += ['"' + ''.join(table[c] if c else ' ' for c in row) + '"' for row in self.px]
        body = ",\n".join(lines)
        return f"/* XPM */\nstatic const char *{name}[] = {{\n{body}\n}};\n"


BLACK, GREY, WHITE = "#000000", "#808080", "#FFFFFF"
LIME, GREEN, RED = "#00FF00", "#008000", "#FF0000"
NAVY, MAROON, BLUE, SKY = "#000080", "#800000", "#0000FF", "#0080FF"


def bell(c, colour, top=3, bottom=13, x0=1, x1=14):
    import math
    prev = None
    for x in range(x0, x1 + 1):
        z = (x - (x0 + x1) / 2) / ((x1 - x0) / 6)
        y = round(bottom - (bottom - top) * math.exp(-z * z / 2))
        if prev:
            c.line(prev[0], prev[1], x, y, colour)
        prev = (x, y)


def bars(c, fill=LIME, outline=GREEN, heights=(5, 9, 11, 7, 4)):
    x = 1
    for h in heights:
        c.rect(x, 14 - h, x + 3, 14, outline, fill)
        x += 3


def base(c):
    c.line(0, 15, 15, 15, BLACK)


def scale(c, side, mode):
    # A thumbnail plot with a scale on one side: none, counts (n) or percent.
    c.rect(3, 2, 12, 14, GREY, WHITE)
    bars_small = [(5, 9), (7, 6), (9, 10)]
    for x, top in bars_small:
        c.rect(x, top, x + 2, 14, GREEN, LIME)
    if mode == 0:
        return
    ax = 1 if side == 'left' else 14
    c.line(ax, 2, ax, 14, BLACK)
    for y in (2, 6, 10, 14):
        c.line(ax, y, ax + (1 if side == 'left' else -1), y, BLACK)
    c.text(4 if side == 'left' else 5, 2, 'n' if mode == 1 else '%', NAVY)


def labels(c, mode):
    bars(c, heights=(4, 8, 6, 3, 2))
    if mode == 0:
        return
    c.rect(4, 0, 10, 6, BLACK, "#FFFFE1")
    c.text(6 if mode == 1 else 6, 1, '1' if mode == 1 else '%', BLACK)


def sigma(c, k):
    bell(c, RED, top=5)
    base(c)
    if k == 0:
        return
    d = 1 + k  # lines further out for a larger k
    for x in (7 - d, 8 + d):
        c.line(x, 3, x, 14, BLUE, dash=(2, 1))
    c.text(6, 0, str(k), BLUE)


def icons():
    out = []
    c = Canvas(); bars(c); out.append(c)                         # 0 class bars
    c = Canvas(); bell(c, RED); base(c); out.append(c)           # 1 normal curve
    c = Canvas(); bell(c, GREY); c.line(7, 1, 7, 14, NAVY, dash=(3, 1)); c.text(9, 1, 'x', NAVY); out.append(c)  # 2 mean
    c = Canvas(); bell(c, GREY); c.line(7, 1, 7, 14, MAROON, dash=(2, 1)); c.text(9, 1, 'M', MAROON); out.append(c)  # 3 median
    for mode in range(3):                                        # 4..6 left scale
        c = Canvas(); scale(c, 'left', mode); out.append(c)
    for mode in range(3):                                        # 7..9 right scale
        c = Canvas(); scale(c, 'right', mode); out.append(c)
    c = Canvas(); bars(c); out.append(c)                         # 10 histogram
    c = Canvas()                                                 # 11 empirical distribution function
    steps = [(1, 13), (4, 10), (7, 6), (10, 3), (13, 2)]
    for (x, y), (nx, _) in zip(steps, steps[1:] + [(15, 0)]):
        c.rect(x, y, nx, 14, NAVY, SKY)
    out.append(c)
    c = Canvas(); bars(c); bell(c, RED); out.append(c)           # 12 bars with the curve
    for mode in range(3):                                        # 13..15 value labels
        c = Canvas(); labels(c, mode); out.append(c)
    c = Canvas(); c.rect(1, 1, 14, 14, GREY, WHITE); c.line(1, 10, 14, 10, GREY); out.append(c)  # 16 empty plot
    c = Canvas(); sigma(c, 3); c.text(0, 0, '+', BLUE); out.append(c)  # 17 +-kS generic
    for k in range(7):                                           # 18..24 +-kS, none and 1..6
        c = Canvas(); sigma(c, k); out.append(c)
    return out


def glyph_mean():
    c = Canvas(7, 12)
    c.line(1, 1, 5, 1, NAVY)      # the bar over x
    c.line(1, 4, 5, 10, NAVY)
    c.line(5, 4, 1, 10, NAVY)
    return c


def glyph_median():
    c = Canvas(7, 12)
    c.line(0, 10, 0, 3, MAROON)
    c.line(6, 10, 6, 3, MAROON)
    c.line(0, 3, 3, 7, MAROON)
    c.line(6, 3, 3, 7, MAROON)
    c.line(0, 1, 6, 1, MAROON, dash=(1, 1))
    return c


if __name__ == "__main__":
    for i, c in enumerate(icons()):
        name = f"ilHisto{i:02d}"
        open(f"{name}.xpm", "w").write(c.xpm(name))
    open("T3.xpm", "w").write(glyph_mean().xpm("T3"))
    open("T4.xpm", "w").write(glyph_median().xpm("T4"))
