#!/usr/bin/env python3
"""Stand-in for the vendor's HTTP service, for tests and the demo.

Serves, on each --route listener: app/login.php?usuario=KEY (from the accounts file),
<user>/store/index.php, <user>/store/<file>, <user>/store/remove.php?arquivo=<file>;
on the --site listener: remoto/update/versao.php, the downloads folder's tree and the
site root. Every request is logged as one line. A JSON control file, read again on each
request, makes chosen requests misbehave:

  [{"host": "127.0.0.2", "path": "/app/login.php", "status": 500},
   {"path": "/remoto/update/versao.php", "delay": 3},
   {"path": "/app/", "redirect": "http://127.0.0.3:52/app/login.php?usuario=x"},
   {"path": "/app/", "close": true}, {"path": "/x", "truncate": true, "body": "abcdef"}]

"host" and "path" (a prefix of the request target) select; the first rule that matches wins.
A rule with "times": N applies to its first N matching requests only.
Optionally --rdp-listen opens a TCP listener that accepts and holds connections, standing
for a remote desktop server; while the control file holds {"rdp": "drop"} it closes them
(held ones within a tenth of a second, new ones at once), as a server that drops its clients.
"""

import argparse
import http.server
import json
import mimetypes
import os
import socket
import socketserver
import sys
import threading
import time
import urllib.parse

SITE_PAGE = (b"<html><head><title>Lessendra</title></head>"
             b"<body><h1>Lessendra - Orvanta</h1><p>Suporte</p></body></html>")


def unescape(text):
    return text.replace("\\r", "\r").replace("\\n", "\n").replace("\\\\", "\\")


def read_accounts(path):
    accounts = {}
    if not path:
        return accounts
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line or line.startswith("#") or "=" not in line:
                continue
            key, reply = line.split("=", 1)
            accounts[key] = unescape(reply)
    return accounts


def split_hostport(text):
    host, _, port = text.rpartition(":")
    return host, int(port)


class Log:
    def __init__(self, path):
        self.lock = threading.Lock()
        self.file = open(path, "a", encoding="utf-8") if path else sys.stdout

    def line(self, text):
        with self.lock:
            self.file.write(text + "\n")
            self.file.flush()


