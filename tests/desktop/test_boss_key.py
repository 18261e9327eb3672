"""The boss key of the real program on a desktop: it hides and brings back the
launcher, only the game window while a game is open, and a new key chosen in
the boss-key dialog (opened from the game toolbar) replaces F10 at once.
The demo operator site and the way into a game are the game-window test's.

Run as: python3 test_boss_key.py <path to lumioveyra> <repo root>
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import test_game_window as game_window  # noqa: E402
from desktop_support import TRAY_ICON_SIZE, run_tests, wait_until  # noqa: E402

BOSS_KEY = "F10"  # the default boss key
NEW_KEY = "ctrl+alt+z"  # typed into the dialog's capture control
# The boss-key button of the game toolbar, from the game window's right edge:
# left W - 161, right W - 96, top 9, bottom 31.
BOSS_BUTTON_FROM_RIGHT = 128
BOSS_BUTTON_Y = 20
DIALOG_SIZE = (355, 169)
DIALOG_OK = (269, 83)
# Long enough for a hot key that would act to have acted.
QUIET_SECONDS = 1.5


def shown_windows(desktop, program):
    """(id, geometry) of every viewable window of the program, tray icon left out."""
    out = []
    for window in desktop.xdo_ids("search", "--all", "--onlyvisible", "--pid", str(program.proc.pid), "--name", ""):
        g = desktop.geometry(window)
        if g and g[2] > TRAY_ICON_SIZE and g[3] > TRAY_ICON_SIZE:
            out.append((window, g))
    return out


def visible(desktop, program, window):
    return any(w == window for w, _ in shown_windows(desktop, program))


def press(desktop, keys):
    desktop.xdo("key", "--clearmodifiers", keys)
    time.sleep(0.3)


def toggles(desktop, program, keys, window, launcher=None):
    """`keys` hides `window` and brings it back; the launcher stays hidden meanwhile."""
    press(desktop, keys)
    wait_until(lambda: not visible(desktop, program, window), f"{keys} to hide the window")
    press(desktop, keys)
    wait_until(lambda: visible(desktop, program, window), f"{keys} to bring the window back")
    if launcher:
        assert not visible(desktop, program, launcher), "the launcher came back with the game window"


def open_dialog(desktop, program, game):
    x, y, width, _ = desktop.geometry(game)
    button = (x + width - BOSS_BUTTON_FROM_RIGHT, y + BOSS_BUTTON_Y)
    desktop.move_mouse(button[0] - 10, button[1])  # the button fires only after a hover
    desktop.click(*button)
    return wait_until(lambda: next((w for w, g in shown_windows(desktop, program) if g[2:] == DIALOG_SIZE), None),
                      "the boss-key dialog")


def test_boss_key_follows_the_main_window(desktop, binary):
    program, launcher = game_window.start(desktop, binary)
    toggles(desktop, program, BOSS_KEY, launcher)
    game = game_window.open_game(desktop, program, launcher)
    toggles(desktop, program, BOSS_KEY, game, launcher)
    desktop.screenshot("boss-key-game")


def test_key_chosen_in_the_dialog_replaces_f10(desktop, binary):
    program, launcher = game_window.start(desktop, binary)
    game = game_window.open_game(desktop, program, launcher)
    with open(program.path("static.ini"), "rb") as f:
        ini_before = f.read()

    dialog = open_dialog(desktop, program, game)
    x, y, _, _ = desktop.geometry(dialog)
    gx, gy, _, _ = desktop.geometry(game)
    assert (x, y) == (gx, gy), f"the dialog is at {(x, y)}, not at the game window's corner {(gx, gy)}"
    desktop.screenshot("boss-key-dialog")
    desktop.key(dialog, NEW_KEY)
    desktop.screenshot("boss-key-dialog-new-key")
    desktop.click(x + DIALOG_OK[0], y + DIALOG_OK[1])
    wait_until(lambda: not visible(desktop, program, dialog), "OK to close the dialog")

    press(desktop, BOSS_KEY)
    time.sleep(QUIET_SECONDS)
    assert visible(desktop, program, game), "F10 still hides the game window"
    toggles(desktop, program, NEW_KEY, game, launcher)
    with open(program.path("static.ini"), "rb") as f:
        assert f.read() == ini_before, "the new boss key was written to static.ini"


if __name__ == "__main__":
    game_window.SITE = game_window.Site(sys.argv[2])
    try:
        code = run_tests([
            test_boss_key_follows_the_main_window,
            test_key_chosen_in_the_dialog_replaces_f10,
        ])
    finally:
        game_window.SITE.close()
    sys.exit(code)
