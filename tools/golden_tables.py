#!/usr/bin/env python3
"""Writes the golden tables the tests compare the program with, worked out from the written
rules alone: it shares no code with the program and uses exact rational arithmetic.

    tools/golden_tables.py                 print the tables
    tools/golden_tables.py --check FILE    exit 1 (with a diff) when FILE differs from them

Rows, one per line, fields separated by single blanks:

    group  n heavy post hand entry
    scale  w h D fscale_mantissa fscale_exponent outer_px origin_x origin_y
    ruler  w h D R step lo_x hi_x lo_y hi_y
    tick   w h D axis d position            (axis x: column of the top band, y: row of the left one)
    walls  id type D Di W arc w h arc_px outer_px origin_x origin_y
    outer  id k x_mm y_mm x_px y_px pending
    inner  id k x_mm y_mm x_px y_px pending
    arch   id q x0 y0 x1 y1 x2 y2 x3 y3
    chord  type D Di W beam k begin_x begin_y end_x end_y

`pending` is 1 where rounding the product through a double instead of the extended float gives
another pixel; the program's wall points still go through a double there.

The plan's scale is an x87 extended float (64-bit significand). It is emulated exactly: every
division and product is rounded to 64 significant bits, half to even, as the hardware does, and
every conversion to an integer rounds half to even.
"""

import difflib
import math
import sys
from fractions import Fraction as F


# --- arithmetic -------------------------------------------------------------------------------

def ext(x):
    """x rounded to the nearest extended float (64-bit significand, ties to even)."""
    x = F(x)
    if x == 0:
        return x
    sign = -1 if x < 0 else 1
    a = abs(x)
    e = a.numerator.bit_length() - a.denominator.bit_length()
    # Bring a into [2^63, 2^64) as a / 2^s.
    s = e - 64
    while a / F(2) ** s >= 2 ** 64:
        s += 1
    while a / F(2) ** s < 2 ** 63:
        s -= 1
    m = round(a / F(2) ** s)  # Fraction rounds ties to even
    return sign * m * F(2) ** s


def rnd(x):
    """Nearest integer, halves to the even neighbour."""
    return round(F(x))


def div(a, b):
    """Integer division truncating toward zero."""
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b >= 0) else -q


def round_sqrt(n):
    """Round(sqrt(n)) for a whole n >= 0; a root is whole or irrational, never a half."""
    m = math.isqrt(n)
    if m * m == n:
        return m
    return m + 1 if n > m * m + m else m


def round_half_root3(n):
    """Round(n * sin 60 deg) = Round(n * sqrt(3) / 2) for a whole n >= 0 (irrational unless 0)."""
    if n == 0:
        return 0
    m = math.isqrt(3 * n * n)  # floor(n sqrt 3), never exact
    return (m + 1) // 2


def round_minus_root3(n):
    """Round(-n * sqrt(3) / 2)."""
    return -round_half_root3(n)


def round_octagon_inset(span, a):
    """Round((span - cos 45 deg * a) / 2) = Round(span / 2 - a / (2 sqrt 2)); never a half
    for a > 0. Worked out in integers: compare 2 * target with odd multiples of one."""
    if a == 0:
        return rnd(F(span, 2))
    # target t = span/2 - a*sqrt(2)/4. Find the integer k nearest to t: k = floor(t + 1/2).
    # t + 1/2 = (2*span + 2 - a*sqrt(2)) / 4; floor of (X - a sqrt 2) / 4 with X = 2*span + 2.
    x = 2 * span + 2
    # floor(a*sqrt2) exactly (irrational): isqrt(2 a^2)
    r = math.isqrt(2 * a * a)  # r < a sqrt2 < r + 1
    # (x - a sqrt2) lies in (x - r - 1, x - r); its floor is x - r - 1.
    return (x - r - 1) // 4


# --- the scale --------------------------------------------------------------------------------

K095 = ext(F(95, 100))  # the literal 0.95 in extended precision


