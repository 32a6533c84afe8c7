"""Helpers for end-to-end tests: the real Orvanta.exe under Wine, looked at and driven with the
probe (tools/probe), xdotool and screenshots. CTest gives ORVANTA_BUILD_DIR and
ORVANTA_SOURCE_DIR; the test's isolation (scripts/lib/isolated) gives DISPLAY and WINEPREFIX.

Every script here ends with `sys.exit(e2e.main(CASES))`: the case named by its argument runs
with a Wine of the test's prefix; a Failure prints its reason and a screenshot, a Skip (what
the machine lacks) exits with CTest's skip code."""

import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

from probe_server import Gone, ProbeServer

BUILD_DIR = os.environ.get("ORVANTA_BUILD_DIR", "")
SOURCE_DIR = os.environ.get("ORVANTA_SOURCE_DIR", "")
WINE_RUN = os.path.join(SOURCE_DIR, "scripts", "lib", "wine-run")
PROGRAM = os.path.join(BUILD_DIR, "Orvanta.exe")
PROBE = os.path.join(BUILD_DIR, "tools", "probe", "probe.exe")
STANDIN_CONTROL = os.path.join(BUILD_DIR, "tools", "rdpstub", "rdpstub.dll")
# The program stand-in signed in several ways (tools/signing); signed by the test publisher,
# the only signer a test build starts.
SIGNED_STANDINS = os.path.join(BUILD_DIR, "tools", "signing")
SIGNED_STANDIN = os.path.join(SIGNED_STANDINS, "standin-signed.exe")
VIEWER_STUB = os.path.join(BUILD_DIR, "tools", "viewerstub", "viewerstub.exe")
STANDIN_LOG_VARIABLE = "ORVANTA_RDPSTUB_LOG"

# ImageMagick's own tools, not wrappers earlier on the PATH.
CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"
IMPORT = "/usr/bin/import" if os.path.exists("/usr/bin/import") else "import"

# The program's windows.
LOGIN = "Login Orvanta"
SESSION = "Orvanta - Lessendra"
TITLE = "Orvanta"  # message boxes
FAILURE = "Parâmetros incorretos ou sem acesso à internet - Considere usar a Rota Alternativa"

SKIP = 77  # CTest SKIP_RETURN_CODE

# Where screenshots go: one folder per test (main() sets it), since tests run side by side.
shots_dir = BUILD_DIR


class Failure(Exception):
    pass


class Skip(Exception):
    """What this machine lacks for the test."""


def check(condition, message):
    """Raises a Failure with the message unless the condition holds, with a screenshot of the
    moment in failure.png."""
    if not condition:
        if os.environ.get("DISPLAY"):
            try:
                print("screenshot:", screenshot("failure.png"))
            except (OSError, subprocess.SubprocessError):
                pass
        raise Failure(message)


def require(*paths):
    """Skips the test unless every file exists."""
    missing = [p for p in paths if not os.path.exists(p)]
    if missing:
        raise Skip("not built: " + ", ".join(missing))


