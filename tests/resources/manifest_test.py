"""The manifest embedded in Orvanta.exe names the systems it runs on: Windows 7 and later."""

import sys
import xml.etree.ElementTree as ET

COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
SYSTEMS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}


def embedded_manifest(program):
    # The resource compiler stores the manifest's bytes as they are.
    data = open(program, "rb").read()
    start = data.find(b"<assembly")
    end = data.find(b"</assembly>", start)
    if start < 0 or end < 0:
        sys.exit("no manifest in %s" % program)
    return ET.fromstring(data[start:end + len(b"</assembly>")])


def main():
    manifest = embedded_manifest(sys.argv[1])
    ids = [e.get("Id").lower() for e in manifest.iter("{%s}supportedOS" % COMPATIBILITY)]
    named = sorted(SYSTEMS.get(i, "unknown " + i) for i in ids)
    if sorted(ids) != sorted(SYSTEMS) or len(ids) != len(set(ids)):
        print("supported systems: %s; expected %s" % (named, sorted(SYSTEMS.values())))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
