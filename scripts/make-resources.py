#!/usr/bin/env python3
"""Draws Tolvane's icons and skin bitmaps into src/resources/.

The pictures are ours and are generated, not hand-painted, so that they can be
redrawn the same way at any time: `python3 scripts/make-resources.py`. The
outputs are committed, so a build needs no Python. Standard library only; the
output is byte-for-byte reproducible.

Shapes are predicates over continuous pixel coordinates (y down) and are
sampled 4 x 4 times per pixel, which gives clean anti-aliased edges in the
32-bit icons. The 24-bit bitmaps that are shown through a mask colour are
thresholded instead, since a blended edge would carry the mask grey into
whatever lies behind.

Outputs:
  tolvane.ico            application icon, 32x32 and 16x16, 32-bit with alpha
  anim0.ico .. anim3.ico frames of the icon animation (anim0 looks like the
                         application icon), 32x32 and 16x16
  tool0.ico .. tool4.ico tool entries: colours & fonts, preferences, help,
                         web site, about
  icodef.ico             default link icon, 32x32
  minitoolbar.bmp        menu images, 16x16 each, 10 side by side (160x16),
                         24-bit on the mask colour RGB(192,192,192). Slot 0 is
                         left blank so that the caption tag "{IMG:iN}" names
                         slot N directly: 1 add group, 2 modify group,
                         3 delete group, 4 show again, 5 quit, 6 add link,
                         7 modify link, 8 delete link, 9 group item
  btnmin_up.bmp, btnmin_down.bmp, btnclose_up.bmp, btnclose_down.bmp
                         15x15 title-bar buttons, released and pressed
  imgup.bmp, imgdown.bmp 185x25 pane headers, open (chevrons up) and closed
  skin_title.bmp         500x19 title bar
  skin_border.bmp        200x22 bottom bar and side borders
  state_off.bmp, state_on.bmp, state_off_hover.bmp, state_on_hover.bmp
                         13x13 option states, plain and under the pointer
  help_back_up.bmp, help_back_down.bmp
                         20x20 back buttons of the help pages, on white
  about_banner.bmp       337x102 banner of the about box
  button.ico             the picture of the dialogs' image buttons ("Valider"
                         and the link editor's browse button): a pencil over a
                         sheet, 32x32
  editor_back.bmp        898x153 backdrop behind the editors' input strip
(The help pages' screenshots, help_*.bmp, are taken from Tolvane itself by
scripts/make-help-pictures.)
"""

import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources")
SS = 4  # samples per pixel along each axis
MASK = (192, 192, 192)


def rgb(hex_text, alpha=1.0):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16) / 255, ((v >> 8) & 255) / 255, (v & 255) / 255, alpha)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


# --- shapes: functions (x, y) -> bool --------------------------------------

