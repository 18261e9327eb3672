"""The game window of the real program on a desktop, against the demo site:
a server from the list opens it maximised with its caption, toolbar and the
game page; the page's client://loadgame link and F9; restoring, moving,
resizing, maximising and minimising; the trial account's blinking button;
leaving the game through the question, back to a reloaded server list.

Run as: python3 test_game_window.py <path to lumioveyra> <repo root>
"""

import json
import os
import subprocess
import sys
import time
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop_support import SCREEN_HEIGHT, SCREEN_WIDTH, run_tests, wait_until  # noqa: E402

TITLE = "LumioVeyra"
QUESTION_TITLE = "退出提示"
PAGE_SIZE = (625, 369)  # the launcher's page window
RECOMMENDED_ENTER = (107, 285)  # the recommended server's button in the server-list page
ACCOUNT, TRIAL_ACCOUNT = "10001_8888.exe", "10002_8888.exe"  # the demo site's accounts
WORK_AREA = (0, 0, SCREEN_WIDTH, SCREEN_HEIGHT)  # openbox without a panel
RESTORED = (33, 21, 1300, 688)  # centred on 1366 x 768, lifted by 37 for a task bar
GOLD = (196, 148, 66)  # the frame's outer line
TITLE_COLOUR = (228, 209, 13)
QUEST_BUTTON = (1226, 338)  # the demo page's way to the other scene, maximised on 1366 x 768
LAKE = (500, 470, 400, 90)  # bright water in the valley, night sky in the realm


class Site:
    """The demo operator site on a free port of 127.0.0.1."""

    def __init__(self, repo_root):
        self.proc = subprocess.Popen([sys.executable, os.path.join(repo_root, "demo", "server.py"), "--port", "0"],
                                     stdout=subprocess.PIPE, text=True)
        self.base = f"http://127.0.0.1:{int(self.proc.stdout.readline().split()[1])}"

    def servers_ini(self):
        keys = ("site", "pay", "kefu", "portal", "log", "cs")
        return "[servers]\n" + "".join(f"{key}={self.base}\n" for key in keys)

    def list_loads(self):
        """How often a server-list page has loaded and talked to its client."""
        with urllib.request.urlopen(self.base + "/game/s/hello/log") as response:
            return len(json.load(response))

    def close(self):
        self.proc.terminate()
        self.proc.wait()


SITE = None


# --- Pixels ---------------------------------------------------------------


def pixel(desktop, png, x, y):
    return tuple(desktop.crop_rgb(png, x, y, 1, 1))


def mean_rgb(desktop, png, x, y, w, h):
    data = desktop.crop_rgb(png, x, y, w, h)
    n = len(data) // 3
    return tuple(sum(data[c::3]) / n for c in range(3))


def near(colour, reference, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, reference))


def valley_shown(desktop, name):
    shot = desktop.screenshot(name)
    return mean_rgb(desktop, shot, *LAKE)[0] > 100 and shot


def realm_shown(desktop, name):
    shot = desktop.screenshot(name)
    return mean_rgb(desktop, shot, *LAKE)[0] < 60 and shot


# --- The program ------------------------------------------------------------


def start(desktop, binary, account=ACCOUNT):
    """The program with its launcher up and its server list loaded."""
    loads = SITE.list_loads()
    program = desktop.start(binary, files={"servers.ini": SITE.servers_ini(),
                                           "static.ini": f"[vy]\r\nfilename={account}\r\n"})
    launcher = program.main_window(TITLE)
    wait_until(lambda: SITE.list_loads() > loads, "the server list to load", timeout=20)
    return program, launcher


def page_window(desktop, program):
    def found():
        ids = desktop.xdo_ids("search", "--all", "--onlyvisible", "--pid", str(program.proc.pid), "--name", "")
        return next((w for w in ids if (g := desktop.geometry(w)) and g[2:] == PAGE_SIZE), None)
    return wait_until(found, "the server-list page window", timeout=20)


