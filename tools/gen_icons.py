"""The logic editor's action chips (icon0.bmp): 13 tiles of 28 x 28 in one strip.

Each glyph is drawn as white shapes on a mask in a 28-unit square; the chip
gives it a dark rim so it reads on the coloured chip at small size.
"""

import math
import os

from artlib import Image, ImageDraw, ImageFilter, capsule_pts, clamp8, mix, scaled_name


class Glyph:
    """Collects layers of glyph shapes; each layer is outlined over the ones before it."""

    def __init__(self, k):
        self.k = k
        self.layers = []
        self.new_layer()
        # Ink: dark detail lines drawn over the finished glyph (finger gaps, ribs).
        self.ink_img = Image.new("L", (28 * k, 28 * k), 0)
        self.ink_draw = ImageDraw.Draw(self.ink_img)

    def new_layer(self):
        img = Image.new("L", (28 * self.k, 28 * self.k), 0)
        self.layers.append(img)
        self.d = ImageDraw.Draw(img)

    def P(self, pts):
        return [(x * self.k, y * self.k) for x, y in pts]

    def poly(self, pts, fill=255):
        self.d.polygon(self.P(pts), fill=fill)

    def line(self, pts, w, fill=255):
        self.d.line(self.P(pts), fill=fill, width=int(w * self.k), joint="curve")
        r = w * self.k / 2.0
        for x, y in (pts[0], pts[-1]):
            self.d.ellipse((x * self.k - r, y * self.k - r, x * self.k + r, y * self.k + r), fill=fill)

    def ink(self, pts, w):
        self.ink_draw.line(self.P(pts), fill=255, width=int(w * self.k), joint="curve")

    def rrect(self, box, r, fill=255):
        self.d.rounded_rectangle([v * self.k for v in box], radius=r * self.k, fill=fill)

    def ellipse(self, box, fill=255):
        self.d.ellipse([v * self.k for v in box], fill=fill)

    def arc(self, c, r, a0, a1, w, fill=255):
        pts = [(c[0] + r * math.cos(math.radians(a0 + (a1 - a0) * i / 40.0)),
                c[1] + r * math.sin(math.radians(a0 + (a1 - a0) * i / 40.0))) for i in range(41)]
        self.line(pts, w, fill)
        return pts

    def head(self, tip, direction, size):
        """Arrowhead with its tip at 'tip' pointing along 'direction' (degrees, screen)."""
        a = math.radians(direction)
        ux, uy = math.cos(a), math.sin(a)
        px, py = -uy, ux
        base = (tip[0] - ux * size, tip[1] - uy * size)
        self.poly([tip, (base[0] + px * size * 0.75, base[1] + py * size * 0.75),
                   (base[0] - px * size * 0.75, base[1] - py * size * 0.75)])


def draw_glyph(name, g):
    if name == "move":
        g.line([(6, 14), (22, 14)], 3.2)
        g.head((26, 14), 0, 6.5)
        g.head((2, 14), 180, 6.5)
        g.line([(9, 8.5), (19, 8.5)], 1.4)
        g.line([(9, 19.5), (19, 19.5)], 1.4)
    elif name == "jump":
        g.line([(3, 24.5), (25, 24.5)], 2.0)
        pts = [(7 + 11 * s, 21.5 - 14 * (1 - (1 - s) ** 2)) for s in [i / 20.0 for i in range(21)]]
        g.line(pts[:-2], 3.0)
        g.head((19.5, 5.0), -40, 6.5)
        g.line([(4, 20.5), (6.5, 22)], 1.3)
        g.line([(10, 22.5), (12.5, 21)], 1.3)
    elif name == "spin":
        g.arc((14, 14), 8.5, 60, 350, 3.2)
        g.head((21.5, 9.0), -80, 6.5)
        g.ellipse((11.5, 11.5, 16.5, 16.5))
    elif name == "punch":
        for y in (9, 14, 19):
            g.line([(2, y), (6, y)], 1.3)
        g.rrect((8, 10, 14, 18.5), 1.5)
        g.rrect((12, 6.5, 25, 21.5), 3.5)
        g.ink([(17.5, 10.5), (24.5, 10.5)], 0.9)
        g.ink([(17.5, 14), (24.5, 14)], 0.9)
        g.new_layer()
        g.rrect((12.5, 15.5, 21, 20.5), 2.2)
    elif name == "kick":
        for y in (17, 21):
            g.line([(2, y), (5.5, y)], 1.3)
        g.poly([(8, 3), (16, 3), (16, 14), (23, 15.5), (26, 18.5), (26, 23.5), (8, 23.5)])
        g.new_layer()
        g.rrect((7.5, 5, 16.5, 8), 1)
    elif name == "grapple":
        g.rrect((1, 13, 12, 19), 2)
        g.rrect((9, 9, 16.5, 21), 3)
        g.ink([(12.5, 13), (16, 13)], 0.9)
        g.ink([(12.5, 16.5), (16, 16.5)], 0.9)
        g.new_layer()
        g.rrect((16, 9, 27, 15), 2)
        g.rrect((12, 7, 19.5, 19), 3)
    elif name == "throw":
        g.line([(3, 25), (25, 25)], 2.0)
        g.ellipse((3, 15, 9, 21))
        g.arc((14, 19), 9, 200, 335, 3.0)
        g.head((23.5, 21), 80, 6.5)
    elif name == "lock":
        g.line([(4, 24), (13, 12)], 4.2)
        g.line([(13, 12), (24, 21)], 4.2)
        g.ellipse((9, 8, 17, 16))
        g.arc((13, 12), 9.5, 195, 300, 2.0)
        g.head((19.2, 3.8), 15, 5.0)
    elif name == "block":
        g.poly([(14, 2.5), (24, 6), (23, 15), (14, 25.5), (5, 15), (4, 6)])
        g.new_layer()
        g.poly([(14, 6.5), (20.5, 8.8), (20, 14.5), (14, 21.5)])
    elif name == "breakfall":
        g.line([(2, 25), (26, 25)], 2.0)
        g.line([(14, 3), (14, 11)], 3.0)
        g.head((14, 16.5), 90, 6.5)
        pts = [(4 + 20 * s, 22.5 - 4 * math.sin(math.pi * s)) for s in [i / 20.0 for i in range(21)]]
        g.line(pts, 2.6)
    elif name == "unlock":
        for c, ang in (((8.5, 18), -35), ((19.5, 10), -35)):
            a = math.radians(ang)
            dx, dy = 4.5 * math.cos(a), 4.5 * math.sin(a)
            outer = capsule_pts((c[0] - dx, c[1] - dy), (c[0] + dx, c[1] + dy), 8.5, 8.5)
            inner = capsule_pts((c[0] - dx, c[1] - dy), (c[0] + dx, c[1] + dy), 3.6, 3.6)
            g.poly(outer)
            g.poly(inner, fill=0)
        g.line([(13, 9), (11, 6)], 1.4)
        g.line([(16, 18), (18, 21.5)], 1.4)
        g.line([(11.5, 12.5), (8.5, 11.5)], 1.4)
        g.line([(16.5, 15), (19.5, 16.5)], 1.4)
    elif name == "trash":
        g.rrect((11, 2.5, 17, 6.5), 1)
        g.rrect((5, 5, 23, 8.5), 1)
        g.poly([(7, 9.5), (21, 9.5), (19.5, 25), (8.5, 25)])
        for x in (11, 14, 17):
            g.ink([(x, 12), (x, 22.5)], 1.3)
    else:
        raise ValueError("unknown glyph %r" % name)


