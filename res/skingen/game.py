"""Game window art: the frame with its caption band, the logo and the toolbar sprites."""
import math

from PIL import Image

from . import paint as p
from . import style as s

FRAME_SIZE = (800, 500)
CAPTION_H = 40
# The band is stretched to the window width, and everything right of this source
# column sits under the toolbar at every window width the game allows, so the
# band's right part has one vertical profile only; the blinking buttons rely on it.
PLAIN_FROM_X = 380
TOOL_TOP = 9          # text buttons sit at y 9..31 of the band
TOOL_H = 22
CAPTION_BTN = 25
SPIN = 16
SPIN_AT = 4           # the spinner is drawn 4 px inside the clear-cache button


def frame():
    w, h = FRAME_SIZE
    img = p.new(FRAME_SIZE, s.NIGHT + (255,))
    _caption_band(img)
    body = (0, CAPTION_H, w, h)
    p.fill(img, p.rounded(FRAME_SIZE, body, 0),
           p.vgradient(FRAME_SIZE, [(0, (18, 16, 44)), (1, (8, 8, 22))], CAPTION_H, h))
    # 2 px frame left, right and bottom: gold outside, bronze inside
    outer = p.subtract(p.rounded(FRAME_SIZE, body, 0),
                       p.rounded(FRAME_SIZE, (1, CAPTION_H, w - 1, h - 1), 0))
    inner = p.subtract(p.rounded(FRAME_SIZE, (1, CAPTION_H, w - 1, h - 1), 0),
                       p.rounded(FRAME_SIZE, (2, CAPTION_H, w - 2, h - 2), 0))
    p.fill(img, outer, (196, 148, 66))
    p.fill(img, inner, (82, 56, 24))
    return img


def _caption_band(img):
    w = FRAME_SIZE[0]
    size = (w, CAPTION_H)
    band = p.vgradient(size, [(0, (74, 56, 134)), (0.03, (52, 40, 108)), (0.5, (30, 24, 74)),
                              (0.92, (16, 14, 42)), (0.93, (8, 6, 18)), (1, (8, 6, 18))])
    # gold trim: a bright hairline over a deeper band at the bottom of the caption
    trim = p.vgradient(size, [(0, (255, 226, 150)), (1, (120, 80, 28))], 37, 40)
    p.fill(band, p.rounded(size, (0, 37, w, 40), 0), trim)
    p.add_light(band, p.rounded(size, (0, 0, w, 1), 0), (120, 100, 190), 0.6)
    # left end: a violet bloom behind the logo and the title, fading before the toolbar
    bloom = p.radial_t(size, (40, 20), PLAIN_FROM_X * 0.75, 34).point(lambda v: 255 - v)
    p.add_light(band, p.intersect(bloom, p.rounded(size, (0, 1, w, 37), 0)), (70, 50, 120), 0.8)
    wisps = p.clouds(size, 143, (60, 24, 12)).point(lambda v: max(0, v - 120) * 2)
    fade = p.hgradient(size, [(0, (255, 255, 255)), (1, (0, 0, 0))], 0,
                       PLAIN_FROM_X).getchannel("R")
    p.add_light(band, p.intersect(p.intersect(wisps, fade),
                                  p.rounded(size, (0, 1, w, 37), 0)), (90, 70, 150), 0.35)
    img.paste(band, (0, 0))


def band_strip(frame_img, top, height, width):
    """The caption band's plain profile between rows top..top+height, width wide."""
    column = frame_img.crop((FRAME_SIZE[0] - 40, top, FRAME_SIZE[0] - 39, top + height))
    return column.resize((width, height), Image.Resampling.NEAREST)


def logo():
    img = p.new((48, 29))
    # drawn large and reduced, so that the feathers keep their shape at this size
    big = p.new((192, 116))
    s.winged_crystal(big, (96, 60), 92, 92, glow_opacity=0.55)
    img.alpha_composite(big.resize((48, 29), Image.Resampling.LANCZOS))
    return img


# ---------------------------------------------------------------- caption buttons

GLYPHS = {
    "close": (s.glyph_close, 5.0, 2.0),
    "max": (s.glyph_max, 5.5, 1.5),
    "min": (s.glyph_min, 5.5, 2.0),
    "restore": (s.glyph_restore, 5.5, 1.4),
}


def caption_button(kind):
    frames = []
    n = CAPTION_BTN
    draw, r, width = GLYPHS[kind]
    for state in (s.NORMAL, s.HOVER, s.PRESSED):
        body = s.RED_BODY if kind == "close" and state != s.NORMAL else s.FACE_BODY
        img = s.face((n, n), state, 5, body, s.FACE_RIM)
        dy = 1 if state == s.PRESSED else 0
        glyph = draw((n, n), (n / 2, n / 2 + dy), r, width)
        p.fill(img, p.shift(glyph, 0, 1), (0, 0, 0), 0.75)
        if state == s.HOVER:
            p.glow(img, glyph, (255, 220, 150), 1.5, 0.8)
        paint = s.GOLD_LABEL_LIT if state == s.HOVER else s.GOLD_LABEL
        if state == s.PRESSED:
            paint = [(0, (210, 170, 100)), (1, (160, 116, 50))]
        p.fill(img, glyph, p.vgradient((n, n), paint, 6, 19))
        frames.append(img)
    return s.sprite(frames, vertical=False)


# ---------------------------------------------------------------- toolbar buttons

