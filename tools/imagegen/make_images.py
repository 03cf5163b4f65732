#!/usr/bin/env python3
"""Draws the program's skin pictures (dark skin, orange accent) and writes them to res/images/.

Standard library only: a small RGBA canvas with supersampled shapes, a PNG writer (zlib + struct)
and an animated GIF writer for the busy animation. Run it once after changing a picture:
    python3 tools/imagegen/make_images.py [output folder]
The output is committed; the build embeds it by resource id.
"""
import math
import os
import struct
import sys
import zlib

ACCENT = (239, 156, 0)       # COLORREF 0x009CEF
DARK = (16, 16, 16)          # 0x101010
FRAME = (30, 30, 30)         # 0x1E1E1E
TEXT = (213, 213, 213)       # 0xD5D5D5
TEXT_BRIGHT = (235, 235, 235)
BUSY = (64, 64, 64)          # 0x404040


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(fill) for _ in range(w * h)]

    def blend(self, x, y, rgb, alpha):
        if not (0 <= x < self.w and 0 <= y < self.h) or alpha <= 0:
            return
        p = self.px[y * self.w + x]
        a = min(1.0, alpha)
        da = p[3] / 255.0
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        for i in range(3):
            p[i] = int(round((rgb[i] * a + p[i] * da * (1 - a)) / oa))
        p[3] = int(round(oa * 255))

    def shape(self, inside, rgb, box=None, alpha=1.0, ss=4):
        x0, y0, x1, y1 = box or (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in range(ss):
                    for sx in range(ss):
                        if inside(x + (sx + 0.5) / ss, y + (sy + 0.5) / ss):
                            hits += 1
                if hits:
                    self.blend(x, y, rgb, alpha * hits / (ss * ss))

    def rect(self, x0, y0, x1, y1, rgb, alpha=1.0):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.blend(x, y, rgb, alpha)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            t = (y - y0) / n
            self.rect(x0, y, x1, y + 1, tuple(int(round(top[i] + (bottom[i] - top[i]) * t)) for i in range(3)))

    def round_rect(self, x0, y0, x1, y1, r, rgb, alpha=1.0):
        def inside(px, py):
            cx = min(max(px, x0 + r), x1 - r)
            cy = min(max(py, y0 + r), y1 - r)
            return x0 <= px <= x1 and y0 <= py <= y1 and (px - cx) ** 2 + (py - cy) ** 2 <= r * r
        self.shape(inside, rgb, (x0, y0, x1, y1), alpha)

    def round_frame(self, x0, y0, x1, y1, r, width, rgb):
        def inside(px, py):
            def dist_in(ax0, ay0, ax1, ay1, ar):
                cx = min(max(px, ax0 + ar), ax1 - ar)
                cy = min(max(py, ay0 + ar), ay1 - ar)
                return ax0 <= px <= ax1 and ay0 <= py <= ay1 and (px - cx) ** 2 + (py - cy) ** 2 <= ar * ar
            return dist_in(x0, y0, x1, y1, r) and not dist_in(x0 + width, y0 + width, x1 - width, y1 - width,
                                                              max(0.0, r - width))
        self.shape(inside, rgb, (x0, y0, x1, y1))

    def circle(self, cx, cy, r, rgb, alpha=1.0):
        self.shape(lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r, rgb, (cx - r, cy - r, cx + r, cy + r), alpha)

    def ring(self, cx, cy, r, width, rgb):
        self.shape(lambda px, py: (r - width) ** 2 <= (px - cx) ** 2 + (py - cy) ** 2 <= r * r, rgb,
                   (cx - r, cy - r, cx + r, cy + r))

    def line(self, ax, ay, bx, by, width, rgb):
        def inside(px, py):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy or 1)))
            qx, qy = ax + t * dx, ay + t * dy
            return (px - qx) ** 2 + (py - qy) ** 2 <= (width / 2) ** 2
        pad = width
        self.shape(inside, rgb, (min(ax, bx) - pad, min(ay, by) - pad, max(ax, bx) + pad, max(ay, by) + pad))

    def polygon(self, pts, rgb):
        def inside(px, py):
            c = False
            j = len(pts) - 1
            for i in range(len(pts)):
                xi, yi = pts[i]
                xj, yj = pts[j]
                if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                    c = not c
                j = i
            return c
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        self.shape(inside, rgb, (min(xs), min(ys), max(xs), max(ys)))

    def text(self, s, cx, cy, scale, rgb):
        """Centred text in the 5 x 7 font below."""
        width = len(s) * 6 * scale - scale
        x = int(round(cx - width / 2))
        y = int(round(cy - 7 * scale / 2))
        for ch in s:
            rows = FONT.get(ch)
            if rows:
                for ry, row in enumerate(rows):
                    for rx, bit in enumerate(row):
                        if bit == '#':
                            self.rect(x + rx * scale, y + ry * scale, x + (rx + 1) * scale, y + (ry + 1) * scale, rgb)
            x += 6 * scale


