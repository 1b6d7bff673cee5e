"""The battle background (arena.jpg) and the stage behind the workshop's Doll pictures."""

import math
import os

from artlib import Image, ImageChops, ImageDraw, ImageFilter, clamp8, mix, save_jpeg

_CFG = None


def _vgrad(w, h, top, bottom):
    g = Image.linear_gradient("L").resize((w, h))
    return Image.merge("RGB", [g.point(lambda v, a=top[i], b=bottom[i]: clamp8(a + (b - a) * v / 255.0))
                               for i in range(3)])


def _glow(size, box, strength, blur):
    """An additive soft light: an ellipse of the given strength, blurred."""
    layer = Image.new("L", size, 0)
    ImageDraw.Draw(layer).ellipse(box, fill=strength)
    return layer.filter(ImageFilter.GaussianBlur(blur))


def _add_light(img, light, colour):
    tinted = Image.merge("RGB", [light.point(lambda v, c=c: clamp8(v * c / 255.0)) for c in colour])
    return ImageChops.add(img, tinted)


def arena(cfg, scene):
    ss = cfg["supersample"]
    W, H = cfg["size"][0] * ss, cfg["size"][1] * ss
    wb = cfg["wall_bottom"] * ss
    img = Image.new("RGB", (W, H))
    img.paste(_vgrad(W, wb, cfg["wall_top_colour"], cfg["wall_bottom_colour"]), (0, 0))
    img.paste(_vgrad(W, H - wb, cfg["floor_far_colour"], cfg["floor_near_colour"]), (0, wb))
    d = ImageDraw.Draw(img)

    # Wall panels: seams, a recessed inset per panel and rivets; quiet so the Dolls read.
    pw = cfg["panel_width"] * ss
    top = cfg["wall_top_colour"]
    for i, x in enumerate(range(0, W + pw, pw)):
        d.line([(x, 0), (x, wb)], fill=tuple(clamp8(c * 0.6) for c in top), width=2 * ss)
        d.line([(x + 2 * ss, 0), (x + 2 * ss, wb)], fill=tuple(clamp8(c * 1.5 + 10) for c in top), width=ss)
        inset = (x + 14 * ss, 62 * ss, x + pw - 14 * ss, 140 * ss)
        d.rectangle(inset, outline=tuple(clamp8(c * 0.75) for c in cfg["wall_bottom_colour"]), width=2 * ss)
        d.line([(inset[0], inset[3] + ss), (inset[2], inset[3] + ss)],
               fill=tuple(clamp8(c * 1.25) for c in cfg["wall_bottom_colour"]), width=ss)
        for rx in (x + 8 * ss, x + pw - 8 * ss):
            for ry in (52 * ss, 150 * ss):
                d.ellipse((rx - 2 * ss, ry - 2 * ss, rx + 2 * ss, ry + 2 * ss), fill=(80, 88, 104))
        if i % 2 == 1:
            # vent slats on every other panel
            for k in range(5):
                yy = (84 + 10 * k) * ss
                d.line([(inset[0] + 12 * ss, yy), (inset[2] - 12 * ss, yy)], fill=(24, 28, 38), width=3 * ss)

    # Light strip along the top of the wall.
    ly = cfg["light_strip_y"] * ss
    strip = Image.new("L", (W, H), 0)
    ImageDraw.Draw(strip).rectangle((0, ly - 3 * ss, W, ly + 3 * ss), fill=255)
    img = _add_light(img, strip.filter(ImageFilter.GaussianBlur(9 * ss)), [c * 0.45 for c in cfg["light_strip_colour"]])
    d = ImageDraw.Draw(img)
    d.rectangle((0, ly - 2 * ss, W, ly + 2 * ss), fill=tuple(cfg["light_strip_colour"]))

    # Wall base: dark trim with a thin hazard stripe.
    d.rectangle((0, wb - 12 * ss, W, wb), fill=tuple(cfg["trim_colour"]))
    hz = cfg["hazard_colours"]
    y0, y1 = wb - 9 * ss, wb - 4 * ss
    for k, x in enumerate(range(-20 * ss, W + 20 * ss, 10 * ss)):
        d.polygon([(x, y1), (x + 5 * ss, y1), (x + 10 * ss, y0), (x + 5 * ss, y0)], fill=tuple(hz[k % 2]))
    d.line([(0, wb), (W, wb)], fill=(110, 116, 128), width=ss)

    # Floor plates in perspective.
    vx, vy = cfg["vanishing_point"][0] * ss, cfg["vanishing_point"][1] * ss
    lc = tuple(cfg["floor_line_colour"])
    for k in range(-12, 13):
        xb = W / 2 + k * 90 * ss
        t = (wb - vy) / (H - vy)
        xt = vx + (xb - vx) * t
        d.line([(xt, wb), (xb, H)], fill=lc, width=ss)
    z = 1.0
    while True:
        y = vy + (H - vy) * (1.0 / z) * 1.0
        if y < wb:
            break
        d.line([(0, y), (W, y)], fill=lc, width=ss)
        z += 0.07

    # The ring marking around the fighting line.
    rc, rr = cfg["ring"]["centre"], cfg["ring"]["radii"]
    box = ((rc[0] - rr[0]) * ss, (rc[1] - rr[1]) * ss, (rc[0] + rr[0]) * ss, (rc[1] + rr[1]) * ss)
    d.ellipse(box, outline=tuple(cfg["ring"]["colour"]), width=cfg["ring"]["width"] * ss)
    inner = (box[0] + 30 * ss, box[1] + 5 * ss, box[2] - 30 * ss, box[3] - 5 * ss)
    d.ellipse(inner, outline=tuple(clamp8(c * 0.7) for c in cfg["ring"]["colour"]), width=ss)

    # Spotlight on the ring and faint beams from the ceiling.
    sc, sr = cfg["spot"]["centre"], cfg["spot"]["radii"]
    spot = _glow((W, H), ((sc[0] - sr[0]) * ss, (sc[1] - sr[1]) * ss, (sc[0] + sr[0]) * ss, (sc[1] + sr[1]) * ss),
                 cfg["spot"]["strength"], 40 * ss)
    img = _add_light(img, spot, (255, 246, 225))
    for bx, strength in cfg["beams"]:
        beam = Image.new("L", (W, H), 0)
        ImageDraw.Draw(beam).polygon([(bx * ss - 20 * ss, 0), (bx * ss + 20 * ss, 0),
                                      (bx * ss + 150 * ss, 300 * ss), (bx * ss - 150 * ss, 300 * ss)],
                                     fill=int(255 * strength))
        img = _add_light(img, beam.filter(ImageFilter.GaussianBlur(30 * ss)), (220, 235, 255))

    # Vignette keeps the eye on the middle.
    vig = Image.new("L", (W, H), 0)
    ImageDraw.Draw(vig).ellipse((-W * 0.15, -H * 0.35, W * 1.15, H * 1.25), fill=255)
    vig = vig.filter(ImageFilter.GaussianBlur(80 * ss)).point(lambda v: clamp8(255 - (255 - v) * cfg["vignette"]))
    img = ImageChops.multiply(img, Image.merge("RGB", [vig] * 3))
    return img.reduce(ss)


