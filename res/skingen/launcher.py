"""Launcher art: the skin background, its link tabs and window buttons, and the app icon."""
import math
import random

from PIL import Image

from . import paint as p
from . import style as s

SIZE = (1200, 800)
FRAME = (324, 150, 1116, 690)       # painted panel; outside it the skin is see-through
FRAME_RADIUS = 18
TOP_BAR = (332, 204, 1108, 261)     # holds the link tabs and the window buttons
PAGE = (351, 263, 976, 632)         # the server-list page lies over this
SIDE = (994, 276, 1094, 626)        # decorative column right of the page
CREST = (652, 104)                  # centre of the medallion over the frame
CREST_R = 98
TAB = (99, 36)
# where the launcher puts its buttons (their frame 0 is also painted into the skin)
BUTTONS = {
    "close": (1025, 213), "min": (1070, 214),
    "site": (367, 219), "pay": (470, 219), "forum": (736, 219), "service": (838, 219),
}
TAB_LABELS = {"site": "游戏官网", "pay": "充值中心", "forum": "游戏论坛", "service": "客服中心"}
BRAND = "LumioVeyra"
SUBTITLE = "幻境启程"
MOTTO = "开启奇幻之旅"
NOTICE = ("抵制不良游戏，拒绝盗版游戏。注意自我保护，谨防受骗上当。",
          "适度游戏益脑，沉迷游戏伤身。合理安排时间，享受健康生活。")


# ---------------------------------------------------------------- buttons

def tab(label):
    frames = []
    for st in (s.NORMAL, s.HOVER):
        img = s.face(TAB, st, 6)
        w, h = TAB
        for x in (8, w - 8):
            m = s.diamond_mask(TAB, (x, h / 2), 2.6 if st == s.NORMAL else 3.2)
            if st == s.HOVER:
                p.glow(img, m, (255, 220, 140), 2, 0.9)
            p.fill(img, m, p.vgradient(TAB, s.GOLD_METAL, h / 2 - 4, h / 2 + 4))
        s.label(img, (0, 0, w, h), label, 15, st, ref="游戏官网", tracking=1)
        frames.append(img)
    return s.sprite(frames, vertical=True)


def close_button():
    n = 28
    frames = []
    for st in (s.NORMAL, s.HOVER, s.PRESSED):
        img = p.new((n, n))
        c = (n / 2, n / 2)
        disc = p.ellipse((n, n), (1, 1, n - 1, n - 1))
        if st == s.HOVER:
            p.glow(img, disc, (255, 120, 90), 1.5, 0.7)
        p.fill(img, disc, p.vgradient((n, n), s.FACE_RIM[st]))
        body = (s.FACE_BODY if st == s.NORMAL else s.RED_BODY)[st]
        p.fill(img, p.ellipse((n, n), (3, 3, n - 3, n - 3)), p.vgradient((n, n), body, 3, n - 3))
        if st != s.PRESSED:
            sheen = p.intersect(p.ellipse((n, n), (3, 3, n - 3, n - 3)),
                                p.ellipse((n, n), (5, 3.5, n - 5, n * 0.55)))
            p.add_light(img, sheen, (255, 255, 255), 0.16)
        dy = 1 if st == s.PRESSED else 0
        glyph = s.glyph_close((n, n), (c[0], c[1] + dy), 5, 2.2)
        p.fill(img, p.shift(glyph, 0, 1), (0, 0, 0), 0.7)
        p.fill(img, glyph, p.vgradient((n, n), s.label_paint(st), 8, 20))
        frames.append(img)
    return s.sprite(frames, vertical=True)


def min_button():
    size = (23, 13)
    frames = []
    for st in (s.NORMAL, s.HOVER, s.PRESSED):
        img = s.face(size, st, 4)
        dy = 1 if st == s.PRESSED else 0
        bar = p.lines(size, [(7.5, 7 + dy), (15.5, 7 + dy)], 2)
        p.fill(img, bar, p.vgradient(size, s.label_paint(st), 5, 9))
        frames.append(img)
    return s.sprite(frames, vertical=True)


# ---------------------------------------------------------------- background

