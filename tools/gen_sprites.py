#!/usr/bin/env python3
"""Generate VARGO's pictures into data/img/ from the sources in assets/sprites/.

    python3 tools/gen_sprites.py                 # everything
    python3 tools/gen_sprites.py --preview /tmp  # also write preview composites
    python3 tools/gen_sprites.py --check         # do the 2x pictures agree with the 1x ones?

Writes:
  VARGO01.jpg / VARGO0201.jpg / VARGO0202.jpg   battle sprite sheets, 1440 x 480
  VARGO01M.jpg / VARGO02M.jpg                   their masks (black = opaque)
  VARGO01S.jpg / VARGO0201S.jpg / VARGO0202S.jpg workshop pictures, 240 x 240
  effect.jpg / effect_m.jpg                     the 40 x 40 hit spark and its mask
  arena.jpg                                     the 800 x 400 battle background
  icon0.bmp                                     the logic editor's 13 chip tiles (gen_icons.py)
and each again at twice the resolution for high-density screens, named with @2x before the
extension (VARGO01@2x.jpg, 2880 x 960; icon0@2x.bmp, 728 x 56): drawn anew, not enlarged.

Needs Pillow (Debian: python3-pil).  The output is deterministic.
"""

import argparse
import json
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artlib import (ASSETS, OUT, SCALES, Image, ImageChops, ImageDraw, ImageFilter, ImageOps,
                    a_scale, a_tr, a_mul, check_mask_file, clamp8, finish_sprite, mask_disagreement,
                    mask_picture, mix, picture_disagreement, save_jpeg, scaled_name,
                    to_alpha_from_mask, unpremultiply)
from robot import Robot, render_pose
import gen_arena
import gen_effect
import gen_icons


def load(name):
    with open(os.path.join(ASSETS, name), encoding="utf-8") as f:
        return json.load(f)


def build_sheet(robot, poses, scene, scale=1):
    """Row 0: fighter 0 facing right; row 1: fighter 1, the mirror image."""
    cell = scene["cell"] * scale
    ss = scene["supersample"]
    cols = scene["columns"]
    sheet = Image.new("RGB", (cell * len(cols), cell * 2), (0, 0, 0))
    opaque = Image.new("L", sheet.size, 0)
    for i, col in enumerate(cols):
        canvas = render_pose(robot, poses[col], scene["cell"], ss, scale)
        rgb, op = finish_sprite(canvas, ss, bleed=2.0 * scale)
        box = op.getbbox()
        if box and (box[0] < 1 or box[1] < 1 or box[2] > cell - 1 or box[3] > cell - 1):
            print("warning: pose %r of body %s touches its cell's edge %r" % (col, robot.body["name"], box))
        sheet.paste(rgb, (i * cell, 0))
        opaque.paste(op, (i * cell, 0))
        sheet.paste(ImageOps.mirror(rgb), (i * cell, cell))
        opaque.paste(ImageOps.mirror(op), (i * cell, cell))
    return sheet, opaque


def portrait(robot, poses, scene, palette_name, scale=1):
    """The workshop's picture of a Doll: the guard-down stance, larger, on a lit stage. Placed in
    1x pixels; 'scale' only sets how many output pixels each of them gets."""
    cfg = scene["portrait"]
    W, H = cfg["size"]
    ss = scene["supersample"]
    bg = gen_arena.portrait_background(W, H, cfg, palette_name, scale=scale)
    pose = dict(poses.get("portrait", poses["stand"]))
    # Centre the body: find its extent at the pose's own placement.
    T, _, _ = robot.place(pose)
    x0, y0, x1, y1 = robot.extent(T)
    # As large as the picture allows, with a little headroom above the crest.
    k = min(cfg["scale"], (cfg["floor_y"] - cfg.get("headroom", 14)) / (scene["floor_y"] - y0))
    cx = (x0 + x1) / 2.0
    view = a_mul(a_scale(ss * scale), a_mul(a_tr(W / 2.0, cfg["floor_y"]),
                                            a_mul(a_scale(k), a_tr(-cx, -scene["floor_y"]))))
    canvas = Image.new("RGBA", (W * scale * ss, H * scale * ss), (0, 0, 0, 0))
    robot.draw(canvas, pose, view)
    rgb = canvas.convert("RGB").reduce(ss)
    alpha = canvas.getchannel("A").reduce(ss)
    colour = unpremultiply(rgb, alpha)
    # Soft contact shadow under the feet.
    shadow = Image.new("L", (W * scale, H * scale), 0)
    fy = cfg["floor_y"]
    ImageDraw.Draw(shadow).ellipse(((W / 2 - 62) * scale, (fy - 7) * scale, (W / 2 + 62) * scale, (fy + 9) * scale),
                                   fill=150)
    shadow = shadow.filter(ImageFilter.GaussianBlur(5 * scale))
    bg = Image.composite(Image.new("RGB", (W * scale, H * scale), (6, 8, 14)), bg, shadow)
    bg.paste(colour, (0, 0), alpha)
    return bg