def wait_until(condition, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return False


def read(path):
    """The text of a file another process appends to; empty until it exists."""
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read()
    except FileNotFoundError:
        return ""


def journal_file(wine):
    """A fresh file the stand-in control journals to."""
    path = os.path.join(tempfile.mkdtemp(prefix="orvanta-rdpstub-"), "control.log")
    wine.env[STANDIN_LOG_VARIABLE] = path
    return path


def prefix():
    """The test's Wine prefix; without one, the prefix scripts/test prepared."""
    return os.environ.get("WINEPREFIX") or os.path.join(BUILD_DIR, "wineprefix")


class Wine:
    """Runs programs in one prefix with a UTF-8 locale (window captions are not ASCII), and asks
    one probe server in it about its windows and registry. A context manager: the server is
    stopped when the block ends."""

    def __init__(self, prefix_dir=None):
        self.env = dict(os.environ, WINEPREFIX=prefix_dir or prefix(), WINEDEBUG="-all",
                        LANG="C.UTF-8", LC_ALL="C.UTF-8")
        self.server = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.server:
            self.server.stop()
        return False

    def start(self, program, cwd):
        """Starts a program in the background in its own process group."""
        return subprocess.Popen([WINE_RUN, program], env=self.env, cwd=cwd,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                start_new_session=True)

    # The probe.
    def probe(self, *args, timeout=60):
        """(exit code, output) of a probe command; the output holds the reason of a failure."""
        if self.server is None:
            # Started with the environment of the first question: the probe reads none of it.
            self.server = ProbeServer(PROBE, self.env)
        try:
            return self.server.ask(list(args), timeout=timeout)
        except Gone as e:
            raise Failure("probe %s failed: %s" % (" ".join(args), e))

    def windows(self):
        rc, out = self.probe("list")
        if rc != 0:
            raise Failure("probe list failed: " + out)
        return [json.loads(line) for line in out.splitlines() if line.strip()]

    def window(self, caption):
        for w in self.windows():
            if w["caption"] == caption and w["visible"]:
                return w
        return None

    def wait_window(self, caption, timeout_ms=20000):
        rc, _ = self.probe("wait", caption, str(timeout_ms), timeout=timeout_ms / 1000 + 30)
        return rc == 0

    def wait_gone(self, caption, timeout_ms=20000):
        rc, _ = self.probe("gone", caption, str(timeout_ms), timeout=timeout_ms / 1000 + 30)
        return rc == 0

    def press(self, caption, button):
        """Presses a button; asked again for a moment while a window is still being built."""
        for _ in range(5):
            rc, out = self.probe("press", caption, button)
            if rc == 0:
                return
            time.sleep(0.3)
        if rc != 0:
            raise Failure(f'cannot press "{button}" on "{caption}": {out}')

    def close(self, caption):
        rc, _ = self.probe("close", caption)
        if rc != 0:
            raise Failure(f'no window "{caption}" to close')

    # The registry; a key starts with its root (HKCR, HKCU, HKLM), value "" is the default.
    def reg_get(self, key, value=""):
        """The value's data as text (numbers in decimal), or None when there is none."""
        rc, out = self.probe("regget", key, value)
        return out.rstrip("\n") if rc == 0 else None

    def reg_set(self, key, value, data):
        """Sets a string value, creating the key."""
        rc, out = self.probe("regset", key, value, data)
        check(rc == 0, "cannot set %s\\%s: %s" % (key, value, out))

    def reg_delete(self, key, value=None):
        """Deletes the key with its subkeys, or one of its values; False when there was none."""
        rc, _ = self.probe("regdel", key, *([] if value is None else [value]))
        return rc == 0


class Orvanta:
    """Orvanta.exe started in a fresh working directory; always stopped when the block ends."""

    def __init__(self, wine):
        self.wine = wine
        self.workdir = tempfile.mkdtemp(prefix="orvanta-e2e-")
        self.process = None

    def __enter__(self):
        self.process = self.wine.start(PROGRAM, self.workdir)
        return self

    def exit_code(self, timeout=30):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure("Orvanta.exe did not end")

    def __exit__(self, kind, *_):
        running = self.process.poll() is None
        if running:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
        if kind is not None:
            # What the program was doing when the test failed: still running, or ended and how.
            # Wine's services started by the program may hold the pipe open: no waiting for
            # its end, only what is there.
            os.set_blocking(self.process.stdout.fileno(), False)
            output = (self.process.stdout.read() or b"").decode(errors="replace").strip()
            state = "still running" if running else "ended with %d" % self.process.returncode
            print("Orvanta.exe was %s when the test failed%s" %
                  (state, "; its output:\n" + output if output else ", with no output"))
        return False


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, timeout=30).stdout.decode()


def move_pointer(x, y):
    """Moves the pointer to a point of the screen and waits until it is there. xdotool's own
    wait (--sync) waits for a move, and with the pointer already there it gives up only after
    15 s."""
    place = dict(line.split("=", 1) for line in xdotool("getmouselocation", "--shell").split())
    if (place.get("X"), place.get("Y")) != (str(x), str(y)):
        xdotool("mousemove", "--sync", str(x), str(y))


def click_at(x, y):
    """A left click at a point of the screen."""
    move_pointer(x, y)
    xdotool("click", "1")


def client_origin(window):
    """The screen position of a window's client area, from the probe's description."""
    border = (window["width"] - window["clientWidth"]) // 2
    return (window["left"] + border,
            window["top"] + window["height"] - window["clientHeight"] - border)


def screenshot(name, display=None):
    """The whole X screen as a PNG, in the test's folder unless name is a path. ImageMagick's
    import reads what the screen shows; xwd reads translucent windows back black. Without
    time stamps, the same pixels give the same file."""
    path = name if os.path.isabs(name) else os.path.join(shots_dir, name)
    args = ([IMPORT] + (["-display", display] if display else []) +
            ["-window", "root", "-define", "png:exclude-chunk=date,time", path])
    subprocess.run(args, capture_output=True, timeout=60, check=True)
    return path


def settled_screenshot(name):
    """A screenshot once two in a row show the same pixels: what was just painted has reached
    the X server."""
    path = screenshot(name)
    before = None
    for _ in range(20):
        with open(path, "rb") as f:
            now = f.read()
        if now == before:
            break
        before = now
        time.sleep(0.3)
        screenshot(path)
    return path


