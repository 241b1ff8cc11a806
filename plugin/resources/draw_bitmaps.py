#!/usr/bin/env python3
"""Draws the plugin's two controller bitmaps from the button table.

    draw_bitmaps.py BUTTON_TABLE_CPP OUT_DIR

controller.bmp (80 x 304): the remote, every button drawn at its image
rectangle. selbuttons.bmp (120 x 38): the lit shapes TVTest puts over a
pressed button, one at each selection position of the table. Both are
uncompressed 24-bit BMP files without palette. The table is the only source
of coordinates, so a rectangle outside a picture stops the build here.
"""
import math
import pathlib
import re
import struct
import sys

CONTROLLER_SIZE = (80, 304)
SELECTION_SIZE = (120, 38)
ROWS = 50

ROW = re.compile(
    r'\{\{L"(?P<name>[^"]*)",\s*(?:L"(?P<command>[^"]*)"|nullptr),\s*'
    r'\{(?P<l>\d+),\s*(?P<t>\d+),\s*(?P<w>\d+),\s*(?P<h>\d+)\},\s*'
    r'\{(?P<sx>\d+),\s*(?P<sy>\d+)\},\s*0\},\s*(?P<code>0x[0-9A-Fa-f]+)\}')


class Button:
    def __init__(self, m):
        self.name = m["name"]
        self.rect = tuple(int(m[k]) for k in "ltwh")
        self.sel = (int(m["sx"]), int(m["sy"]))
        self.code = int(m["code"], 16)


def read_table(path):
    text = pathlib.Path(path).read_text(encoding="utf-8")
    buttons = [Button(m) for m in ROW.finditer(text)]
    if len(buttons) != ROWS:
        sys.exit(f"draw_bitmaps: {len(buttons)} rows found in {path}, expected {ROWS}")
    return buttons


def check_inside(buttons):
    cw, ch = CONTROLLER_SIZE
    sw, sh = SELECTION_SIZE
    for b in buttons:
        l, t, w, h = b.rect
        if l + w > cw or t + h > ch or w == 0 or h == 0:
            sys.exit(f"draw_bitmaps: {b.name} rectangle {b.rect} outside {cw}x{ch}")
        if b.sel[0] + w > sw or b.sel[1] + h > sh:
            sys.exit(f"draw_bitmaps: {b.name} highlight at {b.sel} outside {sw}x{sh}")


# ---------------------------------------------------------------- drawing

class Canvas:
    """RGB floats; shapes are point predicates filled with 4x4 supersampling."""

    SUB = 4

    def __init__(self, w, h, color):
        self.w, self.h = w, h
        self.px = [[list(color) for _ in range(w)] for _ in range(h)]

    def blend(self, x, y, color, alpha):
        if 0 <= x < self.w and 0 <= y < self.h and alpha > 0:
            p = self.px[y][x]
            for i in range(3):
                p[i] = p[i] * (1 - alpha) + color[i] * alpha

    def fill(self, inside, box, paint, alpha=1.0):
        """Fills the points of `box` (l, t, r, b) for which inside(x, y);
        paint is a colour or a function of the pixel centre."""
        l, t, r, b = box
        n = self.SUB
        for y in range(max(0, math.floor(t)), min(self.h, math.ceil(b))):
            for x in range(max(0, math.floor(l)), min(self.w, math.ceil(r))):
                hits = sum(1 for j in range(n) for i in range(n)
                           if inside(x + (i + 0.5) / n, y + (j + 0.5) / n))
                if hits:
                    color = paint(x + 0.5, y + 0.5) if callable(paint) else paint
                    self.blend(x, y, color, alpha * hits / (n * n))

    def bmp(self):
        """Bottom-up rows of BGR triplets, each row padded to four bytes."""
        row_size = (self.w * 3 + 3) & ~3
        image = bytearray()
        for y in reversed(range(self.h)):
            row = bytearray()
            for r, g, b in self.px[y]:
                row += bytes((clamp(b), clamp(g), clamp(r)))
            image += row + bytes(row_size - len(row))
        header = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(image), 2835, 2835, 0, 0)
        file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(image), 0, 0, 14 + len(header))
        return file_header + header + bytes(image)


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def rounded_rect(l, t, w, h, r):
    r = min(r, w / 2, h / 2)

    def inside(x, y):
        if not (l <= x <= l + w and t <= y <= t + h):
            return False
        dx = max(l + r - x, 0, x - (l + w - r))
        dy = max(t + r - y, 0, y - (t + h - r))
        return dx * dx + dy * dy <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def polygon(points):
    """Convex polygon, points in either winding."""
    def side(x, y, i):
        (x1, y1), (x2, y2) = points[i], points[(i + 1) % len(points)]
        return (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1)

    def inside(x, y):
        signs = [side(x, y, i) for i in range(len(points))]
        return all(s >= 0 for s in signs) or all(s <= 0 for s in signs)
    return inside


