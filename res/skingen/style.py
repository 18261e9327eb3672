"""The client's one visual style: palette, metal gradients and the shared pieces
(button faces, caption-button glyphs, the crystal emblem, ornaments)."""
import math

from . import paint as p

# Night-sky panels, gold trim, warm gold labels.
NIGHT = (8, 9, 26)
NAVY = (16, 18, 50)
INDIGO = (32, 28, 84)
VIOLET = (66, 42, 124)
LILAC = (150, 124, 220)
MIST = (164, 154, 204)
INK = (24, 12, 4)
GOLD_LIGHT = (255, 240, 192)
GOLD = (230, 186, 98)
GOLD_DEEP = (164, 114, 44)
GOLD_DARK = (98, 64, 24)

GOLD_METAL = [(0, (255, 242, 196)), (0.42, (234, 190, 100)), (0.58, (176, 122, 44)),
              (1, (232, 188, 104))]
GOLD_LABEL = [(0, (255, 246, 212)), (0.55, (240, 204, 122)), (1, (206, 152, 64))]
GOLD_LABEL_LIT = [(0, (255, 255, 244)), (0.5, (255, 236, 170)), (1, (250, 196, 96))]
INK_LABEL = [(0, (70, 36, 8)), (1, (34, 16, 2))]

# Body gradients of button faces by state: normal, hover, pressed.
FACE_BODY = (
    [(0, (62, 46, 120)), (0.5, (38, 30, 88)), (1, (20, 18, 54))],
    [(0, (118, 86, 204)), (0.5, (74, 54, 156)), (1, (40, 30, 104))],
    [(0, (14, 12, 38)), (0.4, (26, 22, 66)), (1, (34, 28, 80))],
)
FACE_RIM = (
    [(0, (236, 196, 116)), (1, (130, 88, 34))],
    [(0, (255, 240, 184)), (1, (214, 160, 72))],
    [(0, (120, 82, 30)), (1, (200, 150, 70))],
)
GOLD_BODY = (
    [(0, (255, 236, 168)), (0.48, (236, 186, 92)), (0.52, (214, 158, 62)), (1, (176, 120, 40))],
    [(0, (255, 250, 214)), (0.48, (255, 214, 124)), (0.52, (242, 184, 84)), (1, (206, 146, 56))],
    [(0, (160, 108, 36)), (0.5, (196, 142, 56)), (1, (220, 170, 80))],
)
RED_BODY = (
    [(0, (224, 86, 70)), (0.5, (176, 40, 36)), (1, (110, 18, 22))],
    [(0, (255, 120, 96)), (0.5, (212, 58, 48)), (1, (140, 24, 26))],
    [(0, (96, 14, 18)), (0.5, (132, 26, 26)), (1, (160, 36, 32))],
)

NORMAL, HOVER, PRESSED = 0, 1, 2


def face(size, state, radius, body=FACE_BODY, rim=FACE_RIM, inset=0.5):
    """A bevelled button face filling size: metal rim, body gradient, top sheen."""
    w, h = size
    img = p.new(size)
    outer = p.rounded(size, (inset, inset, w - inset, h - inset), radius)
    inner_box = (inset + 1, inset + 1, w - inset - 1, h - inset - 1)
    inner = p.rounded(size, inner_box, max(radius - 1, 0))
    p.fill(img, outer, p.vgradient(size, rim[state]))
    p.fill(img, inner, p.vgradient(size, body[state], 1, h - 1))
    if state == PRESSED:
        # inset look: a shadow along the top inner edge
        top = p.subtract(inner, p.shift(inner, 0, 2))
        p.fill(img, top, (0, 0, 0), 0.55)
    else:
        sheen = p.intersect(inner, p.rounded(size, (inset + 1, inset + 1, w - inset - 1,
                                                     h * 0.5), max(radius - 1, 0)))
        p.add_light(img, sheen, (255, 255, 255), 0.10 if state == NORMAL else 0.16)
        line = p.subtract(inner, p.shift(inner, 0, 1))
        p.add_light(img, line, (255, 255, 255), 0.22 if state == NORMAL else 0.35)
    if state == HOVER:
        bloom = p.intersect(inner, p.scale_mask(
            p.radial_t(size, (w / 2, h * 1.05), w * 0.55, h * 0.75).point(lambda v: 255 - v), 1))
        p.add_light(img, bloom, (120, 110, 200), 0.5)
    return img