def chip(tile, cfg, scale=1):
    """One tile at a screen scale: drawn 'u' canvas pixels to a 1x pixel and reduced by the
    supersampling, so every rim and stroke keeps its width in 1x pixels."""
    k = cfg["supersample"]
    u = k * scale
    n = cfg["tile"]
    s = n * u
    img = Image.new("RGB", (s, s))
    d = ImageDraw.Draw(img)
    if tile["kind"] == "empty":
        e = cfg["empty"]
        d.rectangle((0, 0, s, s), fill=tuple(e["fill"]))
        # A shallow sunken frame: shadow on the top and left, light on the bottom and right.
        w = u
        d.rectangle((w, w, s - 1 - w, s - 1 - w), outline=tuple(e["light"]), width=w)
        d.line([(w, w), (s - 1 - w, w)], fill=tuple(e["shadow"]), width=w)
        d.line([(w, w), (w, s - 1 - w)], fill=tuple(e["shadow"]), width=w)
        return img.reduce(k)
    base = cfg["kinds"][tile["kind"]]["colour"]
    d.rectangle((0, 0, s, s), fill=tuple(clamp8(c * 0.3) for c in base))
    top = mix(base, (255, 255, 255), 0.25)
    bottom = tuple(c * 0.7 for c in base)
    grad = Image.linear_gradient("L").resize((s, s))
    body = Image.merge("RGB", [grad.point(lambda v, a=top[i], b=bottom[i]: clamp8(a + (b - a) * v / 255.0)) for i in range(3)])
    m = Image.new("L", (s, s), 0)
    ImageDraw.Draw(m).rounded_rectangle((u * 0.8, u * 0.8, s - u * 0.8, s - u * 0.8), radius=4 * u, fill=255)
    img.paste(body, (0, 0), m)
    d.rounded_rectangle((u * 0.8, u * 0.8, s - u * 0.8, s - u * 0.8), radius=4 * u,
                        outline=tuple(clamp8(c * 0.35) for c in base), width=u)
    d.line([(5 * u, 2.2 * u), (s - 5 * u, 2.2 * u)], fill=tuple(clamp8(c) for c in mix(base, (255, 255, 255), 0.6)), width=u)
    g = Glyph(u)
    draw_glyph(tile["glyph"], g)
    rim = tuple(clamp8(c * 0.25) for c in base)
    face_top, face_bottom = (255, 255, 255), (214, 222, 234)
    face = Image.merge("RGB", [grad.point(lambda v, a=face_top[i], b=face_bottom[i]: clamp8(a + (b - a) * v / 255.0)) for i in range(3)])
    for layer in g.layers:
        edge = layer.filter(ImageFilter.MaxFilter(2 * int(0.7 * u) + 1))
        img.paste(Image.new("RGB", (s, s), rim), (0, 0), edge)
        img.paste(face, (0, 0), layer)
    img.paste(Image.new("RGB", (s, s), rim), (0, 0), g.ink_img)
    return img.reduce(k)


def generate(cfg, out, scale=1):
    n = cfg["tile"] * scale
    strip = Image.new("RGB", (n * len(cfg["tiles"]), n))
    for i, tile in enumerate(cfg["tiles"]):
        strip.paste(chip(tile, cfg, scale), (i * n, 0))
    name = scaled_name("icon0.bmp", scale)
    strip.save(os.path.join(out, name), "BMP")
    print("wrote", name)
