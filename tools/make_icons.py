#!/usr/bin/env python3
"""Draws Vireo's icons and writes them to resources/icons/*.ico.

Pictures are small vector drawings in a 32-unit square, sampled at pixel centres without
smoothing and outlined one pixel wide, in the sixteen standard colours: crisp Windows 98 style
at any size. Each .ico holds one 16-colour image per size, with an AND mask for transparency:
the pictures use only the sixteen standard colours, so a deeper image would hold the same
pixels and only make the program larger.

    python3 tools/make_icons.py [--preview DIR]

--preview also writes each picture, four times enlarged, as a PNG into DIR. The page buttons'
icons are the ones that the table of pages (resources/pages.def) names. Standard library only;
the output depends on nothing but this file and that table, so running it twice gives the same
bytes.
"""

import math
import os
import re
import struct
import sys
import zlib

# The sixteen standard colours, in the order of the 16-colour palette.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = PALETTE[:8]
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, CYAN, WHITE = PALETTE[8:]

# ---------------------------------------------------------------------------------------------
# Shapes: predicates over a point (x, y) of the 32-unit square, y pointing down.


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def ellipse(cx, cy, rx, ry, degrees=0.0):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def inside(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * c + dy * s, -dx * s + dy * c
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0

    return inside


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def polygon(*points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                result = not result
        return result

    return inside


def segment(xa, ya, xb, yb, width):
    """A stroke from a to b with round ends."""

    def inside(x, y):
        dx, dy = xb - xa, yb - ya
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length2))
        px, py = xa + t * dx - x, ya + t * dy - y
        return px * px + py * py <= (width / 2.0) ** 2

    return inside


def rounded(x0, y0, x1, y1, r):
    return union(rect(x0 + r, y0, x1 - r, y1), rect(x0, y0 + r, x1, y1 - r),
                 circle(x0 + r, y0 + r, r), circle(x1 - r, y0 + r, r),
                 circle(x0 + r, y1 - r, r), circle(x1 - r, y1 - r, r))


