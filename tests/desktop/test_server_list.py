"""The server list in the real program, against the demo operator site: the
page window shows up over the launcher's page area only once its first page
has loaded, the page's window.external answers synchronously, and a click on
a server opens the game and hides the launcher.

Run as: python3 test_server_list.py <path to lumioveyra> <repo root>
"""

import http.server
import json
import os
import subprocess
import sys
import threading
import time
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop_support import SCREEN_HEIGHT, SCREEN_WIDTH, run_tests, wait_until  # noqa: E402

TITLE = "LumioVeyra"
WIDTH, HEIGHT = 1200, 800
X, Y = int((SCREEN_WIDTH - WIDTH) / 2), int((SCREEN_HEIGHT - HEIGHT) / 2)
PAGE_OFFSET, PAGE_SIZE = (351, 263), (625, 369)
ACCESS_PATH = "/game/s/wdAccess/"
UID, SUID = "10002", "678"  # a trial account of the demo site
STATIC_INI = f"[vy]\nstart=1\nfilename={SUID}\nuid={UID}\n"
# Points of the demo's server list, in page coordinates.
ENTER_BUTTON = (60, 274, 90, 20)  # the recommended server's gold "立即进入"
SERVER_S7 = (475, 119)  # the tile of "S7 琉璃天阶"
HEADER_SPOT = (300, 30)  # the page's header, away from its links
NOTICE_LINK = (491, 27)  # "游戏公告", a new window for the user's browser
GIFT_LINK = (574, 27)  # "专享礼包", a new window marked client=1: the game's, nothing opens
QUESTION_TITLE = "退出提示"


class DemoSite:
    """demo/server.py on a free port."""

    def __init__(self, repo_root):
        self.proc = subprocess.Popen(["/usr/bin/python3", os.path.join(repo_root, "demo", "server.py"), "--port", "0"],
                                     stdout=subprocess.PIPE, text=True)
        first = self.proc.stdout.readline().split()
        assert first[:1] == ["PORT"], f"the demo site said {first}"
        self.base = f"http://127.0.0.1:{first[1]}"

    def get_json(self, path):
        with urllib.request.urlopen(self.base + path, timeout=5) as answer:
            return json.load(answer)

    def close(self):
        self.proc.terminate()
        self.proc.wait(5)


class HeldPortal:
    """The portal in front of the demo site, holding the access page back
    until released: the test sees the launcher while its page still loads."""

    def __init__(self, upstream):
        self.requested = threading.Event()
        self.released = threading.Event()
        portal = self

        class Forward(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                if self.path.startswith(ACCESS_PATH):
                    portal.requested.set()
                    portal.released.wait(30)
                request = urllib.request.Request(upstream + self.path, headers={"Host": self.headers["Host"]})
                with urllib.request.urlopen(request, timeout=10) as answer:
                    body = answer.read()
                    self.send_response(answer.status)
                    self.send_header("Content-Type", answer.headers["Content-Type"])
                    self.send_header("Content-Length", str(len(body)))
                    self.end_headers()
                    self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Forward)
        self.server.daemon_threads = True
        self.base = f"http://127.0.0.1:{self.server.server_address[1]}"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.released.set()
        self.server.shutdown()
        self.server.server_close()


def servers_ini(site, portal):
    keys = dict(site=site, pay=site, kefu=site, portal=portal, log=site, cs=site)
    return "[servers]\n" + "".join(f"{key}={value}\n" for key, value in keys.items())


def program_windows(desktop, program):
    return desktop.xdo_ids("search", "--all", "--onlyvisible", "--pid", str(program.proc.pid), "--name", ".*")


def page_window(desktop, program):
    """The program's viewable window of the page area's size, if there is one."""
    for window in program_windows(desktop, program):
        geometry = desktop.geometry(window)
        if geometry and geometry[2:] == PAGE_SIZE:
            return window, geometry
    return None


