"""The session window as a person meets it after a good login: keys typed into the remote
desktop, the toolbar, and a control that cannot be activated. The stand-in control's journal
records every key message its window receives."""

import sys

import orvanta_e2e as e2e
from orvanta_e2e import FAILURE, LOGIN, SESSION, field_texts, journal_file, wait_until
from vendor_standin import Vendor

STANDIN_FAIL_VARIABLE = "ORVANTA_RDPSTUB_FAIL"
TOOLBAR_Y = 11
# Centres of the toolbar buttons by their left positions and widths.
TOOLBAR = {"Tela Cheia": 3 + 43, "Reconectar": 99 + 43, "Teclado Virtual": 195 + 43,
           "Ajuda para transferir arquivos": 303 + 77, "Ajuda para imprimir": 463 + 77}
HELP_WINDOWS = {"Ajuda para transferir arquivos": "Ajuda para transferência de arquivos",
                "Ajuda para imprimir": "Ajuda para impressão"}


def keys_down(path):
    return [int(line.split()[2]) for line in e2e.read(path).splitlines()
            if line.startswith("key down ")]


def connected_session(wine, journal):
    """Logs in and waits until the stand-in control is connected; returns the person."""
    person = e2e.in_session(wine)
    e2e.check(wait_until(lambda: "OnConnected" in e2e.read(journal)), "never connected")
    # The status alert closes on connection; the session window is the one to type into.
    person.focus(SESSION)
    return person


def click_remote_desktop(person):
    person.click(400, 300, caption=SESSION)


def keys_reach_the_remote_desktop(wine):
    """Clicked into the connected session, every key goes to the remote desktop, Tab included."""
    journal = journal_file(wine)
    with Vendor(), e2e.Orvanta(wine):
        person = connected_session(wine, journal)
        click_remote_desktop(person)
        before = len(keys_down(journal))
        person.type("a")
        person.key("Tab")
        person.type("bc")
        person.key("shift+Tab", "Return", "Escape", "Left", "F5")
        expected = [0x41, 0x09, 0x42, 0x43, 0x10, 0x09, 0x0D, 0x1B, 0x25, 0x74]
        e2e.check(wait_until(lambda: len(keys_down(journal)) - before >= len(expected),
                                   seconds=10),
                  "keys received: %s" % keys_down(journal)[before:])
        e2e.check(keys_down(journal)[before:] == expected,
                  "keys received: %s" % keys_down(journal)[before:])
    return 0


def toolbar_leaves_the_focus_in_the_remote_desktop(wine):
    """After each toolbar button (and the help window it may open) the next key still goes to
    the remote desktop."""
    journal = journal_file(wine)
    with Vendor(), e2e.Orvanta(wine):
        person = connected_session(wine, journal)
        click_remote_desktop(person)
        for name, x in TOOLBAR.items():
            person.click(x, TOOLBAR_Y, caption=SESSION)
            if name in HELP_WINDOWS:
                caption = HELP_WINDOWS[name]
                e2e.check(wine.wait_window(caption, 10000), f'"{name}" opened no help window')
                wine.close(caption)
                e2e.check(wine.wait_gone(caption, 10000), f'"{caption}" stayed')
            before = len(keys_down(journal))
            person.type("x")
            e2e.check(wait_until(lambda: 0x58 in keys_down(journal)[before:], seconds=10),
                      f'after "{name}" the key went elsewhere')
        e2e.check(any(" put FullScreen " in line and line.endswith("-1")
                      for line in e2e.read(journal).splitlines()),
                  "Tela Cheia did not reach the control")
    return 0


def refused_activation_keeps_the_login(wine):
    """A control that cannot be activated: one connection-failure message, the login window
    back in charge, no session window on the screen."""
    journal_file(wine)
    wine.env[STANDIN_FAIL_VARIABLE] = "activate"
    with Vendor(), e2e.Orvanta(wine) as orvanta:
        person = e2e.started(wine)
        e2e.log_in(person, "abc12def")
        e2e.check(person.message() == FAILURE, "connection-failure message")
        e2e.check(person.no_message(), "a second message box appeared")
        e2e.check(wine.window(SESSION) is None, "a session window is on the screen")
        window = wine.window(LOGIN)
        e2e.check(window is not None and window["enabled"], "the login window is not usable")
        e2e.check(field_texts(wine)[0] == "abc12def", "fields: %s" % field_texts(wine))
        # Still the main window: closing it ends the program.
        wine.close(LOGIN)
        code = orvanta.exit_code()
        e2e.check(code == 0, "exit code %d after closing the login window" % code)
    return 0


CASES = {
    "keys": keys_reach_the_remote_desktop,
    "toolbar-focus": toolbar_leaves_the_focus_in_the_remote_desktop,
    "activation-refused": refused_activation_keeps_the_login,
}


if __name__ == "__main__":
    sys.exit(e2e.main(CASES))
