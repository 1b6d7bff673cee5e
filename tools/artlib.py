"""Shared drawing helpers for VARGO's picture generators.

Everything is plain Pillow: shapes are polygons, shading comes from small
intensity textures stretched over each shape with an affine transform and
coloured through a per-material ramp.  Pictures are drawn several times too
large and reduced at the end, which gives clean anti-aliased edges.
"""

import math
import os
import sys

try:
    from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageMath, ImageOps
except ImportError:  # pragma: no cover - depends on the machine
    # A pyenv or venv python may shadow the system one that carries Pillow
    # (Debian's python3-pil); retry with the system interpreter once.
    if os.path.exists("/usr/bin/python3") and sys.executable != "/usr/bin/python3" \
            and not os.environ.get("VARGO_ART_REEXEC"):
        os.environ["VARGO_ART_REEXEC"] = "1"
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets", "sprites")
OUT = os.path.join(ROOT, "data", "img")

# Every picture is drawn at two screen scales: 1 for ordinary screens and 2 for high-density ones,
# where the game would otherwise stretch the 1x picture and blur it.
SCALES = (1, 2)


def scaled_name(name, scale):
    """The file of a picture drawn at a screen scale: VARGO01.jpg at 1, VARGO01@2x.jpg at 2 (the
    '@2x' before the extension, as Qt names its high-density pictures)."""
    if scale == 1:
        return name
    stem, ext = os.path.splitext(name)
    return "%s@%dx%s" % (stem, scale, ext)


# --------------------------------------------------------------- affine maps
# An affine map is (a, b, c, d, e, f): x' = a*x + b*y + c, y' = d*x + e*y + f,
# the same order Pillow's Image.transform(AFFINE) expects.

def a_mul(m, n):
    """m after n."""
    a, b, c, d, e, f = m
    A, B, C, D, E, F = n
    return (a * A + b * D, a * B + b * E, a * C + b * F + c,
            d * A + e * D, d * B + e * E, d * C + e * F + f)


def a_rot(deg):
    """Counter-clockwise on screen (y down): a limb hanging down swings forward (+x)."""
    r = math.radians(deg)
    c, s = math.cos(r), math.sin(r)
    return (c, s, 0.0, -s, c, 0.0)


def a_tr(x, y):
    return (1.0, 0.0, x, 0.0, 1.0, y)


def a_scale(sx, sy=None):
    return (sx, 0.0, 0.0, 0.0, sx if sy is None else sy, 0.0)


def a_apply(m, p):
    a, b, c, d, e, f = m
    return (a * p[0] + b * p[1] + c, d * p[0] + e * p[1] + f)


def a_vec(m, v):
    a, b, c, d, e, f = m
    return (a * v[0] + b * v[1], d * v[0] + e * v[1])


def a_inv(m):
    a, b, c, d, e, f = m
    det = a * e - b * d
    ia, ib, id_, ie = e / det, -b / det, -d / det, a / det
    return (ia, ib, -(ia * c + ib * f), id_, ie, -(id_ * c + ie * f))


# ------------------------------------------------------------------ polygons

def chaikin(pts, n):
    """Round a closed polygon's corners by corner cutting."""
    for _ in range(n):
        new = []
        for i, p in enumerate(pts):
            q = pts[(i + 1) % len(pts)]
            new.append((0.75 * p[0] + 0.25 * q[0], 0.75 * p[1] + 0.25 * q[1]))
            new.append((0.25 * p[0] + 0.75 * q[0], 0.25 * p[1] + 0.75 * q[1]))
        pts = new
    return pts


def hull(points):
    pts = sorted(set((round(x, 4), round(y, 4)) for x, y in points))
    if len(pts) < 3:
        return pts

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])
    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def ellipse_pts(cx, cy, rx, ry, rot=0.0, n=40, a0=0.0, a1=360.0):
    r = math.radians(rot)
    cr, sr = math.cos(r), math.sin(r)
    out = []
    full = abs(a1 - a0) >= 360
    count = n if full else n + 1
    for i in range(count):
        a = math.radians(a0 + (a1 - a0) * i / n)
        x, y = rx * math.cos(a), ry * math.sin(a)
        out.append((cx + x * cr - y * sr, cy + x * sr + y * cr))
    return out


