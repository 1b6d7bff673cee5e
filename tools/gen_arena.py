"""The battle background (arena.jpg) and the stage behind the workshop's Doll pictures."""

import math
import os

from artlib import Image, ImageChops, ImageDraw, ImageFilter, clamp8, mix, save_jpeg, scaled_name

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


def arena(cfg, scene, scale=1):
    """The background at a screen scale: drawn 'u' canvas pixels to a 1x pixel, reduced by the
    supersampling, so a 2x picture is the same scene at twice the resolution."""
    ss = cfg["supersample"]
    u = ss * scale
    W, H = cfg["size"][0] * u, cfg["size"][1] * u
    wb = cfg["wall_bottom"] * u
    img = Image.new("RGB", (W, H))
    img.paste(_vgrad(W, wb, cfg["wall_top_colour"], cfg["wall_bottom_colour"]), (0, 0))
    img.paste(_vgrad(W, H - wb, cfg["floor_far_colour"], cfg["floor_near_colour"]), (0, wb))
    d = ImageDraw.Draw(img)

    # Wall panels: seams, a recessed inset per panel and rivets; quiet so the Dolls read.
    pw = cfg["panel_width"] * u
    top = cfg["wall_top_colour"]
    for i, x in enumerate(range(0, W + pw, pw)):
        d.line([(x, 0), (x, wb)], fill=tuple(clamp8(c * 0.6) for c in top), width=2 * u)
        d.line([(x + 2 * u, 0), (x + 2 * u, wb)], fill=tuple(clamp8(c * 1.5 + 10) for c in top), width=u)
        inset = (x + 14 * u, 62 * u, x + pw - 14 * u, 140 * u)
        d.rectangle(inset, outline=tuple(clamp8(c * 0.75) for c in cfg["wall_bottom_colour"]), width=2 * u)
        d.line([(inset[0], inset[3] + u), (inset[2], inset[3] + u)],
               fill=tuple(clamp8(c * 1.25) for c in cfg["wall_bottom_colour"]), width=u)
        for rx in (x + 8 * u, x + pw - 8 * u):
            for ry in (52 * u, 150 * u):
                d.ellipse((rx - 2 * u, ry - 2 * u, rx + 2 * u, ry + 2 * u), fill=(80, 88, 104))
        if i % 2 == 1:
            # vent slats on every other panel
            for k in range(5):
                yy = (84 + 10 * k) * u
                d.line([(inset[0] + 12 * u, yy), (inset[2] - 12 * u, yy)], fill=(24, 28, 38), width=3 * u)

    # Light strip along the top of the wall.
    ly = cfg["light_strip_y"] * u
    strip = Image.new("L", (W, H), 0)
    ImageDraw.Draw(strip).rectangle((0, ly - 3 * u, W, ly + 3 * u), fill=255)
    img = _add_light(img, strip.filter(ImageFilter.GaussianBlur(9 * u)), [c * 0.45 for c in cfg["light_strip_colour"]])
    d = ImageDraw.Draw(img)
    d.rectangle((0, ly - 2 * u, W, ly + 2 * u), fill=tuple(cfg["light_strip_colour"]))

    # Wall base: dark trim with a thin hazard stripe.
    d.rectangle((0, wb - 12 * u, W, wb), fill=tuple(cfg["trim_colour"]))
    hz = cfg["hazard_colours"]
    y0, y1 = wb - 9 * u, wb - 4 * u
    for k, x in enumerate(range(-20 * u, W + 20 * u, 10 * u)):
        d.polygon([(x, y1), (x + 5 * u, y1), (x + 10 * u, y0), (x + 5 * u, y0)], fill=tuple(hz[k % 2]))
    d.line([(0, wb), (W, wb)], fill=(110, 116, 128), width=u)

    # Floor plates in perspective.
    vx, vy = cfg["vanishing_point"][0] * u, cfg["vanishing_point"][1] * u
    lc = tuple(cfg["floor_line_colour"])
    for k in range(-12, 13):
        xb = W / 2 + k * 90 * u
        t = (wb - vy) / (H - vy)
        xt = vx + (xb - vx) * t
        d.line([(xt, wb), (xb, H)], fill=lc, width=u)
    z = 1.0
    while True:
        y = vy + (H - vy) * (1.0 / z) * 1.0
        if y < wb:
            break
        d.line([(0, y), (W, y)], fill=lc, width=u)
        z += 0.07

    # The ring marking around the fighting line.
    rc, rr = cfg["ring"]["centre"], cfg["ring"]["radii"]
    box = ((rc[0] - rr[0]) * u, (rc[1] - rr[1]) * u, (rc[0] + rr[0]) * u, (rc[1] + rr[1]) * u)
    d.ellipse(box, outline=tuple(cfg["ring"]["colour"]), width=cfg["ring"]["width"] * u)
    inner = (box[0] + 30 * u, box[1] + 5 * u, box[2] - 30 * u, box[3] - 5 * u)
    d.ellipse(inner, outline=tuple(clamp8(c * 0.7) for c in cfg["ring"]["colour"]), width=u)

    # Spotlight on the ring and faint beams from the ceiling.
    sc, sr = cfg["spot"]["centre"], cfg["spot"]["radii"]
    spot = _glow((W, H), ((sc[0] - sr[0]) * u, (sc[1] - sr[1]) * u, (sc[0] + sr[0]) * u, (sc[1] + sr[1]) * u),
                 cfg["spot"]["strength"], 40 * u)
    img = _add_light(img, spot, (255, 246, 225))
    for bx, strength in cfg["beams"]:
        beam = Image.new("L", (W, H), 0)
        ImageDraw.Draw(beam).polygon([(bx * u - 20 * u, 0), (bx * u + 20 * u, 0),
                                      (bx * u + 150 * u, 300 * u), (bx * u - 150 * u, 300 * u)],
                                     fill=int(255 * strength))
        img = _add_light(img, beam.filter(ImageFilter.GaussianBlur(30 * u)), (220, 235, 255))

    # Vignette keeps the eye on the middle.
    vig = Image.new("L", (W, H), 0)
    ImageDraw.Draw(vig).ellipse((-W * 0.15, -H * 0.35, W * 1.15, H * 1.25), fill=255)
    vig = vig.filter(ImageFilter.GaussianBlur(80 * u)).point(lambda v: clamp8(255 - (255 - v) * cfg["vignette"]))
    img = ImageChops.multiply(img, Image.merge("RGB", [vig] * 3))
    return img.reduce(ss)