def tool_button(text, width, ref="清除缓存"):
    frames = [s.text_button((width, TOOL_H), st, text, 12, ref=ref) for st in (s.NORMAL, s.HOVER)]
    return s.sprite(frames, vertical=True)


def _spinner_well(img):
    well = p.rounded(img.size, (SPIN_AT, SPIN_AT, SPIN_AT + SPIN, SPIN_AT + SPIN), 3)
    p.fill(img, well, (12, 10, 32))
    ring = p.subtract(well, p.rounded(img.size, (SPIN_AT + 1, SPIN_AT + 1, SPIN_AT + SPIN - 1,
                                                 SPIN_AT + SPIN - 1), 2))
    p.fill(img, ring, (96, 70, 32))


def cleaning_button():
    """The clear-cache face while cleaning: a dark well for the spinner, label to its right."""
    w = 75
    frames = []
    for st in (s.NORMAL, s.HOVER):
        img = s.face((w, TOOL_H), st, 4)
        s.label(img, (SPIN_AT + SPIN + 1, 0, w - 2, TOOL_H), "正在清理", 12, st, ref="清除缓存",
                tracking=0)
        frames.append(img)
    # both faces share one well, so the spinner's square matches either of them
    _spinner_well(frames[0])
    well = frames[0].crop((SPIN_AT, SPIN_AT, SPIN_AT + SPIN, SPIN_AT + SPIN))
    frames[1].paste(well, (SPIN_AT, SPIN_AT))
    return s.sprite(frames, vertical=True)


def spinner(cleaning_img):
    """Eight opaque frames: the spinner is drawn straight onto the window again and again,
    so each frame carries the well it sits in and fully replaces the one before."""
    well = cleaning_img.crop((SPIN_AT, SPIN_AT, SPIN_AT + SPIN, SPIN_AT + SPIN))
    size = (SPIN, SPIN)
    frames = []
    for k in range(8):
        img = well.copy()
        c = (SPIN / 2, SPIN / 2)
        p.fill(img, p.ring(size, c, 6.2, 4.3), (80, 64, 130), 0.6)
        head = -90 + 45 * k
        for i in range(8):  # tail segments, fading away from the head
            seg = p.arc(size, c, 6.3, head - 22 * (i + 1), head - 22 * i + 2, 2.2)
            p.fill(img, seg, (255, 214, 120), 1.0 - i / 8)
        dot = p.ellipse(size, (c[0] + 5.2 * math.cos(math.radians(head)) - 1.6,
                               c[1] + 5.2 * math.sin(math.radians(head)) - 1.6,
                               c[0] + 5.2 * math.cos(math.radians(head)) + 1.6,
                               c[1] + 5.2 * math.sin(math.radians(head)) + 1.6))
        p.fill(img, dot, (255, 250, 226))
        img.putalpha(255)
        frames.append(img)
    return s.sprite(frames, vertical=False)


def vip_button(frame_img):
    """Opaque over the caption band: its blink draws it again and again in place."""
    w = 75
    img = band_strip(frame_img, TOOL_TOP, TOOL_H, w)
    face = s.face((w, TOOL_H), s.NORMAL, 4, s.GOLD_BODY, s.FACE_RIM)
    img.alpha_composite(face)
    crown = p.polygon((w, TOOL_H), [(8, 15), (7, 8), (10, 11), (12.5, 6), (15, 11), (18, 8),
                                    (17, 15)])
    p.fill(img, crown, (88, 44, 10))
    s.label(img, (18, 0, w - 3, TOOL_H), "VIP客服", 12, s.NORMAL, ref="清除缓存", tracking=0,
            dark=True)
    return img


BIND_W = 136
BIND_FRAMES = 9
BIND_BODY = [(0, (176, 52, 92)), (0.5, (118, 26, 66)), (1, (62, 12, 40))]


def bind_button(frame_img):
    """Nine opaque frames of the trial-account button: a light sweep and a pulsing rim."""
    size = (BIND_W, TOOL_H)
    frames = []
    for k in range(BIND_FRAMES):
        img = band_strip(frame_img, TOOL_TOP, TOOL_H, BIND_W)
        pulse = 0.5 - 0.5 * math.cos(2 * math.pi * k / BIND_FRAMES)
        face = s.face(size, s.NORMAL, 5, (BIND_BODY,), ([(0, (255, 226, 150)),
                                                         (1, (170, 110, 40))],))
        img.alpha_composite(face)
        inner = p.rounded(size, (1.5, 1.5, BIND_W - 1.5, TOOL_H - 1.5), 4)
        p.add_light(img, p.intersect(inner, p.subtract(inner, p.blur(inner, 3))),
                    (255, 180, 120), 0.25 + 0.55 * pulse)
        if k < BIND_FRAMES - 1:
            # the sweep crosses from just before the left edge to just past the right one
            x = -14 + k * (BIND_W + 20) / (BIND_FRAMES - 2)
            band = p.blur(p.polygon(size, [(x + 4, 0), (x + 12, 0), (x + 2, TOOL_H),
                                           (x - 6, TOOL_H)]), 1.6)
            p.add_light(img, p.intersect(band, inner), (255, 230, 200), 0.7)
        s.label(img, (0, 0, BIND_W, TOOL_H), "试玩账号 点击激活", 12,
                s.HOVER if pulse > 0.6 else s.NORMAL, ref="清除缓存", tracking=0)
        img.putalpha(255)
        frames.append(img)
    return s.sprite(frames, vertical=True)
