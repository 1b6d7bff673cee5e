#!/usr/bin/env python3
"""Generate VARGO's pictures into data/img/ from the sources in assets/sprites/.

    python3 tools/gen_sprites.py                 # everything
    python3 tools/gen_sprites.py --preview /tmp  # also write preview composites

Writes:
  VARGO01.jpg / VARGO0201.jpg / VARGO0202.jpg   battle sprite sheets, 1440 x 480
  VARGO01M.jpg / VARGO02M.jpg                   their masks (black = opaque)
  VARGO01S.jpg / VARGO0201S.jpg / VARGO0202S.jpg workshop pictures, 240 x 240
  effect.jpg / effect_m.jpg                     the 40 x 40 hit spark and its mask
  arena.jpg                                     the 800 x 400 battle background
  icon0.bmp                                     the logic editor's 13 chip tiles (gen_icons.py)

Needs Pillow (Debian: python3-pil).  The output is deterministic.
"""

import argparse
import json
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artlib import (ASSETS, OUT, Image, ImageChops, ImageDraw, ImageFilter, ImageOps,
                    a_scale, a_tr, a_mul, check_mask_file, clamp8, finish_sprite,
                    mask_picture, mix, save_jpeg, to_alpha_from_mask, unpremultiply)
from robot import Robot, render_pose
import gen_arena
import gen_effect
import gen_icons


def load(name):
    with open(os.path.join(ASSETS, name), encoding="utf-8") as f:
        return json.load(f)


def build_sheet(robot, poses, scene):
    """Row 0: fighter 0 facing right; row 1: fighter 1, the mirror image."""
    cell = scene["cell"]
    ss = scene["supersample"]
    cols = scene["columns"]
    sheet = Image.new("RGB", (cell * len(cols), cell * 2), (0, 0, 0))
    opaque = Image.new("L", sheet.size, 0)
    for i, col in enumerate(cols):
        canvas = render_pose(robot, poses[col], cell, ss)
        rgb, op = finish_sprite(canvas, ss)
        box = op.getbbox()
        if box and (box[0] < 1 or box[1] < 1 or box[2] > cell - 1 or box[3] > cell - 1):
            print("warning: pose %r of body %s touches its cell's edge %r" % (col, robot.body["name"], box))
        sheet.paste(rgb, (i * cell, 0))
        opaque.paste(op, (i * cell, 0))
        sheet.paste(ImageOps.mirror(rgb), (i * cell, cell))
        opaque.paste(ImageOps.mirror(op), (i * cell, cell))
    return sheet, opaque


def portrait(robot, poses, scene, palette_name):
    """The workshop's picture of a Doll: the guard-down stance, larger, on a lit stage."""
    cfg = scene["portrait"]
    W, H = cfg["size"]
    ss = scene["supersample"]
    bg = gen_arena.portrait_background(W, H, cfg, palette_name)
    pose = dict(poses.get("portrait", poses["stand"]))
    # Centre the body: find its extent at the pose's own placement.
    T, _, _ = robot.place(pose)
    x0, y0, x1, y1 = robot.extent(T)
    # As large as the picture allows, with a little headroom above the crest.
    k = min(cfg["scale"], (cfg["floor_y"] - cfg.get("headroom", 14)) / (scene["floor_y"] - y0))
    cx = (x0 + x1) / 2.0
    view = a_mul(a_scale(ss), a_mul(a_tr(W / 2.0, cfg["floor_y"]),
                                    a_mul(a_scale(k), a_tr(-cx, -scene["floor_y"]))))
    canvas = Image.new("RGBA", (W * ss, H * ss), (0, 0, 0, 0))
    robot.draw(canvas, pose, view)
    rgb = canvas.convert("RGB").reduce(ss)
    alpha = canvas.getchannel("A").reduce(ss)
    colour = unpremultiply(rgb, alpha)
    # Soft contact shadow under the feet.
    shadow = Image.new("L", (W, H), 0)
    fy = cfg["floor_y"]
    ImageDraw.Draw(shadow).ellipse((W / 2 - 62, fy - 7, W / 2 + 62, fy + 9), fill=150)
    shadow = shadow.filter(ImageFilter.GaussianBlur(5))
    bg = Image.composite(Image.new("RGB", (W, H), (6, 8, 14)), bg, shadow)
    bg.paste(colour, (0, 0), alpha)
    return bg


def compose_scene(arena, sheets, shots):
    """Draw the scene the way the battle screen does: background, then each sprite through its
    mask thresholded into an alpha channel."""
    out = arena.copy()
    for sheet_name, col, row, x, y in shots:
        sprite, mask = sheets[sheet_name]
        box = (col * 240, row * 240, col * 240 + 240, row * 240 + 240)
        out.paste(sprite.crop(box), (x, y), to_alpha_from_mask(mask.crop(box)))
    return out