def open_game(desktop, program, launcher):
    """Picks the recommended server in the list, as a player does; the game window."""
    x, y, _, _ = desktop.geometry(page_window(desktop, program))
    desktop.click(x + RECOMMENDED_ENTER[0], y + RECOMMENDED_ENTER[1])
    return wait_until(lambda: next((w for w in program.windows(TITLE) if w != launcher and
                                    desktop.geometry(w) == WORK_AREA), None),
                      "the game window, maximised onto the work area", timeout=15)


def toolbar(width):
    """Centres of the toolbar's buttons for a window `width` wide (window coordinates)."""
    pay = width - 391
    server, clean = pay + 75 + 5, pay + 75 + 5 + 65 + 5
    boss = clean + 75 + 5
    minimise = boss + 65 + 8
    maximise = minimise + 25 + 3
    close = maximise + 25 + 3
    return {"server": (server + 32, 20), "minimise": (minimise + 12, 19), "maximise": (maximise + 12, 19),
            "close": (close + 12, 19)}


def at(window_geometry, point):
    return window_geometry[0] + point[0], window_geometry[1] + point[1]


# --- Tests -------------------------------------------------------------------


def test_a_server_opens_the_game_maximised_below_its_caption(desktop, binary):
    program, launcher = start(desktop, binary)
    game = open_game(desktop, program, launcher)
    assert launcher not in program.windows(TITLE), "the launcher stays up beside the game"
    hints = subprocess.run(["xprop", "-id", str(game), "_MOTIF_WM_HINTS"], env=desktop.env, capture_output=True,
                           text=True).stdout.split("=")[-1].split(",")
    assert int(hints[0], 16) & 2 and int(hints[2], 16) == 0, f"the window manager decorates it: {hints}"
    shot = wait_until(lambda: valley_shown(desktop, "game-window"), "the game page in the game window", 20)
    w, h = SCREEN_WIDTH, SCREEN_HEIGHT
    # The title in its colour on the caption band.
    title = desktop.crop_rgb(shot, 60, 8, 270, 24)
    lit = sum(near(title[i:i + 3], TITLE_COLOUR, 40) for i in range(0, len(title), 3))
    assert lit > 30, f"only {lit} pixels of the title's colour"
    # The browser sits at (2, 40)-(w-2, h-2): the frame's outer line shows
    # around it, the page inside.
    for x, y in [(0, 400), (w - 1, 400), (683, h - 1)]:
        assert near(pixel(desktop, shot, x, y), GOLD, 12), f"no frame at {(x, y)}: {pixel(desktop, shot, x, y)}"
    for x, y in [(0, 650), (w - 1, 650)]:
        assert near(pixel(desktop, shot, x, y), GOLD, 12), f"no frame at {(x, y)}: {pixel(desktop, shot, x, y)}"
    # Just inside, the page (an animated scene: anything but the frame's gold).
    for x, y in [(2, 650), (w - 3, 650), (683, h - 3), (683, 40)]:
        assert not near(pixel(desktop, shot, x, y), GOLD, 12), f"the frame, not the page, at {(x, y)}"
    # The page lives: its clouds and fireflies move.
    time.sleep(1)
    later = desktop.screenshot("game-window-later")
    assert desktop.crop_rgb(later, 2, 120, w - 4, 400) != desktop.crop_rgb(shot, 2, 120, w - 4, 400)


def test_loadgame_link_loads_the_next_scene_and_f9_comes_back(desktop, binary):
    program, launcher = start(desktop, binary)
    game = open_game(desktop, program, launcher)
    wait_until(lambda: valley_shown(desktop, "game-valley"), "the valley", 20)
    desktop.click(*QUEST_BUTTON)
    wait_until(lambda: realm_shown(desktop, "game-realm"), "client://loadgame to load the realm", 20)
    desktop.key(game, "F9")
    wait_until(lambda: valley_shown(desktop, "game-after-f9"), "F9 to load the launcher's game address again", 20)
    desktop.key(game, "Escape")  # swallowed: nothing happens
    assert game in program.windows(TITLE)