def gear(cx, cy, inner, outer, teeth, hole):
    def inside(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy)
        if d < hole:
            return False
        tooth = math.cos(teeth * math.atan2(dy, dx)) > 0.0
        return d <= (outer if tooth else inner)

    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: all(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


# ---------------------------------------------------------------------------------------------
# Canvas


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[None] * size for _ in range(size)]  # None is transparent

    def mask(self, shape):
        k = 32.0 / self.size
        return [[shape((x + 0.5) * k, (y + 0.5) * k) for x in range(self.size)]
                for y in range(self.size)]

    def fill(self, shape, color, outline=None):
        """Fills the shape; `outline` colours its pixels that touch the outside (4-neighbours)."""
        m = self.mask(shape)
        n = self.size
        for y in range(n):
            for x in range(n):
                if not m[y][x]:
                    continue
                edge = any(not (0 <= x + dx < n and 0 <= y + dy < n and m[y + dy][x + dx])
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.pixels[y][x] = outline if (edge and outline) else color

    def bevel(self, shape, light, dark):
        """Win98 raised edge: `light` on the top and left border pixels, `dark` below and right."""
        m = self.mask(shape)
        n = self.size
        for y in range(n):
            for x in range(n):
                if not m[y][x]:
                    continue
                if x + 1 >= n or y + 1 >= n or not m[y][x + 1] or not m[y + 1][x]:
                    self.pixels[y][x] = dark
                elif x == 0 or y == 0 or not m[y][x - 1] or not m[y - 1][x]:
                    self.pixels[y][x] = light

    def dot(self, x, y, color):
        """One pixel, in this canvas's own pixel coordinates."""
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = color


# ---------------------------------------------------------------------------------------------
# The pictures. Each draws on a canvas of any size; coordinates are in 32 units.


def draw_bird(c):
    """A vireo, the small olive songbird the program is named after, on a branch."""
    c.fill(segment(2.5, 27.5, 29.5, 24.5, 3.2), MAROON, BLACK)  # branch
    c.fill(polygon((8, 18), (1.5, 25.5), (5, 27), (12.5, 21)), OLIVE, BLACK)  # tail
    body = ellipse(15.5, 17, 9.5, 6.5, -22)
    c.fill(body, OLIVE, BLACK)
    inner_body = ellipse(15.5, 17, 8.4, 5.5, -22)  # leaves the body's outline in place
    c.fill(intersect(inner_body, ellipse(18, 21, 7.5, 4.2, -22)), YELLOW)  # belly
    c.fill(ellipse(12.5, 15.5, 6.5, 3.4, -18), GREEN, BLACK)  # wing
    c.fill(circle(22.5, 9.5, 5.6), OLIVE, BLACK)  # head
    c.fill(polygon((27, 7.6), (31.5, 9.8), (27, 11.6)), GRAY, BLACK)  # beak
    c.fill(ellipse(23.3, 8.6, 2.2, 1.9), WHITE)  # eye ring
    c.fill(circle(23.6, 8.6, 0.95), BLACK)  # eye
    c.fill(segment(16, 22.5, 15, 25.5, 1.2), BLACK)  # legs
    c.fill(segment(19.5, 21.5, 19.5, 24.5, 1.2), BLACK)


def draw_control_panel(c):
    """A control panel: a grey board with three sliders and a gear."""
    board = rect(2, 3, 27, 27)
    c.fill(board, SILVER, BLACK)
    c.bevel(rect(3, 4, 26, 26), WHITE, GRAY)
    for x, knob, colour in ((7, 16, RED), (13.5, 9, LIME), (20, 19, BLUE)):
        c.fill(rect(x - 1, 7, x + 1, 24), BLACK)  # slot
        c.fill(rect(x - 3.2, knob - 2, x + 3.2, knob + 2), colour, BLACK)  # knob
        c.fill(rect(x - 2.2, knob - 1, x + 2.2, knob), WHITE)  # knob highlight
    c.fill(gear(24, 24, 5.2, 7.4, 8, 2.2), YELLOW, BLACK)
    c.fill(minus(circle(24, 24, 4.0), circle(24, 24, 2.2)), OLIVE)


def draw_folder_shape(c, x0, y0, x1, y1, colour=YELLOW):
    """An open folder: the back with its tab, and the front flap leaning out to the right."""
    w, h = x1 - x0, y1 - y0
    tab_h = max(1.6, h * 0.12)
    flap = y0 + max(3.0, h * 0.32)
    tab = polygon((x0, y0 + tab_h), (x0 + 1, y0), (x0 + w * 0.4, y0),
                  (x0 + w * 0.4 + tab_h, y0 + tab_h))
    c.fill(union(tab, rect(x0, y0 + tab_h, x1, y1)), colour, BLACK)
    c.fill(polygon((x0 + 2.5, flap), (x1 + 1.5, flap), (x1 - 1, y1), (x0, y1)), colour, BLACK)
    if h >= 12:
        c.fill(rect(x0 + 3.5, flap + 1, x1 - 0.5, flap + 2), WHITE)  # front flap highlight


def draw_explorer(c):
    """A folder tree with a magnifying glass over it."""
    # Tree lines: dotted, like Explorer's.
    n = c.size
    k = n / 32.0
    for y in range(int(10 * k), int(25 * k)):
        if y % 2 == 0:
            c.dot(int(5 * k), y, GRAY)
    for yy in (16, 25):
        for x in range(int(5 * k), int(10 * k)):
            if x % 2 == 0:
                c.dot(x, int(yy * k), GRAY)
    draw_folder_shape(c, 1, 2, 13, 10)
    draw_folder_shape(c, 9, 12, 19, 19)
    draw_folder_shape(c, 9, 21, 19, 28)
    # The glass.
    c.fill(segment(27, 26, 30.5, 30, 3.6), MAROON, BLACK)  # handle
    c.fill(circle(23.5, 21.5, 6.4), GRAY, BLACK)  # rim
    c.fill(circle(23.5, 21.5, 4.5), CYAN, BLACK)  # lens
    c.fill(segment(21.2, 19.6, 22.8, 18.2, 1.3), WHITE)  # glint


def draw_monitor(c, screen):
    c.fill(rect(11, 24, 21, 27), SILVER, BLACK)  # neck
    c.fill(rounded(6, 26, 26, 30, 1.2), SILVER, BLACK)  # foot
    c.bevel(rect(7, 27, 25, 29), WHITE, GRAY)
    c.fill(rounded(1, 2, 31, 25, 1.5), SILVER, BLACK)  # case
    c.bevel(rect(2, 3, 30, 24), WHITE, GRAY)
    c.fill(rect(4, 5, 28, 21), BLACK)  # screen bezel
    screen(c)
    c.fill(rect(25, 22, 28, 23), LIME)  # power light


def draw_active_desktop(c):
    """A monitor showing a desktop: icons, a web page component and the taskbar."""

    def screen(cv):
        cv.fill(rect(5, 6, 27, 20), TEAL)
        cv.fill(rect(5, 18, 27, 20), SILVER)  # taskbar
        cv.fill(rect(6, 18.6, 9, 19.6), GREEN)  # start button
        for y in (7.5, 12):
            cv.fill(rect(6.5, y, 9, y + 2.5), YELLOW)  # desktop icons
        cv.fill(rect(13, 7, 26, 17), WHITE, NAVY)  # a web component
        cv.fill(rect(13, 7, 26, 9), NAVY)
        for y in (10.5, 12.5, 14.5):
            cv.fill(rect(15, y, 24 - (y - 10.5), y + 1), BLUE)

    draw_monitor(c, screen)


def draw_folders(c):
    """A folder with the shortcut arrow."""
    draw_folder_shape(c, 3, 6, 29, 26)
    c.fill(rect(1, 17, 14, 30), WHITE, BLACK)  # the shortcut overlay box
    arrow = union(
        polygon((6.5, 20), (12, 20), (12, 25.5), (10.2, 23.7), (7, 27.5), (5, 25.7), (8.5, 21.8)))
    c.fill(arrow, BLACK)


def draw_files(c):
    """A sheet of text with a folded corner."""
    sheet = polygon((5, 1), (21, 1), (28, 8), (28, 31), (5, 31))
    c.fill(sheet, WHITE, BLACK)
    c.fill(polygon((21, 1), (21, 8), (28, 8)), SILVER, BLACK)  # the fold
    for i, y in enumerate(range(11, 29, 3)):
        right = 25 if i % 3 != 2 else 18
        c.fill(rect(8, y, right, y + 1), GRAY)
    for y in (5, 8):
        c.fill(rect(8, y, 18, y + 1), NAVY)  # the heading


def draw_logo(c):
    """The splash logo: the bird in a round badge."""
    c.fill(circle(16, 16, 15.6), WHITE, NAVY)
    c.fill(minus(circle(16, 16, 15.6), circle(16, 16, 14)), TEAL)
    c.fill(minus(circle(16, 16, 15.9), circle(16, 16, 15.2)), NAVY)
    inner = Canvas(c.size)
    draw_bird(inner)
    # The bird, a little smaller, in the middle of the badge.
    n = c.size
    scale = 0.78
    offset = n * (1 - scale) / 2
    for y in range(n):
        for x in range(n):
            sx, sy = int((x - offset) / scale), int((y - offset + n * 0.02) / scale)
            if 0 <= sx < n and 0 <= sy < n and inner.pixels[sy][sx] is not None:
                c.pixels[y][x] = inner.pixels[sy][sx]


def draw_wait(c):
    """An hourglass."""
    glass = union(polygon((8, 5), (24, 5), (24, 8), (17.6, 16), (24, 24), (24, 27), (8, 27),
                          (8, 24), (14.4, 16), (8, 8)))
    c.fill(glass, CYAN, BLACK)
    c.fill(intersect(glass, polygon((10, 8), (22, 8), (16.8, 14.5), (15.2, 14.5))), YELLOW)
    c.fill(intersect(glass, polygon((15.5, 16), (16.5, 16), (16.5, 21), (15.5, 21))), YELLOW)
    c.fill(intersect(glass, polygon((9, 26), (16, 20), (23, 26))), YELLOW)
    c.fill(segment(10.5, 9, 13.5, 12.5, 0.9), WHITE)  # glint
    for y0 in (1.5, 26.5):
        c.fill(rounded(5, y0, 27, y0 + 4, 1.0), MAROON, BLACK)  # the wooden ends
        c.fill(rect(6, y0 + 1, 26, y0 + 2), RED)
    c.fill(rect(6, 5, 8, 27), MAROON, BLACK)  # posts
    c.fill(rect(24, 5, 26, 27), MAROON, BLACK)


ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def page_icons():
    """The page buttons' icons, from the table of pages (resources/pages.def): the icon
    "icons/page_NAME.ico" of a line is drawn by draw_NAME."""
    with open(os.path.join(ROOT, "resources", "pages.def"), encoding="utf-8") as f:
        names = re.findall(r'^VIREO_PAGE\(.*?"icons/page_(\w+)\.ico"', f.read(), re.M)
    missing = [n for n in names if "draw_" + n not in globals()]
    if missing:
        sys.exit("make_icons.py: no draw_%s for the page icon" % missing[0])
    return [("page_%s.ico" % n, globals()["draw_" + n], (32,)) for n in names]


ICONS = ([("vireo.ico", draw_bird, (32, 16))] + page_icons() +
         [("logo.ico", draw_logo, (48,)), ("wait.ico", draw_wait, (32,))])

# ---------------------------------------------------------------------------------------------
# File formats


def and_mask(canvas):
    """1 bit per pixel, 1 where transparent, rows bottom-up, each padded to 4 bytes."""
    n = canvas.size
    stride = ((n + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(n)):
        row = bytearray(stride)
        for x in range(n):
            if canvas.pixels[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def dib_header(n, bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bits, 0, image_size, 0, 0, colours, 0)


def image_4bit(canvas):
    n = canvas.size
    stride = ((n * 4 + 31) // 32) * 4
    xor = bytearray()
    for y in reversed(range(n)):
        row = bytearray(stride)
        for x in range(n):
            p = canvas.pixels[y][x]
            index = 0 if p is None else PALETTE.index(p)  # transparent pixels are black
            row[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += row
    mask = and_mask(canvas)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return dib_header(n, 4, len(xor) + len(mask), 16) + palette + bytes(xor) + mask


def ico_file(canvases):
    """One 16-colour image per size, largest first."""
    images = [(canvas.size, 16, 4, image_4bit(canvas)) for canvas in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data),
                           offset)
        offset += len(data)
    return out + b"".join(data for _, _, _, data in images)


def png_file(width, height, rgb_rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + bytes(row) for row in rgb_rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def preview(canvases, zoom=4):
    """Each size enlarged, on the teal desktop and on white, side by side."""
    pad = 8
    width = sum(2 * (c.size * zoom + pad) for c in canvases) + pad
    height = max(c.size for c in canvases) * zoom + 2 * pad
    rows = [bytearray([0x40, 0x40, 0x40] * width) for _ in range(height)]
    x0 = pad
    for c in canvases:
        for background in (TEAL, WHITE):
            for y in range(c.size * zoom):
                for x in range(c.size * zoom):
                    p = c.pixels[y // zoom][x // zoom] or background
                    rows[pad + y][3 * (x0 + x):3 * (x0 + x) + 3] = bytes(p)
            x0 += c.size * zoom + pad
    return png_file(width, height, rows)


def main(argv):
    preview_dir = None
    if len(argv) == 3 and argv[1] == "--preview":
        preview_dir = argv[2]
    elif len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    out_dir = os.path.join(ROOT, "resources", "icons")
    os.makedirs(out_dir, exist_ok=True)
    if preview_dir:
        os.makedirs(preview_dir, exist_ok=True)
    for name, draw, sizes in ICONS:
        canvases = []
        for size in sizes:
            canvas = Canvas(size)
            draw(canvas)
            canvases.append(canvas)
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(ico_file(canvases))
        if preview_dir:
            with open(os.path.join(preview_dir, name[:-4] + ".png"), "wb") as f:
                f.write(preview(canvases))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