class Picture:
    """The RGB pixels of a PNG."""

    def __init__(self, png):
        ppm = subprocess.run([CONVERT, png, "-depth", "8", "ppm:-"], capture_output=True,
                             timeout=60, check=True).stdout
        # "P6", width, height and the largest value; one blank before the pixels.
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", ppm)
        if not header:
            raise ValueError("not a PPM picture: " + png)
        self.width, self.height = int(header[1]), int(header[2])
        self.raw = ppm[header.end():]

    def contains(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.raw[at:at + 3])

    def rows(self, left, top, width, height):
        """The pixels of a rectangle, as rows of (r, g, b)."""
        return [[self.pixel(x, y) for x in range(left, left + width)]
                for y in range(top, top + height)]

    def dark_share(self, left, top, width, height):
        """The share of dark pixels (luma below 40 %) in a rectangle."""
        pixels = [p for row in self.rows(left, top, width, height) for p in row]
        dark = sum(0.2126 * r + 0.7152 * g + 0.0722 * b < 0.4 * 255 for r, g, b in pixels)
        return dark / len(pixels)


class Person:
    """Keyboard and mouse on the program's windows."""

    def __init__(self, wine):
        self.wine = wine

    def xid(self, caption):
        found = []

        def search():
            found[:] = xdotool("search", "--onlyvisible", "--name", "^%s$" % caption).split()
            return found

        # Wine reports the window shown before the X server has mapped it: the X side may lag.
        # The window found is the one used: a second search may catch X between two states.
        check(wait_until(search, seconds=10), f'no X window "{caption}"')
        return found[-1]

    def focus(self, caption=LOGIN):
        xdotool("windowfocus", "--sync", self.xid(caption))

    def type(self, text):
        xdotool("type", "--delay", "60", text)

    def key(self, *keys):
        xdotool("key", "--delay", "60", *keys)

    def click(self, x, y, caption=LOGIN):
        """Clicks at a point of the window's client area."""
        left, top = client_origin(self.wine.window(caption))
        click_at(left + x, top + y)

    def message(self, timeout_ms=20000):
        """The text of the message box now shown, answered with OK."""
        check(self.wine.wait_window(TITLE, timeout_ms), "no message box")
        box = self.wine.window(TITLE)
        texts = [c["text"] for c in box["children"] if c["class"] == "Static" and c["text"]]
        self.wine.press(TITLE, "OK")
        # This box: another of the same title may follow it at once.
        check(wait_until(lambda: not any(w["hwnd"] == box["hwnd"] and w["visible"]
                                         for w in self.wine.windows())), "message box stayed")
        return texts[-1] if texts else ""

    def no_message(self, seconds=3):
        return not self.wine.wait_window(TITLE, int(seconds * 1000))


def started(wine):
    """The person at the login window once it is shown. The first program in a fresh prefix also
    starts Wine's own services, which on a loaded machine can take most of a minute."""
    check(wine.wait_window(LOGIN, 60000), "the login window was not shown")
    person = Person(wine)
    person.focus()
    return person


def log_in(person, account, password="s3nha"):
    """Types the account, leaves it with Tab, types the password and presses Enter."""
    person.type(account)
    person.key("Tab")
    person.type(password)
    person.key("Return")


def in_session(wine, account="abc12def", password="s3nha"):
    """Logs in and waits for the maximised session window; returns the person."""
    person = started(wine)
    log_in(person, account, password)
    check(wine.wait_window(SESSION), "the session window was not shown")
    check(wait_until(lambda: wine.window(SESSION)["maximized"]), "session not maximised")
    return person


def field_texts(wine):
    """The texts of the login window's fields: account, password."""
    return [c["text"] for c in wine.window(LOGIN)["children"] if c["class"] == "Edit"]


def run(test):
    """Runs test(); prints the failure and returns 1 when it raises."""
    try:
        return test() or 0
    except Skip as e:
        print("skipped:", e)
        return SKIP
    except Failure as e:
        print("FAILED:", e)
        return 1


def main(cases, needs=(STANDIN_CONTROL,)):
    """Runs the case named by the first argument with a Wine of the test's prefix; skipped
    unless the files it needs were built."""
    global shots_dir
    script = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    case = sys.argv[1]
    shots_dir = os.path.join(BUILD_DIR, "e2e", "%s.%s" % (script, case))
    os.makedirs(shots_dir, exist_ok=True)

    def test():
        require(*needs)
        with Wine() as wine:
            return cases[case](wine)

    return run(test)
