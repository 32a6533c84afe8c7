"""The vendor stand-in (tools/vendor) on the fixed test addresses: the login service on both
routes, the site and a loopback listener for the remote desktop server, with the accounts,
rules and downloads a test gives it; started for one test and stopped when it ends."""

import json
import os
import subprocess
import sys
import tempfile
import time

import orvanta_e2e as e2e

VENDOR = os.path.join(e2e.SOURCE_DIR, "tools", "vendor", "vendor.py")
ROUTE = "127.0.0.2:52"
ROUTE_ALT = "127.0.0.3:52"
SITE = "127.0.0.4:8052"
RDP_SERVER = "127.0.0.5"
ACCOUNTS = {
    "abcdef": RDP_SERVER + ";3389",
    "tamberi_ruruvudud": RDP_SERVER + ";3389",
    "tamberi": RDP_SERVER + ";3389",
    "portaruim": "srv01;33x9",
    "a+b&c": RDP_SERVER + ";3389",
}


class Vendor:
    """The stand-in; its rules can change while it runs (set_rules)."""

    def __init__(self, routes=(ROUTE, ROUTE_ALT), site=True, version="2.0", rules=(),
                 accounts=ACCOUNTS, files=()):
        self.dir = tempfile.mkdtemp(prefix="orvanta-vendor-")
        self.log = os.path.join(self.dir, "vendor.log")
        accounts_file = os.path.join(self.dir, "accounts.txt")
        with open(accounts_file, "w", encoding="utf-8") as f:
            f.writelines(f"{k}={v}\n" for k, v in accounts.items())
        self.set_rules(rules)
        self.args = [sys.executable, VENDOR, "--accounts", accounts_file, "--version", version,
                     "--log", self.log, "--control", os.path.join(self.dir, "control.json"),
                     "--store", self.dir, "--rdp-listen", RDP_SERVER + ":3389",
                     "--ready", os.path.join(self.dir, "ready")]
        for route in routes:
            self.args += ["--route", route]
        if site:
            self.args += ["--site", SITE]
        for path, file in files:
            self.args += ["--file", path + "=" + file]

    def __enter__(self):
        self.process = subprocess.Popen(self.args)
        ready = os.path.join(self.dir, "ready")
        deadline = time.time() + 20
        while not os.path.exists(ready):
            e2e.check(self.process.poll() is None and time.time() < deadline,
                      "vendor stand-in did not start")
            time.sleep(0.05)
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait()
        return False

    def set_rules(self, rules):
        with open(os.path.join(self.dir, "control.json"), "w", encoding="utf-8") as f:
            json.dump(list(rules), f)

    def lines(self):
        return e2e.read(self.log).splitlines()

    def logins(self):
        return [line.split(" ")[0] + " " + line.split(" ")[2] for line in self.lines()
                if "/app/login.php" in line]
