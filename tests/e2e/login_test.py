"""The login window driven as a person would: xdotool types and clicks, the probe reads the
windows and answers message boxes, the vendor stand-in and the stand-in control keep logs."""

import sys

import orvanta_e2e as e2e
from orvanta_e2e import FAILURE, LOGIN, SESSION, TITLE, field_texts, log_in, started, wait_until
from vendor_standin import ROUTE, ROUTE_ALT, RDP_SERVER, Vendor

NOT_FOUND = "Usuário não encontrado"
SESSION_ORDER = ("UserName", "ClearTextPassword", "DesktopWidth", "DesktopHeight", "Server", "RDPPort")
NEW_VERSION = "Uma nova versão está disponível. Clique em OK para atualizar"
ALT_WARNING = "Utilize essa opção apenas se a conexão normal estiver apresentando instabilidade"
# Where the site selector's options lie in the login window's client area.
SITE_OPTION_LEFT = {"Ruruvudud": 308, "Rozevuv": 424}
SITE_OPTION_TOP = 214


def login_children(wine):
    return wine.window(LOGIN)["children"]


def good_login(wine):
    standin_log = e2e.journal_file(wine)
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
        e2e.check(wait_until(lambda: "OnConnected" in e2e.read(standin_log)), "never connected")
        lines = e2e.read(standin_log).splitlines()
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
        e2e.check(wine.reg_get(r"HKCU\Software\Microsoft\Terminal Server Client\Default"
                               r"\AddIns\RDPDR", "FilterQueueType") is not None,
                  "registry value missing: FilterQueueType")
        e2e.screenshot("login-session.png")
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
            picture = e2e.Picture(e2e.settled_screenshot("login-site-selector.png"))
            left, top = e2e.client_origin(wine.window(LOGIN))
            for name, x in SITE_OPTION_LEFT.items():
                # The name, right of the round button.
                share = picture.dark_share(left + x + 16, top + SITE_OPTION_TOP, 96, 23)
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
            person = e2e.Person(wine)
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


if __name__ == "__main__":
    sys.exit(e2e.main(CASES))
