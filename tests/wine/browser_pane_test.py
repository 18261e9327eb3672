"""The WebBrowser control behind the Windows program's browser panes, under
Wine: the pane is created in place with our container site, the client's own
site takes its place, the control fetches its page afterwards and fires
BeforeNavigate2 to the pane's owner, and it is let go of when the program
ends.

Wine here renders no pages (its HTML engine add-on cannot be installed
offline, so mshtml is left out), but its WebBrowser control is real. What the
test sees: the requests that reach an HTTP server on 127.0.0.1, and the
control's own calls in Wine's ieframe trace channel (no client site shows on
screen without an HTML engine).

Run as: python3 browser_pane_test.py <path to LumioVeyra.exe> <repo root>
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "desktop"))

from desktop_support import run_tests, wait_until  # noqa: E402
from smoke_test import EXE_NAME, ReportReceiver, WinePrefix, WineProgram  # noqa: E402

ACCESS_PATH = "/game/s/wdAccess/"
UID, SUID = "12345", "678"
# The access address carries the identifiers as they are: with this suid it
# holds "client = 1", so its BeforeNavigate2 makes the page window open the
# game window, which loads that address in a pane of its own.
GAME_SUID = "678&client = 1"

# 0024:trace:ieframe:OleObject_SetClientSite (01C51BE0)->(01A556C0)
# 0024:trace:ieframe:WebBrowser_Release (01C51BE0) ref=0
TRACE_CALL = re.compile(r":trace:ieframe:(\w+) \(([0-9A-Fa-f]{8})\)(.*)")
SITE_ARGUMENT = re.compile(r"->\(([0-9A-Fa-f]{8})\)")
NO_SITE = "00000000"


class TracedProgram(WineProgram):
    """A WineProgram whose WebBrowser controls are traced, into a file of their own."""

    def __init__(self, desktop, exe, files):
        self.desktop = desktop
        self.env = dict(WinePrefix.env(desktop), WINEDEBUG="+ieframe")
        self.folder = tempfile.mkdtemp(prefix="lv-wine-pane-")
        shutil.copy2(exe, os.path.join(self.folder, EXE_NAME))
        for name, content in files.items():
            with open(self.path(name), "wb") as f:
                f.write(content)
        self.log_path = self.path("wine.log")
        self._log = open(self.log_path, "wb")
        with open(self.path("ieframe.log"), "wb") as trace:
            self.proc = subprocess.Popen(["wine", EXE_NAME], cwd=self.folder, env=self.env, stdout=self._log,
                                         stderr=trace)

    def calls(self):
        """Every traced call in order, as (call, object, rest of the line)."""
        with open(self.path("ieframe.log"), errors="replace") as f:
            return [m.groups() for m in map(TRACE_CALL.search, f) if m]


def controls(calls):
    """Each WebBrowser object that was given a client site, with its own calls, in order of creation."""
    objects = []
    for call, obj, _ in calls:
        if call == "OleObject_SetClientSite" and obj not in objects:
            objects.append(obj)
    return [[(call, rest) for call, o, rest in calls if o == obj] for obj in objects]


def sites(calls):
    return [SITE_ARGUMENT.match(rest).group(1) for call, rest in calls if call == "OleObject_SetClientSite"]


def assert_client_site_attached(calls):
    """Our container site first; then, with the control in place, the client's site instead; then the page."""
    names = [call for call, _ in calls]
    container, client = sites(calls)[:2]
    assert NO_SITE not in (container, client) and container != client, sites(calls)
    first, second = [i for i, name in enumerate(names) if name == "OleObject_SetClientSite"][:2]
    assert "OleObject_DoVerb" in names[first:second], "not in place before the client's site came"
    assert "OleObject_GetClientSite" in names[first:second], "the container site was not handed to the client's"
    # Still in place in the host window, with our site as its in-place site.
    assert any(call == "OleObject_DoVerb" and f" {container} " in rest for call, rest in calls[second:]), calls
    later = names[second:]
    assert "WebBrowser_put_Silent" in later and "WebBrowser_Navigate2" in later, later


def start(desktop, exe, receiver, suid):
    return TracedProgram(desktop, exe, {
        "static.ini": f"[vy]\r\nstart=1\r\nfilename={suid}\r\nuid={UID}\r\n".encode(),
        "servers.ini": receiver.servers_ini(),
    })


def access_requests(receiver):
    return [path for _, path, _ in receiver.requests if path.startswith(ACCESS_PATH)]


def test_page_pane_takes_the_client_site_navigates_and_ends_with_the_program(desktop, exe):
    receiver = ReportReceiver()
    try:
        with start(desktop, exe, receiver, SUID) as program:
            # The control fetches the access page after the client's site took the place of ours.
            wait_until(lambda: access_requests(receiver), "the access page request", 60)
            assert f"uid={UID}&suid={SUID}" in access_requests(receiver)[0], access_requests(receiver)
            desktop.key(program.launcher(), "alt+F4")
            assert wait_until(lambda: not program.running(), "the program to end", 20)
            assert program.proc.returncode == 0, f"exit code {program.proc.returncode}"
            calls = program.calls()
    finally:
        receiver.close()
    (pane,) = controls(calls)
    assert_client_site_attached(pane)
    names = [call for call, _, _ in calls]
    assert names.index("ConnectionPoint_Unadvise") < names.index("WebBrowser_Quit") < names.index(
        "OleObject_Close"), "events, Quit and Close out of order"
    assert sites(pane)[-1] == NO_SITE, "the control keeps a client site"
    last_call, last_rest = pane[-1]
    assert last_call == "WebBrowser_Release" and last_rest.endswith("ref=0"), f"the control lives on: {pane[-3:]}"


def test_before_navigate_reaches_the_page_window_which_opens_the_game(desktop, exe):
    receiver = ReportReceiver()
    try:
        with start(desktop, exe, receiver, GAME_SUID) as program:
            # The game window's pane loads the address that the page window handed over.
            wait_until(lambda: len(access_requests(receiver)) >= 2, "the game pane's request", 60)
            program.assert_alive()
            panes = controls(program.calls())
    finally:
        receiver.close()
    assert len(panes) == 2, f"{len(panes)} panes, not the server list's and the game window's"
    for pane in panes:
        assert_client_site_attached(pane)


if __name__ == "__main__":
    sys.exit(run_tests([
        test_page_pane_takes_the_client_site_navigates_and_ends_with_the_program,
        test_before_navigate_reaches_the_page_window_which_opens_the_game,
    ]))
