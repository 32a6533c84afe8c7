"""A private print system for tests that need real printers under Wine: Debian's CUPS daemon
with its own configuration, spool and socket in a temporary folder, started for one test and
stopped by its process id when the test ends, so no two runs share a print system and nothing
is left running. Wine lists its queues through EnumPrinters (by queue name, which cannot hold
blanks) when CUPS_SERVER names the socket."""

import os
import shutil
import subprocess
import tempfile
import time

CUPSD = "/usr/sbin/cupsd"
LPADMIN = "/usr/sbin/lpadmin"
# The PDF queue's description from printer-driver-cups-pdf.
PPD = "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"


def available():
    return all(os.path.exists(p) for p in (CUPSD, LPADMIN, PPD))


class PrintSystem:
    def __init__(self, queues=()):
        self.queues = list(queues)
        self.dir = tempfile.mkdtemp(prefix="orvanta-cups-")
        self.socket = os.path.join(self.dir, "cups.sock")
        self.process = None

    def _configure(self):
        for sub in ("spool", "cache", "state", "tmp", "log", "ppd"):
            os.mkdir(os.path.join(self.dir, sub))
        with open(os.path.join(self.dir, "cups-files.conf"), "w") as f:
            f.write(f"ServerRoot {self.dir}\nRequestRoot {self.dir}/spool\n"
                    f"CacheDir {self.dir}/cache\nStateDir {self.dir}/state\n"
                    f"TempDir {self.dir}/tmp\nErrorLog {self.dir}/log/error_log\n"
                    f"AccessLog {self.dir}/log/access_log\nPageLog {self.dir}/log/page_log\n"
                    "SystemGroup root\n")
        # Only the private socket: no network port, no printer sharing or discovery.
        with open(os.path.join(self.dir, "cupsd.conf"), "w") as f:
            f.write(f"Listen {self.socket}\nBrowsing No\nWebInterface No\nLogLevel warn\n"
                    "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                    "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n")

    def add(self, name):
        """A PDF queue; Wine lists it under this name. Right after starting, the daemon now and
        then drops a connection ("Bad file descriptor"); the next one is served."""
        for _ in range(5):
            done = subprocess.run([LPADMIN, "-h", self.socket, "-p", name, "-E", "-v",
                                   "cups-pdf:/", "-P", PPD], capture_output=True, timeout=30)
            if done.returncode == 0:
                return
            time.sleep(0.5)
        raise RuntimeError("lpadmin %s: %s" % (name, done.stderr.decode()))

    def __enter__(self):
        self._configure()
        self.process = subprocess.Popen(
            [CUPSD, "-f", "-c", os.path.join(self.dir, "cupsd.conf"),
             "-s", os.path.join(self.dir, "cups-files.conf")],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        deadline = time.time() + 20
        while subprocess.run(["lpstat", "-h", self.socket, "-r"], capture_output=True,
                             timeout=30).returncode != 0:
            if self.process.poll() is not None or time.time() > deadline:
                self.__exit__()
                raise RuntimeError("cupsd did not start: " + self._log())
            time.sleep(0.1)
        for name in self.queues:
            self.add(name)
        return self

    def _log(self):
        try:
            with open(os.path.join(self.dir, "log", "error_log")) as f:
                return f.read()
        except OSError:
            return ""

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.dir, ignore_errors=True)
        return False