class Scale:
    def __init__(self, w, h, d):
        dd = d if d > 0 else 1
        if h > w:
            fs = ext(F(w - 120, dd))
        else:
            fs = ext(ext(F(h - 120, dd)) * K095)
        # A panel too small to show the walls keeps a positive scale of one pixel for the whole
        # outer size, so that every point still maps somewhere sane.
        if fs <= 0:
            fs = ext(F(1, dd))
        self.fs = fs
        self.outer_px = rnd(ext(d * fs))
        ox, oy = 65, 65
        if h > w:
            oy = div(h - self.outer_px, 2)
        else:
            ox = div(w - self.outer_px, 2)
        self.ox, self.oy = ox, oy

    def length(self, mm):
        return rnd(ext(mm * self.fs))

    def to_plan(self, p):
        return (self.length(p[0]) + self.ox, self.length(p[1]) + self.oy)

    def to_plan_double(self, p):
        """What a double in place of the extended float gives."""
        s = float(self.fs)
        return (rnd(F(p[0] * s)) + self.ox, rnd(F(p[1] * s)) + self.oy)

    def mantissa_exponent(self):
        x = self.fs
        e = 0
        while x.denominator != 1:
            x *= 2
            e -= 1
        m = x.numerator
        while m % 2 == 0 and m:
            m //= 2
            e += 1
        return m, e


# --- bell groups ------------------------------------------------------------------------------

SMALL_GROUPS = {5: "010202", 6: "010302", 7: "010303", 8: "010403", 9: "020403", 10: "020503",
                11: "030503", 12: "030603", 13: "030703", 14: "030803", 15: "040803",
                16: "040903", 17: "041003", 18: "041103"}


def group_rows():
    rows = []
    # 42 bells, the whole catalogue, continue the rule of 19 to 41: five pedals, three to the
    # hand, the rest to the pedestal.
    for n in range(5, 43):
        entry = SMALL_GROUPS.get(n) or "05%02d03" % (n - 8)
        heavy, post = int(entry[0:2]), int(entry[2:4])
        rows.append("group %d %d %d %d %s" % (n, heavy, post, n - heavy - post, entry))
    return rows


# --- scale and rulers -------------------------------------------------------------------------

SCALE_PANELS = [
    # (w, h, D): the worked example, square, portrait, landscape, odd leftovers, too small
    (618, 352, 5600), (500, 800, 5600), (600, 600, 5600), (601, 601, 7000), (352, 618, 5600),
    (1000, 700, 7301), (999, 700, 7301), (1000, 701, 9999), (701, 1000, 9999), (700, 999, 7301),
    (694, 697, 16000), (697, 694, 16000), (1920, 1080, 1200), (1080, 1920, 1200),
    (800, 121, 5600), (121, 800, 5600), (800, 120, 5600), (120, 800, 5600), (100, 80, 5600),
    (80, 100, 5600), (8, 8, 5600), (121, 121, 16000),
]

RULER_PANELS = [(618, 352, 5600), (1000, 700, 5600), (618, 352, 7000), (700, 1000, 7000),
                (618, 352, 14000), (1280, 900, 14000)]


def scale_rows():
    rows = []
    for w, h, d in SCALE_PANELS:
        s = Scale(w, h, d)
        m, e = s.mantissa_exponent()
        rows.append("scale %d %d %d %d %d %d %d %d" % (w, h, d, m, e, s.outer_px, s.ox, s.oy))
    return rows


def ruler_rows():
    rows = []
    for w, h, d in RULER_PANELS:
        s = Scale(w, h, d)
        r = rnd(ext(F(s.outer_px) / s.fs))
        step = 2000
        if r < 12000:
            step = 1000
        if r < 6000:
            step = 500
        bounds = []
        ticks = []
        for axis, origin in (("x", s.ox), ("y", s.oy)):
            lo = rnd(ext(F(origin) / s.fs))
            hi = rnd(ext(F(origin + s.outer_px) / s.fs))
            bounds += [lo, hi]
            for v in range(lo, hi + 1):
                if (v - lo) % step == 0:
                    ticks.append("tick %d %d %d %s %d %d" % (w, h, d, axis, v - lo,
                                                            rnd(ext(v * s.fs)) + 4))
        rows.append("ruler %d %d %d %d %d %d %d %d %d" % ((w, h, d, r, step) + tuple(bounds)))
        rows += ticks
    return rows