def background(sprites):
    """sprites: id -> image of the launcher's buttons, painted at their places in frame 0."""
    img = p.new(SIZE)
    frame = p.rounded(SIZE, FRAME, FRAME_RADIUS)
    medallion = p.ellipse(SIZE, (CREST[0] - CREST_R, CREST[1] - CREST_R,
                                 CREST[0] + CREST_R, CREST[1] + CREST_R))
    silhouette = p.union(frame, medallion)
    # drop shadow and a faint violet aura around the whole skin
    p.fill(img, p.blur(p.shift(silhouette, 0, 6), 9), (0, 0, 0), 0.55)
    p.glow(img, silhouette, (110, 80, 220), 14, 0.35)
    _night_sky(img, silhouette)
    _landscape(img)
    _crest_backdrop(img, medallion)
    _header(img)
    _top_bar(img)
    _page_well(img)
    _side_column(img)
    _footer(img)
    _frame_border(img)
    _crest(img)
    _sparkles(img)
    for name, (x, y) in BUTTONS.items():
        sprite = sprites[name]
        w, h = sprite.size[0], sprite.size[1] // (2 if name in TAB_LABELS else 3)
        p.paste(img, sprite.crop((0, 0, w, h)), (x, y))
    return img


def _night_sky(img, mask):
    sky = p.colorize(p.clouds(SIZE, 149), [(0, (6, 8, 24)), (0.45, (18, 18, 56)),
                                           (0.7, (44, 28, 96)), (1, (96, 60, 160))])
    light = p.radial_t(SIZE, (CREST[0], 170), 520, 300).point(lambda v: 255 - v)
    p.add_light(sky, light, (50, 40, 110), 0.55)
    shade = p.radial_t(SIZE, (720, 420), 560, 360)
    p.fill(sky, shade, (2, 2, 10), 0.65)
    p.fill(sky, p.stars(SIZE, 260, 1490, FRAME), (255, 246, 226), 0.85)
    p.fill(img, mask, sky)


def _crest_backdrop(img, medallion):
    # the medallion's inner disc shows the deep sky with a halo of light at its centre
    cx, cy = CREST
    halo = p.radial_t(SIZE, (cx, cy - 6), CREST_R * 0.95).point(lambda v: 255 - v)
    p.add_light(img, p.intersect(halo, medallion), (80, 60, 160), 0.8)


def _frame_border(img):
    x0, y0, x1, y1 = FRAME
    r = FRAME_RADIUS

    def band(inset, width):
        return p.subtract(p.rounded(SIZE, (x0 + inset, y0 + inset, x1 - inset, y1 - inset),
                                    r - inset),
                          p.rounded(SIZE, (x0 + inset + width, y0 + inset + width,
                                           x1 - inset - width, y1 - inset - width),
                                    r - inset - width))
    p.fill(img, band(0, 1.2), (40, 24, 8))
    p.fill(img, band(1, 4), p.vgradient(SIZE, s.GOLD_METAL, y0, y0 + 60))
    lower = p.intersect(band(1, 4), p.rounded(SIZE, (0, y0 + 60, SIZE[0], SIZE[1]), 0))
    p.fill(img, lower, p.vgradient(SIZE, [(0, (226, 182, 96)), (0.5, (170, 120, 48)),
                                          (1, (212, 166, 84))], y0 + 60, y1))
    p.add_light(img, band(1.5, 1), (255, 240, 200), 0.35)
    p.fill(img, band(5, 1.5), (20, 10, 4), 0.9)
    p.fill(img, band(9, 1), (200, 156, 80), 0.55)
    for corner in ((x0, y0, 1, 1), (x1, y0, -1, 1), (x0, y1, 1, -1), (x1, y1, -1, -1)):
        _corner_ornament(img, *corner)


def _corner_ornament(img, x, y, sx, sy):
    """Gold filigree bracket with a gem, mirrored into each corner."""
    def at(dx, dy):
        return (x + sx * dx, y + sy * dy)
    arm = 58
    shape = p.union(
        p.polygon(SIZE, [at(-4, -4), at(arm, -4), at(arm + 10, 3), at(20, 7), at(7, 20),
                         at(3, arm + 10), at(-4, arm)]),
        p.ellipse(SIZE, _circle(at(12, 12), 12)),
    )
    p.fill(img, p.blur(p.shift(shape, 0, 2), 2), (0, 0, 0), 0.7)
    p.fill(img, shape, p.vgradient(SIZE, s.GOLD_METAL, y - 4 if sy > 0 else y - 30,
                                   y + 30 if sy > 0 else y + 4))
    p.fill(img, p.ellipse(SIZE, _circle(at(12, 12), 9)), (30, 16, 6))
    gem = p.ellipse(SIZE, _circle(at(12, 12), 7))
    p.fill(img, gem, p.rgradient(SIZE, [(0, (230, 210, 255)), (0.5, (130, 90, 230)),
                                        (1, (50, 24, 120))], at(10, 10), 9))
    p.fill(img, s.sparkle_mask(SIZE, at(9.5, 9.5), 4), (255, 255, 255), 0.9)
    groove = p.lines(SIZE, [at(26, 2), at(arm + 2, 2)], 1)
    groove2 = p.lines(SIZE, [at(2, 26), at(2, arm + 2)], 1)
    p.fill(img, p.union(groove, groove2), (120, 80, 28), 0.9)