def test_the_frame_restores_moves_resizes_maximises_and_minimises(desktop, binary):
    program, launcher = start(desktop, binary)
    game = open_game(desktop, program, launcher)
    desktop.click(600, 20, repeat=2)  # a double click on the free caption
    wait_until(lambda: desktop.geometry(game) == RESTORED, f"the restored window at {RESTORED}"
               f" (it is at {desktop.geometry(game)})")
    time.sleep(1)  # the page follows the new size
    desktop.screenshot("game-restored")

    start_at = at(RESTORED, (600, 20))
    desktop.drag(start_at, (start_at[0] + 40, start_at[1] + 30))
    moved = wait_until(lambda: (g := desktop.geometry(game))[:2] != RESTORED[:2] and g, "a drag to move the window")
    assert moved[0] > RESTORED[0] and moved[1] > RESTORED[1] and moved[2:] == RESTORED[2:], moved

    # The left edge: the outer two pixels, beside the browser.
    desktop.drag(at(moved, (1, 300)), at(moved, (-30, 300)))
    resized = wait_until(lambda: (g := desktop.geometry(game))[2] > moved[2] and g, "the left edge to resize")
    assert resized[0] < moved[0] and resized[3] == moved[3], resized
    desktop.screenshot("game-resized")

    desktop.click(*at(resized, toolbar(resized[2])["maximise"]))
    wait_until(lambda: desktop.geometry(game) == WORK_AREA, "the maximise button to fill the work area")
    desktop.click(*toolbar(SCREEN_WIDTH)["minimise"])
    wait_until(lambda: desktop.wm_state(game) == "Iconic", "the minimise button to iconify the window")


def test_a_trial_account_gets_a_blinking_activation_button(desktop, binary):
    program, launcher = start(desktop, binary, TRIAL_ACCOUNT)
    open_game(desktop, program, launcher)
    button = (SCREEN_WIDTH - 532, 9, 136, 22)
    frames = set()

    def blinking():
        frames.add(desktop.crop_rgb(desktop.screenshot("game-activation-button"), *button))
        return len(frames) >= 3

    wait_until(blinking, "the activation button to show several frames", timeout=15, interval=0.05)


def test_leaving_asks_and_ok_brings_back_a_reloaded_server_list(desktop, binary):
    program, launcher = start(desktop, binary)
    game = open_game(desktop, program, launcher)
    buttons = toolbar(SCREEN_WIDTH)
    desktop.click(*buttons["close"])
    box = wait_until(lambda: program.windows(QUESTION_TITLE), "the question before leaving")[0]
    desktop.screenshot("game-leave-question")
    desktop.key(box, "Escape")  # Cancel: the game goes on
    wait_until(lambda: not program.windows(QUESTION_TITLE), "the question to go")
    assert game in program.windows(TITLE)

    loads = SITE.list_loads()
    desktop.click(*buttons["server"])  # choose server asks the same
    box = wait_until(lambda: program.windows(QUESTION_TITLE), "the question for choosing another server")[0]
    desktop.key(box, "Return")  # OK
    wait_until(lambda: desktop.geometry(game) is None, "the game window to go")
    wait_until(lambda: launcher in program.windows(TITLE), "the launcher to come back")
    wait_until(lambda: SITE.list_loads() > loads, "the server list to load again")
    page_window(desktop, program)
    time.sleep(1)
    desktop.screenshot("launcher-after-game")


if __name__ == "__main__":
    SITE = Site(sys.argv[2])
    try:
        code = run_tests([
            test_a_server_opens_the_game_maximised_below_its_caption,
            test_loadgame_link_loads_the_next_scene_and_f9_comes_back,
            test_the_frame_restores_moves_resizes_maximises_and_minimises,
            test_a_trial_account_gets_a_blinking_activation_button,
            test_leaving_asks_and_ok_brings_back_a_reloaded_server_list,
        ])
    finally:
        SITE.close()
    sys.exit(code)
