"""Skeleton renderer for the Doll pictures.

A body (assets/sprites/body*.json) is a small tree of bones.  Every bone
carries shapes drawn in the robot's rest position (standing straight, facing
right, arms and legs hanging down; x forward, y down, 1 unit = 1 sprite pixel)
relative to its joint.  A pose (assets/sprites/poses.json) turns bones by
angles and places the pelvis; the renderer chains the rotations, shades every
shape as a lit cylinder, sphere or plate, outlines it and adds panel lines.

Bones marked "pair" exist twice, "near" (towards the viewer) and "far"
(behind the body, drawn darker and a little offset).
"""

import math

from artlib import (Image, ImageDraw, a_apply, a_inv, a_mul, a_rot, a_scale, a_tr,
                    a_vec, clamp8, colorize, mix, mul, norm2, norm3, ramp_lut,
                    shape_points, ellipse_pts)

IDENT = (1.0, 0.0, 0.0, 0.0, 1.0, 0.0)
COOL = (28, 36, 72)


class Lighting:
    def __init__(self, cfg):
        self.L = norm3(cfg.get("light", [0.5, -0.75, 0.6]))
        self.H = norm3((self.L[0], self.L[1], self.L[2] + 1.0))
        self.ambient = cfg.get("ambient", 70)
        self.diffuse = cfg.get("diffuse", 140)
        self.specular = cfg.get("specular", 120)

    def value(self, n, gloss, shininess, edge=0.0):
        d = max(0.0, n[0] * self.L[0] + n[1] * self.L[1] + n[2] * self.L[2])
        s = max(0.0, n[0] * self.H[0] + n[1] * self.H[1] + n[2] * self.H[2]) ** shininess
        v = self.ambient + self.diffuse * d + self.specular * gloss * s - 30 * edge
        return clamp8(v)


class Material:
    def __init__(self, desc, far_shade=1.0, far_tint=(35, 45, 70)):
        base = tuple(desc["base"])
        self.gloss = desc.get("gloss", 1.0)
        self.shininess = desc.get("shininess", 18)
        self.emissive = desc.get("emissive", False)
        white = (255, 255, 255)
        if self.emissive:
            keys = [(0, mul(base, 0.45)), (110, base), (200, mix(base, white, 0.55)), (255, white)]
        else:
            shadow = desc.get("shadow", mix(mul(base, 0.22), COOL, 0.35))
            keys = [(0, tuple(shadow)), (85, mul(base, 0.58)), (150, base),
                    (205, mix(base, white, desc.get("lift", 0.3))), (255, mix(base, white, 0.92))]
        if far_shade != 1.0:
            keys = [(k, mix(mul(c, far_shade), far_tint, 0.15)) for k, c in keys]
        self.luts = ramp_lut(keys)

    def colour_at(self, v):
        return tuple(self.luts[i][v] for i in range(3))