def rrect(x0, y0, x1, y1, r=0.0):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def capsule(ax, ay, bx, by, width):
    """A stroke from a to b with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9
    half2 = (width / 2) ** 2

    def inside(x, y):
        t = min(max(((x - ax) * dx + (y - ay) * dy) / length2, 0.0), 1.0)
        return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half2
    return inside


def arc(cx, cy, radius, width, start_deg, end_deg):
    """A ring segment, angles counter-clockwise from the +x axis as seen."""
    def inside(x, y):
        if abs(math.hypot(x - cx, y - cy) - radius) > width / 2:
            return False
        a = math.degrees(math.atan2(-(y - cy), x - cx))
        return start_deg <= a <= end_deg
    return inside


def ellipse_ring(cx, cy, rx, ry, width):
    def inside(x, y):
        d = math.hypot((x - cx) / rx, (y - cy) / ry)
        return abs(d - 1) * min(rx, ry) <= width / 2
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


# --- canvas -------------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [list(fill) for _ in range(width * height)]

    def paint(self, shape, color):
        """Composites `color` (RGBA, or a function of y giving RGBA) over the
        pixels that `shape` covers, weighted by coverage."""
        for py in range(self.height):
            for px in range(self.width):
                hits = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if shape(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS):
                            hits += 1
                if hits:
                    c = color(py + 0.5) if callable(color) else color
                    self._over(px, py, c, c[3] * hits / (SS * SS))

    def _over(self, x, y, c, a):
        d = self.px[y * self.width + x]
        out_a = a + d[3] * (1 - a)
        if out_a <= 0:
            return
        for i in range(3):
            d[i] = (c[i] * a + d[i] * d[3] * (1 - a)) / out_a
        d[3] = out_a

    def bytes8(self, x, y):
        return tuple(int(round(min(max(v, 0.0), 1.0) * 255)) for v in self.px[y * self.width + x])


def vertical(top, bottom, y0, y1):
    """A colour function running from `top` at y0 to `bottom` at y1."""
    return lambda y: mix(top, bottom, min(max((y - y0) / max(y1 - y0, 1e-9), 0.0), 1.0))


def outlined(canvas, make_shape, outline, fill, width=1.0):
    """Paints a shape in its outline colour, then the shape shrunk by one
    pixel in its fill: `make_shape(inset)` builds it for an inset in pixels."""
    canvas.paint(make_shape(0.0), outline)
    canvas.paint(make_shape(width), fill)


# --- file writers -------------------------------------------------------------

def write_ico(name, canvases):
    images = []
    for c in canvases:
        rows = []
        for y in reversed(range(c.height)):
            row = bytearray()
            for x in range(c.width):
                r, g, b, a = c.bytes8(x, y)
                if a == 0:
                    r = g = b = 0
                row += bytes((b, g, r, a))
            rows.append(bytes(row))
        stride = ((c.width + 31) // 32) * 4
        mask = []
        for y in reversed(range(c.height)):
            bits = bytearray(stride)
            for x in range(c.width):
                if c.bytes8(x, y)[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask.append(bytes(bits))
        header = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0,
                             len(rows) * c.width * 4, 0, 0, 0, 0)
        images.append((c, header + b"".join(rows) + b"".join(mask)))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, blob in images:
        data += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32,
                            len(blob), offset)
        offset += len(blob)
    data += b"".join(blob for _, blob in images)
    save(name, data)


def write_bmp(name, width, height, pixel):
    """A 24-bit bitmap; `pixel(x, y)` gives (r, g, b) bytes."""
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        body += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    save(name, head + info + body)


def save(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def opaque(canvas, background):
    """Flattens an RGBA canvas over a background colour, as RGB bytes."""
    back = tuple(v / 255 for v in background)

    def pixel(x, y):
        r, g, b, a = canvas.px[y * canvas.width + x]
        return tuple(int(round((c * a + k * (1 - a)) * 255)) for c, k in zip((r, g, b), back))
    return pixel


def masked(canvas):
    """Thresholds an RGBA canvas onto the mask colour, keeping every drawn
    pixel off the mask colour itself so it never turns transparent."""
    def pixel(x, y):
        r, g, b, a = canvas.bytes8(x, y)
        if a < 128:
            return MASK
        return (191, 191, 191) if (r, g, b) == MASK else (r, g, b)
    return pixel


# --- the application icon and its animation -------------------------------------

BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE = rgb("#5AA6F2"), rgb("#1D5BBE"), rgb("#174A9C")
WHITE = rgb("#FFFFFF")


def rocket_icon(size, lift=0.0, flame=0.20):
    """A white rocket on a blue rounded square; `lift` raises it and `flame`
    sets the length of its exhaust, both in units of the icon's size."""
    s = size
    c = Canvas(s, s)
    px = 1.0  # one pixel, for the border
    c.paint(rrect(0.03 * s, 0.03 * s, 0.97 * s, 0.97 * s, 0.2 * s), BLUE_EDGE)
    c.paint(rrect(0.03 * s + px, 0.03 * s + px, 0.97 * s - px, 0.97 * s - px, 0.2 * s - px),
            vertical(BLUE_TOP, BLUE_BOTTOM, 0.03 * s, 0.97 * s))
    c.paint(both(rrect(0.03 * s + px, 0.03 * s + px, 0.97 * s - px, 0.97 * s - px, 0.2 * s - px),
                 lambda x, y: y < 0.42 * s), rgb("#FFFFFF", 0.12))

    def at(u, v):
        return (u * s, (v - lift) * s)

    # Body: the lens between two large circles, cut flat at its base.
    radius, half_width, centre = 0.5, 0.13, 0.47
    left = circle(*at(0.5 - radius + half_width, centre), radius * s)
    right = circle(*at(0.5 + radius - half_width, centre), radius * s)
    base = (0.70 - lift) * s
    body = both(both(left, right), lambda x, y: y <= base)
    fin_left = polygon([at(0.38, 0.50), at(0.23, 0.68), at(0.23, 0.78), at(0.40, 0.69)])
    fin_right = polygon([at(0.62, 0.50), at(0.77, 0.68), at(0.77, 0.78), at(0.60, 0.69)])
    outer_flame = polygon([at(0.42, 0.69), at(0.58, 0.69), at(0.5, 0.70 + flame)])
    inner_flame = polygon([at(0.46, 0.69), at(0.54, 0.69), at(0.5, 0.69 + flame * 0.6)])
    c.paint(outer_flame, rgb("#FF9F1C"))
    c.paint(inner_flame, rgb("#FFE27A"))
    c.paint(union(fin_left, fin_right), rgb("#DCE9FA"))
    c.paint(body, WHITE)
    c.paint(circle(*at(0.5, 0.42), 0.075 * s), rgb("#1D5BBE"))
    c.paint(circle(*at(0.5, 0.42), 0.045 * s), rgb("#7EC0FF"))
    return c


