"""Only programs signed by the expected publisher are started. The vendor stand-in serves the
updater or the PDF tool installer as the build signed the program stand-in: by the test
publisher (started as before), unsigned, changed by one byte after signing, or signed by
another publisher (not started, the file gone, one message, and the user back where the
download was asked for: a usable login, or the printing help)."""

import os
import sys

import help_test
import orvanta_e2e as e2e
import print_system
from orvanta_e2e import SESSION, TITLE, wait_until
from vendor_standin import Vendor

VARIANTS = {
    "signed": "standin-signed.exe",
    "unsigned": "standin-unsigned.exe",
    "tampered": "standin-tampered.exe",
    "other-publisher": "standin-other-publisher.exe",
}
NEW_VERSION = "Uma nova versão está disponível. Clique em OK para atualizar"
REFUSED = "O programa baixado não pôde ser verificado e, por segurança, não foi executado."
DOWNLOAD = "Download em andamento..."


def variant_path(variant):
    return os.path.join(e2e.SIGNED_STANDINS, VARIANTS[variant])


def box_text(wine):
    box = wine.window(TITLE)
    texts = [c["text"] for c in box["children"] if c["class"] == "Static" and c["text"]]
    return texts[-1] if texts else ""


def refused(wine, workdir, program, shot):
    """The one message about the refused program, with nothing started and no file left;
    answered with OK, after which the download window is gone and no other box follows."""
    # 3 s to start, the download, then up to two 10 s checks.
    e2e.check(wine.wait_window(TITLE, 45000), "no message about the refused program")
    text = box_text(wine)
    e2e.check(text == REFUSED, "message: %r" % text)
    e2e.check(not os.path.exists(os.path.join(workdir, program)), program + " was kept")
    e2e.settled_screenshot(shot)  # the box is painted a moment after it is listed
    wine.press(TITLE, "OK")
    e2e.check(wine.wait_gone(DOWNLOAD, 10000), "the download window stayed")
    e2e.check(not wine.wait_window(TITLE, 3000), "a second box appeared")
    e2e.check(not os.path.exists(os.path.join(workdir, program + ".executado")),
              program + " was started")
    e2e.check(not os.path.exists(os.path.join(workdir, program)), program + " was kept")


def updater(variant):
    def case(wine):
        vendor = Vendor(version="2.1", files=[("/remoto/update/%s/atualiza.exe" % bits,
                                               variant_path(variant)) for bits in ("x64", "x32")])
        with vendor, e2e.Orvanta(wine) as orvanta:
            person = e2e.Person(wine)
            e2e.check(person.message(30000) == NEW_VERSION, "no update message")
            e2e.check(wine.wait_window(DOWNLOAD, 10000), "the update window was not shown")
            marker = os.path.join(orvanta.workdir, "atualiza.exe.executado")
            if variant == "signed":
                code = orvanta.exit_code(timeout=60)
                e2e.check(code == 0, "exit code %d" % code)
                e2e.check(os.path.exists(marker), "the updater did not run")
                return 0
            refused(wine, orvanta.workdir, "atualiza.exe", "updater-%s.png" % variant)
            # The login goes on as if no update had been published.
            e2e.check(orvanta.process.poll() is None, "the client ended")
            person = e2e.started(wine)
            e2e.log_in(person, "abc12def")
            e2e.check(wine.wait_window(SESSION), "the login did not lead to a session")
        return 0
    return case


def installer(variant):
    def case(wine):
        if not print_system.available():
            raise e2e.Skip("CUPS or the PDF queue driver not installed")
        vendor = Vendor(files=[("/ferramentas/pdf.exe", variant_path(variant))])
        with print_system.PrintSystem(["PDF_Creator"]) as printers, vendor:
            wine.env["CUPS_SERVER"] = printers.socket
            with e2e.Orvanta(wine) as orvanta:
                e2e.in_session(wine)
                help_test.open_help(wine, "Ajuda para imprimir", help_test.PRINTING)
                e2e.check(help_test.check_printer(wine, "Confirm") == help_test.OFFER,
                          "the installer was not offered")
                wine.press("Confirm", "Yes")
                e2e.check(wine.wait_window(DOWNLOAD), "Yes did not open the installer window")
                marker = os.path.join(orvanta.workdir, "pdf.exe.executado")
                if variant == "signed":
                    e2e.check(wait_until(lambda: os.path.exists(marker), seconds=60),
                              "the installer was not started")
                    e2e.check(wine.wait_gone(DOWNLOAD, 30000), "the installer window stayed")
                else:
                    refused(wine, orvanta.workdir, "pdf.exe", "installer-%s.png" % variant)
                help_window = wine.window(help_test.PRINTING)
                e2e.check(help_window is not None and help_window["enabled"],
                          "the printing help is not back")
                e2e.check(not wine.window(SESSION)["enabled"],
                          "the printing help is no longer modal")
        return 0
    return case


CASES = {"%s-%s" % (program, variant): make(variant)
         for program, make in (("updater", updater), ("installer", installer))
         for variant in VARIANTS}


if __name__ == "__main__":
    sys.exit(e2e.main(CASES))