def generate(cfg, scene, out, scale=1):
    global _CFG
    _CFG = cfg
    name = scaled_name("arena.jpg", scale)
    save_jpeg(arena(cfg, scene, scale), os.path.join(out, name))
    print("wrote", name)


def portrait_background(W, H, pcfg, palette_name, cfg=None, scale=1):
    """A small lit stage: a coloured backdrop, a grid floor and a glowing platform ring."""
    if cfg is None:
        import json
        from artlib import ASSETS
        with open(os.path.join(ASSETS, "arena.json"), encoding="utf-8") as f:
            cfg = json.load(f)
    look = cfg["portraits"][palette_name]
    ss = 3
    u = ss * scale
    w, h = W * u, H * u
    img = Image.new("RGB", (w, h))
    img.paste(_vgrad(w, h, look["top"], look["bottom"]), (0, 0))
    fy = pcfg["floor_y"] * u
    horizon = fy - 46 * u
    floor = _vgrad(w, h - horizon, [clamp8(c * 0.5) for c in look["bottom"]], [clamp8(c * 1.6) for c in look["bottom"]])
    img.paste(floor, (0, horizon))
    d = ImageDraw.Draw(img)
    grid = tuple(clamp8(c * 0.35) for c in look["grid"])
    vx, vy = w / 2, horizon - 140 * u
    for k in range(-10, 11):
        xb = w / 2 + k * 40 * u
        t = (horizon - vy) / (h - vy)
        d.line([(vx + (xb - vx) * t, horizon), (xb, h)], fill=grid, width=u)
    z = 1.0
    while True:
        y = vy + (h - vy) / z
        if y < horizon:
            break
        d.line([(0, y), (w, y)], fill=grid, width=u)
        z += 0.22
    d.line([(0, horizon), (w, horizon)], fill=tuple(clamp8(c * 0.6) for c in look["grid"]), width=u)
    # Back light behind the Doll and a glowing platform ring.
    back = _glow((w, h), (w / 2 - 95 * u, 20 * u, w / 2 + 95 * u, fy - 10 * u), 90, 40 * u)
    img = _add_light(img, back, look["grid"])
    ring = Image.new("L", (w, h), 0)
    ImageDraw.Draw(ring).ellipse((w / 2 - 80 * u, fy - 14 * u, w / 2 + 80 * u, fy + 14 * u), outline=255, width=3 * u)
    img = _add_light(img, ring.filter(ImageFilter.GaussianBlur(3 * u)), look["grid"])
    img = _add_light(img, ring.filter(ImageFilter.GaussianBlur(0.6 * u)), [c * 0.8 for c in look["grid"]])
    vig = Image.new("L", (w, h), 0)
    ImageDraw.Draw(vig).ellipse((-w * 0.2, -h * 0.2, w * 1.2, h * 1.2), fill=255)
    vig = vig.filter(ImageFilter.GaussianBlur(30 * u)).point(lambda v: clamp8(255 - (255 - v) * 0.6))
    img = ImageChops.multiply(img, Image.merge("RGB", [vig] * 3))
    return img.reduce(ss)
