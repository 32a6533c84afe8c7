"""The print relay end to end: Orvanta.exe under Wine logs in, and documents placed in the
user's store on the vendor stand-in arrive in its working directory. A stand-in viewer
registered for ".pdf" records what the shell opened; the stand-in's log shows every request."""

import contextlib
import ntpath
import os
import shutil
import sys
import tempfile
import time

import orvanta_e2e as e2e
from orvanta_e2e import SESSION, wait_until
from vendor_standin import Vendor

USER = "abc12def"
STORE = f"/{USER}/store/"
VIEWER = e2e.VIEWER_STUB
VIEWER_LOG_VARIABLE = "ORVANTA_VIEWER_LOG"
PDF_CLASS = "OrvantaTestPdf"
with open(os.path.join(e2e.SOURCE_DIR, "tools", "vendor", "sample-document.pdf"), "rb") as f:
    PDF = f.read()


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


class Viewer:
    """The stand-in viewer registered for ".pdf" in the prefix while the block runs; the
    prefix's own association is put back afterwards."""

    def __init__(self, wine):
        self.wine = wine
        self.dir = tempfile.mkdtemp(prefix="orvanta-viewer-")
        self.log = os.path.join(self.dir, "opened.log")
        wine.env[VIEWER_LOG_VARIABLE] = self.log
        self.previous = None

    def __enter__(self):
        self.previous = self.wine.reg_get("HKCR\\.pdf")
        if self.previous == PDF_CLASS:
            self.previous = None  # left over from a run that was killed
        self.wine.reg_set("HKCR\\.pdf", "", PDF_CLASS)
        self.wine.reg_set(f"HKCR\\{PDF_CLASS}\\shell\\open\\command", "",
                          f'"{windows_path(VIEWER)}" "%1"')
        return self

    def __exit__(self, *exc):
        if self.previous is None:
            self.wine.reg_delete("HKCR\\.pdf")
        else:
            self.wine.reg_set("HKCR\\.pdf", "", self.previous)
        self.wine.reg_delete(f"HKCR\\{PDF_CLASS}")
        if exc[0] is None:
            shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def opened(self):
        """(argument, bytes the file held) for every document opened so far."""
        return [(line.split("\t")[0], int(line.split("\t")[1]))
                for line in e2e.read(self.log).splitlines() if line]


class Relay:
    """The vendor stand-in with the user's store, a working directory of its own inside a
    folder that must stay empty, and Orvanta.exe logged in with the session window shown."""

    def __init__(self, wine, documents, rules=(), direct_printers=False):
        self.wine = wine
        self.documents = documents
        self.rules = rules
        self.direct_printers = direct_printers
        self.outside = tempfile.mkdtemp(prefix="orvanta-relay-")
        self.workdir = os.path.join(self.outside, "work")
        os.mkdir(self.workdir)

    def __enter__(self):
        with contextlib.ExitStack() as parts:
            self.viewer = parts.enter_context(Viewer(self.wine))
            self.vendor = parts.enter_context(Vendor(rules=self.rules))
            self.store = os.path.join(self.vendor.dir, USER)
            os.mkdir(self.store)
            for name, content in self.documents.items():
                with open(os.path.join(self.store, name), "wb") as f:
                    f.write(content)
            program = e2e.Orvanta(self.wine)
            program.workdir = self.workdir
            parts.enter_context(program)
            person = e2e.started(self.wine)
            if self.direct_printers:
                person.click(310, 360)  # "Comunicação direta settingsWith as impressoras"
                person.message()
                person.focus()
                person.click(400, 100)  # back in the account field
            e2e.log_in(person, USER)
            e2e.check(self.wine.wait_window(SESSION), "the session window was not shown")
            self.parts = parts.pop_all()
        return self

    def __exit__(self, *exc):
        self.parts.__exit__(*exc)
        if exc[0] is None:
            shutil.rmtree(self.outside, ignore_errors=True)
        return False

    def requests(self):
        """The store requests so far, as their targets."""
        return [line.split(" ")[2] for line in self.vendor.lines() if STORE in line]

    def wait_requests(self, target, count=1, seconds=30):
        e2e.check(wait_until(lambda: self.requests().count(target) >= count, seconds),
                  "no %d× %s in %s" % (count, target, self.requests()))

    def local_files(self):
        return sorted(os.listdir(self.workdir))

    def opened_here(self):
        """Names of the documents the viewer opened, each checked to be in the working
        directory."""
        names = []
        for argument, _ in self.viewer.opened():
            folder = ntpath.dirname(argument)
            e2e.check(folder.lower() in ("", windows_path(self.workdir).lower()),
                      "opened outside the working directory: " + argument)
            names.append(ntpath.basename(argument))
        return names

    def content(self, name):
        with open(os.path.join(self.workdir, name), "rb") as f:
            return f.read()