# Frame n: the rocket bobs by whole pixels of the 32x32 image while its
# exhaust flickers.
FRAMES = [(0, 0.20), (1, 0.14), (2, 0.24), (1, 0.17)]


def anim_icon(n, size):
    lift_pixels, flame = FRAMES[n]
    return rocket_icon(size, lift_pixels / 32.0, flame)


# --- tool entry icons --------------------------------------------------------

def blue_disc(c, s):
    outlined(c, lambda i: circle(0.5 * s, 0.5 * s, 0.44 * s - i), rgb("#1B4C9C"),
             vertical(rgb("#62A8F5"), rgb("#2160C6"), 0.06 * s, 0.94 * s))


def palette_icon(s=32):
    c = Canvas(s, s)

    def board(i):
        return minus(lambda x, y: ((x - 0.5 * s) / (0.45 * s - i)) ** 2 +
                     ((y - 0.52 * s) / (0.37 * s - i)) ** 2 <= 1,
                     circle(0.63 * s, 0.72 * s, 0.07 * s + i),
                     circle(0.86 * s, 0.86 * s, 0.17 * s + i))
    outlined(c, board, rgb("#8A5F2E"), vertical(rgb("#F3D6A4"), rgb("#D9AD6C"), 4, 28))
    for (u, v), colour in [((0.27, 0.47), "#E53935"), ((0.40, 0.30), "#FDD835"),
                           ((0.59, 0.28), "#43A047"), ((0.76, 0.41), "#1E88E5"),
                           ((0.34, 0.68), "#8E24AA")]:
        outlined(c, lambda i, u=u, v=v: circle(u * s, v * s, 0.085 * s - i),
                 rgb("#5C3D1A"), rgb(colour))
    return c


def gear_icon(s=32):
    c = Canvas(s, s)
    teeth, body, tip, hole = 8, 0.31, 0.45, 0.12

    def gear(i):
        def inside(x, y):
            dx, dy = x - 0.5 * s, y - 0.5 * s
            r = math.hypot(dx, dy) / s
            if r < hole + i / s:
                return False
            if r <= body - i / s:
                return True
            if r > tip - i / s:
                return False
            period = 2 * math.pi / teeth
            a = (math.atan2(dy, dx) + period / 2) % period - period / 2
            return abs(a) * r <= 0.085 - i / s
        return inside
    outlined(c, gear, rgb("#3E4752"), vertical(rgb("#E9EDF2"), rgb("#8E99A6"), 2, 30))
    c.paint(minus(circle(0.5 * s, 0.5 * s, (hole + 0.09) * s), circle(0.5 * s, 0.5 * s, hole * s)),
            rgb("#5B6672", 0.55))
    return c