def box_of(l, t, w, h, pad=1):
    return (l - pad, t - pad, l + w + pad, t + h + pad)


def vertical(top, bottom, t, h):
    return lambda x, y: mix(top, bottom, (y - t) / max(h, 1))


# ---------------------------------------------------------------- palette

PAPER = (240, 240, 240)
BODY = (38, 41, 46)
BODY_RIM = (82, 88, 96)
BODY_EDGE = (16, 17, 19)
BORDER = (14, 15, 17)
INK = (236, 238, 240)
DARK_INK = (30, 32, 36)

GREY_FACE = ((116, 122, 131), (76, 81, 88))
KEY_FACE = ((226, 229, 233), (176, 181, 188))
RING_FACE = ((104, 111, 121), (66, 71, 78))
ENTER_FACE = ((150, 158, 168), (100, 107, 116))
COLOURS = {
    "青": ((80, 140, 245), (30, 88, 200)),
    "赤": ((245, 92, 84), (196, 40, 36)),
    "緑": ((92, 205, 120), (36, 150, 66)),
    "黄": ((252, 222, 92), (214, 170, 28)),
}
POWER_FACE = ((236, 78, 70), (170, 28, 26))
RECORD_DOT = (235, 50, 44)
LIT_FACE = ((255, 214, 120), (250, 150, 40))
LIT_GLOW = (255, 190, 90)

# 3 x 5 pixel glyphs for the printed labels.
GLYPHS = {
    "0": ["###", "#.#", "#.#", "#.#", "###"], "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"], "3": ["##.", "..#", ".#.", "..#", "##."],
    "4": ["#.#", "#.#", "###", "..#", "..#"], "5": ["###", "#..", "##.", "..#", "##."],
    "6": [".##", "#..", "###", "#.#", "###"], "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"], "9": ["###", "#.#", "###", "..#", "##."],
    "G": [".##", "#..", "#.#", "#.#", ".##"], "V": ["#.#", "#.#", "#.#", "#.#", ".#."],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"], "C": [".##", "#..", "#..", "#..", ".##"],
    "K": ["#.#", "#.#", "##.", "#.#", "#.#"], "I": ["###", ".#.", ".#.", ".#.", "###"],
    "T": ["###", ".#.", ".#.", ".#.", ".#."], "-": ["...", "...", "###", "...", "..."],
    "e": ["...", ".#.", "#.#", "##.", ".##"], "x": ["...", "#.#", ".#.", "#.#", "#.#"],
    "l": ["#..", "#..", "#..", "#..", ".##"], "o": ["...", ".#.", "#.#", "#.#", ".#."],
}


def text_width(text):
    return 4 * len(text) - 1


def draw_text(cv, x, y, text, color, alpha=1.0):
    for ch in text:
        for j, line in enumerate(GLYPHS[ch]):
            for i, c in enumerate(line):
                if c == "#":
                    cv.blend(x + i, y + j, color, alpha)
        x += 4


# ---------------------------------------------------------------- buttons