def listing():
    return STORE + "index.php"


def removal(encoded_name):
    return STORE + "remove.php?arquivo=" + encoded_name


def cycle(encoded_name):
    """The requests of one relayed document."""
    return [listing(), STORE + encoded_name, removal(encoded_name)]


def arrives(wine):
    with Relay(wine, {"relatorio final.pdf": PDF}) as relay:
        relay.wait_requests(removal("relatorio%20final.pdf"))
        e2e.check(relay.requests() == cycle("relatorio%20final.pdf"),
                  "requests: %s" % relay.requests())
        e2e.check(relay.local_files() == ["relatorio final.pdf"], "files: %s" % relay.local_files())
        e2e.check(relay.content("relatorio final.pdf") == PDF, "the document arrived damaged")
        e2e.check(wait_until(lambda: relay.viewer.opened(), 10), "nothing was opened")
        e2e.check(relay.opened_here() == ["relatorio final.pdf"],
                  "opened: %s" % relay.viewer.opened())
        e2e.check(relay.viewer.opened()[0][1] == len(PDF), "opened before it was whole")
        e2e.check(os.listdir(relay.store) == [], "still in the store")
        session = wine.window(SESSION)
        fields = [c for c in session["children"] if c["class"] == "Edit" and not c["visible"]]
        e2e.check(any(c["text"] == "http://127.0.0.2:52/abc12def/store/relatorio%20final.pdf"
                      for c in fields), "Edit1: %s" % fields)
        # The next poll comes and finds nothing more.
        relay.wait_requests(listing(), count=2)
        e2e.screenshot("relay-session.png")
    return 0


def two_cycles(wine):
    with Relay(wine, {"a.pdf": b"%PDF-1.4 a", "b.pdf": b"%PDF-1.4 b"}) as relay:
        relay.wait_requests(removal("b.pdf"))
        e2e.check(relay.requests() == cycle("a.pdf") + cycle("b.pdf"),
                  "requests: %s" % relay.requests())
        e2e.check(relay.local_files() == ["a.pdf", "b.pdf"], "files: %s" % relay.local_files())
        e2e.check(wait_until(lambda: len(relay.viewer.opened()) == 2, 10),
                  "opened: %s" % relay.viewer.opened())
        e2e.check(relay.opened_here() == ["a.pdf", "b.pdf"], "opened: %s" % relay.viewer.opened())
    return 0


def unsafe_and_executable(wine):
    evil = "..\\evil.pdf"
    documents = {evil: b"%PDF-1.4 evil", "nota.bat": b"echo relayed\r\n", "ok.pdf": b"%PDF-1.4 ok",
                 "setup.exe": b"MZ", "version.dll": b"MZ"}
    with Relay(wine, documents) as relay:
        relay.wait_requests(removal("ok.pdf"))
        e2e.check(relay.requests() == cycle("ok.pdf"), "requests: %s" % relay.requests())
        e2e.check(relay.local_files() == ["ok.pdf"], "files: %s" % relay.local_files())
        e2e.check(os.listdir(relay.outside) == ["work"],
                  "written outside: %s" % os.listdir(relay.outside))
        # Neither the unsafe entry nor what is not a PDF is fetched, written or removed.
        e2e.check(sorted(os.listdir(relay.store)) == sorted([evil, "nota.bat", "setup.exe",
                                                             "version.dll"]),
                  "store: %s" % os.listdir(relay.store))
        relay.wait_requests(listing(), count=2)
        e2e.check(relay.requests() == cycle("ok.pdf") + [listing()],
                  "requests: %s" % relay.requests())
        e2e.check(wait_until(lambda: relay.viewer.opened(), 10), "nothing was opened")
        e2e.check(relay.opened_here() == ["ok.pdf"], "opened: %s" % relay.viewer.opened())
    return 0