def help_icon(s=32):
    c = Canvas(s, s)
    blue_disc(c, s)
    cx, cy, radius, width = 0.5 * s, 0.39 * s, 0.13 * s, 0.095 * s
    end = math.radians(-45)
    ex, ey = cx + radius * math.cos(end), cy - radius * math.sin(end)
    mark = union(arc(cx, cy, radius, width, -45, 180),
                 circle(cx - radius, cy, width / 2),
                 capsule(ex, ey, 0.5 * s, 0.55 * s, width),
                 capsule(0.5 * s, 0.55 * s, 0.5 * s, 0.60 * s, width),
                 circle(0.5 * s, 0.74 * s, 0.06 * s))
    c.paint(mark, WHITE)
    return c


def globe_icon(s=32):
    c = Canvas(s, s)
    outlined(c, lambda i: circle(0.5 * s, 0.5 * s, 0.44 * s - i), rgb("#15508F"),
             vertical(rgb("#7FD0FF"), rgb("#1C6FC4"), 0.06 * s, 0.94 * s))
    inner = circle(0.5 * s, 0.5 * s, 0.43 * s - 1)
    w = 0.05 * s
    grid = union(capsule(0.5 * s, 0, 0.5 * s, s, w),
                 capsule(0, 0.5 * s, s, 0.5 * s, w),
                 capsule(0, 0.28 * s, s, 0.28 * s, w),
                 capsule(0, 0.72 * s, s, 0.72 * s, w),
                 ellipse_ring(0.5 * s, 0.5 * s, 0.22 * s, 0.43 * s, w))
    c.paint(both(grid, inner), rgb("#FFFFFF", 0.85))
    return c


def info_icon(s=32):
    c = Canvas(s, s)
    blue_disc(c, s)
    c.paint(union(circle(0.5 * s, 0.29 * s, 0.07 * s),
                  rrect(0.44 * s, 0.42 * s, 0.56 * s, 0.76 * s, 0.02 * s)), WHITE)
    return c


def document_icon(s=32):
    c = Canvas(s, s)

    def page(i):
        return polygon([(0.19 * s + i, 0.06 * s + i), (0.62 * s, 0.06 * s + i),
                        (0.81 * s - i, 0.25 * s), (0.81 * s - i, 0.94 * s - i),
                        (0.19 * s + i, 0.94 * s - i)])
    outlined(c, page, rgb("#6E7681"), vertical(rgb("#FFFFFF"), rgb("#E3EAF3"), 2, 30))
    outlined(c, lambda i: polygon([(0.62 * s + i, 0.06 * s), (0.62 * s + i, 0.25 * s - i),
                                   (0.81 * s, 0.25 * s - i)]),
             rgb("#6E7681"), rgb("#C9D4E2"))
    for v in (0.40, 0.52, 0.64, 0.76):
        right = 0.70 if v != 0.76 else 0.56
        c.paint(rrect(0.30 * s, v * s, right * s, v * s + 0.045 * s, 0.02 * s), rgb("#7FA3D1"))
    return c