def preview(outdir):
    arena = Image.open(os.path.join(OUT, "arena.jpg")).convert("RGB")
    sheets = {}
    for s, m in (("01", "VARGO01"), ("0201", "VARGO02"), ("0202", "VARGO02")):
        sheets[s] = (Image.open(os.path.join(OUT, "VARGO%s.jpg" % s)).convert("RGB"),
                     Image.open(os.path.join(OUT, "%sM.jpg" % m)).convert("RGB"))
    eff = Image.open(os.path.join(OUT, "effect.jpg")).convert("RGB")
    effm = Image.open(os.path.join(OUT, "effect_m.jpg")).convert("RGB")
    cols = {"stand": 0, "spin": 1, "punch": 2, "kick": 3, "guard": 4, "down": 5}

    def f0(span):
        return 220 - 10 * span

    def f1(span):
        return 240 + 10 * span
    scenes = [
        ("span 10, both standing", [("01", 0, 0, f0(10), 10), ("0202", 0, 1, f1(10), 10)]),
        ("span 5, 01 kicks", [("01", cols["kick"], 0, f0(5), 10), ("0201", 0, 1, f1(5), 10)]),
        ("span 0, 01 punches", [("01", cols["punch"], 0, f0(0), 10), ("0202", cols["guard"], 1, f1(0), 10)]),
        ("span 0, grappled", [("0201", cols["guard"], 0, 220, 10), ("0202", cols["guard"], 1, f1(0), 10)]),
        ("span 2, 0202 down, 01 spins", [("01", cols["spin"], 0, f0(2), 10), ("0202", cols["down"], 1, f1(2), 10)]),
        ("span 0, 0202 punches 01", [("01", 0, 0, f0(0), 10), ("0202", cols["punch"], 1, f1(0), 10)]),
        ("span 1, 0201 kicks 01 (down)", [("01", cols["down"], 0, f0(1), 10), ("0201", cols["kick"], 1, f1(1), 10)]),
        ("span 3, spin vs stand", [("0201", cols["spin"], 0, f0(3), 10), ("01", cols["stand"], 1, f1(3), 10)]),
    ]
    tiles = []
    for title, shots in scenes:
        img = compose_scene(arena, sheets, shots)
        # three sparks, as after a three-hit pattern against fighter 1 at punch height
        if "punches" in title:
            target = 1 if "01 punches" in title else 0
            for k in range(1, 4):
                x = 40 * target + 5 * k
                y = 10 + 20 * k + 10
                img.paste(eff.crop((0, 0, 40, 40)), (x + 300, y + 10), to_alpha_from_mask(effm.crop((0, 0, 40, 40))))
        d = ImageDraw.Draw(img)
        d.text((8, 380), title, fill=(255, 255, 0))
        tiles.append(img)
    grid = Image.new("RGB", (1600, 400 * ((len(tiles) + 1) // 2)), (0, 0, 0))
    for i, t in enumerate(tiles):
        grid.paste(t, ((i % 2) * 800, (i // 2) * 400))
    grid.save(os.path.join(outdir, "preview_scene.png"))
    for s in sheets:
        big = sheets[s][0]
        big.save(os.path.join(outdir, "preview_sheet_%s.png" % s))
    portraits = Image.new("RGB", (720, 240))
    for i, n in enumerate(("VARGO01S", "VARGO0201S", "VARGO0202S")):
        portraits.paste(Image.open(os.path.join(OUT, n + ".jpg")), (i * 240, 0))
    portraits.save(os.path.join(outdir, "preview_portraits.png"))
    icons = Image.open(os.path.join(OUT, "icon0.bmp")).convert("RGB")
    icons.resize((icons.width * 4, icons.height * 4), Image.NEAREST).save(os.path.join(outdir, "preview_icons.png"))
    Image.open(os.path.join(OUT, "effect.jpg")).resize((160, 160), Image.NEAREST).save(os.path.join(outdir, "preview_effect.png"))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--preview", metavar="DIR", help="also write preview composites into DIR")
    ap.add_argument("--only", choices=["sprites", "effect", "arena", "icons"], help="regenerate one group")
    args = ap.parse_args()
    os.makedirs(OUT, exist_ok=True)
    scene = load("scene.json")
    looks = load("looks.json")["looks"]
    palettes = load("palettes.json")
    poses = load("poses.json")
    problems = 0

    if args.only in (None, "sprites"):
        masks = {}
        for look in looks:
            body = load(look["body"])
            robot = Robot(body, palettes[look["palette"]], scene)
            sheet, opaque = build_sheet(robot, poses[body["name"]], scene)
            save_jpeg(sheet, os.path.join(OUT, look["sheet"]))
            if look["mask"] in masks:
                if ImageChops.difference(masks[look["mask"]], opaque).getbbox() is not None:
                    print("error: %s shares %s but its outline differs" % (look["sheet"], look["mask"]))
                    problems += 1
            else:
                masks[look["mask"]] = opaque
                path = os.path.join(OUT, look["mask"])
                save_jpeg(mask_picture(opaque), path)
                bad = check_mask_file(path, opaque)
                if bad:
                    print("error: %s thresholds to %d wrong pixels" % (look["mask"], bad))
                    problems += 1
            pic = portrait(robot, poses[body["name"]], scene, look["palette"])
            save_jpeg(pic, os.path.join(OUT, look["portrait"]))
            print("wrote", look["sheet"], look["mask"], look["portrait"])

    if args.only in (None, "effect"):
        problems += gen_effect.generate(load("effect.json"), OUT)
    if args.only in (None, "arena"):
        gen_arena.generate(load("arena.json"), scene, OUT)
    if args.only in (None, "icons"):
        gen_icons.generate(load("icons.json"), OUT)

    if args.preview:
        preview(args.preview)
        print("previews in", args.preview)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