def short_body(wine):
    target = STORE + "doc.pdf"
    truncate = [{"path": target, "truncate": True, "body": PDF.decode("latin-1")}]
    with Relay(wine, {"doc.pdf": PDF}, rules=truncate) as relay:
        # Cut short, then an error status: each time nothing is left under any name, nothing is
        # opened or removed, and a later cycle tries again.
        relay.wait_requests(target)
        relay.vendor.set_rules([{"path": target, "status": 500, "body": "falha"}])
        e2e.check(wait_until(lambda: relay.local_files() == [], 4),
                  "a partial file was left: %s" % relay.local_files())
        relay.wait_requests(target, count=2)
        relay.vendor.set_rules([])
        e2e.check(wait_until(lambda: relay.local_files() == [], 4),
                  "a file was left: %s" % relay.local_files())
        relay.wait_requests(removal("doc.pdf"))
        documents = [r for r in relay.requests() if r != listing()]
        e2e.check(documents == [target] * 3 + [removal("doc.pdf")], "requests: %s" % documents)
        e2e.check(relay.content("doc.pdf") == PDF, "the document arrived damaged")
        e2e.check(wait_until(lambda: relay.viewer.opened(), 10), "nothing was opened")
        e2e.check(relay.opened_here() == ["doc.pdf"], "opened: %s" % relay.viewer.opened())
    return 0


def troubled_store(wine):
    """A name holding "#", an accented name in the UTF-8 listing and an entry that always fails
    before a good one: every good document arrives once, the failing one never holds them up."""
    accented = "relat\u00f3rio final.pdf"
    documents = {"a#b.pdf": b"%PDF-1.4 hash", "falha.pdf": b"%PDF-1.4 falha",
                 accented: b"%PDF-1.4 acento", "ultimo.pdf": b"%PDF-1.4 ultimo"}
    failing = STORE + "falha.pdf"
    with Relay(wine, documents, rules=[{"path": failing, "status": 500}]) as relay:
        relay.wait_requests(removal("ultimo.pdf"), seconds=60)
        # The failing entry is asked for again after the others.
        relay.wait_requests(failing, count=2, seconds=30)
        e2e.check(relay.local_files() == sorted(["a#b.pdf", accented, "ultimo.pdf"]),
                  "files: %s" % relay.local_files())
        for name, content in documents.items():
            if name != "falha.pdf":
                e2e.check(relay.content(name) == content, name + " arrived damaged")
        e2e.check(os.listdir(relay.store) == ["falha.pdf"], "store: %s" % os.listdir(relay.store))
        documents_asked = [r for r in relay.requests() if r != listing() and r != failing]
        e2e.check(documents_asked == cycle("a%23b.pdf")[1:] +
                  cycle("relat%C3%B3rio%20final.pdf")[1:] + cycle("ultimo.pdf")[1:],
                  "requests: %s" % relay.requests())
        e2e.check(wait_until(lambda: len(relay.viewer.opened()) >= 3, 10),
                  "opened: %s" % relay.viewer.opened())
        e2e.check(relay.opened_here() == ["a#b.pdf", accented, "ultimo.pdf"],
                  "opened: %s" % relay.viewer.opened())
    return 0


def removal_fails(wine):
    """The removal answers 500 twice: the document is opened once, its removal asked again."""
    rules = [{"path": STORE + "remove.php", "status": 500, "times": 2}]
    with Relay(wine, {"d5c.pdf": PDF}, rules=rules) as relay:
        relay.wait_requests(removal("d5c.pdf"), count=3, seconds=40)
        e2e.check(wait_until(lambda: os.listdir(relay.store) == [], 5), "still in the store")
        relay.wait_requests(listing(), count=4)
        e2e.check(relay.requests().count(STORE + "d5c.pdf") == 1,
                  "requests: %s" % relay.requests())
        e2e.check(relay.local_files() == ["d5c.pdf"], "files: %s" % relay.local_files())
        e2e.check(wait_until(lambda: relay.viewer.opened(), 10), "nothing was opened")
        e2e.check(relay.opened_here() == ["d5c.pdf"], "opened: %s" % relay.viewer.opened())
    return 0


def direct_printers(wine):
    with Relay(wine, {"doc.pdf": PDF}, direct_printers=True) as relay:
        e2e.check(wait_until(lambda: any(l.startswith("RDP connect")
                                               for l in relay.vendor.lines())),
                  "the session never connected")
        time.sleep(12)
        e2e.check(relay.requests() == [], "store requests: %s" % relay.requests())
        e2e.check(relay.local_files() == [], "files: %s" % relay.local_files())
    return 0


CASES = {
    "arrives": arrives,
    "two-cycles": two_cycles,
    "unsafe-and-executable": unsafe_and_executable,
    "short-body": short_body,
    "troubled-store": troubled_store,
    "removal-fails": removal_fails,
    "direct-printers": direct_printers,
}


if __name__ == "__main__":
    sys.exit(e2e.main(CASES, needs=(e2e.STANDIN_CONTROL, VIEWER)))