def button_icon(s=32):
    """A pencil lying across a written sheet, its point at the last line."""
    c = Canvas(s, s)
    edge = rgb("#5E6670")
    outlined(c, lambda i: polygon([(0.10 * s + i, 0.05 * s + i), (0.56 * s, 0.05 * s + i),
                                   (0.76 * s - i, 0.25 * s), (0.76 * s - i, 0.95 * s - i),
                                   (0.10 * s + i, 0.95 * s - i)]),
             edge, vertical(rgb("#FFFFFF"), rgb("#E3EAF3"), 2, 30))
    outlined(c, lambda i: polygon([(0.56 * s + i, 0.05 * s), (0.56 * s + i, 0.25 * s - i),
                                   (0.76 * s, 0.25 * s - i)]), edge, rgb("#C9D4E2"))
    for v, right in ((0.36, 0.64), (0.48, 0.64), (0.60, 0.50), (0.72, 0.36)):
        c.paint(rrect(0.20 * s, v * s, right * s, v * s + 0.045 * s, 0.02 * s), rgb("#7FA3D1"))

    # The pencil, from its eraser at the top right down to its point.
    ax, ay, bx, by = 0.95 * s, 0.20 * s, 0.36 * s, 0.79 * s
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length  # along the pencil
    nx, ny = -uy, ux                                  # across it

    def band(t0, t1, w0, w1, inset=0.0):
        """The part of the pencil from t0 to t1 of its length, half widths w0
        and w1 at its ends (in units of the icon's size)."""
        def corner(t, w, side):
            w = max(w * s - inset, 0.0)
            return (ax + ux * t * length + side * nx * w, ay + uy * t * length + side * ny * w)
        t0, t1 = t0 + inset / length, t1 - inset / length
        return polygon([corner(t0, w0, 1), corner(t1, w1, 1), corner(t1, w1, -1), corner(t0, w0, -1)])

    dark = rgb("#3A3026")
    outlined(c, lambda i: band(0.00, 0.13, 0.085, 0.085, i), dark, rgb("#F28C9B"))  # eraser
    outlined(c, lambda i: band(0.13, 0.22, 0.085, 0.085, i), dark, rgb("#B8C0C8"))  # ferrule
    outlined(c, lambda i: band(0.22, 0.78, 0.085, 0.085, i), dark, rgb("#F7C435"))  # body
    c.paint(band(0.24, 0.76, 0.02, 0.02), rgb("#FFE58A"))                           # its light side
    outlined(c, lambda i: band(0.78, 0.94, 0.085, 0.025, i), dark, rgb("#E9C79A"))  # sharpened wood
    c.paint(band(0.92, 1.00, 0.035, 0.0), dark)                                     # graphite point
    return c


def editor_backdrop():
    """Soft blue bands running down to the right, lighter at the top."""
    width, height = 898, 153
    top, bottom, band = hex_bytes("#C8DEFA"), hex_bytes("#7292E1"), hex_bytes("#A9C6F2")

    def pixel(x, y):
        base = lerp_bytes(top, bottom, y / (height - 1))
        wave = 0.5 + 0.5 * math.sin((x * 0.9 + y * 2.2) / 38.0)
        return lerp_bytes(base, band, 0.35 * wave)
    write_bmp("editor_back.bmp", width, height, pixel)


# --- menu images (16x16, thresholded onto the mask colour) ----------------------

def folder(c):
    outlined(c, lambda i: rrect(1 + i, 2 + i, 7 - i, 6, 1), rgb("#9A7416"), rgb("#F6C94C"))
    outlined(c, lambda i: rrect(1 + i, 4 + i, 15 - i, 14 - i, 1), rgb("#9A7416"),
             vertical(rgb("#FFE38A"), rgb("#F0B53A"), 4, 14))


def page(c):
    outlined(c, lambda i: polygon([(3 + i, 1 + i), (10, 1 + i), (13 - i, 4), (13 - i, 15 - i),
                                   (3 + i, 15 - i)]), rgb("#646C77"), rgb("#FFFFFF"))
    c.paint(polygon([(9, 1), (9, 5), (13, 5)]), rgb("#646C77"))
    c.paint(polygon([(10, 2), (10, 4), (12, 4)]), rgb("#D5DDE8"))
    for y in (7, 9, 11):
        c.paint(rrect(5, y, 10, y + 1), rgb("#8FAAD0"))