def raised(cv, shape_at, l, t, w, h, face, border=BORDER):
    """A key standing out of the body: soft shadow, dark edge, shaded face."""
    cv.fill(shape_at(l, t + 1, w, h, 0), box_of(l, t, w, h + 1), (0, 0, 0), 0.45)
    cv.fill(shape_at(l, t, w, h, 0), box_of(l, t, w, h), border)
    cv.fill(shape_at(l, t, w, h, 1), box_of(l, t, w, h), vertical(face[0], face[1], t, h))
    # A hairline of light along the top edge of the face.
    cv.fill(lambda x, y: shape_at(l, t, w, h, 1)(x, y) and not shape_at(l, t + 1, w, h, 1)(x, y),
            box_of(l, t, w, h), (255, 255, 255), 0.25)


def rect_shape(radius):
    return lambda l, t, w, h, inset: rounded_rect(l + inset, t + inset, w - 2 * inset, h - 2 * inset,
                                                  max(radius - inset, 0.5))


def round_shape(l, t, w, h, inset):
    return circle(l + w / 2, t + h / 2, min(w, h) / 2 - inset)


def symbol_triangle(cv, cx, cy, size, direction, color):
    s = size
    pts = {
        "up": [(cx - s, cy + s * 0.6), (cx + s, cy + s * 0.6), (cx, cy - s * 0.7)],
        "down": [(cx - s, cy - s * 0.6), (cx + s, cy - s * 0.6), (cx, cy + s * 0.7)],
        "left": [(cx + s * 0.6, cy - s), (cx + s * 0.6, cy + s), (cx - s * 0.7, cy)],
        "right": [(cx - s * 0.6, cy - s), (cx - s * 0.6, cy + s), (cx + s * 0.7, cy)],
    }[direction]
    cv.fill(polygon(pts), (cx - s - 1, cy - s - 1, cx + s + 1, cy + s + 1), color)


def bar(cv, x, y, w, h, color):
    cv.fill(lambda px, py: x <= px <= x + w and y <= py <= y + h, (x - 1, y - 1, x + w + 1, y + h + 1), color)


# Media keys are only 6 pixels tall: their symbols are drawn pixel by pixel.
TRANSPORT = {
    "再生": ["#.", "##", "#."],
    "巻戻し": [".#.#", "####", ".#.#"],
    "早送り": ["#.#.", "####", "#.#."],
    "前/戻す": ["#..#", "#.##", "#..#"],
    "次/送る": ["#..#", "##.#", "#..#"],
    "一時停止": ["#.#", "#.#", "#.#"],
    "停止": ["###", "###", "###"],
}


def draw_pixels(cv, x, y, rows, color):
    for j, line in enumerate(rows):
        for i, c in enumerate(line):
            if c == "#":
                cv.blend(x + i, y + j, color, 1.0)


def draw_power_symbol(cv, cx, cy, r, color):
    def arc(x, y):
        d = math.hypot(x - cx, y - cy)
        return r - 0.6 <= d <= r + 0.6 and not (y < cy and abs(x - cx) < r * 0.55)
    cv.fill(arc, (cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2), color)
    bar(cv, cx - 0.6, cy - r - 1, 1.2, r + 0.8, color)


def cursor_ring(buttons):
    """Centre and radii of the ring that the four arrow keys form."""
    arrows = [b.rect for b in buttons if b.name in ("UP", "DOWN", "LEFT", "RIGHT")]
    left = min(r[0] for r in arrows)
    right = max(r[0] + r[2] for r in arrows)
    top = min(r[1] for r in arrows)
    bottom = max(r[1] + r[3] for r in arrows)
    return (left + right) / 2, (top + bottom) / 2, min(right - left, bottom - top) / 2