FONT = {
    'A': [' ### ', '#   #', '#   #', '#####', '#   #', '#   #', '#   #'],
    'D': ['#### ', '#   #', '#   #', '#   #', '#   #', '#   #', '#### '],
    'E': ['#####', '#    ', '#    ', '#### ', '#    ', '#    ', '#####'],
    'G': [' ####', '#    ', '#    ', '# ###', '#   #', '#   #', ' ####'],
    'H': ['#   #', '#   #', '#   #', '#####', '#   #', '#   #', '#   #'],
    'I': [' ### ', '  #  ', '  #  ', '  #  ', '  #  ', '  #  ', ' ### '],
    'K': ['#   #', '#  # ', '# #  ', '##   ', '# #  ', '#  # ', '#   #'],
    'M': ['#   #', '## ##', '# # #', '# # #', '#   #', '#   #', '#   #'],
    'P': ['#### ', '#   #', '#   #', '#### ', '#    ', '#    ', '#    '],
    'S': [' ####', '#    ', '#    ', ' ### ', '    #', '    #', '#### '],
    'U': ['#   #', '#   #', '#   #', '#   #', '#   #', '#   #', ' ### '],
    'V': ['#   #', '#   #', '#   #', '#   #', '#   #', ' # # ', '  #  '],
    'X': ['#   #', '#   #', ' # # ', '  #  ', ' # # ', '#   #', '#   #'],
}


def png_bytes(c, alpha=True):
    raw = bytearray()
    for y in range(c.h):
        raw.append(0)
        for x in range(c.w):
            p = c.px[y * c.w + x]
            raw.extend(p if alpha else p[:3])

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    ihdr = struct.pack('>IIBBBBB', c.w, c.h, 8, 6 if alpha else 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
            + chunk(b'IEND', b''))


def gif_bytes(width, height, palette, frames, delay_hundredths):
    """Animated GIF: full-canvas frames of palette indexes, a fixed delay, looping for ever."""
    assert len(palette) == 16
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', width, height, 0x80 | 0x30 | 3, 0, 0)   # 16-entry global table, bg 0
    for rgb in palette:
        out += bytes(rgb)
    out += b'\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00'
    for pixels in frames:
        out += b'\x21\xF9\x04' + struct.pack('<BHB', 1 << 2, delay_hundredths, 0) + b'\x00'
        out += b'\x2C' + struct.pack('<HHHHB', 0, 0, width, height, 0)
        out += b'\x04' + lzw_uncompressed(pixels, 4)
    out += b';'
    return bytes(out)


