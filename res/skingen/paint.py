"""Drawing primitives for the skin painters.

Shapes are drawn as coverage masks at SS times the final size and reduced with
an area filter, which gives exact anti-aliasing without any randomness. Colour
comes from solid colours or gradient layers that are composited through those
masks. Text is rasterised at its final size so that FreeType's hinting keeps
small labels crisp.
"""
import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SS = 4

SANS_FONTS = (
    ("/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc", 2),  # index 2: SC
    ("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", 0),
)
SERIF_FONTS = (
    ("/usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc", 2),
) + SANS_FONTS

_font_cache = {}


def font(size, serif=False):
    key = (size, serif)
    if key not in _font_cache:
        for path, index in SERIF_FONTS if serif else SANS_FONTS:
            try:
                _font_cache[key] = ImageFont.truetype(path, size, index=index)
                break
            except OSError:
                continue
        else:
            raise SystemExit("no CJK font found: install fonts-noto-cjk")
    return _font_cache[key]


def font_names():
    """Names of the faces actually used, for the generator's report."""
    return sorted({"%s %s" % f.getname() for f in _font_cache.values()})


def new(size, colour=(0, 0, 0, 0)):
    return Image.new("RGBA", size, colour)


# ---------------------------------------------------------------- masks

def _mask(size, paint):
    big = Image.new("L", (size[0] * SS, size[1] * SS), 0)
    paint(ImageDraw.Draw(big), SS)
    return big.resize(size, Image.Resampling.BOX)


def _box(b, s):
    return (b[0] * s, b[1] * s, b[2] * s - 1, b[3] * s - 1)


def rounded(size, box, radius):
    """Coverage of a rounded rectangle; box edges are pixel edges (right/bottom exclusive)."""
    return _mask(size, lambda d, s: d.rounded_rectangle(_box(box, s), radius=radius * s, fill=255))


def ellipse(size, box):
    return _mask(size, lambda d, s: d.ellipse(_box(box, s), fill=255))


def polygon(size, points):
    return _mask(size, lambda d, s: d.polygon([(x * s, y * s) for x, y in points], fill=255))


def lines(size, points, width, closed=False):
    pts = list(points) + ([points[0]] if closed else [])

    def paint(d, s):
        scaled = [(x * s, y * s) for x, y in pts]
        w = max(1, round(width * s))
        d.line(scaled, fill=255, width=w, joint="curve")
        r = w / 2
        for x, y in (scaled[0], scaled[-1]):  # round caps
            d.ellipse((x - r, y - r, x + r, y + r), fill=255)
    return _mask(size, paint)


def arc(size, centre, radius, start, end, width):
    """Coverage of a circular arc band, angles in degrees clockwise from 3 o'clock."""
    cx, cy = centre

    def paint(d, s):
        box = ((cx - radius) * s, (cy - radius) * s, (cx + radius) * s, (cy + radius) * s)
        d.arc(box, start, end, fill=255, width=max(1, round(width * s)))
    return _mask(size, paint)


def ring(size, centre, outer, inner):
    cx, cy = centre
    return subtract(ellipse(size, (cx - outer, cy - outer, cx + outer, cy + outer)),
                    ellipse(size, (cx - inner, cy - inner, cx + inner, cy + inner)))


