"""Frames per second of a moving pattern and the delay from a key press to the server seeing
it, through Orvanta's session window (stand-in control in its bridged mode) and through
xfreerdp, one after the other against the same server. Run by bench/run_rdp.sh, which starts
the display, the Wine prefix, the vendor stand-in, the server (with its pattern moving) and
the bridge, and exports what this needs."""

import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import orvanta_e2e as e2e  # noqa: E402
import rdp_server  # noqa: E402
from orvanta_e2e import SESSION  # noqa: E402

SERVER = "127.0.0.6:3389"
USER, PASSWORD = "demo2024", "s3nha"
KEYS_FILE = os.environ["ORVANTA_BENCH_KEYS"]
SECONDS = float(os.environ.get("ORVANTA_BENCH_SECONDS", "10"))
PRESSES = int(os.environ.get("ORVANTA_BENCH_PRESSES", "20"))


def key_lines():
    try:
        with open(KEYS_FILE) as f:
            return f.read().splitlines()
    except OSError:
        return []


def fps(display=None):
    env = dict(os.environ, DISPLAY=display) if display else None
    done = subprocess.run([rdp_server.DESK, "watch", str(SECONDS)], capture_output=True,
                          text=True, timeout=SECONDS + 60, env=env)
    if done.returncode != 0:
        raise e2e.Failure("rdpdesk watch: " + done.stderr.strip())
    return float(done.stdout)


def key_delays_ms():
    """Presses "a" PRESSES times into the focused client; each delay runs from just before the
    press to the server's screen program receiving it (both on CLOCK_MONOTONIC)."""
    delays = []
    for _ in range(PRESSES):
        before = len(key_lines())
        start = time.monotonic_ns()
        subprocess.run(["xdotool", "key", "a"], check=True, timeout=30)
        deadline = time.time() + 5
        while len(key_lines()) <= before:
            if time.time() > deadline:
                raise e2e.Failure("a key press never reached the server")
            time.sleep(0.001)
        seen = int(key_lines()[before].split()[0])
        delays.append((seen - start) / 1e6)
        time.sleep(0.1)
    return delays


def through_orvanta():
    wine = e2e.Wine()
    wine.env[rdp_server.BRIDGE_VARIABLE] = rdp_server.BRIDGE_ADDRESS
    with e2e.Orvanta(wine):
        person = e2e.started(wine)
        e2e.log_in(person, USER, PASSWORD)
        e2e.check(wine.wait_window(SESSION), "no session window")
        # Connected once the status alert has come and gone.
        time.sleep(6)
        person.focus(SESSION)
        person.click(500, 400, caption=SESSION)
        figures = fps(), key_delays_ms()
        wine.close(SESSION)
    return figures


def through_xfreerdp():
    client = subprocess.Popen(["xfreerdp", "/v:" + SERVER, "/u:" + USER, "/p:" + PASSWORD,
                               "/cert:ignore", "/size:1024x768", "/bpp:32", "/t:xfreerdp"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        e2e.check(e2e.wait_until(lambda: e2e.xdotool("search", "--name", "^xfreerdp$").strip()),
                  "no xfreerdp window")
        time.sleep(3)
        window = e2e.xdotool("search", "--name", "^xfreerdp$").split()[-1]
        e2e.xdotool("windowactivate", "--sync", window)
        return fps(), key_delays_ms()
    finally:
        client.terminate()
        client.wait()


def row(name, figures):
    frames, delays = figures
    return "%-28s %8.1f %10.1f %10.1f %10.1f" % (name, frames, statistics.median(delays),
                                                 min(delays), max(delays))


def main():
    server = fps(os.environ["ORVANTA_BENCH_SERVER_DISPLAY"])
    orvanta = through_orvanta()
    xfreerdp = through_xfreerdp()
    print("moving pattern at 60 fps; %.1f fps seen on the server's own screen; %d key presses; "
          "%.0f s of frames" % (server, PRESSES, SECONDS))
    print("%-28s %8s %10s %10s %10s" % ("client", "fps", "key med ms", "key min", "key max"))
    print(row("Orvanta (bridged control)", orvanta))
    print(row("xfreerdp", xfreerdp))
    return 0


if __name__ == "__main__":
    sys.exit(e2e.run(main))
