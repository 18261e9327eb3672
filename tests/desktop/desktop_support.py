"""The real program on a virtual desktop, for the desktop tests.

A Desktop is an Xvfb display with openbox as window manager and, on request,
trayer as tray host. Programs start from a fresh temporary folder with a copy
of the binary, so their static.ini and servers.ini belong to one test, and
with a stand-in xdg-open that records the addresses instead of opening a
browser. Input goes through xdotool, screenshots through ImageMagick's
import; they are kept in <repo>/artifacts/. Every process started here is
ended when the Desktop closes, and dies with the test process if that is
killed. Python 3 standard library only.
"""

import contextlib
import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

SCREEN_WIDTH, SCREEN_HEIGHT = 1366, 768
TRAY_ICON_SIZE = 64  # no tray icon is wider, no program window smaller

_PR_SET_PDEATHSIG = 1
_libc = ctypes.CDLL(None, use_errno=True)


def _die_with_parent():
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


def wait_until(predicate, what, timeout=10.0, interval=0.1):
    """The first true value of predicate(), or AssertionError after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_uint32)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class Program:
    """One run of the program, in a temporary folder of its own."""

    def __init__(self, desktop, binary, args=(), files=None):
        self.desktop = desktop
        self.folder = tempfile.mkdtemp(prefix="lv-desktop-")
        self.exe = os.path.join(self.folder, "lumioveyra")
        shutil.copy2(binary, self.exe)
        for name, text in (files or {}).items():  # static.ini, servers.ini: there before the program starts
            with open(os.path.join(self.folder, name), "w", encoding="utf-8") as f:
                f.write(text)
        bin_dir = os.path.join(self.folder, "bin")
        os.mkdir(bin_dir)
        self.opened_log = os.path.join(self.folder, "opened.txt")
        fake = os.path.join(bin_dir, "xdg-open")
        with open(fake, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{self.opened_log}"\n')
        os.chmod(fake, 0o755)
        env = dict(desktop.env, PATH=bin_dir + os.pathsep + desktop.env.get("PATH", "/usr/bin:/bin"))
        self.log_path = os.path.join(self.folder, "program.log")
        self._log = open(self.log_path, "wb")
        self.proc = subprocess.Popen([self.exe, *args], cwd=self.folder, env=env, stdout=self._log,
                                     stderr=subprocess.STDOUT, preexec_fn=_die_with_parent)

    def path(self, name):
        return os.path.join(self.folder, name)

    def running(self):
        return self.proc.poll() is None

    def wait_exit(self, timeout=10.0):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program did not end within {timeout} s") from None

    def opened(self):
        """The addresses handed to xdg-open so far."""
        if not os.path.exists(self.opened_log):
            return []
        with open(self.opened_log) as f:
            return f.read().splitlines()

    def windows(self, title):
        """The program's viewable windows named exactly `title`."""
        return self.desktop.xdo_ids("search", "--all", "--onlyvisible", "--pid", str(self.proc.pid), "--name", f"^{title}$")

    def main_window(self, title, timeout=10.0):
        """The program's window named `title`; the tray icon, a small window, may carry the name too."""
        def found():
            return next((w for w in self.windows(title) if (g := self.desktop.geometry(w)) and g[2] > TRAY_ICON_SIZE
                         and g[3] > TRAY_ICON_SIZE), None)
        return wait_until(found, f"a window titled {title!r}", timeout)

    def tray_icon(self, title, timeout=10.0):
        def found():
            return next((w for w in self.windows(title) if (g := self.desktop.geometry(w)) and g[2] <= TRAY_ICON_SIZE),
                        None)
        return wait_until(found, "the tray icon", timeout)

    def close(self):
        if self.running():
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self._log.close()
        with open(self.log_path, "rb") as f:
            output = f.read().decode(errors="replace").strip()
        if output:
            print(f"--- program output ---\n{output}")
        shutil.rmtree(self.folder, ignore_errors=True)