def draw_ring(cv, buttons):
    cx, cy, r_out = cursor_ring(buttons)
    enter = next(b.rect for b in buttons if b.name == "決定")
    r_in = enter[2] / 2 + 1
    cv.fill(circle(cx, cy + 1, r_out), (cx - r_out - 1, cy - r_out, cx + r_out + 1, cy + r_out + 2),
            (0, 0, 0), 0.45)
    cv.fill(circle(cx, cy, r_out), (cx - r_out - 1, cy - r_out - 1, cx + r_out + 1, cy + r_out + 1),
            BORDER)
    cv.fill(ring(cx, cy, r_out - 1, r_in), (cx - r_out, cy - r_out, cx + r_out, cy + r_out),
            vertical(RING_FACE[0], RING_FACE[1], cy - r_out, 2 * r_out))
    # Seams between the four keys, on the diagonals.
    seam = lambda x, y: (abs(abs(x - cx) - abs(y - cy)) < 0.7
                         and r_in ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out ** 2)
    cv.fill(seam, (cx - r_out, cy - r_out, cx + r_out, cy + r_out), BORDER, 0.8)
    for b in buttons:
        if b.name in ("UP", "DOWN", "LEFT", "RIGHT"):
            l, t, w, h = b.rect
            # Arrow half-way between the ring's edges, on the key's axis.
            mid = (r_out + r_in) / 2
            ax, ay = {"UP": (cx, cy - mid), "DOWN": (cx, cy + mid),
                      "LEFT": (cx - mid, cy), "RIGHT": (cx + mid, cy)}[b.name]
            symbol_triangle(cv, ax, ay, 3.2, b.name.lower(), INK)