def lzw_uncompressed(pixels, min_size):
    """Valid LZW data that never grows the code table: a clear code every few literals."""
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    size = min_size + 1
    room = (1 << size) - (eoi + 1) - 2
    bits, nbits, data = 0, 0, bytearray()

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    for i, p in enumerate(pixels):
        if i % room == 0:
            emit(clear)
        emit(p)
    emit(eoi)
    if nbits:
        data.append(bits & 0xFF)
    blocks = bytearray()
    for i in range(0, len(data), 255):
        part = data[i:i + 255]
        blocks.append(len(part))
        blocks += part
    blocks.append(0)
    return bytes(blocks)


# ---------------------------------------------------------------------------------------------
# The pictures


def plate(w, h, top, bottom, radius):
    """A rounded plate with a dark rim, filled with a vertical gradient from top to bottom."""
    c = Canvas(w, h)
    c.round_rect(0, 0, w, h, radius, (8, 8, 8))
    inner = Canvas(w, h)
    inner.vgradient(0, 0, w, h, top, bottom)
    for y in range(1, h - 1):
        for x in range(1, w - 1):
            cx = min(max(x + 0.5, 1 + radius), w - 1 - radius)
            cy = min(max(y + 0.5, 1 + radius), h - 1 - radius)
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                c.blend(x, y, inner.px[y * w + x][:3], 1.0)
    return c


def face(w, h, checked=False, radius=4):
    """A button face: dark raised plate; a checked face carries an orange frame and glow."""
    top, bottom = ((58, 58, 58), (28, 28, 28)) if not checked else ((70, 52, 24), (36, 26, 10))
    c = plate(w, h, top, bottom, radius)
    c.rect(radius, 1, w - radius, 2, (90, 90, 90) if not checked else (255, 196, 80), 0.6)
    if checked:
        c.round_frame(0, 0, w, h, radius, 1.5, ACCENT)
    else:
        c.round_frame(0, 0, w, h, radius, 1.0, (72, 72, 72))
    return c


def light_face(w, h, lit=False, radius=4):
    """A face that carries a dark caption: a silver plate, or lit, an orange one."""
    top, bottom = ((226, 226, 226), (168, 168, 168)) if not lit else ((255, 200, 92), (222, 136, 0))
    c = plate(w, h, top, bottom, radius)
    c.rect(radius, 1, w - radius, 2, (255, 255, 255) if not lit else (255, 232, 176), 0.7)
    c.round_frame(0, 0, w, h, radius, 1.0, (96, 96, 96) if not lit else (150, 92, 0))
    return c


def icon_plate(size=24):
    c = Canvas(size, size)
    c.round_rect(1, 1, size - 1, size - 1, 4, (36, 36, 36))
    c.round_frame(1, 1, size - 1, size - 1, 4, 1.0, (70, 70, 70))
    return c


def close_button():
    c = icon_plate()
    c.line(8, 8, 16, 16, 2.2, ACCENT)
    c.line(16, 8, 8, 16, 2.2, ACCENT)
    return c


def maximise_button():
    c = icon_plate()
    c.round_frame(7, 7, 17, 17, 1, 1.6, ACCENT)
    c.rect(7, 7, 17, 9, ACCENT)
    return c


def restore_button():
    c = icon_plate()
    c.round_frame(9, 6, 18, 15, 1, 1.4, ACCENT)
    c.rect(6, 9, 15, 18, (36, 36, 36))
    c.round_frame(6, 9, 15, 18, 1, 1.6, ACCENT)
    c.rect(6, 9, 15, 11, ACCENT)
    return c


def refresh_button():
    c = icon_plate()
    c.shape(lambda px, py: 4.0 ** 2 <= (px - 12) ** 2 + (py - 12) ** 2 <= 6.0 ** 2 and
            not (px > 12 and py < 12), ACCENT)
    c.polygon([(12, 4), (17, 6.5), (12, 9.5)], ACCENT)
    return c


