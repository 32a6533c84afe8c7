"""The on-screen keyboard in a logged-in session: "Teclado Virtual" docks it along the bottom of
the maximised session window, above the version label, drawn at the window's full width; a
second click takes it away (checked on the probe's window list and on a screenshot). Keys
clicked on it reach the remote desktop (checked on the stand-in control's journal)."""

import sys

import orvanta_e2e as e2e
from orvanta_e2e import SESSION, wait_until
from vendor_standin import Vendor

KEYBOARD_HEIGHT = 180
LABEL_HEIGHT = 13
BUTTON = (195 + 43, 11)  # the middle of "Teclado Virtual" in the session window
# Middles of keys on the 848 pixel wide layout the keyboard is scaled from, with their rows.
NOMINAL_WIDTH = 848
KEY_MIDDLES = {"shift": (60, 3), "a": (179, 2), "b": (395, 3), "1": (173, 0),
               "right shift": (705, 3), "up": (765, 3)}


def keyboard_shown(wine):
    children = wine.window(SESSION)["children"]
    return any(c["class"] == "TTouchKeyboard" and c["visible"] for c in children)


def key_middle(session, name):
    """Where a key of the docked keyboard lies in the session window's client area."""
    middle, row = KEY_MIDDLES[name]
    keyboard_top = session["clientHeight"] - LABEL_HEIGHT - KEYBOARD_HEIGHT
    row_height = KEYBOARD_HEIGHT // 5
    return (middle * session["clientWidth"] // NOMINAL_WIDTH,
            keyboard_top + row * row_height + row_height // 2)


def show_keyboard(person, wine):
    person.click(*BUTTON, caption=SESSION)
    e2e.check(wait_until(lambda: keyboard_shown(wine)), "the keyboard did not appear")


def grey(pixel, value, tolerance=3):
    return all(abs(c - value) <= tolerance for c in pixel)


def session_keyboard(wine):
    with Vendor(), e2e.Orvanta(wine):
        person = e2e.in_session(wine, "abcdef")
        e2e.check(not keyboard_shown(wine), "the keyboard is shown before the click")
        show_keyboard(person, wine)

        session = wine.window(SESSION)
        left, top = e2e.client_origin(session)
        width = session["clientWidth"]
        keyboard_top = top + session["clientHeight"] - LABEL_HEIGHT - KEYBOARD_HEIGHT
        picture = e2e.Picture(e2e.settled_screenshot("session-keyboard.png"))
        rows = picture.rows(left, keyboard_top, width, KEYBOARD_HEIGHT + LABEL_HEIGHT)

        # Between rows 0 and 1 (36 px down) the background gradient shows across the width,
        # broken only by the keys' margins.
        gap = rows[36]
        background = sum(grey(p, 128 + 64 * 36 // 180) for p in gap)
        e2e.check(background > width * 0.9, f"gradient between the rows: {background} of {width}")
        e2e.check(grey(gap[-1], 140) and grey(gap[0], 140), "the gap does not reach both edges")
        # Keys with white captions fill the five rows from edge to edge.
        for row in range(5):
            middle = rows[row * 36 + 18]
            dark = sum(max(p) < 100 for p in middle)
            e2e.check(dark > width * 0.6, f"row {row}: {dark} dark key pixels of {width}")
            white = sum(sum(min(p) > 230 for p in rows[y]) for y in range(row * 36 + 6, row * 36 + 30))
            e2e.check(white > 40, f"row {row}: {white} caption pixels")
        e2e.check(max(rows[KEYBOARD_HEIGHT - 3][-1]) < 100, "the last key does not reach the edge")
        # Below the keyboard the white version label.
        label = rows[KEYBOARD_HEIGHT + 1]
        e2e.check(sum(min(p) > 240 for p in label) > width * 0.9, "no label below the keyboard")

        person.click(*BUTTON, caption=SESSION)
        e2e.check(wait_until(lambda: not keyboard_shown(wine)), "the keyboard stayed")
    return 0


def key_lines(path):
    return [line for line in e2e.read(path).splitlines() if line.startswith("key ")]


def typing_on_the_keyboard(wine):
    """Clicked into the remote desktop, then Shift, a, b, 1 clicked on the on-screen keyboard:
    the remote desktop receives "Ab1" and Shift only around the "A"."""
    journal = e2e.journal_file(wine)
    with Vendor(), e2e.Orvanta(wine):
        person = e2e.in_session(wine, "abcdef")
        e2e.check(wait_until(lambda: "OnConnected" in e2e.read(journal)), "never connected")
        person.focus(SESSION)
        show_keyboard(person, wine)
        person.click(400, 300, caption=SESSION)  # into the remote desktop

        session = wine.window(SESSION)
        left, top = e2e.client_origin(session)

        def at(name):
            return key_middle(session, name)

        def shift_keys_light(name):
            """Whether both Shift keys show pressed (light) rather than normal (dark)."""
            picture = e2e.Picture(e2e.settled_screenshot(name))
            light = []
            for key in ("shift", "right shift"):
                x, y = at(key)
                pixels = picture.rows(left + x + 12, top + y + 8, 16, 4)  # beside the picture
                light.append(all(min(p) > 150 for row in pixels for p in row))
            return light

        before = len(key_lines(journal))
        person.click(*at("shift"), caption=SESSION)
        e2e.check(shift_keys_light("keyboard-shift.png") == [True, True],
                  "Shift does not show latched on both Shift keys")
        for name in ("a", "b", "1"):
            person.click(*at(name), caption=SESSION)
        e2e.check(shift_keys_light("keyboard-typed.png") == [False, False],
                  "Shift still shows latched after the next key")
        expected = ["key down 16", "key down 65", "key char 65", "key up 65", "key up 16",
                    "key down 66", "key char 98", "key up 66",
                    "key down 49", "key char 49", "key up 49"]
        e2e.check(wait_until(lambda: len(key_lines(journal)) - before >= len(expected),
                             seconds=10),
                  "keys received: %s" % key_lines(journal)[before:])
        e2e.check(key_lines(journal)[before:] == expected,
                  "keys received: %s" % key_lines(journal)[before:])
    return 0


CASES = {"session": session_keyboard, "typing": typing_on_the_keyboard}


if __name__ == "__main__":
    sys.exit(e2e.main(CASES))
