"""The hit spark drawn over a Doll when a technique lands (effect.jpg and its mask)."""

import math
import os

from artlib import (Image, ImageDraw, check_mask_file, finish_sprite, mask_picture, save_jpeg,
                    scaled_name)


def star(cx, cy, rays, r_long, r_short, jitter, rot, scale=1.0):
    pts = []
    for i in range(rays * 2):
        a = math.radians(rot + 180.0 * i / rays)
        if i % 2 == 0:
            r = (r_long + jitter[(i // 2) % len(jitter)]) * scale
        else:
            r = r_short * scale
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def draw(cfg, scale=1):
    """The spark and its opaque area at a screen scale; every length is in 1x pixels times 'u'."""
    n = cfg["size"]
    ss = cfg["supersample"]
    u = ss * scale
    canvas = Image.new("RGBA", (n * u, n * u), (0, 0, 0, 0))
    d = ImageDraw.Draw(canvas)
    cx, cy = cfg["centre"][0] * u, cfg["centre"][1] * u
    col = cfg["colours"]
    layers = [("rim", 1.0, 1.0), ("outer", 0.86, 0.9), ("inner", 0.62, 0.75), ("core", 0.36, 0.6)]
    for key, k, ks in layers:
        pts = star(cx, cy, cfg["rays"], cfg["long"] * u * k, cfg["short"] * u * ks,
                   [j * u for j in cfg["jitter"]], cfg["rotation"] + (1 - k) * 12)
        d.polygon(pts, fill=tuple(col[key]) + (255,))
    r = 4.5 * u
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(255, 255, 255, 255))
    for x, y, rr in cfg["debris"]:
        x, y, rr = x * u, y * u, rr * u
        d.ellipse((x - rr - u, y - rr - u, x + rr + u, y + rr + u), fill=tuple(col["rim"]) + (255,))
        d.ellipse((x - rr, y - rr, x + rr, y + rr), fill=tuple(col["inner"]) + (255,))
    return finish_sprite(canvas, ss, bleed=2.0 * scale)


def generate(cfg, out, scale=1):
    rgb, opaque = draw(cfg, scale)
    picture, mask = scaled_name("effect.jpg", scale), scaled_name("effect_m.jpg", scale)
    save_jpeg(rgb, os.path.join(out, picture))
    path = os.path.join(out, mask)
    save_jpeg(mask_picture(opaque), path)
    bad = check_mask_file(path, opaque)
    print("wrote", picture, mask)
    if bad:
        print("error: %s thresholds to %d wrong pixels" % (mask, bad))
        return 1
    return 0