def average(rgb):
    n = len(rgb) // 3
    return tuple(sum(rgb[i::3]) // n for i in range(3))


def shows_gold_button(desktop, shot, page_origin):
    x, y, w, h = ENTER_BUTTON
    r, g, b = average(desktop.crop_rgb(shot, page_origin[0] + x, page_origin[1] + y, w, h))
    return r > 170 and g > 130 and b < 130


def test_page_shows_after_its_first_load_and_opens_a_server(desktop, binary):
    repo_root = sys.argv[2]
    site = DemoSite(repo_root)
    portal = HeldPortal(site.base)
    try:
        program = desktop.start(binary, files={"servers.ini": servers_ini(site.base, portal.base),
                                               "static.ini": STATIC_INI})
        launcher = program.main_window(TITLE)
        wait_until(lambda: desktop.geometry(launcher) == (X, Y, WIDTH, HEIGHT), "the launcher in place")
        expected_page = (X + PAGE_OFFSET[0], Y + PAGE_OFFSET[1])

        # Loading: the access page was asked for, with the account, and is held back.
        assert portal.requested.wait(20), "the page window never asked for the access page"
        time.sleep(1.5)  # time for a page window that shows too early to do so
        assert page_window(desktop, program) is None, "the page window showed before its page had loaded"
        loading = desktop.screenshot("server-list-loading")
        assert not shows_gold_button(desktop, loading, expected_page)

        portal.released.set()
        window, geometry = wait_until(lambda: page_window(desktop, program), "the page window", timeout=20)
        first_seen_at = geometry[:2]
        wait_until(lambda: desktop.geometry(window)[:2] == expected_page,
                   f"the page window over the page area {expected_page} (it is at {desktop.geometry(window)[:2]})")
        wait_until(lambda: shows_gold_button(desktop, desktop.screenshot("server-list"), expected_page),
                   "the server list on screen")

        # The page's script got "1" from WD_JAPI("getApiVersion"), and again
        # from wd_japi(...) written in lower case, before its next statement.
        hello = wait_until(lambda: site.get_json("/game/s/hello/log"), "the page's handshake with the client")
        assert hello == [{"uid": UID, "api": "1", "lower": "1"}], hello

        desktop.click(expected_page[0] + SERVER_S7[0], expected_page[1] + SERVER_S7[1])
        wait_until(lambda: launcher not in program_windows(desktop, program), "the launcher to hide")
        assert page_window(desktop, program) is None, "the page window stayed on screen"
        wait_until(lambda: [w for w in program_windows(desktop, program) if desktop.geometry(w)[2] > WIDTH],
                   "the game window, maximised")
        desktop.screenshot("server-list-game-opened")
        # Checked last, so that a window shown out of place first still shows everything else.
        assert first_seen_at == expected_page, f"the page window first showed at {first_seen_at}, not in place"
    finally:
        portal.close()
        site.close()


def test_no_menu_new_windows_go_out_and_only_alt_f4_acts(desktop, binary):
    repo_root = sys.argv[2]
    site = DemoSite(repo_root)
    try:
        program = desktop.start(binary, files={"servers.ini": servers_ini(site.base, site.base),
                                               "static.ini": STATIC_INI})
        window, geometry = wait_until(lambda: page_window(desktop, program), "the page window", timeout=20)
        loads = lambda: len(site.get_json("/game/s/hello/log"))  # noqa: E731: one handshake per load
        wait_until(lambda: loads() == 1, "the first load")
        x, y = geometry[0] + HEADER_SPOT[0], geometry[1] + HEADER_SPOT[1]
        desktop.click(x, y)  # the page takes the focus
        before = set(program_windows(desktop, program))

        desktop.click(x, y, button=3)
        assert set(program_windows(desktop, program)) == before, "a context menu opened"
        desktop.key(window, "F5")
        desktop.key(window, "Escape")
        time.sleep(1)
        assert loads() == 1, "F5 reloaded the list"
        assert page_window(desktop, program), "Escape closed the page window"

        desktop.click(geometry[0] + NOTICE_LINK[0], geometry[1] + NOTICE_LINK[1])
        wait_until(lambda: program.opened() == [site.base + "/notice/"], "the notice in the user's browser")
        desktop.click(geometry[0] + GIFT_LINK[0], geometry[1] + GIFT_LINK[1])
        time.sleep(1)
        assert program.opened() == [site.base + "/notice/"], program.opened()
        assert set(program_windows(desktop, program)) == before, "the page opened a window of its own"

        desktop.key(window, "alt+F4")
        question = wait_until(lambda: program.windows(QUESTION_TITLE), "the question before ending the program")
        desktop.screenshot("server-list-alt-f4")
        desktop.key(question[0], "Escape")  # Cancel
        wait_until(lambda: not program.windows(QUESTION_TITLE), "the question to go")
        assert program.running() and page_window(desktop, program)
    finally:
        site.close()


if __name__ == "__main__":
    sys.exit(run_tests([
        test_page_shows_after_its_first_load_and_opens_a_server,
        test_no_menu_new_windows_go_out_and_only_alt_f4_acts,
    ]))