class Desktop:
    def __init__(self, repo_root, tray=False):
        self.artifacts = os.path.join(repo_root, "artifacts")
        os.makedirs(self.artifacts, exist_ok=True)
        self._procs = []
        self._programs = []
        self._xlib = None
        try:
            self._start_server()
            self._spawn(["openbox"])
            wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self._run(["xprop", "-root"]),
                       "the window manager")
            if tray:
                self._spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                             "--width", "100", "--height", "24", "--SetDockType", "true"])
                wait_until(lambda: self.xdo_ids("search", "--onlyvisible", "--class", "trayer"), "the tray host")
        except BaseException:
            self.close()
            raise

    # --- Processes ----------------------------------------------------------

    def _start_server(self):
        # Xvfb picks a free display number itself and reports it on -displayfd.
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                     f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-nolisten", "tcp"], pass_fds=(write_end,), env=os.environ)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 10
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        self.env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "XAUTHORITY")}
        self.env.update(DISPLAY=self.display, GDK_BACKEND="x11", NO_AT_BRIDGE="1")

    def _spawn(self, argv, pass_fds=(), env=None):
        proc = subprocess.Popen(argv, env=env or self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                pass_fds=pass_fds, preexec_fn=_die_with_parent)
        self._procs.append(proc)
        return proc

    def _run(self, argv, check=True):
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise RuntimeError(f"{argv[0]} failed: {result.stderr.strip()}")
        return result.stdout

    def start(self, binary, args=(), files=None):
        program = Program(self, binary, args, files)
        self._programs.append(program)
        return program

    def close_programs(self):
        for program in self._programs:
            program.close()
        self._programs.clear()

    def close(self):
        self.close_programs()
        for proc in reversed(self._procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        self._procs.clear()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # --- Windows and input (xdotool) ----------------------------------------

    def xdo(self, *args):
        return self._run(["xdotool", *args])

    def xdo_ids(self, *args):
        # xdotool search exits 1 when it finds nothing.
        return [int(line) for line in self._run(["xdotool", *args], check=False).split()]

    def geometry(self, window):
        """(x, y, width, height) of a window, or None once it is gone."""
        out = self._run(["xdotool", "getwindowgeometry", "--shell", str(window)], check=False)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        if not {"X", "Y", "WIDTH", "HEIGHT"} <= values.keys():
            return None
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def wm_state(self, window):
        """'Normal', 'Iconic' or None (withdrawn) as the window manager sees the window."""
        out = self._run(["xprop", "-id", str(window), "WM_STATE"], check=False)
        for state in ("Normal", "Iconic"):
            if f"window state: {state}" in out:
                return state
        return None

    def window_under_mouse(self):
        out = self.xdo("getmouselocation", "--shell")
        return int(dict(line.split("=", 1) for line in out.splitlines())["WINDOW"])

    def move_mouse(self, x, y):
        self.xdo("mousemove", str(x), str(y))
        time.sleep(0.2)

    def click(self, x, y, button=1, repeat=1):
        # A first move onto the point, then a small one inside it: the
        # program sees the pointer arrive before the press, as a user's does.
        self.move_mouse(x - 1, y)
        self.move_mouse(x, y)
        self.xdo("click", "--repeat", str(repeat), "--delay", "80", str(button))
        time.sleep(0.3)

    def drag(self, start, end):
        self.move_mouse(*start)
        self.xdo("mousedown", "1")
        steps = 5
        for i in range(1, steps + 1):
            self.move_mouse(start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps)
        self.xdo("mouseup", "1")
        time.sleep(0.3)

    def key(self, window, *keys):
        self.xdo("windowactivate", "--sync", str(window))
        self.xdo("key", "--clearmodifiers", *keys)
        time.sleep(0.3)

    # --- Pixels ---------------------------------------------------------------

    def screenshot(self, name):
        path = os.path.join(self.artifacts, f"{name}.png")
        self._run(["import", "-window", "root", path])
        return path

    def crop_rgb(self, png, x, y, width, height):
        """The raw RGB bytes of a rectangle of a screenshot."""
        result = subprocess.run(["convert", png, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8",
                                 "rgb:-"], capture_output=True, check=True)
        return result.stdout

    def _window_image(self, window, x, y, width, height):
        """A window's own 32-bit pixels, alpha included (screenshots drop it): rows of bytes."""
        if self._xlib is None:
            xlib = ctypes.CDLL("libX11.so.6")
            xlib.XOpenDisplay.restype = ctypes.c_void_p
            xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
            xlib.XGetImage.restype = ctypes.POINTER(_XImage)
            xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                       ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
            xlib.XFree.argtypes = [ctypes.c_void_p]
            self._xlib = (xlib, xlib.XOpenDisplay(self.display.encode()))
        xlib, display = self._xlib
        z_pixmap, all_planes = 2, 0xFFFFFFFF
        image = xlib.XGetImage(display, window, x, y, width, height, all_planes, z_pixmap)
        if not image:
            raise RuntimeError("XGetImage failed")
        img = image.contents
        if img.bits_per_pixel != 32 or img.depth != 32:
            raise AssertionError(f"the window has {img.depth}-bit pixels, not 32-bit with alpha")
        data = ctypes.string_at(img.data, img.bytes_per_line * height)
        xlib.XFree(img.data)
        xlib.XFree(image)
        return [data[row * img.bytes_per_line:row * img.bytes_per_line + width * 4] for row in range(height)]

    def window_argb(self, window, x, y, width, height):
        """Rows of a window's premultiplied 0xAARRGGBB pixels."""
        rows = self._window_image(window, x, y, width, height)
        return [[int.from_bytes(row[i:i + 4], "little") for i in range(0, len(row), 4)] for row in rows]

    def save_window_with_alpha(self, window, name):
        """The window's pixels with their alpha as a PNG artefact, to see what a compositor would show."""
        _, _, width, height = self.geometry(window)
        pixels = bytearray(b"".join(self._window_image(window, 0, 0, width, height)))
        for i in range(0, len(pixels), 4):  # premultiplied BGRA to straight RGBA
            b, g, r, a = pixels[i:i + 4]
            if 0 < a < 255:
                b, g, r = (min(255, c * 255 // a) for c in (b, g, r))
            pixels[i:i + 4] = bytes((r, g, b, a))
        path = os.path.join(self.artifacts, f"{name}.png")
        subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", "rgba:-", path], input=bytes(pixels),
                       check=True)
        return path


def run_tests(tests, tray=False):
    """Runs each test(desktop, binary) on one desktop; the exit code is 0 when all pass.

    Arguments: <path to lumioveyra> <repo root>.
    """
    binary, repo_root = sys.argv[1], sys.argv[2]
    passed = failed = 0
    with Desktop(repo_root, tray=tray) as desktop:
        for test in tests:
            name = test.__name__
            failure_shot = os.path.join(desktop.artifacts, f"{name}-failure.png")
            with contextlib.suppress(FileNotFoundError):
                os.remove(failure_shot)  # from an earlier run
            try:
                test(desktop, binary)
                passed += 1
                print(f"PASS {name}", flush=True)
            except Exception:
                failed += 1
                print(f"FAIL {name}", flush=True)
                traceback.print_exc()
                with contextlib.suppress(Exception):
                    desktop.screenshot(f"{name}-failure")
            finally:
                desktop.close_programs()
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1