def plus_badge(c):
    c.paint(union(rrect(10, 8, 14, 16), rrect(8, 10, 16, 14)), rgb("#1E6B2A"))
    c.paint(union(rrect(11, 9, 13, 15), rrect(9, 11, 15, 13)), rgb("#43C155"))


def cross_badge(c):
    c.paint(union(capsule(9.5, 9.5, 14.5, 14.5, 3.4), capsule(14.5, 9.5, 9.5, 14.5, 3.4)),
            rgb("#8B1414"))
    c.paint(union(capsule(9.5, 9.5, 14.5, 14.5, 1.6), capsule(14.5, 9.5, 9.5, 14.5, 1.6)),
            rgb("#F04848"))


def pencil_badge(c):
    c.paint(capsule(14.5, 7.5, 9.5, 12.5, 4.0), rgb("#5A3B12"))
    c.paint(capsule(14.5, 7.5, 9.5, 12.5, 2.0), rgb("#F7C948"))
    c.paint(polygon([(7, 15.5), (8, 11.5), (11.5, 15)]), rgb("#5A3B12"))


def show_window_image(c):
    outlined(c, lambda i: rrect(1 + i, 2 + i, 15 - i, 14 - i), rgb("#1F4E8C"), rgb("#FFFFFF"))
    c.paint(rrect(2, 3, 14, 6), vertical(rgb("#5C9CE6"), rgb("#2A66C2"), 3, 6))
    c.paint(rrect(11, 4, 13, 5), rgb("#FFFFFF"))
    for y in (8, 10):
        c.paint(rrect(4, y, 11, y + 1), rgb("#8FAAD0"))


def quit_image(c):
    outlined(c, lambda i: circle(8, 8, 7.5 - i), rgb("#7E1010"),
             vertical(rgb("#F26B6B"), rgb("#C01F1F"), 1, 15))
    c.paint(union(arc(8, 8.5, 4.0, 1.9, -90, 60), arc(8, 8.5, 4.0, 1.9, 120, 180),
                  arc(8, 8.5, 4.0, 1.9, -180, -90), capsule(8, 3.5, 8, 8, 1.9)), WHITE)