def indicator(kind):
    c = icon_plate()
    if kind == 'serial':
        c.round_frame(5, 8, 19, 16, 2, 1.4, ACCENT)
        for x in (9, 12, 15):
            c.circle(x, 12, 1.1, ACCENT)
    elif kind == 'network':
        c.rect(10, 5, 15, 10, ACCENT)
        c.rect(4, 15, 9, 20, ACCENT)
        c.rect(16, 15, 21, 20, ACCENT)
        c.rect(12, 10, 13, 13, ACCENT)
        c.rect(6, 12, 19, 13, ACCENT)
        c.rect(6, 12, 7, 15, ACCENT)
        c.rect(18, 12, 19, 15, ACCENT)
    elif kind == 'switcher':
        c.line(5, 8, 19, 8, 1.6, ACCENT)
        c.polygon([(19, 5), (22, 8), (19, 11)], ACCENT)
        c.line(5, 16, 19, 16, 1.6, TEXT)
        c.polygon([(5, 13), (2, 16), (5, 19)], TEXT)
    return c


def video_button():
    c = icon_plate()
    c.round_frame(4, 6, 20, 16, 1, 1.5, ACCENT)
    c.rect(10, 17, 14, 19, ACCENT)
    c.rect(8, 19, 16, 20, ACCENT)
    c.polygon([(10.5, 8.5), (14.5, 11), (10.5, 13.5)], TEXT)
    return c


def edit_icon():
    c = icon_plate()
    c.line(7, 17, 16, 8, 3.0, ACCENT)
    c.polygon([(5.5, 18.5), (6.2, 15.5), (8.5, 17.8)], TEXT)
    c.line(5, 20, 19, 20, 1.0, (120, 120, 120))
    return c


def status_led(online):
    c = Canvas(16, 16)
    if online:
        c.circle(8, 8, 7.5, (70, 45, 0))
        c.circle(8, 8, 5.5, ACCENT)
        c.circle(6.5, 6.5, 1.8, (255, 220, 150), 0.8)
    else:
        c.circle(8, 8, 7.5, (24, 24, 24))
        c.circle(8, 8, 5.5, (78, 78, 78))
    return c


def name_band():
    c = Canvas(150, 21)
    c.vgradient(0, 0, 150, 21, (46, 46, 46), (22, 22, 22))
    c.rect(0, 20, 150, 21, ACCENT)
    c.rect(0, 0, 150, 1, (70, 70, 70))
    return c


def input_icon(label, lit):
    w, h = 68, 25
    c = Canvas(w, h)
    c.round_rect(0, 0, w, h, 4, (8, 8, 8))
    c.round_rect(1, 1, w - 1, h - 1, 3, (40, 32, 18) if lit else (34, 34, 34))
    c.round_frame(0, 0, w, h, 4, 1.4 if lit else 1.0, ACCENT if lit else (70, 70, 70))
    c.text(label, w / 2, h / 2, 2 if len(label) <= 4 else 2, ACCENT if lit else TEXT)
    return c


def rotate_picture():
    c = Canvas(64, 64)
    c.round_rect(0, 0, 64, 64, 6, (26, 26, 26))
    c.round_frame(0, 0, 64, 64, 6, 1.0, (70, 70, 70))
    c.rect(18, 22, 46, 42, (60, 60, 60))
    c.shape(lambda px, py: 20 ** 2 <= (px - 32) ** 2 + (py - 32) ** 2 <= 23 ** 2 and py < 40, ACCENT)
    c.polygon([(49, 36), (59, 36), (54, 45)], ACCENT)
    return c


def mosaic_picture(cells, lit):
    """64 x 64 picture of an arrangement: rectangles in 0..1 units, the lit one in the accent."""
    c = Canvas(64, 64)
    c.rect(0, 0, 64, 64, (26, 26, 26))
    c.round_frame(0, 0, 64, 64, 3, 1.0, (80, 80, 80))
    for i, (x0, y0, x1, y1) in enumerate(cells):
        X0, Y0, X1, Y1 = 4 + x0 * 56, 4 + y0 * 56, 4 + x1 * 56, 4 + y1 * 56
        colour = ACCENT if i == lit else (90, 90, 90)
        c.rect(int(X0) + 1, int(Y0) + 1, int(X1) - 1, int(Y1) - 1, colour, 0.35 if i != lit else 0.8)
        c.round_frame(int(X0) + 1, int(Y0) + 1, int(X1) - 1, int(Y1) - 1, 1, 1.0, colour)
    return c


