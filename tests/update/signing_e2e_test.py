"""Only programs signed by the expected publisher are started. The vendor stand-in serves the
updater or the PDF tool installer as the build signed the program stand-in: by the test
publisher (started as before), unsigned, changed by one byte after signing, or signed by
another publisher (not started, the file gone, one message, and the user back where the
download was asked for: a usable login, or the printing help)."""

import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "login"))
sys.path.insert(0, os.path.join(HERE, "..", "help"))
import orvanta_e2e as e2e  # noqa: E402
import login_e2e_test as login  # noqa: E402
import help_e2e_test as help_windows  # noqa: E402
import print_system  # noqa: E402

VARIANTS = {
    "signed": "standin-signed.exe",
    "unsigned": "standin-unsigned.exe",
    "tampered": "standin-tampered.exe",
    "other-publisher": "standin-other-publisher.exe",
}
REFUSED = "O programa baixado não pôde ser verificado e, por segurança, não foi executado."
DOWNLOAD = "Download em andamento..."


def variant_path(variant):
    return os.path.join(e2e.BUILD_DIR, "tools", "signing", VARIANTS[variant])


def box_text(wine):
    box = wine.window(login.TITLE)
    texts = [c["text"] for c in box["children"] if c["class"] == "Static" and c["text"]]
    return texts[-1] if texts else ""


def refused(wine, workdir, program, shot):
    """The one message about the refused program, with nothing started and no file left;
    answered with OK, after which the download window is gone and no other box follows."""
    # 3 s to start, the download, then up to two 10 s checks.
    e2e.check(wine.wait_window(login.TITLE, 45000), "no message about the refused program")
    text = box_text(wine)
    e2e.check(text == REFUSED, "message: %r" % text)
    e2e.check(not os.path.exists(os.path.join(workdir, program)), program + " was kept")
    time.sleep(1)  # the box is painted a moment after it is listed
    e2e.screenshot(os.path.join(e2e.BUILD_DIR, shot))
    wine.press(login.TITLE, "OK")
    e2e.check(wine.wait_gone(DOWNLOAD, 10000), "the download window stayed")
    e2e.check(not wine.wait_window(login.TITLE, 3000), "a second box appeared")
    e2e.check(not os.path.exists(os.path.join(workdir, program + ".executado")),
              program + " was started")
    e2e.check(not os.path.exists(os.path.join(workdir, program)), program + " was kept")


def updater(variant):
    def case(wine):
        vendor = login.Vendor(version="2.1")
        for bits in ("x64", "x32"):
            vendor.args += ["--file", "/remoto/update/%s/atualiza.exe=%s" % (
                bits, variant_path(variant))]
        with vendor, e2e.Orvanta(wine) as orvanta:
            person = login.Person(wine)
            e2e.check(person.message(30000) == login.NEW_VERSION, "no update message")
            e2e.check(wine.wait_window(DOWNLOAD, 10000), "the update window was not shown")
            marker = os.path.join(orvanta.workdir, "atualiza.exe.executado")
            if variant == "signed":
                code = orvanta.exit_code(timeout=60)
                e2e.check(code == 0, "exit code %d" % code)
                e2e.check(os.path.exists(marker), "the updater did not run")
                return 0
            refused(wine, orvanta.workdir, "atualiza.exe", "e2e-signing-updater-%s.png" % variant)
            # The login goes on as if no update had been published.
            e2e.check(orvanta.process.poll() is None, "the client ended")
            person = login.started(wine)
            login.log_in(person, "abc12def")
            e2e.check(wine.wait_window(login.SESSION), "the login did not lead to a session")
        return 0
    return case


def installer(variant):
    def case(wine):
        vendor = login.Vendor()
        vendor.args += ["--file", "/ferramentas/pdf.exe=" + variant_path(variant)]
        with print_system.PrintSystem(["PDF_Creator"]) as printers, vendor:
            wine.env["CUPS_SERVER"] = printers.socket
            with e2e.Orvanta(wine) as orvanta:
                help_windows.in_session(wine)
                help_windows.open_help(wine, "Ajuda para imprimir", help_windows.PRINTING)
                e2e.check(help_windows.check_printer(wine, "Confirm") == help_windows.OFFER,
                          "the installer was not offered")
                wine.press("Confirm", "Yes")
                e2e.check(wine.wait_window(DOWNLOAD), "Yes did not open the installer window")
                marker = os.path.join(orvanta.workdir, "pdf.exe.executado")
                if variant == "signed":
                    e2e.check(login.wait_until(lambda: os.path.exists(marker), seconds=60),
                              "the installer was not started")
                    e2e.check(wine.wait_gone(DOWNLOAD, 30000), "the installer window stayed")
                else:
                    refused(wine, orvanta.workdir, "pdf.exe",
                            "e2e-signing-installer-%s.png" % variant)
                help_window = wine.window(help_windows.PRINTING)
                e2e.check(help_window is not None and help_window["enabled"],
                          "the printing help is not back")
                e2e.check(not wine.window(login.SESSION)["enabled"],
                          "the printing help is no longer modal")
        return 0
    return case


def main():
    if not os.path.exists(e2e.STANDIN_CONTROL):
        print("stand-in control not built: skipped")
        return e2e.SKIP
    program, variant = sys.argv[1].split("-", 1)
    if program == "installer" and not print_system.available():
        print("CUPS or the PDF queue driver not installed: skipped")
        return e2e.SKIP
    wine = e2e.Wine(e2e.prefix())
    case = updater(variant) if program == "updater" else installer(variant)
    return e2e.main(lambda: case(wine))


if __name__ == "__main__":
    sys.exit(main())