def generate(cfg, scene, out):
    global _CFG
    _CFG = cfg
    save_jpeg(arena(cfg, scene), os.path.join(out, "arena.jpg"))
    print("wrote arena.jpg")


def portrait_background(W, H, pcfg, palette_name, cfg=None):
    """A small lit stage: a coloured backdrop, a grid floor and a glowing platform ring."""
    if cfg is None:
        import json
        from artlib import ASSETS
        with open(os.path.join(ASSETS, "arena.json"), encoding="utf-8") as f:
            cfg = json.load(f)
    look = cfg["portraits"][palette_name]
    ss = 3
    w, h = W * ss, H * ss
    img = Image.new("RGB", (w, h))
    img.paste(_vgrad(w, h, look["top"], look["bottom"]), (0, 0))
    fy = pcfg["floor_y"] * ss
    horizon = fy - 46 * ss
    floor = _vgrad(w, h - horizon, [clamp8(c * 0.5) for c in look["bottom"]], [clamp8(c * 1.6) for c in look["bottom"]])
    img.paste(floor, (0, horizon))
    d = ImageDraw.Draw(img)
    grid = tuple(clamp8(c * 0.35) for c in look["grid"])
    vx, vy = w / 2, horizon - 140 * ss
    for k in range(-10, 11):
        xb = w / 2 + k * 40 * ss
        t = (horizon - vy) / (h - vy)
        d.line([(vx + (xb - vx) * t, horizon), (xb, h)], fill=grid, width=ss)
    z = 1.0
    while True:
        y = vy + (h - vy) / z
        if y < horizon:
            break
        d.line([(0, y), (w, y)], fill=grid, width=ss)
        z += 0.22
    d.line([(0, horizon), (w, horizon)], fill=tuple(clamp8(c * 0.6) for c in look["grid"]), width=ss)
    # Back light behind the Doll and a glowing platform ring.
    back = _glow((w, h), (w / 2 - 95 * ss, 20 * ss, w / 2 + 95 * ss, fy - 10 * ss), 90, 40 * ss)
    img = _add_light(img, back, look["grid"])
    ring = Image.new("L", (w, h), 0)
    ImageDraw.Draw(ring).ellipse((w / 2 - 80 * ss, fy - 14 * ss, w / 2 + 80 * ss, fy + 14 * ss), outline=255, width=3 * ss)
    img = _add_light(img, ring.filter(ImageFilter.GaussianBlur(3 * ss)), look["grid"])
    img = _add_light(img, ring.filter(ImageFilter.GaussianBlur(0.6 * ss)), [c * 0.8 for c in look["grid"]])
    vig = Image.new("L", (w, h), 0)
    ImageDraw.Draw(vig).ellipse((-w * 0.2, -h * 0.2, w * 1.2, h * 1.2), fill=255)
    vig = vig.filter(ImageFilter.GaussianBlur(30 * ss)).point(lambda v: clamp8(255 - (255 - v) * 0.6))
    img = ImageChops.multiply(img, Image.merge("RGB", [vig] * 3))
    return img.reduce(ss)