def capsule_pts(p0, p1, w0, w1, cap=1.0):
    """Tapered limb: the hull of two ellipses whose depth along the axis is cap * half-width."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    ang = math.degrees(math.atan2(dy, dx))
    pts = []
    for p, w in ((p0, w0), (p1, w1)):
        along = max(cap * w / 2.0, 0.01)
        pts += ellipse_pts(p[0], p[1], along, w / 2.0, rot=ang, n=24)
    return hull(pts)


def shape_points(sh):
    kind = sh.get("type", "poly")
    if kind == "poly":
        pts = [tuple(p) for p in sh["pts"]]
        return chaikin(pts, sh.get("smooth", 0))
    if kind == "capsule":
        return capsule_pts(sh["p0"], sh["p1"], sh["w0"], sh.get("w1", sh["w0"]), sh.get("cap", 1.0))
    if kind == "ellipse":
        return ellipse_pts(sh["c"][0], sh["c"][1], sh["r"][0], sh["r"][1], sh.get("rot", 0.0))
    if kind == "rrect":
        x0, y0, x1, y1 = sh["box"]
        pts = [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
        return chaikin(pts, sh.get("smooth", 2))
    raise ValueError("unknown shape type %r" % kind)


# -------------------------------------------------------------------- colour

def clamp8(v):
    return max(0, min(255, int(round(v))))


def mix(c1, c2, t):
    return tuple(c1[i] + (c2[i] - c1[i]) * t for i in range(3))


def mul(c, k):
    return tuple(v * k for v in c)


def ramp_lut(keys):
    """keys: [(position 0..255, (r, g, b)), ...] -> three 256-entry lists."""
    keys = sorted(keys)
    luts = ([], [], [])
    for i in range(256):
        lo = keys[0]
        hi = keys[-1]
        for k in range(len(keys) - 1):
            if keys[k][0] <= i <= keys[k + 1][0]:
                lo, hi = keys[k], keys[k + 1]
                break
        if hi[0] == lo[0]:
            c = lo[1]
        else:
            t = (i - lo[0]) / (hi[0] - lo[0])
            t = max(0.0, min(1.0, t))
            c = mix(lo[1], hi[1], t)
        for ch in range(3):
            luts[ch].append(clamp8(c[ch]))
    return luts


def colorize(gray, luts):
    return Image.merge("RGB", [gray.point(luts[0]), gray.point(luts[1]), gray.point(luts[2])])


def norm3(v):
    n = math.sqrt(sum(x * x for x in v)) or 1.0
    return tuple(x / n for x in v)


def norm2(v):
    n = math.hypot(v[0], v[1]) or 1.0
    return (v[0] / n, v[1] / n)


# ------------------------------------------------------- reduction and masks

def unpremultiply(rgb, alpha):
    """rgb was drawn over black; divide the coverage back out."""
    chans = []
    for ch in rgb.split():
        chans.append(ImageMath.eval("convert(min(c*255/max(a,1),255),'L')", c=ch, a=alpha))
    return Image.merge("RGB", chans)


def finish_sprite(canvas, ss, bleed=2.0):
    """Reduce a supersampled RGBA drawing (transparent pixels black) to a sprite and a crisp mask.

    Returns (rgb, opaque) where opaque is an L image, 255 where the sprite shows.
    Colours inside the mask are the true edge colours; outside they bleed the
    nearest sprite colour a few pixels and then fade to black, so JPEG's blur of
    the sprite's rim never pulls in a dark halo from the background.
    """
    w, h = canvas.size
    rgb = canvas.convert("RGB")
    alpha = canvas.getchannel("A")
    if ss > 1:
        rgb = rgb.reduce(ss)
        alpha = alpha.reduce(ss)
    colour = unpremultiply(rgb, alpha)
    opaque = alpha.point(lambda v: 255 if v >= 128 else 0)
    premul = ImageChops.multiply(colour, Image.merge("RGB", [opaque] * 3))
    blur_c = premul.filter(ImageFilter.GaussianBlur(bleed))
    blur_a = opaque.filter(ImageFilter.GaussianBlur(bleed))
    spread = unpremultiply(blur_c, blur_a)
    out = Image.new("RGB", colour.size, (0, 0, 0))
    out.paste(spread, (0, 0), blur_a.point(lambda v: 255 if v > 4 else 0))
    out.paste(colour, (0, 0), opaque)
    return out, opaque


def mask_picture(opaque):
    """The game's mask convention: black where the sprite is opaque, white elsewhere."""
    return Image.merge("RGB", [opaque.point(lambda v: 0 if v >= 128 else 255)] * 3)


def save_jpeg(img, path):
    img.save(path, "JPEG", quality=95, subsampling=0, optimize=True)


def check_mask_file(path, opaque):
    """Reload a written mask and threshold it as the game does; count disagreements."""
    m = Image.open(path).convert("L").point(lambda v: 255 if v < 128 else 0)
    diff = ImageChops.difference(m, opaque)
    return sum(diff.point(lambda v: 1 if v else 0).histogram()[1:])


def to_alpha_from_mask(mask_img):
    """How the game turns a mask picture into an alpha channel (threshold, black opaque)."""
    return mask_img.convert("L").point(lambda v: 255 if v < 128 else 0)


# ---------------------------------------------------------- screen scales

def _count_set(img):
    """How many pixels of an L picture are not zero."""
    return sum(img.histogram()[1:])


def picture_disagreement(one, two, shown=None, block=8):
    """A 2x picture reduced by 2 against its 1x picture: the mean absolute difference (0..255) over
    the pixels shown, and the largest mean difference in a block x block square. 'shown' (an L
    picture, 255 where the game shows the 1x picture) leaves out what a mask hides."""
    a = one.convert("RGB")
    b = two.convert("RGB").reduce(2)
    diff = ImageChops.difference(a, b)
    count = a.width * a.height
    if shown is not None:
        diff = ImageChops.multiply(diff, Image.merge("RGB", [shown] * 3))
        count = _count_set(shown)
    hist = diff.histogram()
    total = sum(v * (i % 256) for i, v in enumerate(hist))
    mean = total / float(max(count, 1) * 3)
    worst = max(hi for _, hi in diff.reduce(block).getextrema())
    return mean, worst


def mask_disagreement(one, two):
    """A 2x mask against its 1x mask, both thresholded as the game does, the 2x one reduced by 2
    (opaque where at least half of its four pixels are): the pixels that differ, as a share of the
    1x outline's pixels. A 2x mask drawn one pixel off differs at about half of them."""
    a = to_alpha_from_mask(one)
    b = to_alpha_from_mask(two).reduce(2).point(lambda v: 255 if v >= 128 else 0)
    outline = ImageChops.difference(a, a.filter(ImageFilter.MinFilter(3)))
    return _count_set(ImageChops.difference(a, b)) / float(max(_count_set(outline), 1))
