"""Helpers for end-to-end tests: the real Orvanta.exe under Wine, looked at and driven with the
probe (tools/probe), xdotool and screenshots. CTest gives ORVANTA_BUILD_DIR and ORVANTA_SOURCE_DIR;
scripts/test gives DISPLAY."""

import json
import os
import signal
import subprocess
import tempfile
import time

BUILD_DIR = os.environ.get("ORVANTA_BUILD_DIR", "")
SOURCE_DIR = os.environ.get("ORVANTA_SOURCE_DIR", "")
WINE_RUN = os.path.join(SOURCE_DIR, "scripts", "lib", "wine-run")
PROGRAM = os.path.join(BUILD_DIR, "Orvanta.exe")
PROBE = os.path.join(BUILD_DIR, "tools", "probe", "probe.exe")
STANDIN_CONTROL = os.path.join(BUILD_DIR, "tools", "rdpstub", "rdpstub.dll")

# ImageMagick's own convert, not a wrapper earlier on the PATH.
CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"

SKIP = 77  # CTest SKIP_RETURN_CODE


class Failure(Exception):
    pass


def prefix(kind=""):
    """The prefix scripts/test prepared: with the stand-in control, or "bare" without it."""
    return os.path.join(BUILD_DIR, "wineprefix-bare" if kind == "bare" else "wineprefix")


class Wine:
    """Runs programs in one prefix with a UTF-8 locale (window captions are not ASCII)."""

    def __init__(self, prefix_dir):
        self.env = dict(os.environ, WINEPREFIX=prefix_dir, WINEDEBUG="-all", LANG="C.UTF-8",
                        LC_ALL="C.UTF-8")

    def run(self, *args, timeout=60):
        done = subprocess.run([WINE_RUN, *args], env=self.env, capture_output=True, timeout=timeout)
        out = done.stdout.decode("utf-8", "replace")
        if done.returncode != 0:
            out += done.stderr.decode("utf-8", "replace")  # the reason, for the failure's text
        return done.returncode, out

    def start(self, program, cwd):
        """Starts a program in the background in its own process group."""
        return subprocess.Popen([WINE_RUN, program], env=self.env, cwd=cwd,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                start_new_session=True)

    # The probe.
    def probe(self, *args, timeout=60):
        """Runs the probe; a run that ends with a code of its own (0 to 2) is final. Polled
        while the program's windows come and go, the probe now and then ends under Wine with
        no output and another code; the next run succeeds."""
        for _ in range(3):
            rc, out = self.run(PROBE, *args, timeout=timeout)
            if rc in (0, 1, 2):
                return rc, out
            time.sleep(0.2)
        raise Failure("probe %s failed (exit code %d): %s" % (" ".join(args), rc, out))

    def windows(self):
        # "list" itself only ever ends with 0, so any other code is the Wine hiccup above.
        for _ in range(3):
            rc, out = self.probe("list")
            if rc == 0:
                break
            time.sleep(0.2)
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

    def __exit__(self, *exc):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
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


def screenshot(path):
    """The whole X screen as a PNG."""
    xwd = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, timeout=30, check=True)
    subprocess.run([CONVERT, "xwd:-", path], input=xwd.stdout, timeout=60, check=True)
    return path


def check(condition, message):
    if not condition:
        raise Failure(message)


def main(test):
    """Runs test(); prints the failure and returns 1 when it raises."""
    try:
        return test() or 0
    except Failure as e:
        print("FAILED:", e)
        if os.environ.get("DISPLAY"):
            shot = os.path.join(BUILD_DIR, "e2e-failure-%d.png" % int(time.time()))
            try:
                print("screenshot:", screenshot(shot))
            except (OSError, subprocess.SubprocessError):
                pass
        return 1