def label_paint(state):
    return GOLD_LABEL_LIT if state == HOVER else GOLD_LABEL


def label(img, box, text, size, state, ref=None, tracking=1, serif=False, dark=False):
    """A button label: warm gold on dark faces, dark ink on gold faces."""
    fnt = p.font(size, serif)
    dy = 1 if state == PRESSED else 0
    box = (box[0], box[1] + dy, box[2], box[3] + dy)
    if dark:
        p.draw_text(img, box, text, fnt, INK_LABEL, tracking=tracking, ref=ref,
                    shadow=(0, 1, (255, 246, 214, 150), 0))
        return
    halo = (GOLD, 2.2, 0.55) if state == HOVER else None
    p.draw_text(img, box, text, fnt, label_paint(state), outline=(10, 6, 20, 190), stroke=1,
                shadow=(0, 1, (0, 0, 0, 200), 0), halo=halo, tracking=tracking,
                ref=ref)


def text_button(size, state, text, font_size, radius=4, ref=None, tracking=1,
                kind="night", text_box=None):
    body, rim, dark = {"night": (FACE_BODY, FACE_RIM, False),
                       "gold": (GOLD_BODY, FACE_RIM, True)}[kind]
    img = face(size, state, radius, body, rim)
    w, h = size
    label(img, text_box or (0, 0, w, h), text, font_size, state, ref, tracking, dark=dark)
    return img


def sprite(frames, vertical):
    """Joins equal frames into one sprite, top to bottom or left to right."""
    w, h = frames[0].size
    out = p.new((w, h * len(frames)) if vertical else (w * len(frames), h))
    for k, f in enumerate(frames):
        out.paste(f, (0, k * h) if vertical else (k * w, 0))
    return out


# ---------------------------------------------------------------- glyphs

def glyph_close(size, c, r, width):
    cx, cy = c
    return p.union(p.lines(size, [(cx - r, cy - r), (cx + r, cy + r)], width),
                   p.lines(size, [(cx + r, cy - r), (cx - r, cy + r)], width))


def glyph_min(size, c, r, width):
    cx, cy = c
    return p.lines(size, [(cx - r, cy + r * 0.55), (cx + r, cy + r * 0.55)], width)


def _frame_box(size, box, width, title):
    x0, y0, x1, y1 = box
    outer = p.rounded(size, (x0, y0, x1, y1), 1)
    inner = p.rounded(size, (x0 + width, y0 + width + title, x1 - width, y1 - width), 0.5)
    return p.subtract(outer, inner)


def glyph_max(size, c, r, width):
    cx, cy = c
    return _frame_box(size, (cx - r, cy - r, cx + r, cy + r), width, width * 0.6)


def glyph_restore(size, c, r, width):
    cx, cy = c
    d = r * 0.42
    back_box = (cx - r + d, cy - r, cx + r, cy + r - d)
    front_box = (cx - r, cy - r + d, cx + r - d, cy + r)
    back = _frame_box(size, back_box, width, 0)
    front_area = p.rounded(size, front_box, 1)
    return p.union(p.subtract(back, front_area), _frame_box(size, front_box, width, width * 0.5))


# ---------------------------------------------------------------- emblem

def crystal(img, centre, height, glow_opacity=0.7):
    """A faceted violet crystal with a gold setting and a glint."""
    cx, cy = centre
    h2, w2 = height / 2, height * 0.3
    top, bottom = (cx, cy - h2), (cx, cy + h2)
    left, right = (cx - w2, cy - h2 * 0.22), (cx + w2, cy - h2 * 0.22)
    size = img.size
    outline = [top, right, bottom, left]
    whole = p.polygon(size, outline)
    if glow_opacity:
        p.glow(img, whole, (150, 120, 255), height * 0.22, glow_opacity)
    rim = p.lines(size, outline, max(1.0, height * 0.07), closed=True)
    p.fill(img, rim, p.vgradient(size, GOLD_METAL, cy - h2, cy + h2))
    facets = (
        ([top, left, (cx, cy - h2 * 0.22)], [(0, (200, 180, 255)), (1, (130, 96, 230))]),
        ([top, right, (cx, cy - h2 * 0.22)], [(0, (246, 240, 255)), (1, (176, 150, 255))]),
        ([left, bottom, (cx, cy - h2 * 0.22)], [(0, (92, 60, 190)), (1, (40, 22, 110))]),
        ([right, bottom, (cx, cy - h2 * 0.22)], [(0, (140, 110, 240)), (1, (64, 40, 150))]),
    )
    for pts, stops in facets:
        p.fill(img, p.polygon(size, pts), p.vgradient(size, stops, cy - h2, cy + h2))
    p.fill(img, rim, p.vgradient(size, GOLD_METAL, cy - h2, cy + h2))
    glint = sparkle_mask(size, (cx - w2 * 0.35, cy - h2 * 0.45), height * 0.16)
    p.fill(img, glint, (255, 255, 255), 0.9)