def mini_toolbar():
    images = [
        lambda c: None,                           # slot 0: unused
        lambda c: (folder(c), plus_badge(c)),     # 1 add group
        lambda c: (folder(c), pencil_badge(c)),   # 2 modify group
        lambda c: (folder(c), cross_badge(c)),    # 3 delete group
        show_window_image,                        # 4 show again
        quit_image,                               # 5 quit
        lambda c: (page(c), plus_badge(c)),       # 6 add link
        lambda c: (page(c), pencil_badge(c)),     # 7 modify link
        lambda c: (page(c), cross_badge(c)),      # 8 delete link
        folder,                                   # 9 group item
    ]
    tiles = []
    for draw in images:
        c = Canvas(16, 16)
        draw(c)
        tiles.append(masked(c))
    write_bmp("minitoolbar.bmp", 16 * len(tiles), 16, lambda x, y: tiles[x // 16](x % 16, y))


# --- title-bar buttons ----------------------------------------------------------

TITLE_BEHIND = (0xA6, 0xD3, 0xFF)  # the title bar's colour where the buttons sit


def title_button(glyph, pressed):
    c = Canvas(15, 15)
    if pressed:
        edge, fill, ink, shift = rgb("#1D5CA3"), vertical(rgb("#76B2EE"), rgb("#B8DBFF"), 0, 15), \
            rgb("#0B3A70"), 1
    else:
        edge, fill, ink, shift = rgb("#3D83CC"), vertical(rgb("#F2F8FF"), rgb("#A8D3FF"), 0, 15), \
            rgb("#124C8C"), 0
    outlined(c, lambda i: rrect(0 + i, 0 + i, 15 - i, 15 - i, 3 - i), edge, fill)
    if glyph == "close":
        mark = union(capsule(4.5 + shift, 4.5 + shift, 10.5 + shift, 10.5 + shift, 1.9),
                     capsule(10.5 + shift, 4.5 + shift, 4.5 + shift, 10.5 + shift, 1.9))
    else:
        mark = rrect(4 + shift, 9 + shift, 11 + shift, 11 + shift)
    c.paint(mark, ink)
    return opaque(c, TITLE_BEHIND)


# --- pane headers and skin --------------------------------------------------------

def lerp_bytes(top, bottom, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom))


def hex_bytes(text):
    v = int(text.lstrip("#"), 16)
    return (v >> 16, (v >> 8) & 255, v & 255)


CHEVRON_UP = ["...#...",
              "..###..",
              ".##.##.",
              "##...##",
              ".......",
              "...#...",
              "..###..",
              ".##.##.",
              "##...##"]


def header(name, chevron):
    width, height = 185, 25
    top, bottom, edge, ink = hex_bytes("#FFFFFF"), hex_bytes("#C6D3F7"), hex_bytes("#7190E0"), \
        hex_bytes("#2C4FB0")
    mark_x, mark_y = 167, (height - len(chevron)) // 2

    def pixel(x, y):
        if x in (0, width - 1) or y in (0, height - 1):
            return edge
        cx, cy = x - mark_x, y - mark_y
        if 0 <= cx < 7 and 0 <= cy < len(chevron) and chevron[cy][cx] == "#":
            return ink
        return lerp_bytes(top, bottom, (y - 1) / (height - 3))
    write_bmp(name, width, height, pixel)


def skin_strip(name, width, height, top, bottom, edge, edge_row):
    top, bottom, edge = hex_bytes(top), hex_bytes(bottom), hex_bytes(edge)
    first = 1 if edge_row == 0 else 0
    last = height - 2 if edge_row == height - 1 else height - 1

    def pixel(x, y):
        if y == edge_row:
            return edge
        return lerp_bytes(top, bottom, (y - first) / (last - first))
    write_bmp(name, width, height, pixel)


CHECK_MARK = [".......",
              "......#",
              ".....##",
              "#...##.",
              "##.##..",
              ".###...",
              "..#...."]


def state_box(name, on, hover):
    """A 13x13 option box on the dialogs' white: ticked or empty, and lit
    while the pointer is over its option."""
    size = 13
    edge = hex_bytes("#186DBD" if hover else "#1C6DB8")
    top, bottom = (hex_bytes("#E4F2FF"), hex_bytes("#A9D3FF")) if hover else \
        (hex_bytes("#FFFFFF"), hex_bytes("#DCEBFA"))
    ink = hex_bytes("#1B4C9C")

    def pixel(x, y):
        if x in (0, size - 1) or y in (0, size - 1):
            return edge
        cx, cy = x - 3, y - 2
        if on and 0 <= cx < 7 and 0 <= cy < 7 and CHECK_MARK[cy][cx] == "#":
            return ink
        return lerp_bytes(top, bottom, (y - 1) / (size - 3))
    write_bmp(name, size, size, pixel)


# --- help window and about box ---------------------------------------------------

def back_button(pressed):
    c = Canvas(20, 20)
    shift = 1 if pressed else 0
    top, bottom = ("#2F73D0", "#6DB0F5") if pressed else ("#6DB0F5", "#1D5BBE")
    outlined(c, lambda i: circle(10 + shift * 0.5, 10 + shift * 0.5, 9 - i), rgb("#174A9C"),
             vertical(rgb(top), rgb(bottom), 1, 19))
    x, y = 10 + shift * 0.5, 10 + shift * 0.5
    c.paint(union(capsule(x - 4.5, y, x + 4.5, y, 2.4), capsule(x - 4.5, y, x - 0.5, y - 4, 2.4),
                  capsule(x - 4.5, y, x - 0.5, y + 4, 2.4)), WHITE)
    return opaque(c, (255, 255, 255))


# Capital letters as strokes in a box 24 wide and 36 high.
LETTERS = {
    "T": [(0, 0, 24, 0), (12, 0, 12, 36)],
    "L": [(0, 0, 0, 36), (0, 36, 20, 36)],
    "V": [(0, 0, 12, 36), (12, 36, 24, 0)],
    "A": [(0, 36, 12, 0), (12, 0, 24, 36), (5, 23, 19, 23)],
    "N": [(0, 36, 0, 0), (0, 0, 24, 36), (24, 36, 24, 0)],
    "E": [(0, 0, 0, 36), (0, 0, 20, 0), (0, 18, 16, 18), (0, 36, 20, 36)],
}


def word(text, left, top, stroke):
    shapes, x = [], left
    for ch in text:
        if ch == "O":
            shapes.append(ellipse_ring(x + 12, top + 18, 12, 18, stroke))
        else:
            shapes += [capsule(x + ax, top + ay, x + bx, top + by, stroke)
                       for ax, ay, bx, by in LETTERS[ch]]
        x += 31
    return union(*shapes)


def banner():
    w, h = 337, 102
    c = Canvas(w, h)
    c.paint(lambda x, y: True, vertical(rgb("#123F8C"), rgb("#5AA6F2"), 0, h))
    for sx, sy, r in [(150, 12, 1.2), (205, 80, 1.0), (250, 14, 1.4), (300, 88, 1.1), (320, 20, 0.9),
                      (118, 84, 1.0), (275, 52, 0.8), (95, 18, 0.9)]:
        c.paint(circle(sx, sy, r), rgb("#FFFFFF", 0.85))
    c.paint(union(capsule(6, 98, 38, 70, 9), capsule(2, 102, 24, 84, 6)), rgb("#FFFFFF", 0.25))
    rocket = rocket_icon(84, 0.0, 0.24)
    for y in range(rocket.height):
        for x in range(rocket.width):
            r, g, b, a = rocket.px[y * rocket.width + x]
            if a > 0:
                c._over(x + 14, y + 8, (r, g, b), a)
    c.paint(word("TOLVANE", 112, 24, 5.5), rgb("#0B2A5E", 0.45))  # shadow
    c.paint(word("TOLVANE", 110, 22, 5.5), WHITE)
    c.paint(rrect(106, 72, 322, 75, 1.5), rgb("#FFFFFF", 0.6))
    return opaque(c, (0, 0, 0))


def main():
    os.makedirs(OUT, exist_ok=True)
    write_ico("tolvane.ico", [rocket_icon(32), rocket_icon(16)])
    for n in range(4):
        write_ico("anim%d.ico" % n, [anim_icon(n, 32), anim_icon(n, 16)])
    for n, draw in enumerate([palette_icon, gear_icon, help_icon, globe_icon, info_icon]):
        write_ico("tool%d.ico" % n, [draw()])
    write_ico("icodef.ico", [document_icon()])
    mini_toolbar()
    for glyph in ("min", "close"):
        for state, pressed in (("up", False), ("down", True)):
            tile = title_button(glyph, pressed)
            write_bmp("btn%s_%s.bmp" % (glyph, state), 15, 15, tile)
    header("imgup.bmp", CHEVRON_UP)
    header("imgdown.bmp", list(reversed(CHEVRON_UP)))
    # The title bar's dark edge is its bottom row, where it meets the panes,
    # as the bottom bar's is its top row.
    skin_strip("skin_title.bmp", 500, 19, "#CEE7FF", "#7BBEFF", "#186DBD", 18)
    skin_strip("skin_border.bmp", 200, 22, "#D3EAFF", "#6FBAFF", "#1C6DB8", 0)
    for name, on, hover in (("state_off", False, False), ("state_on", True, False),
                            ("state_off_hover", False, True), ("state_on_hover", True, True)):
        state_box(name + ".bmp", on, hover)
    write_bmp("help_back_up.bmp", 20, 20, back_button(False))
    write_bmp("help_back_down.bmp", 20, 20, back_button(True))
    write_bmp("about_banner.bmp", 337, 102, banner())
    write_ico("button.ico", [button_icon()])
    editor_backdrop()


if __name__ == "__main__":
    main()
