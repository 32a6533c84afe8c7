"""The help windows as a person meets them in a session: the toolbar opens each one modally,
closing hides it and the next click shows the same window again; the printing help's button
asks a real print system (a private CUPS that Wine lists) whether the PDF printer is there,
and a missing printer's installer is downloaded from the vendor stand-in and started."""

import os
import sys

import orvanta_e2e as e2e
import print_system
from orvanta_e2e import SESSION, TITLE, in_session, wait_until
from vendor_standin import Vendor

TRANSFER = "Ajuda para transferência de arquivos"
PRINTING = "Ajuda para impressão"
CHECK = "Verificar se o PDF Creator está instalado no meu computador"
INSTALLER = "Download em andamento..."
INSTALLED = "O PDF Creator está instalado corretamente"
OFFER = ("Para que as suas impressões funcionem é necessário instalar o PDF Creator.\r"
         "Através dele todas as impressões serão salvas diretamente no seu computador.\r"
         "Caso não seja instalado, não será possível imprimir.\r"
         "Deseja instalar?")
PDF_TOOL = e2e.SIGNED_STANDIN


def open_help(wine, button, caption):
    wine.press(SESSION, button)
    e2e.check(wine.wait_window(caption), f'"{button}" did not show "{caption}"')
    window = wine.window(caption)
    e2e.check(not wine.window(SESSION)["enabled"], f'"{caption}" is not modal')
    return window


def edit_text(window):
    return next(c["text"] for c in window["children"] if c["class"] == "Edit")


def help_windows(wine):
    with Vendor(), e2e.Orvanta(wine):
        in_session(wine)
        for button, caption, first_line, size in (
                ("Ajuda para transferir arquivos", TRANSFER, "Transferência de arquivos",
                 (912, 261)),
                ("Ajuda para imprimir", PRINTING, "Impressão de documentos", (912, 397))):
            window = open_help(wine, button, caption)
            e2e.check((window["clientWidth"], window["clientHeight"]) == size,
                      "%s client size %dx%d" % (caption, window["clientWidth"],
                                                window["clientHeight"]))
            e2e.check(edit_text(window).split("\r\n")[0] == first_line,
                      "%s text: %r" % (caption, edit_text(window)[:80]))
            e2e.settled_screenshot("help-%s.png" % (
                "transfer" if caption == TRANSFER else "printing"))
            wine.close(caption)
            e2e.check(wine.wait_gone(caption), f'"{caption}" stayed open')
            e2e.check(wine.window(SESSION)["enabled"], "the session window stayed disabled")
            hidden = [w for w in wine.windows() if w["caption"] == caption]
            e2e.check(len(hidden) == 1 and not hidden[0]["visible"],
                      f'"{caption}" was not kept hidden: {hidden}')
            again = open_help(wine, button, caption)
            e2e.check(again["hwnd"] == window["hwnd"], f'a new "{caption}" window was made')
            wine.close(caption)
            e2e.check(wine.wait_gone(caption), f'"{caption}" stayed open')
    return 0


def check_printer(wine, caption):
    """Presses the check button and returns the text of the box that answers."""
    wine.press(PRINTING, CHECK)
    e2e.check(wine.wait_window(caption), f'no "{caption}" box')
    box = wine.window(caption)
    texts = [c["text"] for c in box["children"] if c["class"] == "Static" and c["text"]]
    return texts[-1] if texts else ""


def printer_present(wine):
    # "PDF_Creator" stands for the near misses; CUPS queue names cannot hold blanks.
    with print_system.PrintSystem(["PDF_Creator", "PDFCreator"]) as printers, \
            Vendor():
        wine.env["CUPS_SERVER"] = printers.socket
        with e2e.Orvanta(wine):
            in_session(wine)
            open_help(wine, "Ajuda para imprimir", PRINTING)
            text = check_printer(wine, TITLE)
            e2e.check(text == INSTALLED, "answer: %r" % text)
            e2e.check(wine.window("Confirm") is None, "the installer was offered")
            wine.press(TITLE, "OK")
            e2e.check(wine.wait_gone(TITLE), "the message stayed")
            e2e.check(wine.window(PRINTING) is not None, "the printing help closed")
    return 0


def printer_absent(wine):
    vendor = Vendor(files=[("/ferramentas/pdf.exe", PDF_TOOL)])
    with print_system.PrintSystem(["PDF_Creator", "PDFCreator-2", "pdfcreatorx"]) as printers, \
            vendor:
        wine.env["CUPS_SERVER"] = printers.socket
        with e2e.Orvanta(wine) as orvanta:
            in_session(wine)
            open_help(wine, "Ajuda para imprimir", PRINTING)
            text = check_printer(wine, "Confirm")
            e2e.check(text == OFFER, "question: %r" % text)
            e2e.check(wine.window(TITLE) is None, "the printer was found")
            e2e.settled_screenshot("help-offer.png")  # painted a moment after it is listed
            wine.press("Confirm", "No")
            e2e.check(wine.wait_gone("Confirm"), "the question stayed")
            e2e.check(not wine.wait_window(INSTALLER, 4000), "No opened the installer window")
            e2e.check(check_printer(wine, "Confirm") == OFFER, "second question")
            wine.press("Confirm", "Yes")
            e2e.check(wine.wait_window(INSTALLER), "Yes did not open the installer window")
            marker = os.path.join(orvanta.workdir, "pdf.exe.executado")
            e2e.check(wait_until(lambda: os.path.exists(marker), seconds=60),
                      "the installer was not started")
            e2e.check(wine.wait_gone(INSTALLER, 30000), "the installer window stayed")
            # Destroyed after its run; the instances made at start never needed a window.
            e2e.check(wait_until(lambda: not [w for w in wine.windows()
                                              if w["caption"] == INSTALLER]),
                "installer windows: %s" % [w for w in wine.windows() if w["caption"] == INSTALLER])
            e2e.check(any("GET /ferramentas/pdf.exe HTTP/1.1" in line for line in vendor.lines()),
                      "requests: %s" % vendor.lines())
            with open(os.path.join(orvanta.workdir, "pdf.exe"), "rb") as f, \
                    open(PDF_TOOL, "rb") as g:
                e2e.check(f.read() == g.read(), "the downloaded installer differs")
            e2e.check(wine.window(PRINTING) is not None, "the printing help closed")
    return 0


def printer_case(test):
    def case(wine):
        if not print_system.available():
            raise e2e.Skip("CUPS or the PDF queue driver not installed")
        return test(wine)
    return case


CASES = {
    "help-windows": help_windows,
    "printer-present": printer_case(printer_present),
    "printer-absent": printer_case(printer_absent),
}


if __name__ == "__main__":
    sys.exit(e2e.main(CASES))
