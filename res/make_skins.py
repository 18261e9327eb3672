#!/usr/bin/python3
"""Draws the client's skin images into res/skins/<id>.png and the icon into res/icon148.ico.

Run:  /usr/bin/python3 res/make_skins.py
Needs python3-pil and fonts-noto-cjk (or fonts-wqy-zenhei). The output depends
only on this code and those packages: no clock, no unseeded randomness, no
metadata chunks, so a second run rewrites the same bytes.
"""
import os
import sys

sys.dont_write_bytecode = True

from skingen import dialogs, game, launcher  # noqa: E402
from skingen import paint as p  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, "skins")
ICON_ID = 148
ICON_SIZES = (16, 32, 48, 256)


def build():
    """Every skin image by resource id."""
    frame = game.frame()
    cleaning = game.cleaning_button()
    images = {
        131: launcher.tab(launcher.TAB_LABELS["forum"]),
        132: dialogs.boss_background(),
        133: launcher.tab(launcher.TAB_LABELS["pay"]),
        134: game.tool_button("清除缓存", 75),
        135: cleaning,
        136: game.caption_button("close"),
        137: dialogs.boss_close(),
        138: launcher.close_button(),
        139: launcher.tab(launcher.TAB_LABELS["service"]),
        140: game.tool_button("老板键", 65),
        142: game.bind_button(frame),
        143: frame,
        144: dialogs.vip_icon(),
        145: dialogs.vip_title(),
        146: dialogs.vip_close(),
        147: game.logo(),
        150: game.caption_button("max"),
        151: game.caption_button("min"),
        152: launcher.min_button(),
        153: launcher.tab(launcher.TAB_LABELS["site"]),
        154: game.tool_button("选服", 65),
        155: game.tool_button("扫码支付", 75),
        157: game.caption_button("restore"),
        158: game.spinner(cleaning),
        160: game.vip_button(frame),
    }
    images[156] = dialogs.boss_ok()
    images[149] = launcher.background({
        "close": images[138], "min": images[152], "site": images[153],
        "pay": images[133], "forum": images[131], "service": images[139]})
    return images


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for rid, img in sorted(build().items()):
        p.save_png(img, os.path.join(OUT_DIR, "%d.png" % rid))
    icons = [launcher.icon(px) for px in ICON_SIZES]
    p.save_png(icons[-1], os.path.join(OUT_DIR, "%d.png" % ICON_ID))
    icons[-1].save(os.path.join(HERE, "icon%d.ico" % ICON_ID), format="ICO",
                   sizes=[(px, px) for px in ICON_SIZES], append_images=icons[:-1])
    print("skins written to %s with %s" % (OUT_DIR, ", ".join(p.font_names())))


if __name__ == "__main__":
    main()
