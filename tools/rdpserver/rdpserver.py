#!/usr/bin/env python3
"""A real remote desktop server on loopback, for end-to-end tests, the demo and the benchmark.

Starts, by process id, a private Xvfb (1024x768) as the server's own screen, rdpdesk on it
(colour bars, a title, the keys typed; see desk.cpp) and Debian's freerdp-shadow-cli serving
that screen with network level authentication for one account, so that wrong credentials
really fail. Runs until it is stopped (SIGTERM or SIGINT), then stops what it started.

    rdpserver.py --listen 127.0.0.6:3389 --user demo2024 --password s3nha \\
        --desk BUILD/tools/rdpserver/host/rdpdesk --dir WORKDIR [--keys FILE] [--move] \\
        [--ready FILE]

--ready is written with "ADDRESS DISPLAY" once the server accepts connections.
"""

import argparse
import os
import signal
import socket
import subprocess
import sys
import time

SHADOW = "freerdp-shadow-cli"
SIZE = "1024x768x24"


def start_xvfb(log):
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", SIZE,
                             "-nolisten", "tcp"], pass_fds=(write,), stdout=log, stderr=log)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    return xvfb, ":" + number


def sam_line(user, password):
    """The account in the NTLM SAM file format that the shadow server checks logons against."""
    done = subprocess.run(["winpr-hash", "-u", user, "-p", password, "-f", "sam"],
                          capture_output=True, text=True, check=True)
    return done.stdout.strip() + "\n"


def accepting(host, port):
    try:
        with socket.create_connection((host, port), timeout=0.5):
            return True
    except OSError:
        return False


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--listen", required=True, metavar="HOST:PORT")
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--desk", required=True, help="the rdpdesk program")
    parser.add_argument("--dir", required=True, help="working folder (logs, keys, certificate)")
    parser.add_argument("--keys", help="file that records the keys the server's screen receives")
    parser.add_argument("--move", action="store_true", help="animate the moving pattern")
    parser.add_argument("--ready")
    args = parser.parse_args()
    host, port = args.listen.rsplit(":", 1)
    os.makedirs(args.dir, exist_ok=True)
    log = open(os.path.join(args.dir, "server.log"), "a")
    sam = os.path.join(args.dir, "sam")
    with open(sam, "w") as f:
        f.write(sam_line(args.user, args.password))

    started = []

    def stop(code=0):
        for process in reversed(started):
            if process.poll() is None:
                process.terminate()
        for process in reversed(started):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        sys.exit(code)

    signal.signal(signal.SIGTERM, lambda *_: stop())
    signal.signal(signal.SIGINT, lambda *_: stop())
    try:
        xvfb, display = start_xvfb(log)
        started.append(xvfb)
        env = dict(os.environ, DISPLAY=display, HOME=args.dir)
        desk = [args.desk, "show"] + (["--keys", args.keys] if args.keys else [])
        desk += ["--move"] if args.move else []
        started.append(subprocess.Popen(desk, env=env, stdout=log, stderr=log))
        started.append(subprocess.Popen(
            [SHADOW, "/bind-address:" + host, "/port:" + port, "+auth", "/sec:nla",
             "/sam-file:" + sam], env=env, stdout=log, stderr=log, stdin=subprocess.DEVNULL))
        deadline = time.time() + 20
        while not accepting(host, int(port)):
            if time.time() > deadline or any(p.poll() is not None for p in started):
                raise RuntimeError("the shadow server did not start; see server.log")
            time.sleep(0.1)
        if args.ready:
            with open(args.ready + ".tmp", "w") as f:
                f.write("%s %s\n" % (args.listen, display))
            os.replace(args.ready + ".tmp", args.ready)
        while all(p.poll() is None for p in started):
            time.sleep(0.5)
        print("rdpserver: a process ended by itself; see server.log", file=sys.stderr)
    except Exception as e:  # noqa: BLE001 - reported, then everything is stopped
        print("rdpserver:", e, file=sys.stderr)
    stop(1)


if __name__ == "__main__":
    main()