# --- walls ------------------------------------------------------------------------------------

def square_mm(d, di, t):
    outer = [(0, 0), (d, 0), (d, d), (0, d)]
    inner = [(t, t), (d - t, t), (d - t, d - t), (t, d - t)]
    return outer, inner


def hexagon_ring(big_r, r):
    """Corners at 240, 300, 0, 60, 120, 180 degrees about (big_r, big_r), radius r.
    cos is -1/2, 1/2, 1, 1/2, -1/2, -1 and sin -root3/2, -root3/2, 0, root3/2, root3/2, 0.
    Radii are kept even below, so no coordinate lands on an exact half, where the program's
    rounded cosine would decide the tie."""
    assert r % 2 == 0, "an odd radius puts corners on exact halves"
    c = big_r
    dy = round_half_root3(r)
    return [(c - r // 2, c - dy), (c + r // 2, c - dy), (c + r, c), (c + r // 2, c + dy),
            (c - r // 2, c + dy), (c - r, c)]


def hexagon_mm(d, di, t):
    big_r, r = div(d, 2), div(di, 2)
    return hexagon_ring(big_r, big_r), hexagon_ring(big_r, r)


def octagon(width, shift):
    c = round_half_root3(div(width, 3))
    s = width - 2 * c
    pts = [(c, 0), (c + s, 0), (2 * c + s, c), (2 * c + s, c + s), (c + s, 2 * c + s),
           (c, 2 * c + s), (0, c + s), (0, c)]
    return [(x + shift, y + shift) for x, y in pts]


def octagon_mm(d, di, t):
    return octagon(d, 0), octagon(di, t)


def square_arches(o, i, a, do):
    h = div(do - a, 2)
    return [
        [(o[0][0], o[0][1] + h), (i[0][0], o[0][1] + h), (i[0][0], o[3][1] - h), (o[0][0], o[3][1] - h)],
        [(o[0][0] + h, o[0][1]), (o[1][0] - h, o[0][1]), (o[1][0] - h, i[1][1]), (o[0][0] + h, i[0][1])],
        [(i[1][0], o[1][1] + h), (o[1][0], o[1][1] + h), (o[1][0], o[2][1] - h), (i[1][0], o[2][1] - h)],
        [(o[3][0] + h, i[3][1]), (o[2][0] - h, i[3][1]), (o[2][0] - h, o[3][1]), (o[3][0] + h, o[3][1])],
    ]


def slant_offsets(p, q, a):
    dx, dy = q[0] - p[0], q[1] - p[1]
    length = round_sqrt(dx * dx + dy * dy)
    g = div(length - a, 2)
    return rnd(F(g * dx, length)), rnd(F(g * dy, length))


def hexagon_arches(o, i, a):
    h = div(o[1][0] - o[0][0] - a, 2)
    ox, oy = slant_offsets(o[1], o[2], a)
    ix, iy = slant_offsets(i[1], i[2], a)
    return [
        [(o[0][0] + h, o[0][1]), (o[1][0] - h, o[1][1]), (o[1][0] - h, i[1][1]), (o[0][0] + h, i[0][1])],
        [(o[4][0] + h, i[4][1]), (o[3][0] - h, i[3][1]), (o[3][0] - h, o[3][1]), (o[4][0] + h, o[4][1])],
        [(o[1][0] + ox, o[1][1] + oy), (o[2][0] - ox, o[2][1] - oy), (i[2][0] - ix, i[2][1] - iy), (i[1][0] + ix, i[1][1] + iy)],
        [(o[2][0] - ox, o[2][1] + oy), (o[3][0] + ox, o[3][1] - oy), (i[3][0] + ix, i[3][1] - iy), (i[2][0] - ix, i[2][1] + iy)],
        [(o[0][0] - ox, o[0][1] + oy), (i[0][0] - ix, i[0][1] + iy), (i[5][0] + ix, i[5][1] - iy), (o[5][0] + ox, o[5][1] - oy)],
        [(o[5][0] + ox, o[5][1] + oy), (i[5][0] + ix, i[5][1] + iy), (i[4][0] - ix, i[4][1] - iy), (o[4][0] - ox, o[4][1] - oy)],
    ]


def octagon_arches(o, i, a):
    h = div(o[1][0] - o[0][0] - a, 2)
    t = round_octagon_inset(o[0][0] - o[7][0], a)
    v = round_octagon_inset(i[0][0] - i[7][0], a)
    return [
        [(o[7][0], o[7][1] + h), (i[7][0], o[7][1] + h), (i[7][0], o[6][1] - h), (o[7][0], o[6][1] - h)],
        [(o[0][0] + h, o[0][1]), (o[1][0] - h, o[0][1]), (o[1][0] - h, i[0][1]), (o[0][0] + h, i[0][1])],
        [(i[2][0], o[2][1] + h), (o[2][0], o[2][1] + h), (o[2][0], o[3][1] - h), (i[2][0], o[3][1] - h)],
        [(o[5][0] + h, o[5][1]), (o[4][0] - h, o[5][1]), (o[4][0] - h, i[5][1]), (o[5][0] + h, i[5][1])],
        [(o[1][0] + t, o[1][1] + t), (o[2][0] - t, o[2][1] - t), (i[2][0] - v, i[2][1] - v), (i[1][0] + v, i[1][1] + v)],
        [(o[3][0] - t, o[3][1] + t), (o[4][0] + t, o[4][1] - t), (i[4][0] + v, i[4][1] - v), (i[3][0] - v, i[3][1] + v)],
        [(o[6][0] + t, o[6][1] + t), (i[6][0] + v, i[6][1] + v), (i[5][0] - v, i[5][1] - v), (o[5][0] - t, o[5][1] - t)],
        [(o[0][0] - t, o[0][1] + t), (i[0][0] - v, i[0][1] + v), (i[7][0] + v, i[7][1] - v), (o[7][0] + t, o[7][1] - t)],
    ]


OUTLINES = {0: square_mm, 1: hexagon_mm, 2: octagon_mm}
ARCHES = {0: lambda o, i, a, do: square_arches(o, i, a, do),
          1: lambda o, i, a, do: hexagon_arches(o, i, a),
          2: lambda o, i, a, do: octagon_arches(o, i, a)}

# (D, Di, W, arch): the default walls, and odd sizes that make the truncating halves and
# quarters depend on their argument order. Radii stay even (see hexagon_ring).
WALL_SIZES = [(5600, 4000, 800, 1500), (7301, 5405, 949, 1700)]
WALL_PANELS = [(618, 352), (1000, 700)]
# The largest walls on a panel where a product lands on an exact half pixel.
EXTRA_WALLS = [((16000, 8000, 4000, 3000), (694, 697))]


def wall_rows():
    rows = []
    cases = [(sz, pn) for sz in WALL_SIZES for pn in WALL_PANELS] + EXTRA_WALLS
    for typ in (0, 1, 2):
        for (d, di, t, arc), (w, h) in cases:
            wid = "t%d_%d_%d_%d_%d_%dx%d" % (typ, d, di, t, arc, w, h)
            s = Scale(w, h, d)
            a_px = s.length(arc)
            outer_mm, inner_mm = OUTLINES[typ](d, di, t)
            rows.append("walls %s %d %d %d %d %d %d %d %d %d %d %d" %
                        (wid, typ, d, di, t, arc, w, h, a_px, s.outer_px, s.ox, s.oy))
            rings = {}
            for name, ring in (("outer", outer_mm), ("inner", inner_mm)):
                px = []
                for k, p in enumerate(ring):
                    q = s.to_plan(p)
                    pending = 1 if s.to_plan_double(p) != q else 0
                    px.append(q)
                    rows.append("%s %s %d %d %d %d %d %d" % (name, wid, k, p[0], p[1], q[0], q[1],
                                                            pending))
                rings[name] = px
            for qn, quad in enumerate(ARCHES[typ](rings["outer"], rings["inner"], a_px,
                                                   s.outer_px)):
                rows.append("arch %s %d %s" % (wid, qn, " ".join("%d %d" % p for p in quad)))
    return rows


# --- chords -----------------------------------------------------------------------------------

def half(a, b):
    return a + div(b - a, 2)


def quarter(a, b):
    return a + div(b - a, 4)


def four_sided_chords(d, di, t, h):
    m, a, b, q = div(d, 2), t, d - t, div(di, 4)
    return {
        1: ((m, a), (m, b)), 2: ((a, m), (b, m)), 3: ((a, a), (b, b)), 4: ((a, b), (b, a)),
        5: ((a + q, a - h), (b - q, b + h)), 6: ((b - q, a - h), (a + q, b + h)),
        7: ((b + h, a + q), (a - h, b - q)), 8: ((a - h, a + q), (b + h, b - q)),
        9: ((a, a + q), (b, a + q)), 10: ((a, b - q), (b, b - q)),
        11: ((a + q, a), (a + q, b)), 12: ((b - q, a), (b - q, b)),
        13: ((b - q, a - h), (b + h, b - q)), 14: ((b + h, b - q), (a + q, b + h)),
        15: ((a + q, b + h), (a - h, a + q)), 16: ((a - h, a + q), (b - q, a - h)),
        17: ((b - q, b + h), (a - h, b - q)), 18: ((a - h, b - q), (a + q, a - h)),
        19: ((a + q, a - h), (b + h, a + q)), 20: ((b + h, a + q), (b - q, b + h)),
        21: ((b - q, a - h), (a - h, b - q)), 22: ((b + h, a + q), (a + q, b + h)),
        23: ((b + h, b - q), (a + q, a - h)), 24: ((b - q, b + h), (a - h, a + q)),
    }


def six_sided_chords(d, di, t, h, v):
    m, a, b = div(d, 2), t, d - t
    x = [p[0] for p in v]
    y = [p[1] for p in v]
    return {
        1: ((m, y[0]), (m, y[3])),
        2: ((a, m), (b, m)),
        3: ((x[0], y[0]), (x[3], y[3])),
        4: ((x[1], y[1]), (x[4], y[4])),
        5: ((quarter(x[0], x[1]), y[0] - h), (quarter(x[3], x[4]), y[3] + h)),
        6: ((quarter(x[1], x[0]), y[0] - h), (quarter(x[4], x[3]), y[3] + h)),
        7: ((half(x[1], x[2]), half(y[1], y[2])), (half(x[4], x[5]), half(y[4], y[5]))),
        8: ((half(x[4], x[5]), half(y[1], y[2])), (half(x[1], x[2]), half(y[2], y[3]))),
        9: ((half(x[0], x[5]) - h, half(y[0], y[5])), (half(x[1], x[2]) + h, half(y[1], y[2]))),
        10: ((half(x[4], x[5]) - h, half(y[4], y[5])), (half(x[3], x[2]) + h, half(y[2], y[3]))),
        11: ((quarter(x[0], x[1]), y[0]), (quarter(x[4], x[3]), y[4])),
        12: ((quarter(x[1], x[0]), y[1]), (quarter(x[3], x[4]), y[3])),
        13: ((quarter(x[1], x[0]), y[1] - h), (half(x[3], x[2]) + h, half(y[2], y[3]))),
        14: ((half(x[3], x[2]) + h, half(y[2], y[3]) + h), (quarter(x[4], x[3]), y[3] + h)),
        15: ((quarter(x[4], x[3]), y[3] + h), (half(x[0], x[5]) - h, half(y[0], y[5]))),
        16: ((half(x[0], x[5]) - h, half(y[0], y[5])), (quarter(x[1], x[0]), y[1] - h)),
        17: ((quarter(x[3], x[4]), y[3]), (half(x[4], x[5]) - h, half(y[4], y[5]))),
        18: ((half(x[4], x[5]) - h, half(y[4], y[5])), (quarter(x[0], x[1]), y[0])),
        19: ((quarter(x[0], x[1]), y[0]), (half(x[1], x[2]) + h, half(y[1], y[2]))),
        20: ((half(x[1], x[2]) + h, half(y[1], y[2])), (quarter(x[3], x[4]), y[3])),
        21: ((quarter(x[1], x[0]), y[1] - h), (half(x[4], x[5]) - h, half(y[4], y[5]))),
        22: ((half(x[1], x[2]) + h, half(y[1], y[2])), (quarter(x[4], x[3]), y[3] + h)),
        23: ((half(x[3], x[2]) + h, half(y[2], y[3]) + h), (quarter(x[0], x[1]), y[0] - h)),
        24: ((quarter(x[3], x[4]), y[3] + h), (half(x[0], x[5]) - h, half(y[0], y[5]))),
    }


def eight_sided_chords(d, di, t, h, v):
    m, a, b = div(d, 2), t, d - t
    x = [p[0] for p in v]
    y = [p[1] for p in v]
    pairs = {5: (0, 4), 6: (1, 5), 7: (2, 6), 8: (7, 3), 9: (7, 2), 10: (6, 3), 11: (0, 5),
             12: (1, 4), 13: (1, 3), 14: (3, 5), 15: (5, 7), 16: (7, 1), 17: (4, 6), 18: (6, 0),
             19: (0, 2), 20: (2, 4), 21: (1, 6), 22: (2, 5), 23: (3, 0), 24: (4, 7)}
    table = {
        1: ((m, a), (m, b)),
        2: ((a, m), (b, m)),
        3: ((half(x[7], x[0]) - h, half(y[0], y[7])), (half(x[3], x[4]) + h, half(y[3], y[4]))),
        4: ((half(x[1], x[2]) + h, half(y[1], y[2])), (half(x[6], x[5]) - h, half(y[6], y[5]))),
    }
    for k, (i, j) in pairs.items():
        table[k] = (v[i], v[j])
    return table


def chord_rows():
    rows = []
    for typ in (0, 1, 2):
        for d, di, t, _ in WALL_SIZES:
            inner = OUTLINES[typ](d, di, t)[1]
            for beam in (100, 51):
                h = div(beam, 2)
                if typ == 0:
                    table = four_sided_chords(d, di, t, h)
                elif typ == 1:
                    table = six_sided_chords(d, di, t, h, inner)
                else:
                    table = eight_sided_chords(d, di, t, h, inner)
                for k in range(1, 25):
                    (bx, by), (ex, ey) = table[k]
                    rows.append("chord %d %d %d %d %d %d %d %d %d %d" %
                                (typ, d, di, t, beam, k, bx, by, ex, ey))
    return rows


def tables():
    rows = group_rows() + scale_rows() + ruler_rows() + wall_rows() + chord_rows()
    return "\n".join(rows) + "\n"


def main(argv):
    text = tables()
    if len(argv) == 3 and argv[1] == "--check":
        with open(argv[2], encoding="ascii") as f:
            stored = f.read()
        if stored == text:
            return 0
        sys.stdout.writelines(difflib.unified_diff(stored.splitlines(True), text.splitlines(True),
                                                   argv[2], "worked out now"))
        return 1
    if len(argv) != 1:
        sys.stderr.write(__doc__)
        return 2
    sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
