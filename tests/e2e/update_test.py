"""The self-update as a person meets it: a newer published version, OK on the message, the
update window's bar, the updater started and the client gone; and an update that is not there."""

import os
import subprocess
import sys
import tempfile
import time

import orvanta_e2e as e2e

# The loopback web site of the download windows' tests.
DOWNLOAD_SERVER = os.path.join(e2e.SOURCE_DIR, "tests", "update", "download_server.py")
SITE_HOST, SITE_PORT = "127.0.0.4", "8052"
STUB = e2e.SIGNED_STANDIN
NEW_VERSION_TEXT = "Uma nova versão está disponível. Clique em OK para atualizar"
CAPTION = "Download em andamento..."


class Site:
    """The vendor web site on the configured address: a newer version and the updater, sent in
    small timed pieces so that the bar visibly moves, for some seconds: the probe looks at it
    only every second or two on a loaded machine."""

    def __init__(self, updater_status=None, truncate_at=None):
        self.dir = tempfile.mkdtemp(prefix="orvanta-site-")
        self.log = os.path.join(self.dir, "requests.log")
        args = [sys.executable, DOWNLOAD_SERVER,
                "--host", SITE_HOST, "--port", SITE_PORT, "--log", self.log,
                "--port-file", os.path.join(self.dir, "port"),
                "--piece", "2048", "--pause-ms", "300",
                "--text", "/remoto/update/versao.php=2.1"]
        for bits in ("x64", "x32"):
            path = "/remoto/update/%s/atualiza.exe" % bits
            if updater_status:
                args += ["--status", "%s=%d" % (path, updater_status)]
            else:
                args += ["--file", "%s=%s" % (path, STUB)]
            if truncate_at:
                args += ["--truncate", "%s=%d" % (path, truncate_at)]
        self.process = subprocess.Popen(args)
        for _ in range(100):
            if os.path.exists(os.path.join(self.dir, "port")):
                break
            time.sleep(0.05)

    def requests(self):
        with open(self.log, encoding="latin-1") as f:
            return f.read().splitlines()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait()
        return False


def texts(window):
    return [c["text"] for c in window["children"]]


def answer_new_version(wine):
    e2e.check(wine.wait_window("Orvanta", 30000), "no message about the new version")
    box = wine.window("Orvanta")
    e2e.check(NEW_VERSION_TEXT in texts(box), "message texts: %s" % texts(box))
    wine.press("Orvanta", "OK")
    e2e.check(wine.wait_window(CAPTION, 10000), "the update window was not shown")


def bar(wine):
    window = wine.window(CAPTION)
    if window is None:
        return None
    for c in window["children"]:
        if "position" in c:
            return c["position"], c["max"]
    return None


def update_replaces_the_client(wine):
    with Site() as site, e2e.Orvanta(wine) as orvanta:
        answer_new_version(wine)
        seen = set()
        while orvanta.process.poll() is None and len(seen) < 50:
            state = bar(wine)
            if state is None:
                break
            seen.add(state)
        positions = sorted(p for p, _ in seen)
        e2e.check(len({p for p in positions if 0 < p}) >= 2,
                  "the bar did not move: %s" % positions)
        code = orvanta.exit_code(timeout=60)
        ended = time.time()
        e2e.check(code == 0, "exit code %d" % code)
        marker = os.path.join(orvanta.workdir, "atualiza.exe.executado")
        e2e.check(os.path.exists(marker), "the updater did not run")
        with open(os.path.join(orvanta.workdir, "atualiza.exe"), "rb") as f, \
                open(STUB, "rb") as g:
            e2e.check(f.read() == g.read(), "the downloaded updater differs")
        # The client ends on its own after it started the updater: not before the updater ran,
        # and without being closed. The second it waits is timed by the Windows test; here the
        # gap also holds Wine's teardown of the process, which grows with the machine's load.
        gap = ended - os.path.getmtime(marker)
        e2e.check(0.3 <= gap <= 15, "the client ended %.1f s after the updater ran" % gap)
        e2e.check("GET /remoto/update/x64/atualiza.exe HTTP/1.1" in site.requests(),
                  "requests: %s" % site.requests())
    return 0


def failed_update_returns_to_the_login(site_options, shown):
    """A failed download: one error box, then the update window closes by itself, the login
    window is back and usable and no partial updater is left in the working directory."""
    def case(wine):
        with Site(**site_options), e2e.Orvanta(wine) as orvanta:
            answer_new_version(wine)
            e2e.check(wine.wait_window("Orvanta", 20000), "no error box")
            box = wine.window("Orvanta")
            e2e.check(shown in texts(box), "error box texts: %s" % texts(box))
            state = bar(wine)
            e2e.check(state is not None and state[0] == 0,
                      "the bar behind the error box: %s" % (state,))
            wine.press("Orvanta", "OK")
            e2e.check(wine.wait_gone(CAPTION, 10000), "the update window stayed")
            e2e.check(not wine.wait_window("Orvanta", 3000), "a second box appeared")
            login = wine.window("Login Orvanta")
            e2e.check(login is not None and login["enabled"], "the login window is not usable")
            e2e.check(all(c["enabled"] for c in login["children"] if c["class"] == "Button"),
                      "login buttons disabled")
            e2e.check(not os.path.exists(os.path.join(orvanta.workdir, "atualiza.exe")),
                      "the failed download left atualiza.exe")
            # Two completion checks' time: nothing is started behind the user's back.
            time.sleep(12)
            e2e.check(not os.path.exists(os.path.join(orvanta.workdir, "atualiza.exe.executado")),
                      "the failed download was started")
            e2e.check(orvanta.process.poll() is None, "the client ended")
            wine.close("Login Orvanta")
            code = orvanta.exit_code()
            e2e.check(code == 0, "exit code %d after closing the login window" % code)
        return 0
    return case


CASES = {
    "replaces-client": update_replaces_the_client,
    "missing-updater": failed_update_returns_to_the_login({"updater_status": 404},
                                                          "HTTP/1.1 404 Not Found."),
    "truncated-updater": failed_update_returns_to_the_login({"truncate_at": 3000},
                                                            "Connection Closed Gracefully."),
}


if __name__ == "__main__":
    sys.exit(e2e.main(CASES))