def union(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


def subtract(a, b):
    return ImageChops.subtract(a, b)


def intersect(a, b):
    return ImageChops.multiply(a, b)


def scale_mask(mask, factor):
    return mask.point(lambda v: min(255, round(v * factor)))


def blur(mask, radius):
    return mask.filter(ImageFilter.GaussianBlur(radius))


def shift(mask, dx, dy):
    out = Image.new(mask.mode, mask.size, 0)
    out.paste(mask, (dx, dy))
    return out


# ------------------------------------------------------------ gradients

def _colour_at(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            k = 0.0 if t1 == t0 else (t - t0) / (t1 - t0)
            return tuple(round(a + (b - a) * k) for a, b in zip(c0, c1))
    return stops[-1][1]


def _rgba(c):
    return c if len(c) == 4 else (*c, 255)


def colorize(t, stops):
    """Maps a parameter image (L, 0..255) through colour stops [(0..1, colour), ...]."""
    stops = [(p, _rgba(c)) for p, c in stops]
    table = [_colour_at(stops, v / 255) for v in range(256)]
    bands = [t.point([c[i] for c in table]) for i in range(4)]
    return Image.merge("RGBA", bands)


def _linear_t(length, start, end):
    values = []
    span = max(end - start, 1e-6)
    for i in range(length):
        k = (i + 0.5 - start) / span
        values.append(max(0, min(255, round(k * 255))))
    return values


def vgradient(size, stops, y0=0, y1=None):
    """Vertical gradient layer; the stops span rows y0..y1 and clamp outside."""
    y1 = size[1] if y1 is None else y1
    col = Image.new("L", (1, size[1]))
    col.putdata(_linear_t(size[1], y0, y1))
    return colorize(col.resize(size, Image.Resampling.NEAREST), stops)


def hgradient(size, stops, x0=0, x1=None):
    x1 = size[0] if x1 is None else x1
    row = Image.new("L", (size[0], 1))
    row.putdata(_linear_t(size[0], x0, x1))
    return colorize(row.resize(size, Image.Resampling.NEAREST), stops)


_RADIAL = None


def _radial_base():
    global _RADIAL
    if _RADIAL is None:
        n = 257
        img = Image.new("L", (n, n))
        img.putdata([min(255, round(255 * math.hypot(x - 128, y - 128) / 128))
                     for y in range(n) for x in range(n)])
        _RADIAL = img
    return _RADIAL


def radial_t(size, centre, rx, ry=None):
    ry = rx if ry is None else ry
    out = Image.new("L", size, 255)
    w, h = max(1, round(2 * rx)), max(1, round(2 * ry))
    out.paste(_radial_base().resize((w, h), Image.Resampling.BILINEAR),
              (round(centre[0] - rx), round(centre[1] - ry)))
    return out


def rgradient(size, stops, centre, rx, ry=None):
    return colorize(radial_t(size, centre, rx, ry), stops)


# ------------------------------------------------------------ compositing

def fill(base, mask, paint, opacity=1.0):
    """Composites paint (colour or RGBA layer of base's size) over base through mask."""
    layer = new(base.size, _rgba(paint)) if isinstance(paint, tuple) else paint.copy()
    alpha = ImageChops.multiply(layer.getchannel("A"), mask)
    if opacity != 1.0:
        alpha = scale_mask(alpha, opacity)
    layer.putalpha(alpha)
    base.alpha_composite(layer)


def glow(base, mask, colour, radius, opacity=1.0):
    fill(base, blur(mask, radius), colour, opacity)


def add_light(base, mask, colour, opacity=1.0):
    """Additive light on the colour channels (alpha unchanged): highlights and sheens."""
    amount = scale_mask(mask, opacity) if opacity != 1.0 else mask
    light = Image.merge("RGB", [ImageChops.multiply(amount, Image.new("L", base.size, c))
                                for c in colour[:3]])
    r, g, b, a = base.split()
    lit = ImageChops.add(Image.merge("RGB", (r, g, b)), light)
    base.paste(Image.merge("RGBA", (*lit.split(), a)))


def paste(base, img, xy):
    layer = new(base.size)
    layer.paste(img, xy)
    base.alpha_composite(layer)


# ------------------------------------------------------------ texture

def noise(size, cell, seed):
    """Smooth value noise: seeded random lattice, bicubic upsampled."""
    rng = random.Random(seed)
    gw, gh = size[0] // cell + 3, size[1] // cell + 3
    grid = Image.new("L", (gw, gh))
    grid.putdata([rng.randrange(256) for _ in range(gw * gh)])
    big = grid.resize((gw * cell, gh * cell), Image.Resampling.BICUBIC)
    return big.crop((cell, cell, cell + size[0], cell + size[1]))


def clouds(size, seed, cells=(160, 80, 40, 20)):
    """Fractal noise, each octave at half the cell size and half the weight."""
    out = noise(size, cells[0], seed)
    for i, cell in enumerate(cells[1:], 1):
        out = Image.blend(out, noise(size, cell, seed + i), 1 / (i + 1.5))
    return out


def stars(size, count, seed, area=None):
    """Mask of small round stars of varied brightness."""
    rng = random.Random(seed)
    x0, y0, x1, y1 = area or (0, 0, size[0], size[1])
    star_list = [(rng.uniform(x0, x1), rng.uniform(y0, y1), rng.choice((0.5, 0.6, 0.8, 1.1)),
              rng.randrange(90, 256)) for _ in range(count)]

    def paint(d, s):
        for x, y, r, v in star_list:
            d.ellipse(((x - r) * s, (y - r) * s, (x + r) * s, (y + r) * s), fill=v)
    return _mask(size, paint)


# ------------------------------------------------------------ text

_TEXT_PAD = 8  # room for outlines; fill and outline masks share this origin


def text_mask(text, fnt, tracking=0, stroke=0):
    """Mask of a line of text on a canvas whose origin is _TEXT_PAD before the pen start."""
    width = sum(fnt.getlength(ch) for ch in text) + tracking * (len(text) - 1)
    pad = _TEXT_PAD
    asc, desc = fnt.getmetrics()
    canvas = Image.new("L", (math.ceil(width) + 2 * pad, asc + desc + 2 * pad), 0)
    d = ImageDraw.Draw(canvas)
    x = pad
    for ch in text:
        d.text((round(x), pad), ch, font=fnt, fill=255, stroke_width=stroke, stroke_fill=255)
        x += fnt.getlength(ch) + tracking
    return canvas


def place_text(size, box, text, fnt, tracking=0, stroke=0, align="centre", ref=None):
    """Fill and outline masks of text centred (or left-aligned) in box by its ink extent.

    ref: text whose ink box is used for vertical centring, so that labels of
    one family share a baseline whatever their glyphs.
    """
    body = text_mask(text, fnt, tracking)
    ink = body.getbbox()
    if ink is None:
        return Image.new("L", size, 0), Image.new("L", size, 0)
    vink = text_mask(ref, fnt, tracking).getbbox() if ref else ink
    tw, th = ink[2] - ink[0], vink[3] - vink[1]
    if align == "left":
        x = box[0] - ink[0]
    else:
        x = round(box[0] + (box[2] - box[0] - tw) / 2) - ink[0]
    y = round(box[1] + (box[3] - box[1] - th) / 2) - vink[1]
    fill_m = Image.new("L", size, 0)
    fill_m.paste(body, (x, y))
    out_m = Image.new("L", size, 0)
    if stroke:
        out_m.paste(text_mask(text, fnt, tracking, stroke), (x, y))
    return fill_m, out_m


def draw_text(base, box, text, fnt, paint, outline=None, stroke=1, shadow=None,
              halo=None, tracking=0, align="centre", ref=None):
    """Text with optional outline colour, drop shadow (dx, dy, colour, blur) and glow
    (colour, radius, opacity); paint is a colour or a list of gradient stops spanning the ink."""
    fill_m, out_m = place_text(base.size, box, text, fnt, tracking, stroke if outline else 0,
                               align, ref)
    ink = fill_m.getbbox()
    if ink is None:
        return
    if halo:
        colour, radius, opacity = halo
        glow(base, out_m if outline else fill_m, colour, radius, opacity)
    if shadow:
        dx, dy, colour, radius = shadow
        m = shift(out_m if outline else fill_m, dx, dy)
        fill(base, blur(m, radius) if radius else m, colour)
    if outline:
        fill(base, out_m, outline)
    layer = paint if isinstance(paint, tuple) else vgradient(base.size, paint, ink[1], ink[3])
    fill(base, fill_m, layer)


# ------------------------------------------------------------ output

def save_png(img, path):
    """RGBA PNG without ancillary chunks, so equal pictures give equal bytes."""
    assert img.mode == "RGBA"
    img.save(path, format="PNG", optimize=False, compress_level=9)