def draw_button(cv, b):
    l, t, w, h = b.rect
    cx, cy = l + w / 2, t + h / 2
    name = b.name
    if name in ("UP", "DOWN", "LEFT", "RIGHT"):
        return  # drawn as one ring
    if name == "決定":
        raised(cv, round_shape, l, t, w, h, ENTER_FACE)
        cv.fill(ring(cx, cy, w / 2 - 3, w / 2 - 4), (l, t, l + w, t + h), (255, 255, 255), 0.18)
        return
    if name == "電源":
        raised(cv, round_shape, l, t, w, h, POWER_FACE)
        draw_power_symbol(cv, cx, cy + 0.3, 3.3, INK)
        return
    if name in COLOURS:
        raised(cv, rect_shape(3), l, t, w, h, COLOURS[name])
        return
    if name.startswith("チャンネル") and name[5:].isdigit():
        raised(cv, rect_shape(3), l, t, w, h, KEY_FACE)
        label = name[5:]
        draw_text(cv, round(cx - text_width(label) / 2), round(cy - 2.5), label, DARK_INK)
        return
    if name in ("音量UP", "音量DOWN", "チャンネルUP", "チャンネルDOWN"):
        raised(cv, rect_shape(5), l, t, w, h, GREY_FACE)
        up = name.endswith("UP")
        if name.startswith("音量"):
            bar(cv, cx - 3, cy - 0.6, 6, 1.2, INK)
            if up:
                bar(cv, cx - 0.6, cy - 3, 1.2, 6, INK)
        else:
            symbol_triangle(cv, cx, cy, 3, "up" if up else "down", INK)
        return
    if w == h:
        raised(cv, round_shape, l, t, w, h, GREY_FACE)
        if name == "録画":
            cv.fill(circle(cx, cy, 2.4), (l, t, l + w, t + h), RECORD_DOT)
        return
    raised(cv, rect_shape(3), l, t, w, h, GREY_FACE)
    if name in TRANSPORT:
        rows = TRANSPORT[name]
        draw_pixels(cv, l + (w - len(rows[0])) // 2, t + (h - len(rows)) // 2, rows, INK)


def draw_controller(buttons):
    w, h = CONTROLLER_SIZE
    cv = Canvas(w, h, PAPER)
    body = rounded_rect(1, 2, w - 2, h - 4, 12)
    inner = rounded_rect(2, 3, w - 4, h - 6, 11)
    cv.fill(rounded_rect(1.5, 3.5, w - 2, h - 4, 12), (0, 0, w, h), (0, 0, 0), 0.25)
    cv.fill(body, (0, 0, w, h), BODY_EDGE)
    cv.fill(inner, (0, 0, w, h), BODY_RIM)
    cv.fill(rounded_rect(2.5, 4, w - 5, h - 7.5, 10.5), (0, 0, w, h), BODY)
    # The infra-red window at the top end.
    cv.fill(rounded_rect(w / 2 - 10, 6, 20, 5, 2.5), (0, 0, w, 16),
            lambda x, y: mix((96, 22, 30), (40, 6, 10), (y - 6) / 5))
    cv.fill(rounded_rect(w / 2 - 7, 6.8, 8, 1.2, 0.6), (0, 0, w, 16), (255, 255, 255), 0.35)
    power = next(b.rect for b in buttons if b.name == "電源")
    label = "GV-RCKIT3"
    draw_text(cv, power[0] + power[2] + 1 + (w - power[0] - power[2] - 7 - text_width(label)) // 2,
              power[1] + power[3] // 2 - 2, label, INK, 0.85)
    draw_ring(cv, buttons)
    for b in buttons:
        draw_button(cv, b)
    last = max(b.rect[1] + b.rect[3] for b in buttons)
    brand = "Vexlo"
    draw_text(cv, (w - text_width(brand)) // 2, last + (h - 4 - last) // 2 - 3, brand, BODY_RIM)
    return cv


def lit(cv, shape_at, l, t, w, h, face=LIT_FACE):
    """The lit form of a key: a warm glow around a bright face."""
    cv.fill(shape_at(l, t, w, h, 0), box_of(l, t, w, h), LIT_GLOW, 0.55)
    cv.fill(shape_at(l, t, w, h, 1), box_of(l, t, w, h), vertical(face[0], face[1], t, h))


def brighten(face):
    return tuple(mix(c, (255, 255, 255), 0.35) for c in face)


def copy_area(dst, dx, dy, src, l, t, w, h):
    for y in range(h):
        for x in range(w):
            dst.px[dy + y][dx + x] = list(src.px[t + y][l + x])


def draw_selection(buttons, controller):
    cv = Canvas(*SELECTION_SIZE, BODY)
    drawn = set()
    for b in buttons:
        l, t, w, h = b.rect
        key = (b.sel, w, h)
        if key in drawn:
            continue  # keys sharing a highlight draw it once
        drawn.add(key)
        sx, sy = b.sel
        # Around the lit shape the highlight shows what the remote shows there,
        # so that it blends in; the arrow keys share theirs, so body colour.
        if b.name not in ("UP", "DOWN", "LEFT", "RIGHT"):
            copy_area(cv, sx, sy, controller, l, t, w, h)
        if b.name in COLOURS:
            lit(cv, rect_shape(3), sx, sy, w, h, brighten(COLOURS[b.name]))
        elif w == h:
            lit(cv, round_shape, sx, sy, w, h)
            if b.name == "電源":
                draw_power_symbol(cv, sx + w / 2, sy + h / 2 + 0.3, 3.3, (120, 40, 10))
        elif b.name in ("UP", "DOWN", "LEFT", "RIGHT"):
            lit(cv, rect_shape(min(w, h) / 2), sx, sy, w, h)
        elif b.name.startswith(("音量", "チャンネルUP", "チャンネルDOWN")):
            lit(cv, rect_shape(5), sx, sy, w, h)
        else:
            lit(cv, rect_shape(3), sx, sy, w, h)
    return cv


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    buttons = read_table(argv[1])
    check_inside(buttons)
    out = pathlib.Path(argv[2])
    out.mkdir(parents=True, exist_ok=True)
    controller = draw_controller(buttons)
    (out / "controller.bmp").write_bytes(controller.bmp())
    (out / "selbuttons.bmp").write_bytes(draw_selection(buttons, controller).bmp())


if __name__ == "__main__":
    main(sys.argv)
