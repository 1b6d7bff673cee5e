#!/usr/bin/env python3
"""Draws the desktop icon from the workshop picture of the slim Doll: the robot's upper body on a
rounded amber-rimmed plate, at the sizes desktops ask for."""
import os
import sys

try:
    from PIL import Image, ImageDraw, ImageFilter
except ImportError:  # the pyenv interpreter lacks Pillow; Debian's has it
    if sys.executable != "/usr/bin/python3":
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "data", "img", "VARGO01S.jpg")
OUT = os.path.join(ROOT, "packaging")


def icon(size):
    big = 4 * size
    portrait = Image.open(SOURCE).convert("RGB")
    # The head and shoulders sit in the upper middle of the 240 x 240 portrait.
    crop = portrait.crop((72, 6, 192, 126)).resize((big, big), Image.LANCZOS)
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, big - 1, big - 1), radius=big // 5, fill=255)
    out = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    out.paste(crop, (0, 0), mask)
    rim = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    ImageDraw.Draw(rim).rounded_rectangle((big // 64, big // 64, big - 1 - big // 64, big - 1 - big // 64),
                                          radius=big // 5, outline=(240, 160, 60, 255), width=big // 24)
    out = Image.alpha_composite(out, rim)
    return out.resize((size, size), Image.LANCZOS)


def main():
    os.makedirs(OUT, exist_ok=True)
    for size in (256, 64):
        icon(size).save(os.path.join(OUT, "vargo-%d.png" % size))


if __name__ == "__main__":
    main()
