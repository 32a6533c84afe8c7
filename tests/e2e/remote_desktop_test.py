"""Orvanta against a real remote desktop: the stand-in control in its bridged mode, the RDP
bridge running FreeRDP, and FreeRDP's shadow server with authentication serving a screen of its
own on loopback. What the program writes into the control must make a working session: the
server's pixels appear in the session window, keys typed there reach the server, wrong
credentials and a server that goes away take the disconnected path, and closing the window
disconnects."""

import os
import sys

import keyboard_test as keyboard
import orvanta_e2e as e2e
import rdp_server
from orvanta_e2e import SESSION, wait_until
from vendor_standin import Vendor

ACCOUNT, PASSWORD = "demo2024", "s3nha"
# The login service hands the account "demo" (the typed name without digits) the test server.
ACCOUNTS = {"demo": rdp_server.SERVER_ADDRESS.replace(":", ";")}
TOOLBAR_HEIGHT = 25
ALERT_CLASS = "TJvFormDesktopAlert"
# Where the server's screen shows its colour bars (tools/rdpserver/desk.cpp).
BARS = (0, 40, 1024, 200)


class Run:
    """Vendor, server, bridge and Orvanta for one test, the control journaling to a file."""

    def __init__(self, wine):
        self.wine = wine
        self.journal = e2e.journal_file(wine)
        wine.env[rdp_server.BRIDGE_VARIABLE] = rdp_server.BRIDGE_ADDRESS

    def lines(self):
        return e2e.read(self.journal).splitlines()

    def wait_line(self, condition, what, seconds=30):
        e2e.check(wait_until(lambda: any(condition(l) for l in self.lines()), seconds),
                  "%s; the control's journal ends: %s" % (what, self.lines()[-5:]))

    def log_in(self, password):
        # Away from the alert's corner, where a resting pointer keeps the alert shown.
        e2e.move_pointer(300, 300)
        person = e2e.started(self.wine)
        e2e.log_in(person, ACCOUNT, password)
        e2e.check(self.wine.wait_window(SESSION), "the session window was not shown")
        return person

    def connected(self):
        self.wait_line(lambda l: l == "event 2 OnConnected", "never connected")

    def disconnected_path(self, reasons):
        """The control reported the end with one of these reasons; the window shows it."""
        self.wait_line(lambda l: l.startswith("event 4 OnDisconnected "),
                       "the end of the session was not reported")
        said = [l for l in self.lines() if l.startswith("event 4 OnDisconnected ")]
        e2e.check(said[0].split()[-1] in reasons, "disconnect reason: %s" % said)
        e2e.check(wait_until(lambda: reconnect_enabled(self.wine)), "Reconectar not enabled")
        e2e.check(wait_until(lambda: alert_shown(self.wine)), "no status alert")


    def close_ended_session(self, orvanta):
        """Closing the window of a session that has ended asks for no disconnection."""
        self.wine.close(SESSION)
        e2e.check(orvanta.exit_code() == 0, "Orvanta.exe did not end with 0")
        e2e.check(not any(l.endswith(" Disconnect") for l in self.lines()),
                  "an ended session was disconnected: %s" % self.lines()[-5:])


def reconnect_enabled(wine):
    buttons = [c for c in wine.window(SESSION)["children"] if c["text"] == "Reconectar"]
    return bool(buttons) and buttons[0]["enabled"]


def alert_shown(wine):
    return any(w["class"] == ALERT_CLASS and w["visible"] for w in wine.windows())


def control_origin(wine):
    """The screen position of the control's top-left corner, just below the toolbar."""
    left, top = e2e.client_origin(wine.window(SESSION))
    return left, top + TOOLBAR_HEIGHT


def differing_share(server, client_png, origin):
    """The share of sample points of the colour bars whose colour on the client's screen
    differs from the server's own screen (a Picture)."""
    client = e2e.Picture(client_png)
    left, top, width, height = BARS
    samples = differing = 0
    for y in range(top + 4, top + height - 4, 8):
        for x in range(left + 4, left + width - 4, 8):
            cx, cy = origin[0] + x, origin[1] + y
            samples += 1
            if not client.contains(cx, cy) or max(
                    abs(p - q) for p, q in zip(server.pixel(x, y), client.pixel(cx, cy))) > 24:
                differing += 1
    return differing / samples