def _circle(c, r):
    return (c[0] - r, c[1] - r, c[0] + r, c[1] + r)


def _header(img):
    # filigree rules running from the medallion out towards the corners
    y = 178
    for x0, x1 in ((376, CREST[0] - CREST_R - 12), (CREST[0] + CREST_R + 12, 1064)):
        s.gold_rule(img, x0, x1, y, 1.2, fade=70)
        s.gold_rule(img, x0 + 30, x1 - 30, y + 5, 0.8, fade=60)
        near = x1 if x0 < CREST[0] else x0
        m = s.diamond_mask(SIZE, (near, y + 2), 4.5)
        p.fill(img, m, p.vgradient(SIZE, s.GOLD_METAL, y - 3, y + 7))


def _top_bar(img):
    x0, y0, x1, y1 = TOP_BAR
    bar = p.rounded(SIZE, TOP_BAR, 0)
    p.fill(img, bar, p.vgradient(SIZE, [(0, (40, 32, 92, 235)), (0.5, (20, 18, 56, 240)),
                                        (1, (10, 10, 30, 250))], y0, y1))
    p.add_light(img, p.rounded(SIZE, (x0, y0 + 1, x1, y0 + 2), 0), (110, 90, 180), 0.5)
    s.gold_rule(img, x0, x1, y0 + 0.5, 1.0)
    s.gold_rule(img, x0, x1, y1 - 2, 2.0)
    # the subtitle sits between the two groups of links
    gap = (BUTTONS["pay"][0] + TAB[0], y0, BUTTONS["forum"][0], y1 - 2)
    cx = (gap[0] + gap[2]) / 2
    p.draw_text(img, gap, SUBTITLE, p.font(20, serif=True), s.GOLD_LABEL,
                outline=(14, 8, 24, 220), stroke=1, shadow=(0, 2, (0, 0, 0, 200), 1),
                halo=((140, 100, 255), 5, 0.6), tracking=5)
    for dx in (-62, 62):
        m = s.diamond_mask(SIZE, (cx + dx, (y0 + y1) / 2 - 1), 3)
        p.fill(img, m, s.GOLD)


def _page_well(img):
    x0, y0, x1, y1 = PAGE
    p.fill(img, p.rounded(SIZE, (x0 - 4, y0 - 2, x1 + 4, y1 + 4), 2), (4, 4, 12))
    edge = p.subtract(p.rounded(SIZE, (x0 - 3, y0 - 1, x1 + 3, y1 + 3), 1),
                      p.rounded(SIZE, (x0 - 2, y0, x1 + 2, y1 + 2), 1))
    p.fill(img, edge, (176, 130, 60))
    page = p.rounded(SIZE, PAGE, 0)
    p.fill(img, page, p.vgradient(SIZE, [(0, (16, 16, 42)), (1, (8, 8, 24))], y0, y1))


def _side_column(img):
    x0, y0, x1, y1 = SIDE
    col = p.rounded(SIZE, SIDE, 8)
    p.fill(img, col, p.vgradient(SIZE, [(0, (30, 24, 76, 230)), (1, (10, 10, 30, 240))], y0, y1))
    edge = p.subtract(col, p.rounded(SIZE, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), 7))
    p.fill(img, edge, p.vgradient(SIZE, [(0, (226, 182, 96)), (1, (120, 82, 30))], y0, y1))
    cx = (x0 + x1) / 2
    emblem = p.new(SIZE)
    s.winged_crystal(emblem, (cx, y0 + 46), 40, 38, glow_opacity=0.8)
    img.alpha_composite(emblem)
    fnt = p.font(22, serif=True)
    top = y0 + 92
    step = 36
    for i, ch in enumerate(MOTTO):
        p.draw_text(img, (x0, top + i * step, x1, top + i * step + 30), ch, fnt, s.GOLD_LABEL,
                    outline=(14, 8, 24, 220), stroke=1, shadow=(0, 2, (0, 0, 0, 200), 1),
                    halo=((140, 100, 255), 4, 0.5), ref="幻")
    m = s.diamond_mask(SIZE, (cx, y1 - 22), 5)
    p.glow(img, m, (160, 130, 255), 4, 0.8)
    p.fill(img, m, p.vgradient(SIZE, s.GOLD_METAL, y1 - 27, y1 - 17))


