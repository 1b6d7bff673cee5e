"""The hit spark drawn over a Doll when a technique lands (effect.jpg and its mask)."""

import math
import os

from artlib import (Image, ImageDraw, check_mask_file, finish_sprite, mask_picture, save_jpeg)


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


def generate(cfg, out):
    n = cfg["size"]
    ss = cfg["supersample"]
    canvas = Image.new("RGBA", (n * ss, n * ss), (0, 0, 0, 0))
    d = ImageDraw.Draw(canvas)
    cx, cy = cfg["centre"][0] * ss, cfg["centre"][1] * ss
    col = cfg["colours"]
    layers = [("rim", 1.0, 1.0), ("outer", 0.86, 0.9), ("inner", 0.62, 0.75), ("core", 0.36, 0.6)]
    for key, k, ks in layers:
        pts = star(cx, cy, cfg["rays"], cfg["long"] * ss * k, cfg["short"] * ss * ks,
                   [j * ss for j in cfg["jitter"]], cfg["rotation"] + (1 - k) * 12)
        d.polygon(pts, fill=tuple(col[key]) + (255,))
    r = 4.5 * ss
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(255, 255, 255, 255))
    for x, y, rr in cfg["debris"]:
        x, y, rr = x * ss, y * ss, rr * ss
        d.ellipse((x - rr - ss, y - rr - ss, x + rr + ss, y + rr + ss), fill=tuple(col["rim"]) + (255,))
        d.ellipse((x - rr, y - rr, x + rr, y + rr), fill=tuple(col["inner"]) + (255,))
    rgb, opaque = finish_sprite(canvas, ss, bleed=2.0)
    save_jpeg(rgb, os.path.join(out, "effect.jpg"))
    path = os.path.join(out, "effect_m.jpg")
    save_jpeg(mask_picture(opaque), path)
    bad = check_mask_file(path, opaque)
    print("wrote effect.jpg effect_m.jpg")
    if bad:
        print("error: effect_m.jpg thresholds to %d wrong pixels" % bad)
        return 1
    return 0