class Robot:
    def __init__(self, body, palette, scene):
        self.body = body
        self.scene = scene
        self.light = Lighting(scene.get("lighting", {}))
        self.bones = {b["name"]: b for b in body["bones"]}
        far = body.get("far", {})
        self.far_offset = far.get("offset", [-4, -2])
        far_shade = far.get("shade", 0.68)
        self.mats = {"near": {}, "far": {}}
        for name, desc in palette["materials"].items():
            self.mats["near"][name] = Material(desc)
            self.mats["far"][name] = Material(desc, far_shade)
        self.outline = tuple(palette.get("outline", [16, 18, 26]))
        self.outline_far = tuple(palette.get("outline_far", self.outline))
        self.instances = []  # (instance name, bone, parent instance, side) parents first
        for b in body["bones"]:
            parent = b.get("parent")
            if b.get("pair"):
                for side in ("near", "far"):
                    pinst = None
                    if parent is not None:
                        pinst = parent + "." + side if self.bones[parent].get("pair") else parent
                    self.instances.append((b["name"] + "." + side, b, pinst, side))
            else:
                self.instances.append((b["name"], b, parent, None))

    # ---------------------------------------------------------------- posing
    def solve(self, pose, extra=None):
        """Bone transforms (rest coordinates -> pose coordinates around the pelvis)."""
        angles = dict(pose.get("angles", {}))
        absolute = dict(pose.get("absolute", {}))
        if extra:
            angles.update(extra.get("angles", {}))
            absolute.update(extra.get("absolute", {}))
        T, R, side_of = {}, {}, {}
        for name, b, parent, side in self.instances:
            if parent is None:
                base, rbase = IDENT, 0.0
            else:
                base, rbase = T[parent], R[parent]
            at = list(b.get("at", [0, 0]))
            parent_paired = parent is not None and self.bones[parent.split(".")[0]].get("pair")
            if side == "far" and not parent_paired:
                at = [at[0] + self.far_offset[0], at[1] + self.far_offset[1]]
            if name in absolute:
                ang = absolute[name] - rbase
            else:
                ang = angles.get(name, 0.0)
            T[name] = a_mul(base, a_mul(a_tr(at[0], at[1]), a_rot(ang)))
            R[name] = rbase + ang
            side_of[name] = side
        sq = pose.get("squash", [1.0, 1.0])
        S = a_scale(sq[0], sq[1])
        return {k: a_mul(S, v) for k, v in T.items()}, side_of

    def extent(self, T):
        xs, ys = [], []
        for name, b, parent, side in self.instances:
            for sh in b.get("shapes", []):
                for p in shape_points(sh):
                    x, y = a_apply(T[name], p)
                    xs.append(x)
                    ys.append(y)
        return min(xs), min(ys), max(xs), max(ys)

    def place(self, pose, extra=None, floor=None):
        """Transforms in cell coordinates: the pelvis at pose["root"], the lowest point on the floor."""
        T, side_of = self.solve(pose, extra)
        root = pose.get("root", [120, None])
        x = root[0]
        if len(root) > 1 and root[1] is not None:
            y = root[1]
        else:
            # Ground the figure from the unmodified pose so that ghosts of a
            # spin share the body's footing.
            T0, _ = self.solve(pose)
            _, _, _, maxy = self.extent(T0)
            fl = self.scene["floor_y"] if floor is None else floor
            y = fl - maxy - self.body.get("outline", 1.5) * 0.5 + pose.get("lift", 0)
        P = a_tr(x, y)
        return {k: a_mul(P, v) for k, v in T.items()}, side_of, (x, y)

    # --------------------------------------------------------------- drawing
    def order(self, pose):
        return pose.get("order", self.body["order"])

    def draw(self, canvas, pose, view, extra=None, only_silhouette=None):
        """view: affine from cell coordinates to canvas pixels (includes the supersampling)."""
        T, side_of, root = self.place(pose, extra)
        draw = ImageDraw.Draw(canvas)
        ow = self.body.get("outline", 1.5) * abs(view[0])
        for entry in self.order(pose):
            inst, _, group = entry.partition("#")
            if inst not in T:
                raise KeyError("draw order names unknown bone %r" % inst)
            bone = self.bones[inst.split(".")[0]]
            side = side_of[inst] or "near"
            M = a_mul(view, T[inst])
            for sh in bone.get("shapes", []):
                if sh.get("group", "") != group:
                    continue
                if sh.get("only") and sh["only"] != side:
                    continue
                self.draw_shape(canvas, draw, sh, M, side, ow, only_silhouette)
        return root

    def draw_shape(self, canvas, draw, sh, M, side, ow, silhouette):
        local = shape_points(sh)
        pts = [a_apply(M, p) for p in local]
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        x0, y0 = int(math.floor(min(xs))) - 2, int(math.floor(min(ys))) - 2
        x1, y1 = int(math.ceil(max(xs))) + 2, int(math.ceil(max(ys))) + 2
        w, h = x1 - x0, y1 - y0
        if w <= 0 or h <= 0:
            return
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).polygon([(x - x0, y - y0) for x, y in pts], fill=255)
        outline_on = sh.get("outline", True)
        if silhouette is not None:
            canvas.paste(silhouette, (x0, y0), mask)
            if outline_on:
                draw.line(pts + pts[:2], fill=silhouette, width=max(1, int(round(ow))), joint="curve")
            return
        mat = self.mats[side][sh.get("mat", "armor")]
        gray = self.intensity(sh, local, pts, M, (x0, y0, w, h), mat)
        canvas.paste(colorize(gray, mat.luts), (x0, y0), mask)
        if outline_on:
            col = self.outline if side == "near" else self.outline_far
            draw.line(pts + pts[:2], fill=col + (255,), width=max(1, int(round(ow))), joint="curve")
        scale = abs(M[0] * M[4] - M[1] * M[3]) ** 0.5
        dark = mat.colour_at(sh.get("line_tone", 40)) + (255,)
        light = mat.colour_at(245) + (255,)
        for line in sh.get("lines", []):
            lp = [a_apply(M, p) for p in line]
            draw.line(lp, fill=dark, width=max(1, int(round(0.75 * scale))), joint="curve")
        for line in sh.get("glints", []):
            lp = [a_apply(M, p) for p in line]
            draw.line(lp, fill=light, width=max(1, int(round(0.9 * scale))), joint="curve")
        for b in sh.get("bolts", []):
            cx, cy = a_apply(M, b)
            r = 0.9 * scale
            draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=dark)

    def intensity(self, sh, local, pts, M, box, mat):
        x0, y0, w, h = box
        mode = sh.get("shade", "cyl")
        L = self.light
        if mode == "cyl":
            if "axis" in sh:
                axis = sh["axis"]
            elif sh.get("type") == "capsule":
                axis = (sh["p1"][0] - sh["p0"][0], sh["p1"][1] - sh["p0"][1])
            else:
                axis = (0.0, 1.0)
            ax = norm2(a_vec(M, axis))
            p = (-ax[1], ax[0])
            proj = [q[0] * p[0] + q[1] * p[1] for q in pts]
            c = (min(proj) + max(proj)) / 2.0
            hw = max((max(proj) - min(proj)) / 2.0, 1e-3)
            flat = sh.get("flatness", 0.0)
            row = []
            for i in range(256):
                t = (i / 255.0 * 2.0 - 1.0) * 1.15
                t = max(-1.0, min(1.0, t)) * (1.0 - flat)
                n = (t * p[0], t * p[1], math.sqrt(max(0.0, 1.0 - t * t)))
                row.append(L.value(n, mat.gloss, mat.shininess, abs(t) ** 4))
            tex = Image.new("L", (256, 4))
            tex.putdata(row * 4)
            k = 127.5 / (1.15 * hw)
            data = (k * p[0], k * p[1], k * (x0 * p[0] + y0 * p[1] - c) + 127.5, 0.0, 0.0, 2.0)
            return tex.transform((w, h), Image.AFFINE, data, resample=Image.BILINEAR)
        if mode == "flat":
            top, bottom = sh.get("tones", [190, 120])
            grad = Image.linear_gradient("L").resize((w, h))
            return grad.point(lambda v: clamp8(top + (bottom - top) * v / 255.0))
        if mode in ("sphere", "glow"):
            lx = [q[0] for q in local]
            ly = [q[1] for q in local]
            bx0, by0, bx1, by1 = min(lx), min(ly), max(lx), max(ly)
            N = 48
            ex = norm2(a_vec(M, (1.0, 0.0)))
            ey = norm2(a_vec(M, (0.0, 1.0)))
            vals = []
            hx, hy = sh.get("hot", [0.0, 0.0])
            for j in range(N):
                for i in range(N):
                    u = (i + 0.5) / N * 2 - 1
                    v = (j + 0.5) / N * 2 - 1
                    r2 = u * u + v * v
                    if mode == "glow":
                        d = math.sqrt((u - hx) ** 2 + (v - hy) ** 2)
                        vals.append(clamp8(255 * (1.0 - 0.75 * min(1.0, d))))
                        continue
                    if r2 > 0.98:
                        s = math.sqrt(0.98 / r2)
                        u, v, r2 = u * s, v * s, 0.98
                    nx = u * ex[0] + v * ey[0]
                    ny = u * ex[1] + v * ey[1]
                    vals.append(L.value((nx, ny, math.sqrt(1.0 - r2)), mat.gloss, mat.shininess, r2 ** 2))
            tex = Image.new("L", (N, N))
            tex.putdata(vals)
            F = a_mul(M, a_mul(a_tr(bx0, by0), a_scale((bx1 - bx0) / N, (by1 - by0) / N)))
            data = a_mul(a_inv(F), a_tr(x0, y0))
            return tex.transform((w, h), Image.AFFINE, data, resample=Image.BILINEAR)
        raise ValueError("unknown shading %r" % mode)


