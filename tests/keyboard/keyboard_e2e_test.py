"""The on-screen keyboard in a logged-in session: "Teclado Virtual" docks it along the bottom of
the maximised session window, above the version label, drawn at the window's full width; a
second click takes it away (checked on the probe's window list and on a screenshot). Keys
clicked on it reach the remote desktop (checked on the stand-in control's journal)."""

import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "login"))
import orvanta_e2e as e2e  # noqa: E402
import login_e2e_test as login  # noqa: E402

KEYBOARD_HEIGHT = 180
LABEL_HEIGHT = 13
BUTTON = (195 + 43, 11)  # the middle of "Teclado Virtual" in the session window


def keyboard_shown(wine):
    children = wine.window(login.SESSION)["children"]
    return any(c["class"] == "TTouchKeyboard" and c["visible"] for c in children)


def client_origin(window):
    border = (window["width"] - window["clientWidth"]) // 2
    return (window["left"] + border,
            window["top"] + window["height"] - window["clientHeight"] - border)


def band(shot, left, top, width, height):
    """The screenshot's pixels in a rectangle, as rows of (r, g, b)."""
    raw = subprocess.run([e2e.CONVERT, shot, "-crop", f"{width}x{height}+{left}+{top}",
                          "-depth", "8", "rgb:-"], capture_output=True, timeout=60,
                         check=True).stdout
    return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def grey(pixel, value, tolerance=3):
    return all(abs(c - value) <= tolerance for c in pixel)


def session_keyboard(wine):
    with login.Vendor(), e2e.Orvanta(wine):
        person = login.started(wine)
        login.log_in(person, "abcdef")
        e2e.check(wine.wait_window(login.SESSION), "the session window was not shown")
        e2e.check(login.wait_until(lambda: wine.window(login.SESSION)["maximized"]),
                  "session not maximised")
        e2e.check(not keyboard_shown(wine), "the keyboard is shown before the click")
        person.click(*BUTTON, caption=login.SESSION)
        e2e.check(login.wait_until(lambda: keyboard_shown(wine)), "the keyboard did not appear")

        session = wine.window(login.SESSION)
        left, top = client_origin(session)
        width = session["clientWidth"]
        keyboard_top = top + session["clientHeight"] - LABEL_HEIGHT - KEYBOARD_HEIGHT
        login.wait_until(lambda: False, seconds=1)  # let the X server show the paint
        shot = e2e.screenshot(os.path.join(e2e.BUILD_DIR, "e2e-session-keyboard.png"))
        rows = band(shot, left, keyboard_top, width, KEYBOARD_HEIGHT + LABEL_HEIGHT)

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

        person.click(*BUTTON, caption=login.SESSION)
        e2e.check(login.wait_until(lambda: not keyboard_shown(wine)), "the keyboard stayed")
    return 0


# Middles of keys on the 848 pixel wide layout the keyboard is scaled from, with their rows.
NOMINAL_WIDTH = 848
KEY_MIDDLES = {"shift": (60, 3), "a": (179, 2), "b": (395, 3), "1": (173, 0),
               "right shift": (705, 3)}


def key_lines(path):
    return [line for line in login.read(path).splitlines() if line.startswith("key ")]


def typing_on_the_keyboard(wine):
    """Clicked into the remote desktop, then Shift, a, b, 1 clicked on the on-screen keyboard:
    the remote desktop receives "Ab1" and Shift only around the "A"."""
    journal = os.path.join(tempfile.mkdtemp(prefix="orvanta-rdpstub-"), "control.log")
    wine.env[login.STANDIN_LOG_VARIABLE] = journal
    with login.Vendor(), e2e.Orvanta(wine):
        person = login.started(wine)
        login.log_in(person, "abcdef")
        e2e.check(wine.wait_window(login.SESSION), "the session window was not shown")
        e2e.check(login.wait_until(lambda: wine.window(login.SESSION)["maximized"]),
                  "session not maximised")
        e2e.check(login.wait_until(lambda: "OnConnected" in login.read(journal)),
                  "never connected")
        person.focus(login.SESSION)
        person.click(*BUTTON, caption=login.SESSION)
        e2e.check(login.wait_until(lambda: keyboard_shown(wine)), "the keyboard did not appear")
        person.click(400, 300, caption=login.SESSION)  # into the remote desktop

        session = wine.window(login.SESSION)
        width = session["clientWidth"]
        keyboard_top = session["clientHeight"] - LABEL_HEIGHT - KEYBOARD_HEIGHT
        row_height = KEYBOARD_HEIGHT // 5
        left, top = client_origin(session)

        def at(name):
            middle, row = KEY_MIDDLES[name]
            return (middle * width // NOMINAL_WIDTH,
                    keyboard_top + row * row_height + row_height // 2)

        def shift_keys_light(name):
            """Whether both Shift keys show pressed (light) rather than normal (dark)."""
            login.wait_until(lambda: False, seconds=1)  # let the X server show the paint
            shot = e2e.screenshot(os.path.join(e2e.BUILD_DIR, name))
            light = []
            for key in ("shift", "right shift"):
                x, y = at(key)
                pixels = band(shot, left + x + 12, top + y + 8, 16, 4)  # beside the picture
                light.append(all(min(p) > 150 for row in pixels for p in row))
            return light

        before = len(key_lines(journal))
        person.click(*at("shift"), caption=login.SESSION)
        e2e.check(shift_keys_light("e2e-keyboard-shift.png") == [True, True],
                  "Shift does not show latched on both Shift keys")
        for name in ("a", "b", "1"):
            person.click(*at(name), caption=login.SESSION)
        e2e.check(shift_keys_light("e2e-keyboard-typed.png") == [False, False],
                  "Shift still shows latched after the next key")
        expected = ["key down 16", "key down 65", "key char 65", "key up 65", "key up 16",
                    "key down 66", "key char 98", "key up 66",
                    "key down 49", "key char 49", "key up 49"]
        e2e.check(login.wait_until(lambda: len(key_lines(journal)) - before >= len(expected),
                                   seconds=10),
                  "keys received: %s" % key_lines(journal)[before:])
        e2e.check(key_lines(journal)[before:] == expected,
                  "keys received: %s" % key_lines(journal)[before:])
    return 0


CASES = {"session": session_keyboard, "typing": typing_on_the_keyboard}


def main():
    if not os.path.exists(e2e.STANDIN_CONTROL):
        print("stand-in control not built: skipped")
        return e2e.SKIP
    case = CASES[sys.argv[1] if len(sys.argv) > 1 else "session"]
    return e2e.main(lambda: case(e2e.Wine(e2e.prefix())))


if __name__ == "__main__":
    sys.exit(main())
