#!/usr/bin/env python3
"""Draws the desktop icon from the workshop picture of the slim Doll: the robot's upper body on a
rounded amber-rimmed plate, at every size desktops ask for (packaging/icons/vargo-SIZE.png).

The Doll is drawn again at each icon's own resolution, from the same body, palette and pose as the
workshop picture (data/img/VARGO01S.jpg), so the large icons stay sharp; only the soft stage behind
it is the picture's own, enlarged.

    python3 tools/gen_icon.py            # write the icons
    python3 tools/gen_icon.py --check    # exit 1 when a written icon differs from what this draws
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artlib import Image, ImageChops, ImageDraw, a_mul, a_scale, a_tr, unpremultiply  # noqa: E402
import gen_arena  # noqa: E402
from gen_sprites import load  # noqa: E402
from robot import Robot  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "packaging", "icons")
PORTRAIT = "VARGO01S.jpg"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256, 512)
# The head and shoulders sit in the upper middle of the 240 x 240 workshop picture.
CROP = (72, 6, 192, 126)


def _portrait_crop(side):
    """The CROP square of the workshop picture, drawn side x side pixels large."""
    scene = load("scene.json")
    look = next(lk for lk in load("looks.json")["looks"] if lk["portrait"] == PORTRAIT)
    body = load(look["body"])
    poses = load("poses.json")[body["name"]]
    robot = Robot(body, load("palettes.json")[look["palette"]], scene)
    cfg = scene["portrait"]
    W, H = cfg["size"]
    m = side / float(CROP[2] - CROP[0])
    # The stage is smooth light and gradient at this height, so enlarging the picture's own keeps it.
    stage = gen_arena.portrait_background(W, H, cfg, look["palette"])
    stage = stage.crop(CROP).resize((side, side), Image.LANCZOS)
    # The Doll placed exactly as the workshop picture places it, then magnified by m about CROP's corner.
    pose = dict(poses.get("portrait", poses["stand"]))
    T, _, _ = robot.place(pose)
    x0, y0, x1, _ = robot.extent(T)
    k = min(cfg["scale"], (cfg["floor_y"] - cfg.get("headroom", 14)) / (scene["floor_y"] - y0))
    cx = (x0 + x1) / 2.0
    picture = a_mul(a_tr(W / 2.0, cfg["floor_y"]), a_mul(a_scale(k), a_tr(-cx, -scene["floor_y"])))
    view = a_mul(a_scale(m), a_mul(a_tr(-CROP[0], -CROP[1]), picture))
    canvas = Image.new("RGBA", (side, side), (0, 0, 0, 0))
    robot.draw(canvas, pose, view)
    alpha = canvas.getchannel("A")
    stage.paste(unpremultiply(canvas.convert("RGB"), alpha), (0, 0), alpha)
    return stage


def icon(size):
    big = 4 * size
    crop = _portrait_crop(big)
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, big - 1, big - 1), radius=big // 5, fill=255)
    out = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    out.paste(crop, (0, 0), mask)
    rim = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    ImageDraw.Draw(rim).rounded_rectangle((big // 64, big // 64, big - 1 - big // 64, big - 1 - big // 64),
                                          radius=big // 5, outline=(240, 160, 60, 255), width=big // 24)
    out = Image.alpha_composite(out, rim)
    return out.resize((size, size), Image.LANCZOS)


def path_of(size):
    return os.path.join(OUT, "vargo-%d.png" % size)


def main(argv):
    check = "--check" in argv[1:]
    stale = []
    os.makedirs(OUT, exist_ok=True)
    for size in SIZES:
        picture = icon(size)
        if not check:
            picture.save(path_of(size), optimize=True)
            continue
        try:
            written = Image.open(path_of(size)).convert("RGBA")
        except OSError:
            stale.append(path_of(size))
            continue
        if written.size != picture.size or ImageChops.difference(written, picture).getbbox() is not None:
            stale.append(path_of(size))
    for p in stale:
        print("out of date: %s (run tools/gen_icon.py)" % os.path.relpath(p, ROOT))
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