def session_shows_server_takes_keys_and_disconnects_on_close(wine):
    run = Run(wine)
    with Vendor(accounts=ACCOUNTS), rdp_server.Server(ACCOUNT, PASSWORD) as server, \
            rdp_server.Bridge() as bridge, e2e.Orvanta(wine) as orvanta:
        person = run.log_in(PASSWORD)
        run.connected()
        e2e.check(any(f"connect {rdp_server.SERVER_ADDRESS} user {ACCOUNT} 1024x768 drives 1 "
                      "printers 0 ports 1" in l for l in bridge.lines()),
                  "the bridge was not asked for the session: %s" % bridge.lines())
        # Once connected the alert fades out; then the screen shows the remote desktop alone.
        e2e.check(wait_until(lambda: not alert_shown(wine)), "the alert stayed")
        origin = control_origin(wine)
        server_screen = e2e.Picture(server.screenshot("rdp-server.png"))
        client_png = os.path.join(e2e.shots_dir, "rdp-session.png")
        e2e.check(wait_until(lambda: differing_share(
            server_screen, e2e.screenshot(client_png), origin) == 0, seconds=15),
            "the session window does not show the server's screen at %s (%.0f%% differ)" % (
                origin, 100 * differing_share(server_screen, client_png, origin)))

        # A key typed into the session reaches the program on the server's screen.
        person.focus(SESSION)
        person.click(500, 400, caption=SESSION)
        person.type("q")
        person.key("Tab")
        e2e.check(wait_until(lambda: server.keys()[-2:] == ["q", "Tab"], seconds=10),
                  "keys on the server: %s" % server.keys())

        wine.close(SESSION)
        e2e.check(orvanta.exit_code() == 0, "Orvanta.exe did not end with 0")
        e2e.check(any(l.endswith(" Disconnect") for l in run.lines()),
                  "closing the window did not disconnect: %s" % run.lines()[-5:])
        e2e.check(wait_until(lambda: any(l.endswith("disconnected 1")
                                               for l in bridge.lines())),
                  "the bridge did not end the session: %s" % bridge.lines())
    return 0


def on_screen_keyboard_reaches_the_server(wine):
    """Shift, a, b, 1 and the up arrow clicked on the on-screen keyboard arrive on the server's
    screen as "A", "b", "1", "Up". The arrow comes as a bare key message to the focused window,
    without a scan code: the control finds the key's own for the server."""
    run = Run(wine)
    with Vendor(accounts=ACCOUNTS), rdp_server.Server(ACCOUNT, PASSWORD) as server, \
            rdp_server.Bridge(), e2e.Orvanta(wine):
        person = run.log_in(PASSWORD)
        run.connected()
        person.focus(SESSION)
        keyboard.show_keyboard(person, wine)
        person.click(500, 400, caption=SESSION)  # into the remote desktop
        session = wine.window(SESSION)
        for name in ("shift", "a", "b", "1", "up"):
            person.click(*keyboard.key_middle(session, name), caption=SESSION)
        e2e.check(wait_until(lambda: server.keys()[-4:] == ["A", "b", "1", "Up"],
                                   seconds=10), "keys on the server: %s" % server.keys())
    return 0


def wrong_password_is_refused(wine):
    run = Run(wine)
    with Vendor(accounts=ACCOUNTS), rdp_server.Server(ACCOUNT, PASSWORD), \
            rdp_server.Bridge(), e2e.Orvanta(wine) as orvanta:
        run.log_in("wrong")
        run.disconnected_path({"2055"})
        e2e.check("event 2 OnConnected" not in run.lines(), "connected with a wrong password")
        run.close_ended_session(orvanta)
    return 0


def server_gone_is_a_disconnection_and_reconnects(wine):
    run = Run(wine)
    with Vendor(accounts=ACCOUNTS), rdp_server.Bridge(), e2e.Orvanta(wine) as orvanta:
        with rdp_server.Server(ACCOUNT, PASSWORD):
            run.log_in(PASSWORD)
            run.connected()
        run.disconnected_path({"3", "2308"})
        # Back again, the server takes the settings that remain on the control.
        with rdp_server.Server(ACCOUNT, PASSWORD):
            wine.press(SESSION, "Reconectar")
            e2e.check(wait_until(lambda: run.lines().count("event 2 OnConnected") == 2,
                                       seconds=30), "no second session: %s" % run.lines()[-5:])
            e2e.check(not reconnect_enabled(wine), "Reconectar enabled while connected")
        e2e.check(wait_until(lambda: sum(l.startswith("event 4 ") for l in run.lines()) == 2),
                  "the second session's end was not reported")
        run.close_ended_session(orvanta)
    return 0


def needs_server(test):
    def case(wine):
        rdp_server.require()
        return test(wine)
    return case


CASES = {"session": needs_server(session_shows_server_takes_keys_and_disconnects_on_close),
         "on-screen-keyboard": needs_server(on_screen_keyboard_reaches_the_server),
         "wrong-password": needs_server(wrong_password_is_refused),
         "server-gone": needs_server(server_gone_is_a_disconnection_and_reconnects)}


if __name__ == "__main__":
    sys.exit(e2e.main(CASES))