# ------------------------------------------------------------ pose effects

def crescent(c, r, a0, a1, width, n=40):
    """A tapered band along part of an ellipse (a speed arc)."""
    outer, inner = [], []
    for i in range(n + 1):
        s = i / n
        a = math.radians(a0 + (a1 - a0) * s)
        w = width * math.sin(math.pi * s) ** 0.8 / 2.0
        ca, sa = math.cos(a), math.sin(a)
        outer.append((c[0] + (r[0] + w) * ca, c[1] + (r[1] + w) * sa))
        inner.append((c[0] + (r[0] - w) * ca, c[1] + (r[1] - w) * sa))
    return outer + inner[::-1]


def draw_arc(canvas, fx, view, root):
    draw = ImageDraw.Draw(canvas)
    c = (root[0] + fx["c"][0], root[1] + fx["c"][1])
    colours = fx.get("colours", [[120, 200, 255], [235, 250, 255]])
    widths = [fx["w"], fx["w"] * 0.45]
    for col, wd in zip(colours, widths):
        pts = [a_apply(view, p) for p in crescent(c, fx["r"], fx["from"], fx["to"], wd)]
        draw.polygon(pts, fill=tuple(col) + (255,))


def draw_ghost(robot, canvas, pose, fx, view):
    """A smear of a fast-moving limb: the figure in another phase as a pale, streaked silhouette."""
    layer = Image.new("RGBA", canvas.size, (0, 0, 0, 0))
    col = tuple(fx.get("colour", [180, 205, 235]))
    sub = dict(pose)
    keep = fx.get("bones")
    if keep:
        # Only the listed limbs smear; a ghost of the whole body would just thicken it.
        sub["order"] = [e for e in robot.order(pose) if e.split("#")[0] in keep]
    robot.draw(layer, sub, view, extra=fx, only_silhouette=col + (255,))
    # Streaks: thin transparent lines across the smear.
    step = fx.get("streak", 5) * abs(view[0])
    d = ImageDraw.Draw(layer)
    y = 0.0
    while y < layer.size[1]:
        d.line([(0, y), (layer.size[0], y)], fill=(0, 0, 0, 0), width=max(1, int(step * 0.35)))
        y += step
    canvas.alpha_composite(layer)


def render_pose(robot, pose, cell, ss, scale=1):
    """One sprite cell, supersampled, RGBA with black transparent pixels.

    At scale 2 the cell is drawn twice as large in the same cell coordinates: outlines, panel
    lines, bolts and streaks are sized through the view, so the picture keeps its composition and
    only gains detail."""
    canvas = Image.new("RGBA", (cell * scale * ss, cell * scale * ss), (0, 0, 0, 0))
    view = a_scale(ss * scale)
    _, _, root = robot.place(pose)
    effects = pose.get("effects", [])
    for fx in effects:
        if fx["type"] == "ghost":
            draw_ghost(robot, canvas, pose, fx, view)
        elif fx["type"] == "arc" and not fx.get("front"):
            draw_arc(canvas, fx, view, root)
    robot.draw(canvas, pose, view)
    for fx in effects:
        if fx["type"] == "arc" and fx.get("front"):
            draw_arc(canvas, fx, view, root)
    return canvas
