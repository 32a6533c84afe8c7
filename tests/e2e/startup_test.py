"""Start-up and the end of the program before a login."""

import sys

import orvanta_e2e as e2e


def closing_login_ends_with_zero(wine):
    e2e.require(e2e.STANDIN_CONTROL)
    with e2e.Orvanta(wine) as orvanta:
        e2e.check(wine.wait_window("Login Orvanta"), "the login window was not shown")
        login = wine.window("Login Orvanta")
        e2e.check((login["clientWidth"], login["clientHeight"]) == (566, 401),
                  "login client size %dx%d" % (login["clientWidth"], login["clientHeight"]))
        texts = [c["text"] for c in login["children"]]
        e2e.check("Login" in texts and "Rota Alternativa" in texts, "login controls: %s" % texts)
        # The session window is made when first needed; before a login it is never on screen.
        shown = [w["caption"] for w in wine.windows() if w["visible"]]
        e2e.check("Orvanta - Lessendra" not in shown, "session window shown before a login")
        wine.close("Login Orvanta")
        code = orvanta.exit_code()
        e2e.check(code == 0, "exit code %d after closing the login window" % code)
    return 0


def missing_control_is_an_application_error(wine):
    """Run in a prefix without the stand-in control."""
    with e2e.Orvanta(wine) as orvanta:
        e2e.check(wine.wait_window("Application Error"), "no Application Error box")
        box = wine.window("Application Error")
        texts = [c["text"] for c in box["children"]]
        e2e.check(any(t.startswith("Exception EOleSysError in module Orvanta.exe at ")
                      and t.endswith("Class not registered.\r\n") for t in texts),
                  "box texts: %s" % texts)
        e2e.check(wine.window("Login Orvanta") is None, "login window shown")
        wine.press("Application Error", "OK")
        code = orvanta.exit_code()
        e2e.check(code == 1, "exit code %d after the start-up failure" % code)
    return 0


CASES = {"closing-login": closing_login_ends_with_zero,
         "missing-control": missing_control_is_an_application_error}


if __name__ == "__main__":
    sys.exit(e2e.main(CASES, needs=()))
