"""The launcher of the real program on a desktop: where it opens, static.ini,
its per-pixel-alpha skin, hover, closing with and without the question, the
boss key, the link buttons, dragging, minimising and the tray icon.

Run as: python3 test_launcher_window.py <path to lumioveyra> <repo root>
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop_support import SCREEN_HEIGHT, SCREEN_WIDTH, run_tests, wait_until  # noqa: E402

TITLE = "LumioVeyra"
QUESTION_TITLE = "退出提示"
WIDTH, HEIGHT = 1200, 800
# Centred with divisions that truncate toward zero: (768 - 800) / 2 is -16.
# The window manager is told the position is the program's own, so it keeps
# the window partly above the screen instead of fitting it in.
X, Y = int((SCREEN_WIDTH - WIDTH) / 2), int((SCREEN_HEIGHT - HEIGHT) / 2)
FRESH_INI = b"[vy]\r\nstart=1\r\nfilename=\r\nuid=\r\n"
BOSS_KEY = "F10"  # the default boss key, 121

# Areas of the skin in window coordinates: left, top, right, bottom.
CLOSE = (1025, 213, 1053, 241)
MINIMISE = (1070, 214, 1093, 227)
PAGE = (351, 263, 976, 632)
OUTSIDE_SKIN = (100, 400)  # transparent: left of the painted frame
ON_SKIN = (600, 700)  # painted, on no button
# Without a servers.ini every address is the local demo site's.
LINKS = [
    ((367, 219, 466, 255), "http://127.0.0.1:8080"),  # official site
    ((470, 219, 569, 255), "http://127.0.0.1:8080/?g=vy"),  # recharge centre
    ((736, 219, 835, 255), "http://127.0.0.1:8080"),  # forum
    ((838, 219, 937, 255), "http://127.0.0.1:8080/kefu/"),  # customer service
]


def on_screen(point, origin=(X, Y)):
    return origin[0] + point[0], origin[1] + point[1]


def centre(area, origin=(X, Y)):
    return on_screen(((area[0] + area[2]) // 2, (area[1] + area[3]) // 2), origin)


def open_launcher(desktop, binary):
    program = desktop.start(binary)
    window = program.main_window(TITLE)
    wait_until(lambda: desktop.geometry(window) == (X, Y, WIDTH, HEIGHT),
               f"the launcher at {(X, Y, WIDTH, HEIGHT)} (it is at {desktop.geometry(window)})")
    return program, window


def visible(program, window):
    return window in program.windows(TITLE)


def question(program):
    windows = program.windows(QUESTION_TITLE)
    return windows[0] if windows else None


def test_opens_centred_and_writes_static_ini(desktop, binary):
    program, window = open_launcher(desktop, binary)
    with open(program.path("static.ini"), "rb") as f:
        assert f.read() == FRESH_INI
    desktop.screenshot("launcher")


def test_skin_carries_alpha_and_lets_clicks_through(desktop, binary):
    program, window = open_launcher(desktop, binary)
    alpha = lambda x, y: desktop.window_argb(window, x, y, 1, 1)[0][0] >> 24  # noqa: E731
    assert alpha(*OUTSIDE_SKIN) == 0
    assert alpha(2, 2) == 0
    assert alpha(*centre(PAGE, (0, 0))) == 255
    # The frame's glow fades out: partial alpha between the clear outside and the opaque frame.
    row = desktop.window_argb(window, OUTSIDE_SKIN[0], ON_SKIN[1] - 300, ON_SKIN[0] - OUTSIDE_SKIN[0], 1)[0]
    assert any(0 < (p >> 24) < 255 for p in row), "no partly transparent pixel where the glow fades"
    desktop.save_window_with_alpha(window, "launcher-alpha")
    # Transparent pixels take no clicks: the pointer is over whatever lies below.
    desktop.move_mouse(*on_screen(ON_SKIN))
    over_skin = desktop.window_under_mouse()
    desktop.move_mouse(*on_screen(OUTSIDE_SKIN))
    assert desktop.window_under_mouse() != over_skin


def test_hovering_close_lights_it(desktop, binary):
    program, window = open_launcher(desktop, binary)
    close_box = (*on_screen(CLOSE[:2]), 28, 28)
    minimise_box = (*on_screen(MINIMISE[:2]), 23, 13)
    desktop.move_mouse(*on_screen(ON_SKIN))
    normal = desktop.screenshot("launcher-close-normal")
    desktop.move_mouse(*centre(CLOSE))

    def lit():
        shot = desktop.screenshot("launcher-close-hover")
        return desktop.crop_rgb(shot, *close_box) != desktop.crop_rgb(normal, *close_box) and shot

    hover = wait_until(lit, "the close button to light up", timeout=5)
    assert desktop.crop_rgb(hover, *minimise_box) == desktop.crop_rgb(normal, *minimise_box), "minimise changed"


def test_close_asks_cancel_keeps_ok_ends(desktop, binary):
    program, window = open_launcher(desktop, binary)
    desktop.click(*centre(CLOSE))
    box = wait_until(lambda: question(program), "the question before closing")
    desktop.screenshot("launcher-close-question")
    desktop.key(box, "Escape")  # Cancel
    wait_until(lambda: question(program) is None, "the question to go")
    assert program.running() and visible(program, window)

    desktop.click(*centre(CLOSE))
    box = wait_until(lambda: question(program), "the question again")
    desktop.key(box, "Return")  # OK, the default button
    assert program.wait_exit() == 0


def test_alt_f4_closes_without_asking(desktop, binary):
    program, window = open_launcher(desktop, binary)
    desktop.key(window, "alt+F4")
    # A question would keep the program waiting past the timeout.
    assert program.wait_exit(timeout=5) == 0


def test_boss_key_hides_and_shows(desktop, binary):
    program, window = open_launcher(desktop, binary)
    desktop.xdo("key", BOSS_KEY)
    wait_until(lambda: not visible(program, window), "the boss key to hide the launcher")
    desktop.xdo("key", BOSS_KEY)
    wait_until(lambda: visible(program, window), "the boss key to bring the launcher back")
    assert desktop.geometry(window) == (X, Y, WIDTH, HEIGHT)


def test_links_open_in_the_users_browser(desktop, binary):
    program, window = open_launcher(desktop, binary)
    for count, (area, address) in enumerate(LINKS, start=1):
        desktop.click(*centre(area))
        opened = wait_until(lambda: len(program.opened()) >= count and program.opened(), f"{address} to open")
        assert opened == [a for _, a in LINKS[:count]], opened


def test_dragging_the_skin_moves_the_window(desktop, binary):
    program, window = open_launcher(desktop, binary)
    start = on_screen(ON_SKIN)
    desktop.drag(start, (start[0] + 50, start[1] + 40))
    wait_until(lambda: desktop.geometry(window) == (X + 50, Y + 40, WIDTH, HEIGHT),
               f"the launcher to follow the drag (it is at {desktop.geometry(window)})")


def test_minimise_then_tray_restores_and_its_menu_ends(desktop, binary):
    program, window = open_launcher(desktop, binary)
    icon = program.tray_icon(TITLE)
    desktop.click(*centre(MINIMISE))
    wait_until(lambda: desktop.wm_state(window) == "Iconic", "the launcher to minimise")

    x, y, w, h = desktop.geometry(icon)
    desktop.click(x + w // 2, y + h // 2, repeat=2)
    wait_until(lambda: desktop.wm_state(window) == "Normal", "a double click on the tray icon to restore it")

    desktop.click(x + w // 2, y + h // 2, button=3)
    desktop.screenshot("tray-menu")
    desktop.xdo("key", "Down", "Return")  # the menu's one item, 退出
    assert program.wait_exit() == 0


if __name__ == "__main__":
    sys.exit(run_tests([
        test_opens_centred_and_writes_static_ini,
        test_skin_carries_alpha_and_lets_clicks_through,
        test_hovering_close_lights_it,
        test_close_asks_cancel_keeps_ok_ends,
        test_alt_f4_closes_without_asking,
        test_boss_key_hides_and_shows,
        test_links_open_in_the_users_browser,
        test_dragging_the_skin_moves_the_window,
        test_minimise_then_tray_restores_and_its_menu_ends,
    ], tray=True))
