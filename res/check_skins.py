#!/usr/bin/python3
"""Checks the committed skin images against the geometry the client's windows cut them by.

Run:  python3 res/check_skins.py     (exit status 1 and a list of faults on failure)
"""
import os
import sys

from PIL import IcoImagePlugin, Image, ImageChops, ImageStat

HERE = os.path.dirname(os.path.abspath(__file__))
SKINS = os.path.join(HERE, "skins")

V, H = "vertical", "horizontal"
# id: (width, height, frames, direction, what the frames are)
TABLE = {
    131: (99, 72, 2, V, "states"), 132: (355, 169, 1, V, "still"),
    133: (99, 72, 2, V, "states"), 134: (75, 44, 2, V, "states"),
    135: (75, 44, 2, V, "states"), 136: (75, 25, 3, H, "states"),
    137: (11, 33, 3, V, "states"), 138: (28, 84, 3, V, "states"),
    139: (99, 72, 2, V, "states"), 140: (65, 44, 2, V, "states"),
    142: (136, 198, 9, V, "animation"), 143: (800, 500, 1, V, "still"),
    144: (39, 47, 1, V, "still"), 145: (818, 47, 1, V, "still"),
    146: (40, 60, 3, V, "states"), 147: (48, 29, 1, V, "still"),
    149: (1200, 800, 1, V, "still"), 150: (75, 25, 3, H, "states"),
    151: (75, 25, 3, H, "states"), 152: (23, 39, 3, V, "states"),
    153: (99, 72, 2, V, "states"), 154: (65, 44, 2, V, "states"),
    155: (75, 44, 2, V, "states"), 156: (60, 42, 2, V, "states"),
    157: (75, 25, 3, H, "states"), 158: (128, 16, 8, H, "animation"),
    160: (75, 22, 1, V, "still"),
}
ICON_ID = 148
ICON_SIZES = {16, 32, 48, 256}
LAUNCHER_ID = 149
PAGE_AREA = (351, 263, 976, 632)
CORNER = 8                   # side of the corner squares that must be see-through
# least mean RGB difference (0..255): between any two button states, which must
# read at a glance, and between consecutive animation frames, which move locally
MIN_STATE_DIFFERENCE = 3.0
MIN_STEP_DIFFERENCE = 1.0


def frames(img, count, direction):
    w, h = img.size
    if direction == V:
        return [img.crop((0, k * h // count, w, (k + 1) * h // count)) for k in range(count)]
    return [img.crop((k * w // count, 0, (k + 1) * w // count, h)) for k in range(count)]


def difference(a, b):
    """Mean colour difference over the pixels that either frame shows."""
    shown = ImageChops.lighter(a.getchannel("A"), b.getchannel("A")).point(
        lambda v: 255 if v else 0)
    diff = ImageChops.difference(a.convert("RGB"), b.convert("RGB"))
    if shown.getbbox() is None:
        return 0.0
    return sum(ImageStat.Stat(diff, shown).mean) / 3


def check_table(faults):
    for rid, (w, h, count, direction, kind) in sorted(TABLE.items()):
        path = os.path.join(SKINS, "%d.png" % rid)
        if not os.path.exists(path):
            faults.append("%d: missing %s" % (rid, path))
            continue
        img = Image.open(path)
        if img.format != "PNG" or img.mode != "RGBA":
            faults.append("%d: %s %s, want an RGBA PNG" % (rid, img.format, img.mode))
            continue
        if img.size != (w, h):
            faults.append("%d: size %dx%d, want %dx%d" % (rid, *img.size, w, h))
            continue
        parts = frames(img, count, direction)
        if kind == "states":
            pairs = [(i, j) for i in range(count) for j in range(i + 1, count)]
            least = MIN_STATE_DIFFERENCE
        elif kind == "animation":
            pairs = [(i, i + 1) for i in range(count - 1)]
            least = MIN_STEP_DIFFERENCE
        else:
            pairs = []
        for i, j in pairs:
            d = difference(parts[i], parts[j])
            if d < least:
                faults.append("%d: frames %d and %d barely differ (%.1f)" % (rid, i, j, d))


def check_launcher(faults):
    path = os.path.join(SKINS, "%d.png" % LAUNCHER_ID)
    if not os.path.exists(path):
        return
    alpha = Image.open(path).convert("RGBA").getchannel("A")
    lo, hi = alpha.crop(PAGE_AREA).getextrema()
    if lo != 255:
        faults.append("%d: not opaque over the page area %s" % (LAUNCHER_ID, PAGE_AREA))
    w, h = alpha.size
    for x, y in ((0, 0), (w - CORNER, 0), (0, h - CORNER), (w - CORNER, h - CORNER)):
        if alpha.crop((x, y, x + CORNER, y + CORNER)).getextrema()[1] != 0:
            faults.append("%d: corner at (%d, %d) is not transparent" % (LAUNCHER_ID, x, y))


def check_icon(faults):
    png = os.path.join(SKINS, "%d.png" % ICON_ID)
    if not os.path.exists(png):
        faults.append("%d: missing %s" % (ICON_ID, png))
    else:
        img = Image.open(png)
        if img.mode != "RGBA" or img.size != (256, 256):
            faults.append("%d: %s %dx%d, want RGBA 256x256" % (ICON_ID, img.mode, *img.size))
    ico = os.path.join(HERE, "icon%d.ico" % ICON_ID)
    if not os.path.exists(ico):
        faults.append("%d: missing %s" % (ICON_ID, ico))
        return
    with open(ico, "rb") as f:
        sizes = {w for w, h in IcoImagePlugin.IcoFile(f).sizes() if w == h}
    if sizes != ICON_SIZES:
        faults.append("%d: icon sizes %s, want %s" % (ICON_ID, sorted(sizes),
                                                      sorted(ICON_SIZES)))


def main():
    faults = []
    check_table(faults)
    check_launcher(faults)
    check_icon(faults)
    for fault in faults:
        print("skin check: " + fault, file=sys.stderr)
    if faults:
        return 1
    print("skin check: %d images and the icon are fine" % len(TABLE))
    return 0


if __name__ == "__main__":
    sys.exit(main())
