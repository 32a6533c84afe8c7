#!/usr/bin/env python3
"""Checks the vendor stand-in over real sockets: endpoints, headers, log and misbehaviour."""

import http.client
import json
import os
import socket
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))


class VendorTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        d = cls.tmp.name
        cls.dir = d
        with open(cls.path("accounts.txt"), "w", encoding="utf-8") as f:
            f.write("# key=reply\nabcdef=srv01;3389\ntamberi_ruruvudud=127.0.0.5;3389\n"
                    "quebra=srv01;3389\\r\\n\n")
        os.makedirs(cls.path("store/ana"))
        with open(cls.path("store/ana/rel 1.pdf"), "wb") as f:
            f.write(b"%PDF-1.4 one")
        with open(cls.path("store/ana/b.pdf"), "wb") as f:
            f.write(b"%PDF-1.4 two")
        os.makedirs(cls.path("downloads/remoto/update/x64"))
        with open(cls.path("downloads/remoto/update/x64/atualiza.exe"), "wb") as f:
            f.write(b"MZ updater")
        cls.proc = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "vendor.py"),
             "--route", "127.0.0.1:0", "--site", "127.0.0.1:0", "--rdp-listen", "127.0.0.1:0",
             "--accounts", cls.path("accounts.txt"), "--store", cls.path("store"),
             "--downloads", cls.path("downloads"), "--version", "2.0\\r\\n",
             "--control", cls.path("control.json"), "--log", cls.path("log.txt"),
             "--ready", cls.path("ready")])
        for _ in range(100):
            if os.path.exists(cls.path("ready")):
                break
            time.sleep(0.05)
        with open(cls.path("ready"), encoding="utf-8") as f:
            cls.bound = dict(line.split() for line in f if line.strip())

    @classmethod
    def path(cls, name):
        return os.path.join(cls.dir, name)

    @classmethod
    def tearDownClass(cls):
        cls.proc.terminate()
        cls.proc.wait()
        cls.tmp.cleanup()

    def setUp(self):
        self.control([])

    def control(self, rules):
        with open(self.path("control.json"), "w", encoding="utf-8") as f:
            json.dump(rules, f)

    def get(self, role, target):
        host, port = self.bound[role].rsplit(":", 1)
        conn = http.client.HTTPConnection(host, int(port), timeout=10)
        conn.request("GET", target)
        answer = conn.getresponse()
        body = answer.read()
        conn.close()
        return answer, body

    def test_login_replies_raw_with_plain_html_headers(self):
        cases = [("abcdef", b"srv01;3389"), ("tamberi_ruruvudud", b"127.0.0.5;3389"),
                 ("quebra", b"srv01;3389\r\n"), ("ninguem", b"")]
        for key, reply in cases:
            answer, body = self.get("route", "/app/login.php?usuario=" + key)
            self.assertEqual(answer.status, 200)
            self.assertEqual(body, reply, key)
            self.assertEqual(answer.getheader("Content-Type"), "text/html")
            self.assertEqual(answer.getheader("Content-Length"), str(len(reply)))

    def test_store_lists_serves_and_removes(self):
        _, listing = self.get("route", "/ana/store/index.php")
        self.assertEqual(listing, b"b.pdf<br>rel 1.pdf<br>")
        _, data = self.get("route", "/ana/store/rel%201.pdf")
        self.assertEqual(data, b"%PDF-1.4 one")
        self.get("route", "/ana/store/remove.php?arquivo=rel%201.pdf")
        _, listing = self.get("route", "/ana/store/index.php")
        self.assertEqual(listing, b"b.pdf<br>")
        _, listing = self.get("route", "/ninguem/store/index.php")
        self.assertEqual(listing, b"")
        answer, _ = self.get("route", "/ana/store/..%2f..%2faccounts.txt")
        self.assertEqual(answer.status, 404)

    def test_site_version_downloads_and_root(self):
        _, version = self.get("site", "/remoto/update/versao.php")
        self.assertEqual(version, b"2.0\r\n")
        _, exe = self.get("site", "/remoto/update/x64/atualiza.exe")
        self.assertEqual(exe, b"MZ updater")
        answer, _ = self.get("site", "/remoto/update/x32/atualiza.exe")
        self.assertEqual(answer.status, 404)
        answer, page = self.get("site", "/")
        self.assertEqual(answer.status, 200)
        self.assertIn(b"Lessendra", page)

    def test_misbehaviour_rules(self):
        self.control([{"path": "/app/login.php?usuario=erro", "status": 500, "body": "falhou"},
                      {"path": "/app/login.php?usuario=volta", "redirect": "http://x/y"},
                      {"path": "/app/login.php?usuario=corta", "close": True}])
        answer, body = self.get("route", "/app/login.php?usuario=erro")
        self.assertEqual((answer.status, body), (500, b"falhou"))
        answer, _ = self.get("route", "/app/login.php?usuario=volta")
        self.assertEqual((answer.status, answer.getheader("Location")), (302, "http://x/y"))
        with self.assertRaises((http.client.HTTPException, ConnectionError)):
            self.get("route", "/app/login.php?usuario=corta")
        _, body = self.get("route", "/app/login.php?usuario=abcdef")
        self.assertEqual(body, b"srv01;3389")

    def test_log_and_rdp_listener(self):
        self.get("route", "/app/login.php?usuario=registro")
        host, port = self.bound["rdp"].rsplit(":", 1)
        with socket.create_connection((host, int(port)), timeout=10):
            pass
        deadline = time.time() + 5
        while time.time() < deadline:
            with open(self.path("log.txt"), encoding="utf-8") as f:
                log = f.read()
            if "RDP close" in log:
                break
            time.sleep(0.05)
        self.assertIn(self.bound["route"] + " GET /app/login.php?usuario=registro HTTP/1.1", log)
        self.assertIn("RDP connect", log)
        self.assertIn("RDP close", log)

    def test_rdp_drop_closes_held_connections_and_leaves_http_alone(self):
        host, port = self.bound["rdp"].rsplit(":", 1)
        with socket.create_connection((host, int(port)), timeout=10) as held:
            held.settimeout(0.5)
            with self.assertRaises(socket.timeout):
                held.recv(1)  # held open
            self.control([{"rdp": "drop"}])
            held.settimeout(5)
            self.assertEqual(held.recv(1), b"")  # closed by the server
            _, body = self.get("route", "/app/login.php?usuario=abcdef")
            self.assertEqual(body, b"srv01;3389")
        with open(self.path("log.txt"), encoding="utf-8") as f:
            self.assertIn("RDP drop", f.read())


if __name__ == "__main__":
    unittest.main()