class Service:
    def __init__(self, args):
        self.args = args
        self.log = Log(args.log)
        self.files = dict(item.split("=", 1) for item in args.file)
        self.used = {}  # how often each rule with "times" has applied
        self.used_lock = threading.Lock()

    def accounts(self):
        return read_accounts(self.args.accounts)

    def version(self):
        if self.args.version_file:
            with open(self.args.version_file, "rb") as f:
                return f.read()
        return unescape(self.args.version).encode("utf-8")

    def rules(self):
        path = self.args.control
        if not path or not os.path.exists(path):
            return []
        try:
            with open(path, encoding="utf-8") as f:
                return json.load(f)
        except (OSError, ValueError):
            return []

    def rdp_dropped(self):
        return any(rule.get("rdp") == "drop" for rule in self.rules())

    def rule_for(self, host, target):
        for rule in self.rules():
            if "rdp" in rule:
                continue
            if rule.get("host") not in (None, host):
                continue
            if not target.startswith(rule.get("path", "")):
                continue
            if "times" in rule:
                key = json.dumps(rule, sort_keys=True)
                with self.used_lock:
                    if self.used.get(key, 0) >= int(rule["times"]):
                        continue
                    self.used[key] = self.used.get(key, 0) + 1
            return rule
        return None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    service = None  # set per listener
    role = None

    def log_message(self, fmt, *args):
        pass

    def do_GET(self):
        host, port = self.server.server_address[:2]
        self.service.log.line(f"{host}:{port} {self.requestline}")
        rule = self.service.rule_for(host, self.path)
        if rule:
            if not self.misbehave(rule):
                return
        if self.role == "site":
            self.site()
        else:
            self.route()

    def misbehave(self, rule):
        """Applies a control rule; returns True when the normal answer should follow."""
        if rule.get("delay"):
            time.sleep(float(rule["delay"]))
        if rule.get("close"):
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
            return False
        if rule.get("redirect"):
            self.answer(b"", status=int(rule.get("status", 302)),
                        extra={"Location": rule["redirect"]})
            return False
        if rule.get("truncate"):
            body = rule.get("body", "truncated body").encode("utf-8")
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
            return False
        if "status" in rule or "body" in rule:
            self.answer(rule.get("body", "").encode("utf-8"), status=int(rule.get("status", 200)))
            return False
        return True

    def answer(self, body, status=200, content_type="text/html", extra=None):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in (extra or {}).items():
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def not_found(self):
        self.answer(b"<html><body>404 Not Found</body></html>", status=404)

    def site(self):
        parsed = urllib.parse.urlsplit(self.path)
        path = urllib.parse.unquote(parsed.path)
        if path == "/":
            self.answer(SITE_PAGE)
        elif path == "/remoto/update/versao.php":
            self.answer(self.service.version())
        elif path in self.service.files:
            self.send_file(self.service.files[path])
        elif self.service.args.downloads:
            root = os.path.realpath(self.service.args.downloads)
            local = os.path.realpath(os.path.join(root, path.lstrip("/")))
            if local.startswith(root + os.sep) and os.path.isfile(local):
                self.send_file(local)
            else:
                self.not_found()
        else:
            self.not_found()

    def send_file(self, local):
        with open(local, "rb") as f:
            data = f.read()
        kind = mimetypes.guess_type(local)[0] or "application/octet-stream"
        self.answer(data, content_type=kind)

    def route(self):
        parsed = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(parsed.query, keep_blank_values=True)
        if parsed.path == "/app/login.php":
            key = query.get("usuario", [""])[0]
            reply = self.service.accounts().get(key, "")
            self.answer(reply.encode("utf-8"))
            return
        parts = urllib.parse.unquote(parsed.path).lstrip("/").split("/", 2)
        if len(parts) == 3 and parts[1] == "store" and self.service.args.store:
            self.store(parts[0], parts[2], query)
        else:
            self.not_found()

    def store(self, user, name, query):
        folder = os.path.join(os.path.realpath(self.service.args.store), user)
        if "/" in user or user in ("", ".", ".."):
            self.not_found()
        elif name == "index.php":
            names = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
            # Each name followed by "<br>", as the service writes its listing.
            self.answer("".join(name + "<br>" for name in names).encode("utf-8"))
        elif name == "remove.php":
            entry = query.get("arquivo", [""])[0]
            local = os.path.join(folder, entry)
            if entry and "/" not in entry and os.path.isfile(local):
                os.remove(local)
            self.answer(b"")
        elif "/" not in name and os.path.isfile(os.path.join(folder, name)):
            self.send_file(os.path.join(folder, name))
        else:
            self.not_found()


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def serve_http(service, address, role):
    handler = type(f"{role}Handler", (Handler,), {"service": service, "role": role})
    server = Server(split_hostport(address), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def serve_rdp(service, address):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(split_hostport(address))
    listener.listen(8)

    def hold(conn, peer):
        service.log.line(f"RDP connect {peer[0]}:{peer[1]}")
        with conn:
            conn.settimeout(0.1)
            while not service.rdp_dropped():
                try:
                    if not conn.recv(4096):
                        break
                except socket.timeout:
                    continue
            else:
                service.log.line(f"RDP drop {peer[0]}:{peer[1]}")
        service.log.line(f"RDP close {peer[0]}:{peer[1]}")

    def accept():
        while True:
            conn, peer = listener.accept()
            threading.Thread(target=hold, args=(conn, peer), daemon=True).start()

    threading.Thread(target=accept, daemon=True).start()
    return listener


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--route", action="append", default=[], metavar="HOST:PORT",
                        help="login and store listener (repeat for each route)")
    parser.add_argument("--site", metavar="HOST:PORT", help="web site listener")
    parser.add_argument("--accounts", help="file of KEY=REPLY lines (\\r, \\n escapes)")
    parser.add_argument("--store", help="folder with one sub-folder of documents per user")
    parser.add_argument("--version", default="2.0", help="published client version text")
    parser.add_argument("--version-file", help="file holding the version text, read per request")
    parser.add_argument("--downloads", help="folder whose tree the site serves")
    parser.add_argument("--file", action="append", default=[], metavar="URLPATH=LOCAL",
                        help="serve one local file at a site path")
    parser.add_argument("--control", help="JSON misbehaviour rules, read per request")
    parser.add_argument("--log", help="request log (default: standard output)")
    parser.add_argument("--rdp-listen", metavar="HOST:PORT", help="remote desktop server stand-in")
    parser.add_argument("--ready", help="written with the bound addresses once listening")
    args = parser.parse_args(argv)

    service = Service(args)
    bound = []
    for address in args.route:
        server = serve_http(service, address, "route")
        bound.append("route %s:%d" % server.server_address[:2])
    if args.site:
        server = serve_http(service, args.site, "site")
        bound.append("site %s:%d" % server.server_address[:2])
    if args.rdp_listen:
        listener = serve_rdp(service, args.rdp_listen)
        bound.append("rdp %s:%d" % listener.getsockname()[:2])
    if args.ready:
        with open(args.ready + ".tmp", "w", encoding="utf-8") as f:
            f.write("\n".join(bound) + "\n")
        os.replace(args.ready + ".tmp", args.ready)
    try:
        threading.Event().wait()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
