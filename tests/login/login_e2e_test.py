"""The login window driven as a person would: xdotool types and clicks, the probe reads the
windows and answers message boxes, the vendor stand-in and the stand-in control keep logs."""

import json
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import orvanta_e2e as e2e  # noqa: E402

VENDOR = os.path.join(e2e.SOURCE_DIR, "tools", "vendor", "vendor.py")
ROUTE = "127.0.0.2:52"
ROUTE_ALT = "127.0.0.3:52"
SITE = "127.0.0.4:8052"
RDP_SERVER = "127.0.0.5"
LOGIN = "Login Orvanta"
SESSION = "Orvanta - Lessendra"
TITLE = "Orvanta"  # message boxes
NOT_FOUND = "Usuário não encontrado"
FAILURE = "Parâmetros incorretos ou sem acesso à internet - Considere usar a Rota Alternativa"
STANDIN_LOG_VARIABLE = "ORVANTA_RDPSTUB_LOG"
SESSION_ORDER = ("UserName", "ClearTextPassword", "DesktopWidth", "DesktopHeight", "Server", "RDPPort")
NEW_VERSION = "Uma nova versão está disponível. Clique em OK para atualizar"
ALT_WARNING = "Utilize essa opção apenas se a conexão normal estiver apresentando instabilidade"
# Where the site selector's options lie in the login window's client area.
SITE_OPTION_LEFT = {"Ruruvudud": 308, "Rozevuv": 424}
SITE_OPTION_TOP = 214
ACCOUNTS = {
    "abcdef": RDP_SERVER + ";3389",
    "tamberi_ruruvudud": RDP_SERVER + ";3389",
    "tamberi": RDP_SERVER + ";3389",
    "portaruim": "srv01;33x9",
    "a+b&c": RDP_SERVER + ";3389",
}


class Vendor:
    """The vendor stand-in on the fixed test addresses, stopped when the block ends."""

    def __init__(self, routes=(ROUTE, ROUTE_ALT), site=True, version="2.0", rules=(),
                 accounts=ACCOUNTS):
        self.dir = tempfile.mkdtemp(prefix="orvanta-vendor-")
        self.log = os.path.join(self.dir, "vendor.log")
        accounts_file = os.path.join(self.dir, "accounts.txt")
        with open(accounts_file, "w", encoding="utf-8") as f:
            f.writelines(f"{k}={v}\n" for k, v in accounts.items())
        with open(os.path.join(self.dir, "control.json"), "w", encoding="utf-8") as f:
            json.dump(list(rules), f)
        self.args = [sys.executable, VENDOR, "--accounts", accounts_file, "--version", version,
                     "--log", self.log, "--control", os.path.join(self.dir, "control.json"),
                     "--store", self.dir, "--rdp-listen", RDP_SERVER + ":3389",
                     "--ready", os.path.join(self.dir, "ready")]
        for route in routes:
            self.args += ["--route", route]
        if site:
            self.args += ["--site", SITE]

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

    def lines(self):
        with open(self.log, encoding="utf-8") as f:
            return [line.rstrip("\n") for line in f]

    def logins(self):
        return [line.split(" ")[0] + " " + line.split(" ")[2] for line in self.lines()
                if "/app/login.php" in line]


