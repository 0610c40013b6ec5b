#!/usr/bin/env python3
"""Draws the program's icons: the program (a normal density over its axis
with the estimate and its uncertainty interval) and the model file (a page
with the same drawing). Writes the scalable SVGs and renders the hicolor PNG
sizes with ImageMagick from the same shapes. The results are kept in the
repository; run this again after changing a shape:

    data/icons/make-icons.py
"""
import math
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]

BLUE = "#1f4e79"
PALE = "#dce6f0"
ORANGE = "#f2a541"
GREY = "#5b6b7b"


def bell(x0, x1, base, height, n=48):
    mid, sigma = (x0 + x1) / 2, (x1 - x0) / 6.2
    pts = [(x0 + (x1 - x0) * i / n,
            base - height * math.exp(-(((x0 + (x1 - x0) * i / n) - mid) / sigma) ** 2 / 2))
           for i in range(n + 1)]
    return "M %.1f %.1f " % pts[0] + " ".join("L %.1f %.1f" % p for p in pts[1:])


def interval(cx, half, y, tick):
    """The estimate's line and its uncertainty bar with end ticks."""
    return [("line", (cx - half, y, cx + half, y)),
            ("line", (cx - half, y - tick, cx - half, y + tick)),
            ("line", (cx + half, y - tick, cx + half, y + tick))]


# Shapes in a 256 x 256 box: (kind, geometry, fill, stroke, width, fill opacity)
def program_shapes():
    curve = bell(40, 216, 172, 116)
    shapes = [
        ("rrect", (16, 16, 240, 240, 36), BLUE, None, 0, 1.0),
        ("path", curve + " Z", "#ffffff", None, 0, 0.22),
        ("line", (36, 172, 220, 172), None, PALE, 6, 1.0),
        ("path", curve, None, "#ffffff", 10, 1.0),
        ("line", (128, 56, 128, 172), None, ORANGE, 6, 1.0),
    ]
    shapes += [(k, g, None, ORANGE, 10, 1.0) for k, g in interval(128, 44, 204, 14)]
    return shapes


def file_shapes():
    page = "M 52 12 L 166 12 L 220 66 L 220 244 L 52 244 Z"
    fold = "M 166 12 L 166 66 L 220 66 Z"
    curve = bell(72, 200, 176, 92)
    shapes = [
        ("path", page, "#ffffff", GREY, 8, 1.0),
        ("path", fold, PALE, GREY, 8, 1.0),
        ("path", curve + " Z", BLUE, None, 0, 0.18),
        ("line", (68, 176, 204, 176), None, GREY, 5, 1.0),
        ("path", curve, None, BLUE, 10, 1.0),
        ("line", (136, 84, 136, 176), None, ORANGE, 6, 1.0),
    ]
    shapes += [(k, g, None, ORANGE, 10, 1.0) for k, g in interval(136, 34, 208, 12)]
    return shapes


def to_svg(shapes, title):
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
           "  <title>%s</title>" % title]
    for kind, g, fill, stroke, width, opacity in shapes:
        paint = ' fill="%s"' % (fill or "none")
        if fill and opacity < 1:
            paint += ' fill-opacity="%.2f"' % opacity
        if stroke:
            paint += ' stroke="%s" stroke-width="%g" stroke-linecap="round" stroke-linejoin="round"' % (stroke, width)
        if kind == "rrect":
            x0, y0, x1, y1, r = g
            out.append('  <rect x="%g" y="%g" width="%g" height="%g" rx="%g"%s/>' % (x0, y0, x1 - x0, y1 - y0, r, paint))
        elif kind == "line":
            out.append('  <line x1="%g" y1="%g" x2="%g" y2="%g"%s/>' % (g + (paint,)))
        else:
            out.append('  <path d="%s"%s/>' % (g, paint))
    out.append("</svg>")
    return "\n".join(out) + "\n"


def to_mvg(shapes, scale):
    out = ["viewbox 0 0 %d %d" % (256 * scale, 256 * scale), "affine %d 0 0 %d 0 0" % (scale, scale),
           "stroke-linecap round", "stroke-linejoin round"]
    for kind, g, fill, stroke, width, opacity in shapes:
        out.append("push graphic-context")
        out.append("fill '%s'" % (fill or "none"))
        if fill:  # an opacity on "none" would make the fill opaque black
            out.append("fill-opacity %.2f" % opacity)
        out.append("stroke '%s'" % (stroke or "none"))
        out.append("stroke-width %g" % (width if stroke else 0))
        if kind == "rrect":
            x0, y0, x1, y1, r = g
            out.append("roundrectangle %g,%g %g,%g %g,%g" % (x0, y0, x1, y1, r, r))
        elif kind == "line":
            out.append("line %g,%g %g,%g" % g)
        else:
            out.append("path '%s'" % g)
        out.append("pop graphic-context")
    return "\n".join(out) + "\n"


def render(shapes, name, context):
    svg_dir = os.path.join(HERE, "hicolor", "scalable", context)
    os.makedirs(svg_dir, exist_ok=True)
    with open(os.path.join(svg_dir, name + ".svg"), "w") as f:
        f.write(to_svg(shapes, name))
    with tempfile.TemporaryDirectory() as tmp:
        mvg = os.path.join(tmp, "icon.mvg")
        with open(mvg, "w") as f:
            f.write(to_mvg(shapes, 4))
        big = os.path.join(tmp, "icon.png")
        subprocess.run(["convert", "-background", "none", "mvg:" + mvg, big], check=True)
        for size in SIZES:
            png_dir = os.path.join(HERE, "hicolor", "%dx%d" % (size, size), context)
            os.makedirs(png_dir, exist_ok=True)
            subprocess.run(["convert", big, "-filter", "Lanczos", "-resize", "%dx%d" % (size, size),
                            "-strip", "PNG32:" + os.path.join(png_dir, name + ".png")], check=True)


render(program_shapes(), "vormid", "apps")
render(file_shapes(), "application-x-gum-model", "mimetypes")