def mark(chosen):
    c = Canvas(12, 12)
    if chosen:
        c.circle(6, 6, 5.5, ACCENT)
        c.line(3.5, 6.2, 5.3, 8.2, 1.5, DARK)
        c.line(5.3, 8.2, 8.8, 3.8, 1.5, DARK)
    else:
        c.ring(6, 6, 5.5, 1.3, (110, 110, 110))
    return c


def slider_channel(w, h, active):
    c = Canvas(w, h)
    mid = h // 2
    if active:
        c.round_rect(0, mid - 3, w, mid + 3, 3, (120, 78, 0))
        c.round_rect(0, mid - 2, w, mid + 2, 2, ACCENT)
    else:
        c.round_rect(0, mid - 3, w, mid + 3, 3, (6, 6, 6))
        c.round_rect(1, mid - 2, w - 1, mid + 2, 2, (52, 52, 52))
    return c


def slider_thumb():
    c = Canvas(12, 20)
    c.round_rect(0, 0, 12, 20, 3, (10, 10, 10))
    inner = Canvas(12, 20)
    inner.vgradient(0, 0, 12, 20, (120, 120, 120), (64, 64, 64))
    for y in range(1, 19):
        for x in range(1, 11):
            c.blend(x, y, inner.px[y * 12 + x][:3], 1.0)
    c.rect(3, 9, 9, 11, ACCENT)
    return c


def page_background():
    c = Canvas(640, 364, (0, 0, 0, 255))
    c.vgradient(0, 0, 640, 364, (24, 24, 24), (14, 14, 14))
    return c


def slider_background():
    c = Canvas(200, 24, (0, 0, 0, 255))
    c.rect(0, 0, 200, 24, DARK)
    return c


