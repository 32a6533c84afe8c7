"""A real remote desktop for end-to-end tests: the test server (tools/rdpserver: Xvfb, the
screen program and FreeRDP's shadow server with authentication) and the RDP bridge that the
stand-in control's bridged mode talks to. Both are started for one test and stopped by their
process ids when it ends."""

import os
import subprocess
import sys
import tempfile
import time

import orvanta_e2e as e2e

SERVER_SCRIPT = os.path.join(e2e.SOURCE_DIR, "tools", "rdpserver", "rdpserver.py")
DESK = os.path.join(e2e.BUILD_DIR, "tools", "rdpserver", "host", "rdpdesk")
BRIDGE = os.path.join(e2e.BUILD_DIR, "tools", "rdpbridge", "host", "rdpbridge")
SHADOW = "/usr/bin/freerdp-shadow-cli"
# Apart from the plain stand-in's server (127.0.0.5:3389) so both can run at once.
SERVER_ADDRESS = "127.0.0.6:3389"
BRIDGE_ADDRESS = "127.0.0.7:3390"
BRIDGE_VARIABLE = "ORVANTA_RDPSTUB_BRIDGE"


def require():
    """Skips the test unless the server's and the bridge's programs are there."""
    e2e.require(DESK, BRIDGE, SHADOW)


def wait_file(path, process, what, seconds=30):
    deadline = time.time() + seconds
    while not os.path.exists(path):
        e2e.check(process.poll() is None, what + " ended at start")
        e2e.check(time.time() < deadline, what + " did not start")
        time.sleep(0.05)


class Server:
    """The remote desktop server for one account; keys() are those its screen received."""

    def __init__(self, user, password, move=False):
        self.dir = tempfile.mkdtemp(prefix="orvanta-rdpserver-")
        self.keys_file = os.path.join(self.dir, "keys")
        self.args = [sys.executable, SERVER_SCRIPT, "--listen", SERVER_ADDRESS, "--user", user,
                     "--password", password, "--desk", DESK, "--dir", self.dir,
                     "--keys", self.keys_file, "--ready", os.path.join(self.dir, "ready")]
        if move:
            self.args.append("--move")
        self.process = None
        self.display = None

    def __enter__(self):
        self.process = subprocess.Popen(self.args)
        ready = os.path.join(self.dir, "ready")
        wait_file(ready, self.process, "the remote desktop server")
        with open(ready) as f:
            self.display = f.read().split()[1]
        return self

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=30)

    def __exit__(self, *exc):
        self.stop()
        return False

    def keys(self):
        try:
            with open(self.keys_file) as f:
                return [line.split()[1] for line in f if line.strip()]
        except OSError:
            return []

    def screenshot(self, name):
        """The server's own screen as a PNG."""
        return e2e.screenshot(name, display=self.display)


class Bridge:
    """The RDP bridge on its fixed address; its log holds one line per session event."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="orvanta-rdpbridge-")
        self.log = os.path.join(self.dir, "bridge.log")
        self.process = None

    def __enter__(self):
        ready = os.path.join(self.dir, "ready")
        with open(self.log, "w") as log:
            self.process = subprocess.Popen([BRIDGE, "--listen", BRIDGE_ADDRESS, "--ready", ready],
                                            stdout=log, stderr=log)
        wait_file(ready, self.process, "the RDP bridge")
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait(timeout=30)
        return False

    def lines(self):
        with open(self.log, errors="replace") as f:
            return [line.rstrip("\n") for line in f if line.startswith("rdpbridge[")]