def sparkle_mask(size, centre, r):
    """A four-pointed star."""
    cx, cy = centre
    k = r * 0.18
    pts = [(cx, cy - r), (cx + k, cy - k), (cx + r, cy), (cx + k, cy + k),
           (cx, cy + r), (cx - k, cy + k), (cx - r, cy), (cx - k, cy - k)]
    return p.polygon(size, pts)


def wing_mask(size, root, span, height, side):
    """Three swept feathers growing out of root; side -1 left, +1 right."""
    rx, ry = root
    feathers = []
    for i, (reach, lift, thick) in enumerate(((1.0, 0.55, 0.30), (0.82, 0.18, 0.26),
                                              (0.6, -0.12, 0.22))):
        tip = (rx + side * span * reach, ry - height * lift)
        base_top = (rx, ry - height * (0.12 + 0.05 * (1 - i)))
        base_bot = (rx, ry + height * (0.18 - 0.02 * i))
        mid = ((rx + tip[0]) / 2, (ry + tip[1]) / 2)
        bend = height * thick
        ctrl_top = (mid[0], mid[1] - bend * 0.6)
        ctrl_bot = (mid[0] + side * span * 0.06, mid[1] + bend * 0.5)
        pts = _curve(base_top, ctrl_top, tip) + _curve(tip, ctrl_bot, base_bot)[1:]
        feathers.append(p.polygon(size, pts))
    return p.union(*feathers)


def _curve(a, c, b, n=14):
    return [((1 - t) ** 2 * a[0] + 2 * (1 - t) * t * c[0] + t * t * b[0],
             (1 - t) ** 2 * a[1] + 2 * (1 - t) * t * c[1] + t * t * b[1])
            for t in (i / n for i in range(n + 1))]


def winged_crystal(img, centre, height, span, glow_opacity=0.7):
    """The game's emblem: the crystal between two golden wings."""
    cx, cy = centre
    size = img.size
    wings = p.union(wing_mask(size, (cx - height * 0.16, cy), span, height * 0.62, -1),
                    wing_mask(size, (cx + height * 0.16, cy), span, height * 0.62, 1))
    p.fill(img, p.blur(wings, max(0.6, height * 0.03)), (0, 0, 0), 0.8)
    p.fill(img, wings, p.vgradient(size, GOLD_METAL, cy - height * 0.45, cy + height * 0.2))
    crystal(img, centre, height, glow_opacity)


def diamond_mask(size, centre, r):
    cx, cy = centre
    return p.polygon(size, [(cx, cy - r), (cx + r, cy), (cx, cy + r), (cx - r, cy)])


def gold_rule(img, x0, x1, y, width=1.0, fade=0.0):
    """A gold line, optionally fading out over its last `fade` pixels at both ends."""
    size = img.size
    m = p.lines(size, [(x0, y), (x1, y)], width)
    if fade:
        t = p.hgradient(size, [(0, (0, 0, 0, 0)), (fade / (x1 - x0), (255, 255, 255)),
                               (1 - fade / (x1 - x0), (255, 255, 255)), (1, (0, 0, 0, 0))],
                        x0, x1).getchannel("A")
        m = p.intersect(m, t)
    p.fill(img, m, GOLD)


def angle_points(centre, r, n, phase=0.0):
    cx, cy = centre
    return [(cx + r * math.cos(phase + 2 * math.pi * k / n),
             cy + r * math.sin(phase + 2 * math.pi * k / n)) for k in range(n)]
