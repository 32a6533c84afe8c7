"""One long-lived probe (tools/probe, `probe serve`) in a Wine prefix: every question goes to
the same Wine process, since starting one costs a noticeable share of a second of processor
time and tests poll the probe several times a second."""

import os
import select
import signal
import subprocess
import time

END = b"#end "


class Gone(Exception):
    """The server ended or stopped answering."""


class ProbeServer:
    """Started when first asked; started again when it has died."""

    def __init__(self, probe, env):
        self.command = ["wine", probe, "serve"]
        self.env = dict(env)
        self.env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d")
        self.process = None
        self.pending = b""

    def ask(self, words, timeout=60, attempts=3):
        """(exit code, output) of one command, as the one-shot probe would end and print; a
        server that dies under a loaded Wine is started again and asked once more."""
        if any("\t" in w or "\n" in w for w in words):
            raise ValueError("a probe argument holds a tab or a line break: %r" % (words,))
        line = ("\t".join(words) + "\n").encode("utf-8")
        for attempt in range(attempts):
            try:
                if self.process is None:
                    self._start()
                return self._exchange(line, timeout)
            except Gone:
                self.stop()
                if attempt + 1 == attempts:
                    raise
                time.sleep(0.2)

    def stop(self):
        """Ends the server with its input, or kills its process group when it does not end."""
        if self.process is None:
            return
        process, self.process, self.pending = self.process, None, b""
        try:
            process.stdin.close()
        except OSError:
            pass
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
        process.stdout.close()

    def _start(self):
        self.process = subprocess.Popen(self.command, env=self.env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        start_new_session=True)

    def _exchange(self, line, timeout):
        try:
            self.process.stdin.write(line)
            self.process.stdin.flush()
        except OSError as e:
            raise Gone(str(e))
        deadline = time.monotonic() + timeout
        out = []
        while True:
            reply = self._line(deadline)
            if reply.startswith(END):
                return int(reply[len(END):]), "".join(out)
            out.append(reply.decode("utf-8", "replace") + "\n")

    def _line(self, deadline):
        """The next line the server wrote, without its line break."""
        fd = self.process.stdout.fileno()
        while b"\n" not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise Gone("no answer in time")
            # Wine's helper processes may hold the pipe open after the server died, so the
            # process itself is watched too.
            if not select.select([fd], [], [], min(left, 0.5))[0]:
                if self.process.poll() is not None:
                    raise Gone("ended with %d" % self.process.returncode)
                continue
            chunk = os.read(fd, 65536)
            if not chunk:
                raise Gone("ended")
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line
