"""Art of the small windows: the boss-key dialog and the VIP message window."""
from . import paint as p
from . import style as s

BOSS_SIZE = (355, 169)
BOSS_TITLE_H = 32
HOTKEY_BOX = (134, 72, 225, 94)   # the hot-key control covers this; a slot frames it


def boss_background():
    w, h = BOSS_SIZE
    size = BOSS_SIZE
    # a plain window, not layered: every pixel is opaque
    img = p.new(size, s.NIGHT + (255,))
    whole = p.rounded(size, (0, 0, w, h), 0)
    p.fill(img, whole, p.vgradient(size, [(0, (36, 30, 86)), (0.5, (20, 18, 54)),
                                          (1, (12, 12, 34))]))
    haze = p.clouds(size, 132, (80, 40, 20)).point(lambda v: max(0, v - 110))
    p.add_light(img, haze, (60, 40, 110), 0.5)
    # title band
    title = p.rounded(size, (2, 2, w - 2, BOSS_TITLE_H), 0)
    p.fill(img, title, p.vgradient(size, [(0, (70, 52, 130)), (1, (30, 24, 72))], 2,
                                   BOSS_TITLE_H))
    p.add_light(img, p.rounded(size, (2, 2, w - 2, 3), 0), (110, 90, 170), 0.6)
    s.gold_rule(img, 2, w - 2, BOSS_TITLE_H + 0.5, 1.0)
    p.fill(img, p.rounded(size, (2, BOSS_TITLE_H + 1, w - 2, BOSS_TITLE_H + 2), 0), (0, 0, 0),
           0.5)
    small = p.new(size)
    s.crystal(small, (20, BOSS_TITLE_H / 2 + 1), 18, glow_opacity=0.5)
    img.alpha_composite(small)
    p.draw_text(img, (32, 3, 200, BOSS_TITLE_H), "老板键设置", p.font(15, serif=True),
                s.GOLD_LABEL, outline=(10, 6, 20, 200), stroke=1,
                shadow=(0, 1, (0, 0, 0, 200), 0), tracking=2, align="left")
    # recessed slot around the hot-key control
    x0, y0, x1, y1 = HOTKEY_BOX
    slot = p.rounded(size, (x0 - 2, y0 - 2, x1 + 2, y1 + 2), 2)
    p.fill(img, slot, (170, 124, 54))
    p.fill(img, p.rounded(size, (x0 - 1, y0 - 1, x1 + 1, y1 + 1), 1), (6, 6, 16))
    # hint under the controls
    s.gold_rule(img, 24, w - 24, 116.5, 1.0, fade=60)
    p.draw_text(img, (0, 124, w, 146), "按下新的组合键，点击确定即可生效", p.font(12),
                s.MIST, shadow=(0, 1, (0, 0, 0, 180), 0))
    _bevel_border(img)
    return img


def _bevel_border(img):
    w, h = img.size
    size = img.size
    edge = p.subtract(p.rounded(size, (0, 0, w, h), 0), p.rounded(size, (1, 1, w - 1, h - 1), 0))
    inner = p.subtract(p.rounded(size, (1, 1, w - 1, h - 1), 0),
                       p.rounded(size, (2, 2, w - 2, h - 2), 0))
    p.fill(img, edge, p.vgradient(size, [(0, (250, 220, 140)), (1, (150, 104, 40))]))
    p.fill(img, inner, (60, 40, 18))


def boss_close():
    n = 11
    frames = []
    for st in (s.NORMAL, s.HOVER, s.PRESSED):
        body = s.RED_BODY if st != s.NORMAL else s.FACE_BODY
        img = s.face((n, n), st, 2, body, s.FACE_RIM, inset=0)
        glyph = s.glyph_close((n, n), (n / 2, n / 2 + (0.5 if st == s.PRESSED else 0)), 2.2, 1.3)
        p.fill(img, glyph, s.GOLD_LIGHT if st == s.HOVER else s.GOLD)
        frames.append(img)
    return s.sprite(frames, vertical=True)


def boss_ok():
    frames = [s.text_button((60, 21), st, "确定", 12, kind="gold", tracking=4)
              for st in (s.NORMAL, s.HOVER)]
    return s.sprite(frames, vertical=True)


# ---------------------------------------------------------------- VIP message window

VIP_TITLE_SIZE = (818, 47)   # stretched into the window's 30 px title strip
VIP_ICON_SIZE = (39, 47)
VIP_CLOSE = (40, 20)


def vip_title():
    """Light gold strip: the window writes its status caption on it in black."""
    w, h = VIP_TITLE_SIZE
    size = VIP_TITLE_SIZE
    img = p.new(size, (0, 0, 0, 255))
    p.fill(img, p.rounded(size, (0, 0, w, h), 0),
           p.vgradient(size, [(0, (255, 248, 222)), (0.08, (252, 236, 196)),
                              (0.6, (238, 212, 156)), (0.9, (220, 184, 114)),
                              (0.91, (160, 112, 44)), (1, (110, 72, 24))]))
    # a faint filigree on the right, away from the caption text
    for k in range(7):
        x = 470 + k * 44
        m = s.diamond_mask(size, (x, h * 0.45), 5)
        p.fill(img, m, (190, 146, 70), 0.35)
        if k < 6:
            p.fill(img, p.lines(size, [(x + 8, h * 0.45), (x + 36, h * 0.45)], 1.2),
                   (190, 146, 70), 0.35)
    p.add_light(img, p.rounded(size, (0, 0, w, 2), 0), (255, 255, 255), 0.6)
    return img


def vip_icon():
    w, h = VIP_ICON_SIZE
    size = VIP_ICON_SIZE
    img = p.new(size)
    shield = [(w / 2, 1.5), (w - 2, 7), (w - 3, 27), (w / 2, h - 1.5), (3, 27), (2, 7)]
    outer = p.polygon(size, shield)
    p.fill(img, outer, p.vgradient(size, s.GOLD_METAL))
    inner_pts = [(w / 2, 5), (w - 5.5, 9.5), (w - 6.5, 26), (w / 2, h - 6), (6.5, 26), (5.5, 9.5)]
    p.fill(img, p.polygon(size, inner_pts), p.vgradient(size, [(0, (110, 80, 200)),
                                                              (1, (34, 22, 90))]))
    # speech bubble with three dots
    bubble = p.union(p.rounded(size, (9, 13, w - 9, 29), 6),
                     p.polygon(size, [(14, 27), (19, 27), (12, 34)]))
    p.fill(img, bubble, p.vgradient(size, [(0, (255, 250, 230)), (1, (240, 210, 140))], 13, 34))
    for x in (14.5, w / 2, w - 14.5):
        p.fill(img, p.ellipse(size, (x - 1.8, 19.2, x + 1.8, 22.8)), (70, 44, 140))
    return img


def vip_close():
    w, h = VIP_CLOSE
    frames = []
    for st in (s.NORMAL, s.HOVER, s.PRESSED):
        img = p.new(VIP_CLOSE)
        if st != s.NORMAL:
            img = s.face(VIP_CLOSE, st, 4, s.RED_BODY, s.FACE_RIM)
        dy = 1 if st == s.PRESSED else 0
        glyph = s.glyph_close(VIP_CLOSE, (w / 2, h / 2 + dy), 4.2, 1.8)
        if st == s.NORMAL:
            p.fill(img, glyph, (92, 52, 16))
        else:
            p.fill(img, p.shift(glyph, 0, 1), (0, 0, 0), 0.5)
            p.fill(img, glyph, (255, 246, 224))
        frames.append(img)
    return s.sprite(frames, vertical=True)