def _ridge(seed, x0, x1, base, amp, cell):
    """Skyline points of a mountain ridge: seeded lattice, cosine-interpolated, two octaves."""
    rng = random.Random(seed)
    octaves = ((cell, 1.0), (cell // 3, 0.4), (cell // 9, 0.15))
    lattice = [[rng.random() for _ in range((x1 - x0) // c + 2)] for c, _ in octaves]

    def height(x):
        total = 0.0
        for values, (c, weight) in zip(lattice, octaves):
            i, f = divmod((x - x0) / c, 1)
            i = int(i)
            total += weight * (values[i] * (1 - f) + values[i + 1] * f)  # linear: sharp peaks
        return total / 1.55
    pts = [(x, base - amp * height(x)) for x in range(x0, x1 + 1, 4)]
    return pts + [(x1, FRAME[3]), (x0, FRAME[3])]


def _landscape(img):
    """Misty mountains and a far castle along the bottom of the frame."""
    inside = p.rounded(SIZE, (FRAME[0] + 6, FRAME[1] + 6, FRAME[2] - 6, FRAME[3] - 6),
                       FRAME_RADIUS - 6)
    x0, x1 = FRAME[0], FRAME[2]
    far = p.polygon(SIZE, _ridge(71, x0, x1, 676, 70, 160))
    p.fill(img, p.intersect(far, inside), p.vgradient(SIZE, [(0, (40, 30, 92)),
                                                            (1, (18, 14, 46))], 600, 690))
    mist = p.rounded(SIZE, (x0, 655, x1, 690), 0)
    p.fill(img, p.intersect(p.blur(mist, 10), inside), (120, 100, 200), 0.22)
    near = p.polygon(SIZE, _ridge(72, x0, x1, 688, 40, 120))
    p.fill(img, p.intersect(near, inside), (12, 10, 30), 0.95)
    castle = p.union(*[p.polygon(SIZE, [(x, 690), (x, y), (x + w / 2, y - w * 1.4), (x + w, y),
                                        (x + w, 690)])
                       for x, y, w in ((1028, 664, 10), (1042, 650, 14), (1060, 660, 10),
                                       (1074, 670, 8))])
    p.fill(img, p.intersect(castle, inside), (12, 10, 30))
    for x, y in ((1047, 660), (1051, 668)):
        window = p.rounded(SIZE, (x, y, x + 2, y + 3), 0.5)
        p.glow(img, window, (255, 200, 120), 2, 0.8)
        p.fill(img, window, (255, 224, 160))


def _sparkles(img):
    for (x, y), r in (((430, 194), 5), ((884, 190), 4), ((1002, 170), 3), ((366, 168), 3),
                      ((962, 186), 4), ((596, 66), 3), ((716, 58), 4)):
        m = s.sparkle_mask(SIZE, (x, y), r)
        p.glow(img, m, (255, 220, 160), 2.5, 0.8)
        p.fill(img, m, (255, 250, 230))


def _footer(img):
    fnt = p.font(12)
    page_cx0, page_cx1 = PAGE[0], PAGE[2]
    for i, line in enumerate(NOTICE):
        y = 643 + i * 18
        p.draw_text(img, (page_cx0, y, page_cx1, y + 16), line, fnt, (150, 140, 190),
                    shadow=(0, 1, (0, 0, 0, 200), 0), tracking=1)


def _crest(img):
    cx, cy = CREST
    r = CREST_R
    # the medallion's gold rim, then a rune circle inside it
    rim = p.ring(SIZE, CREST, r, r - 6)
    p.fill(img, rim, p.vgradient(SIZE, s.GOLD_METAL, cy - r, cy + r))
    p.fill(img, p.ring(SIZE, CREST, r - 6, r - 7.5), (20, 10, 4))
    p.add_light(img, p.ring(SIZE, CREST, r - 0.5, r - 1.5), (255, 240, 200), 0.3)
    runes = p.new(SIZE)
    for rr, wdt in ((r - 14, 1.2), (r - 30, 1.0), (r - 52, 0.8)):
        p.fill(runes, p.ring(SIZE, CREST, rr, rr - wdt), s.GOLD)
    _rune_marks(runes, r - 22)
    star = s.angle_points(CREST, r - 30, 6, -math.pi / 2)
    p.fill(runes, p.lines(SIZE, star[0::2], 1.0, closed=True), s.GOLD)
    p.fill(runes, p.lines(SIZE, star[1::2], 1.0, closed=True), s.GOLD)
    p.glow(img, runes.getchannel("A"), (160, 120, 255), 3, 0.8)
    p.fill(img, runes.getchannel("A"), runes, 0.75)
    emblem = p.new(SIZE)
    s.winged_crystal(emblem, (cx, cy - 46), 52, 80, glow_opacity=0.9)
    img.alpha_composite(emblem)
    _title_plaque(img)


def _rune_marks(layer, radius):
    """Glyph-like strokes between two rings, from a fixed seed."""
    rng = random.Random(1490)
    cx, cy = CREST
    n = 28
    for k in range(n):
        a = 2 * math.pi * k / n
        ux, uy = math.cos(a), math.sin(a)
        tx, ty = -uy, ux
        pts = []
        for _ in range(rng.choice((2, 3))):
            du, dv = rng.uniform(-3.5, 3.5), rng.uniform(-2.5, 2.5)
            pts.append((cx + ux * (radius + du) + tx * dv, cy + uy * (radius + du) + ty * dv))
        p.fill(layer, p.lines(SIZE, pts, 1.0), s.GOLD)


PLAQUE = (440, 112, 864, 170)


def _title_plaque(img):
    x0, y0, x1, y1 = PLAQUE
    my = (y0 + y1) / 2
    tip = 26

    def shape(inset):
        return p.polygon(SIZE, [(x0 + inset, my), (x0 + tip + inset * 0.6, y0 + inset),
                                (x1 - tip - inset * 0.6, y0 + inset), (x1 - inset, my),
                                (x1 - tip - inset * 0.6, y1 - inset),
                                (x0 + tip + inset * 0.6, y1 - inset)])
    outer = shape(0)
    p.fill(img, p.blur(p.shift(outer, 0, 4), 5), (0, 0, 0), 0.7)
    p.fill(img, outer, p.vgradient(SIZE, s.GOLD_METAL, y0, y1))
    p.fill(img, shape(3), (24, 12, 4))
    p.fill(img, shape(4), p.vgradient(SIZE, [(0, (58, 40, 116)), (0.5, (26, 20, 70)),
                                             (1, (14, 12, 40))], y0, y1))
    p.fill(img, p.subtract(shape(7), shape(8)), (200, 156, 80), 0.6)
    for x in (x0 + 16, x1 - 16):
        m = s.diamond_mask(SIZE, (x, my), 5)
        p.fill(img, m, p.vgradient(SIZE, s.GOLD_METAL, my - 5, my + 5))
    p.draw_text(img, (x0, y0 - 1, x1, y1 - 1), BRAND, p.font(44, serif=True),
                [(0, (255, 252, 232)), (0.45, (255, 222, 140)), (0.55, (226, 170, 70)),
                 (1, (255, 214, 120))],
                outline=(30, 14, 4, 255), stroke=2, shadow=(0, 3, (0, 0, 0, 220), 2),
                halo=((170, 130, 255), 7, 0.7), tracking=3, ref="LV")


# ---------------------------------------------------------------- icon

def icon(px):
    """The application icon at px x px; small sizes drop the rune detail."""
    scale = 4 if px < 64 else 1
    n = px * scale
    size = (n, n)
    img = p.new(size)
    c = (n / 2, n / 2)
    r = n / 2 - n * 0.02
    p.fill(img, p.ellipse(size, _circle(c, r)), p.vgradient(size, s.GOLD_METAL))
    p.fill(img, p.ellipse(size, _circle(c, r * 0.9)), (24, 12, 4))
    p.fill(img, p.ellipse(size, _circle(c, r * 0.87)),
           p.rgradient(size, [(0, (90, 64, 180)), (0.6, (30, 24, 84)), (1, (12, 10, 36))],
                       (n / 2, n * 0.42), r))
    if px >= 64:
        p.fill(img, p.ring(size, c, r * 0.78, r * 0.77), s.GOLD, 0.6)
        p.fill(img, p.stars(size, 40, 148, (n * 0.15, n * 0.15, n * 0.85, n * 0.85)),
               (255, 246, 226), 0.6)
    s.winged_crystal(img, (n / 2, n * 0.53), n * 0.56, n * 0.4, glow_opacity=0.8)
    if scale > 1:
        img = img.resize((px, px), Image.Resampling.LANCZOS)
    return img
