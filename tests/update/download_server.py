#!/usr/bin/env python3
"""A loopback web site for the download windows' tests: serves files in timed pieces, answers
chosen paths with an error status, cuts chosen files short and logs every request line."""

import argparse
import os
import http.server
import socketserver
import sys
import time


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--host", default="127.0.0.1")
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--port-file", help="file that receives the chosen port")
    p.add_argument("--log", required=True)
    p.add_argument("--file", action="append", default=[], metavar="PATH=FILE")
    p.add_argument("--status", action="append", default=[], metavar="PATH=CODE")
    p.add_argument("--text", action="append", default=[], metavar="PATH=TEXT")
    p.add_argument("--truncate", action="append", default=[], metavar="PATH=BYTES",
                   help="announce the whole file of PATH, send only BYTES of it, then close")
    p.add_argument("--piece", type=int, default=4096, help="bytes per piece")
    p.add_argument("--pause-ms", type=int, default=0, help="pause before each piece")
    a = p.parse_args()

    files = dict(x.split("=", 1) for x in a.file)
    status = {k: int(v) for k, v in (x.split("=", 1) for x in a.status)}
    texts = dict(x.split("=", 1) for x in a.text)
    truncate = {k: int(v) for k, v in (x.split("=", 1) for x in a.truncate)}
    log = open(a.log, "a", buffering=1)

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def respond(self, code, body, type="text/html", sent=None):
            self.send_response(code)
            self.send_header("Content-Type", type)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if sent is not None:
                body = body[:sent]
                self.close_connection = True
            for i in range(0, len(body), a.piece):
                if a.pause_ms:
                    time.sleep(a.pause_ms / 1000)
                self.wfile.write(body[i:i + a.piece])
                self.wfile.flush()

        def do_GET(self):
            log.write(self.requestline + "\n")
            path = self.path
            if path in status:
                code = status[path]
                self.respond(code, b"<html><body>%d</body></html>" % code)
            elif path in files:
                with open(files[path], "rb") as f:
                    self.respond(200, f.read(), "application/octet-stream", truncate.get(path))
            elif path in texts:
                self.respond(200, texts[path].encode("latin-1"))
            else:
                self.respond(404, b"<html><body>404</body></html>")

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True
        allow_reuse_address = True

    server = Server((a.host, a.port), Handler)
    if a.port_file:
        with open(a.port_file + ".tmp", "w") as f:
            f.write(str(server.server_address[1]))
        os.replace(a.port_file + ".tmp", a.port_file)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