def caption_backdrop(translucent):
    c = Canvas(480, 64, (0, 0, 0, 255))
    for y in range(64):
        for x in range(480):
            if translucent:
                v = 56 if ((x // 8 + y // 8) % 2) else 40
                c.px[y * 480 + x] = [v, v, v + 8, 255]
            else:
                v = 90 if ((x // 8 + y // 8) % 2) else 60
                c.px[y * 480 + x] = [v, v, v, 255]
    return c


def main_icon():
    """48 x 48 window icon: an LED panel (a 4 x 3 grid of dots, a lit diagonal) on a dark plate."""
    c = Canvas(48, 48)
    c.round_rect(1, 1, 47, 47, 9, (28, 28, 28))
    c.round_frame(1, 1, 47, 47, 9, 2.0, ACCENT)
    for row in range(3):
        for col in range(4):
            lit = col in (row, row + 1)
            c.circle(10 + col * 9.3, 15 + row * 9, 3.3, ACCENT if lit else (88, 88, 88))
    c.rect(10, 38, 38, 40, TEXT)
    return c


def busy_animation():
    """100 x 20 frames on the busy box's grey: an orange block runs along a row of dots."""
    palette = [BUSY, (90, 90, 90), (130, 86, 10), ACCENT] + [BUSY] * 12
    w, h, n = 100, 20, 8
    frames = []
    for f in range(n):
        pix = [0] * (w * h)
        for k in range(n):
            x0 = 6 + k * 11
            level = 3 if k == f else (2 if k == (f - 1) % n else 1)
            for y in range(6, 14):
                for x in range(x0, x0 + 8):
                    pix[y * w + x] = level
        frames.append(pix)
    return gif_bytes(w, h, palette, frames, 10)


def pictures():
    """(type, id) -> canvas or bytes. Types: png, icon (PNG), bitmap (stored as PNG without alpha), gif."""
    p = {
        ('bitmap', 106): page_background(),
        ('png', 107): close_button(),
        ('png', 1561): maximise_button(),
        ('png', 1562): restore_button(),
        ('png', 113): face(75, 36), ('png', 114): face(75, 36, True),
        # 115 / 116 carry the dark default caption; 130, the alternate of 128, is the lit "on" face.
        ('png', 115): light_face(80, 33), ('png', 116): light_face(80, 33, True),
        ('png', 128): face(60, 24), ('png', 130): face(60, 24, True),
        ('png', 129): face(75, 28), ('png', 147): face(75, 28, True),
        ('png', 131): face(75, 30), ('png', 132): face(75, 30, True),
        ('png', 172): face(60, 40), ('png', 173): face(60, 40, True),
        ('png', 144): face(70, 28), ('png', 148): face(70, 28, True),
        ('png', 145): face(90, 28), ('png', 146): face(90, 28, True),
        ('png', 169): face(90, 40, True),
        ('png', 174): face(60, 24), ('png', 175): face(60, 24, True),
        ('png', 180): refresh_button(),
        ('png', 1485): indicator('serial'), ('png', 1486): indicator('network'),
        ('png', 1487): indicator('switcher'),
        ('png', 1560): video_button(),
        ('png', 155): status_led(True), ('png', 157): status_led(False),
        ('png', 181): name_band(),
        ('png', 1488): edit_icon(),
        ('png', 121): rotate_picture(),
        ('png', 125): mark(True), ('png', 126): mark(False),
        ('png', 159): slider_channel(160, 20, False), ('png', 163): slider_channel(160, 20, True),
        ('png', 161): slider_thumb(),
        ('png', 1550): slider_channel(160, 20, False), ('png', 1551): slider_channel(160, 20, True),
        ('bitmap', 168): slider_background(),
        ('bitmap', 1531): caption_backdrop(False), ('bitmap', 1532): caption_backdrop(True),
        ('gif', 171): busy_animation(),
        ('icon', 103): main_icon(),
    }
    for normal, lit, label in ((137, 138, 'DVI'), (139, 140, 'HDMI'), (135, 136, 'DP'), (141, 143, 'SDI'),
                               (151, 153, 'VGA'), (1585, 1584, 'UDISK')):
        p[('png', normal)] = input_icon(label, False)
        p[('png', lit)] = input_icon(label, True)
    halves = [(0, 0, 0.5, 1), (0.5, 0, 1, 1)]
    rows = [(0, 0, 1, 0.5), (0, 0.5, 1, 1)]
    thirds = [(0, 0, 1 / 3, 1), (1 / 3, 0, 2 / 3, 1), (2 / 3, 0, 1, 1)]
    quads = [(0, 0, 0.5, 0.5), (0.5, 0, 1, 0.5), (0, 0.5, 0.5, 1), (0.5, 0.5, 1, 1)]
    p[('png', 1503)] = mosaic_picture(halves, 0)
    p[('png', 1504)] = mosaic_picture(rows, 0)
    p[('png', 1511)] = mosaic_picture(thirds, 0)
    p[('png', 1512)] = mosaic_picture(thirds, 1)
    p[('png', 186)] = mosaic_picture(thirds, 2)
    p[('png', 124)] = mosaic_picture(quads, 0)
    p[('png', 123)] = mosaic_picture(quads, 1)
    p[('png', 122)] = mosaic_picture(quads, 3)
    return p


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'res', 'images')
    for (kind, rid), pic in sorted(pictures().items()):
        folder = os.path.join(out, kind)
        os.makedirs(folder, exist_ok=True)
        if kind == 'gif':
            data, ext = pic, 'gif'
        else:
            data, ext = png_bytes(pic, alpha=(kind in ('png', 'icon'))), 'png'
        with open(os.path.join(folder, '%d.%s' % (rid, ext)), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