def compose_scene(arena, sheets, shots, scale=1):
    """Draw the scene the way the battle screen does: background, then each sprite through its
    mask thresholded into an alpha channel. Places are in 1x pixels; at scale 2 every picture is
    the @2x one."""
    out = arena.copy()
    c = 240 * scale
    for sheet_name, col, row, x, y in shots:
        sprite, mask = sheets[sheet_name]
        box = (col * c, row * c, col * c + c, row * c + c)
        out.paste(sprite.crop(box), (x * scale, y * scale), to_alpha_from_mask(mask.crop(box)))
    return out


def preview(outdir, scale=1):
    """Preview composites from the pictures in data/img at one scale; the 2x ones are named @2x."""
    def picture(name):
        return Image.open(os.path.join(OUT, scaled_name(name, scale))).convert("RGB")

    def target(name):
        return os.path.join(outdir, scaled_name(name, scale))
    arena = picture("arena.jpg")
    sheets = {}
    for s, m in (("01", "VARGO01"), ("0201", "VARGO02"), ("0202", "VARGO02")):
        sheets[s] = (picture("VARGO%s.jpg" % s), picture("%sM.jpg" % m))
    eff = picture("effect.jpg")
    effm = picture("effect_m.jpg")
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
    spark = 40 * scale
    for title, shots in scenes:
        img = compose_scene(arena, sheets, shots, scale)
        # three sparks, as after a three-hit pattern against fighter 1 at punch height
        if "punches" in title:
            target_side = 1 if "01 punches" in title else 0
            for k in range(1, 4):
                x = 40 * target_side + 5 * k
                y = 10 + 20 * k + 10
                img.paste(eff.crop((0, 0, spark, spark)), ((x + 300) * scale, (y + 10) * scale),
                          to_alpha_from_mask(effm.crop((0, 0, spark, spark))))
        d = ImageDraw.Draw(img)
        d.text((8 * scale, 380 * scale), title, fill=(255, 255, 0))
        tiles.append(img)
    w, h = 800 * scale, 400 * scale
    grid = Image.new("RGB", (2 * w, h * ((len(tiles) + 1) // 2)), (0, 0, 0))
    for i, t in enumerate(tiles):
        grid.paste(t, ((i % 2) * w, (i // 2) * h))
    grid.save(target("preview_scene.png"))
    for s in sheets:
        sheets[s][0].save(target("preview_sheet_%s.png" % s))
    side = 240 * scale
    portraits = Image.new("RGB", (3 * side, side))
    for i, n in enumerate(("VARGO01S", "VARGO0201S", "VARGO0202S")):
        portraits.paste(picture(n + ".jpg"), (i * side, 0))
    portraits.save(target("preview_portraits.png"))
    # Enlarged to the same size at every scale, so the 2x chips and spark show their extra detail.
    icons = picture("icon0.bmp")
    icons.resize((icons.width * 4 // scale, icons.height * 4 // scale), Image.NEAREST).save(target("preview_icons.png"))
    eff.resize((160, 160), Image.NEAREST).save(target("preview_effect.png"))


def generate_sprites(scene, looks, palettes, poses, scale):
    """Sheets, masks and workshop pictures of every look at one screen scale; returns the problems."""
    problems = 0
    masks = {}
    for look in looks:
        body = load(look["body"])
        robot = Robot(body, palettes[look["palette"]], scene)
        sheet, opaque = build_sheet(robot, poses[body["name"]], scene, scale)
        names = [scaled_name(look[k], scale) for k in ("sheet", "mask", "portrait")]
        save_jpeg(sheet, os.path.join(OUT, names[0]))
        if look["mask"] in masks:
            if ImageChops.difference(masks[look["mask"]], opaque).getbbox() is not None:
                print("error: %s shares %s but its outline differs" % (names[0], names[1]))
                problems += 1
        else:
            masks[look["mask"]] = opaque
            path = os.path.join(OUT, names[1])
            save_jpeg(mask_picture(opaque), path)
            bad = check_mask_file(path, opaque)
            if bad:
                print("error: %s thresholds to %d wrong pixels" % (names[1], bad))
                problems += 1
        pic = portrait(robot, poses[body["name"]], scene, look["palette"], scale)
        save_jpeg(pic, os.path.join(OUT, names[2]))
        print("wrote", *names)
    return problems


# How closely a 2x picture, reduced by 2, must agree with its 1x picture. The 2x picture is sharper,
# so edges differ a little, but nothing may move: drawn one 1x pixel off, a sheet's mean difference
# doubles past MEAN_LIMIT, some 8 x 8 block of any picture passes BLOCK_LIMIT (0..255 per channel),
# and a mask differs at half its outline's pixels (MASK_LIMIT is a share of them).
MEAN_LIMIT = 8.0
BLOCK_LIMIT = 24
MASK_LIMIT = 0.3


def game_pictures(looks):
    """Every picture the game draws, by its 1x name: (name, the mask it is shown through or None,
    whether it is itself a mask)."""
    pictures = []
    for look in looks:
        for entry in ((look["sheet"], look["mask"], False), (look["mask"], None, True), (look["portrait"], None, False)):
            if entry not in pictures:
                pictures.append(entry)
    return pictures + [("effect.jpg", "effect_m.jpg", False), ("effect_m.jpg", None, True),
                       ("arena.jpg", None, False), ("icon0.bmp", None, False)]


def check_densities(looks, folder=OUT):
    """Each 2x picture must be its 1x picture drawn sharper: twice the size, and reduced by 2 it
    agrees with the 1x one where the game shows it, over the whole picture and in every small
    block (a robot or a ring drawn a few pixels off shows up in its block). Returns the problems."""
    problems = 0
    for name, mask, is_mask in game_pictures(looks):
        two_name = scaled_name(name, 2)
        if not os.path.exists(os.path.join(folder, two_name)):
            print("error: %s has no %s" % (name, two_name))
            problems += 1
            continue
        one, two = Image.open(os.path.join(folder, name)), Image.open(os.path.join(folder, two_name))
        if two.size != (one.width * 2, one.height * 2):
            print("error: %s is %dx%d, not twice %s's %dx%d" % (two_name, two.width, two.height, name,
                                                               one.width, one.height))
            problems += 1
            continue
        shown = to_alpha_from_mask(Image.open(os.path.join(folder, mask))) if mask else None

        def agrees(picture):
            if is_mask:
                share = mask_disagreement(one, picture)
                return share <= MASK_LIMIT, "differs at %.2f of the outline's pixels" % share
            mean, block = picture_disagreement(one, picture, shown)
            return mean <= MEAN_LIMIT and block <= BLOCK_LIMIT, "mean difference %.2f, worst block %d" % (mean, block)
        ok, what = agrees(two)
        print("%s %-18s %s" % ("ok   " if ok else "error", two_name, what))
        problems += 0 if ok else 1
        # The limits must be tight enough to see the 2x picture drawn one 1x pixel off.
        if agrees(ImageChops.offset(two, 2, 0))[0] or agrees(ImageChops.offset(two, 0, 2))[0]:
            print("error: %s shifted by one 1x pixel still passes; the limits are too loose" % two_name)
            problems += 1
    return problems


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--preview", metavar="DIR", help="also write preview composites into DIR")
    ap.add_argument("--only", choices=["sprites", "effect", "arena", "icons"], help="regenerate one group")
    ap.add_argument("--scale", type=int, choices=SCALES, help="regenerate one screen scale (default: all)")
    ap.add_argument("--check", action="store_true",
                    help="write nothing; check that the 2x pictures in data/img agree with the 1x ones")
    args = ap.parse_args()
    scene = load("scene.json")
    looks = load("looks.json")["looks"]
    if args.check:
        return 1 if check_densities(looks) else 0
    os.makedirs(OUT, exist_ok=True)
    palettes = load("palettes.json")
    poses = load("poses.json")
    problems = 0

    for scale in SCALES if args.scale is None else (args.scale,):
        if args.only in (None, "sprites"):
            problems += generate_sprites(scene, looks, palettes, poses, scale)
        if args.only in (None, "effect"):
            problems += gen_effect.generate(load("effect.json"), OUT, scale)
        if args.only in (None, "arena"):
            gen_arena.generate(load("arena.json"), scene, OUT, scale)
        if args.only in (None, "icons"):
            gen_icons.generate(load("icons.json"), OUT, scale)
    if args.only is None and args.scale is None:
        problems += check_densities(looks)

    if args.preview:
        for scale in SCALES:
            preview(args.preview, scale)
        print("previews in", args.preview)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