def wait_until(condition, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return False


class Person:
    """Keyboard and mouse on the login window."""

    def __init__(self, wine):
        self.wine = wine

    def xid(self, caption):
        found = []

        def search():
            found[:] = e2e.xdotool("search", "--onlyvisible", "--name", "^%s$" % caption).split()
            return found

        # Wine reports the window shown before the X server has mapped it: the X side may lag.
        # The window found is the one used: a second search may catch X between two states.
        e2e.check(wait_until(search, seconds=10), f'no X window "{caption}"')
        return found[-1]

    def focus(self, caption=LOGIN):
        e2e.xdotool("windowfocus", "--sync", self.xid(caption))

    def type(self, text):
        e2e.xdotool("type", "--delay", "60", text)

    def key(self, *keys):
        e2e.xdotool("key", "--delay", "60", *keys)

    def click(self, x, y, caption=LOGIN):
        """Clicks at a point of the window's client area."""
        w = self.wine.window(caption)
        left = w["left"] + (w["width"] - w["clientWidth"]) // 2
        top = w["top"] + w["height"] - w["clientHeight"] - (w["width"] - w["clientWidth"]) // 2
        e2e.click_at(left + x, top + y)

    def message(self, timeout_ms=20000):
        """The text of the message box now shown, answered with OK."""
        e2e.check(self.wine.wait_window(TITLE, timeout_ms), "no message box")
        box = self.wine.window(TITLE)
        texts = [c["text"] for c in box["children"] if c["class"] == "Static" and c["text"]]
        self.wine.press(TITLE, "OK")
        e2e.check(self.wine.wait_gone(TITLE), "message box stayed")
        return texts[-1] if texts else ""

    def no_message(self, seconds=3):
        return not self.wine.wait_window(TITLE, int(seconds * 1000))


def login_children(wine):
    return wine.window(LOGIN)["children"]


def field_texts(wine):
    return [c["text"] for c in login_children(wine) if c["class"] == "Edit"]


def started(wine):
    e2e.check(wine.wait_window(LOGIN), "the login window was not shown")
    person = Person(wine)
    person.focus()
    return person


def read(path):
    """The text of a file another process appends to; empty until it exists."""
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read()
    except FileNotFoundError:
        return ""


def log_in(person, account, password="s3nha"):
    """Types the account, leaves it with Tab, types the password and presses Enter."""
    person.type(account)
    person.key("Tab")
    person.type(password)
    person.key("Return")


def good_login(wine):
    standin_log = os.path.join(tempfile.mkdtemp(prefix="orvanta-rdpstub-"), "control.log")
    wine.env[STANDIN_LOG_VARIABLE] = standin_log
    with Vendor() as vendor, e2e.Orvanta(wine):
        person = started(wine)
        log_in(person, "abc12def", "s3nha")
        e2e.check(wine.wait_window(SESSION), "the session window was not shown")
        e2e.check(wait_until(lambda: wine.window(SESSION)["maximized"]), "session not maximised")
        # Maximised, it fills the screen: its frame lies at or beyond every edge and its client
        # area is as wide as the screen.
        width, height = (int(n) for n in e2e.xdotool("getdisplaygeometry").split())
        session = wine.window(SESSION)
        e2e.check(session["left"] <= 0 and session["top"] <= 0 and
                  session["left"] + session["width"] >= width and
                  session["top"] + session["height"] >= height and
                  session["clientWidth"] == width,
                  "session window %s on a %dx%d screen" % (
                      {k: session[k] for k in ("left", "top", "width", "height", "clientWidth",
                                               "clientHeight")}, width, height))
        e2e.check(wine.window(LOGIN) is None, "the login window is still visible")
        e2e.check(vendor.logins() == [ROUTE + " /app/login.php?usuario=abcdef"],
                  "login requests: %s" % vendor.logins())
        e2e.check(wait_until(lambda: any(l.startswith("RDP connect") for l in vendor.lines())),
                  "the stand-in control never reached the server")
        e2e.check(wait_until(lambda: "OnConnected" in read(standin_log)), "never connected")
        lines = read(standin_log).splitlines()
        puts = [(i, line.split(" put ", 1)[1].split(" ", 1)) for i, line in enumerate(lines)
                if " put " in line]
        session = [(name, value) for _, (name, *value) in puts if name in SESSION_ORDER]
        # Writes through IDispatch carry their variant type: text as BSTR (8), numbers as I4 (3).
        expected = [("UserName", ["vt=8 abc12def"]), ("ClearTextPassword", ["s3nha"]),
                    ("DesktopWidth", ["vt=3 1024"]), ("DesktopHeight", ["vt=3 768"]),
                    ("Server", ["vt=8 " + RDP_SERVER]), ("RDPPort", ["3389"])]
        e2e.check(session == expected, "session settings: %s" % session)
        port_line = max(i for i, (name, _) in puts if name == "RDPPort")
        connect = [i for i, line in enumerate(lines) if line.endswith(" Connect")]
        e2e.check(connect and connect[0] > port_line, "Connect before the settings")
        redirections = [name for i, (name, _) in puts if port_line < i < connect[0]]
        e2e.check("RedirectPrinters" in redirections, "redirections: %s" % redirections)
        events = [line.split()[2] for line in lines if line.startswith("event ")]
        e2e.check("OnConnecting" in events and "OnConnected" in events and
                  events.index("OnConnecting") < events.index("OnConnected"),
                  "events: %s" % events)
        _, registry = wine.run("reg", "query",
                               r"HKCU\Software\Microsoft\Terminal Server Client\Default\AddIns\RDPDR",
                               "/v", "FilterQueueType")
        e2e.check("FilterQueueType" in registry, "registry value missing: " + registry)
        e2e.screenshot(os.path.join(e2e.BUILD_DIR, "e2e-login-session.png"))
    return 0


def unknown_account(wine):
    with Vendor() as vendor, e2e.Orvanta(wine):
        person = started(wine)
        log_in(person, "ninguem7", "x1")
        e2e.check(person.message() == NOT_FOUND, "unknown account message")
        e2e.check(vendor.logins() == [ROUTE + " /app/login.php?usuario=ninguem"],
                  "login requests: %s" % vendor.logins())
        e2e.check(field_texts(wine) == ["ninguem7", "x1"], "fields: %s" % field_texts(wine))
        e2e.check(wine.window(LOGIN)["visible"] and wine.window(SESSION) is None,
                  "the login window must stay")
    return 0


def failure_case(vendor_options, account="abc12def", alternative=False, expect_route=ROUTE):
    def case(wine):
        with Vendor(**vendor_options) as vendor, e2e.Orvanta(wine):
            person = started(wine)
            if alternative:
                person.click(310, 384)  # "Rota Alternativa"
                e2e.check(person.message() == ALT_WARNING, "alternative route warning")
                person.focus()
                person.click(400, 100)  # back in the account field
            log_in(person, account)
            e2e.check(person.message() == FAILURE, "connection-failure message")
            if expect_route:
                e2e.check(any(line.startswith(expect_route) for line in vendor.logins()),
                          "login requests: %s" % vendor.logins())
            e2e.check(wine.window(SESSION) is None, "session window shown")
            e2e.check(field_texts(wine)[0] == account, "fields: %s" % field_texts(wine))
        return 0
    return case


def dark_share(shot, window, x, y, width, height):
    """The share of dark pixels in a region of a window's client area on a screenshot."""
    left = window["left"] + (window["width"] - window["clientWidth"]) // 2
    top = (window["top"] + window["height"] - window["clientHeight"] -
           (window["width"] - window["clientWidth"]) // 2)
    out = subprocess.run([e2e.CONVERT, shot, "-crop", "%dx%d+%d+%d" % (width, height, left + x,
                                                                      top + y),
                          "+repage", "-colorspace", "Gray", "-threshold", "40%", "-negate",
                          "-format", "%[fx:mean]", "info:"],
                         capture_output=True, timeout=60, check=True)
    return float(out.stdout.decode())


def site_selector(index, expected_key):
    def case(wine):
        with Vendor() as vendor, e2e.Orvanta(wine):
            person = started(wine)
            person.type("tamberi2")
            person.key("Tab")
            radios = [c for c in login_children(wine) if c["text"] in ("Ruruvudud", "Rozevuv")]
            e2e.check(len(radios) == 2 and all(r["visible"] for r in radios),
                      "site selector not shown: %s" % radios)
            # Both options are drawn: each one's name leaves dark pixels where it stands.
            time.sleep(0.5)
            shot = e2e.screenshot(os.path.join(e2e.BUILD_DIR, "e2e-login-site-selector.png"))
            window = wine.window(LOGIN)
            for name, x in SITE_OPTION_LEFT.items():
                # The name, right of the round button.
                share = dark_share(shot, window, x + 16, SITE_OPTION_TOP, 96, 23)
                e2e.check(share > 0.03, '"%s" is not drawn (%.3f dark)' % (name, share))
            if index == 1:
                person.click(304 + 8 + 112 + 20, 200 + 24)  # "Rozevuv"
            person.click(400, 165)  # the password field
            person.type("s3nha")
            person.key("Return")
            e2e.check(wait_until(lambda: vendor.logins()), "no login request")
            e2e.check(vendor.logins()[0] == ROUTE + " /app/login.php?usuario=" + expected_key,
                      "login requests: %s" % vendor.logins())
        return 0
    return case


def version_case(version, site=True, expect_message=True):
    def case(wine):
        with Vendor(version=version, site=site) as vendor, e2e.Orvanta(wine):
            e2e.check(wine.wait_window(LOGIN) or wine.wait_window(TITLE), "nothing shown")
            person = Person(wine)
            if expect_message:
                e2e.check(person.message() == NEW_VERSION, "update message")
            else:
                e2e.check(person.no_message(), "a message box appeared")
                e2e.check(wine.window(LOGIN) is not None, "login window missing")
            if site:
                e2e.check(any("/remoto/update/versao.php" in line for line in vendor.lines()),
                          "no version request: %s" % vendor.lines())
        return 0
    return case


def typed_text_goes_out_encoded(wine):
    """An account name with "+" and "&" reaches the service as typed: one parameter, decoded
    back to the same name, so the login goes through."""
    with Vendor() as vendor, e2e.Orvanta(wine):
        person = started(wine)
        log_in(person, "a+b&c")
        e2e.check(wine.wait_window(SESSION), "the session window was not shown")
        e2e.check(vendor.logins() == [ROUTE + " /app/login.php?usuario=a%2Bb%26c"],
                  "login requests: %s" % vendor.logins())
    return 0


CASES = {
    "good-login": good_login,
    "unknown-account": unknown_account,
    "service-down": failure_case({"routes": ()}, expect_route=None),
    "http-error": failure_case({"rules": [{"path": "/app/login.php", "status": 500}]}),
    "bad-port": failure_case({}, account="portaruim"),
    "alternative-down": failure_case({"routes": (ROUTE,)}, alternative=True, expect_route=None),
    "alternative-route": failure_case({"rules": [{"host": "127.0.0.3", "status": 503}]},
                                      alternative=True, expect_route=ROUTE_ALT),
    "site-ruruvudud": site_selector(0, "tamberi_ruruvudud"),
    "site-rozevuv": site_selector(1, "tamberi"),
    "typed-text": typed_text_goes_out_encoded,
    "version-newer": version_case("2.1"),
    "version-down": version_case("2.0", site=False, expect_message=False),
}


def main():
    if not os.path.exists(e2e.STANDIN_CONTROL):
        print("stand-in control not built: skipped")
        return e2e.SKIP
    wine = e2e.Wine(e2e.prefix())
    return e2e.main(lambda: CASES[sys.argv[1]](wine))


if __name__ == "__main__":
    sys.exit(main())
