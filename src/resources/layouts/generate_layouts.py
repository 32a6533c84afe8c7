#!/usr/bin/env python3
"""Turns the keyboard layout descriptions (*.layout) into the stored binary form.

Outputs, in the output folder: one <NAME>KEYBOARD.bin per layout, keyboard_layouts.rc that
embeds them as RCDATA, and keyboard_layouts_data.cpp with the same bytes as arrays (tests
read these, so native and Windows tests see identical data without opening files).

Description format, one statement per line ('#' starts a comment, values may be quoted):
  layout NAME type=T size=WxH min=WxH max=WxH rowheight=N
  language TAG "Display name"
  row top=N bottom=N
  key [sc=N] [vk=N] [w=N] [h=N] [flags=STR] [caption=TEXT] [image=NAME] [mod=NAME]
      [pub=NAME] [font=N] [combo=VK:SC,VK:SC]
  keys sc=A-B                       a run of plain keys, one per scan code
  modifier NAME on=KEYS [language=TAG] [caption=TEXT] [sc=N] [vk=N] [font=N] [image=NAME]
  keylang on=KEYS language=TAG [caption=TEXT] [sc=N] [vk=N] [image=NAME] [combo=VK:SC,...]
  include FILE                      the statements of FILE, in place
KEYS is a list of scan codes and ranges (2-9,13) or published key names (Del, RightAlt).
Entries are stored on each key in the order the lines appear. Key margins follow the row:
the first key 0/2, the last 2/0, every other 2/2.
"""
import shlex
import struct
import sys
from pathlib import Path

IMAGES = {"Tab": 0, "Shift": 1, "Enter": 2, "Backspace": 3, "Up": 4, "Down": 5,
          "Left": 6, "Right": 7, "NumEnter": 8, "None": 255}
FLAGS = {"S": 1, "T": 2, "R": 4}


class LayoutSourceError(Exception):
    pass


def text(s):
    data = s.encode("utf-16-le")
    if len(data) > 255:
        raise LayoutSourceError(f"string too long: {s!r}")
    return bytes([len(data)]) + data


def u8(v):
    return struct.pack("<B", v)


def u16(v):
    return struct.pack("<H", v)


def i16(v):
    return struct.pack("<h", v)


def pair(v):
    a, b = v.split("x")
    return int(a), int(b)


def combos(v):
    if not v:
        return []
    return [tuple(int(x) for x in c.split(":")) for c in v.split(",")]


def fields(tokens, allowed, line):
    out = {}
    for t in tokens:
        if "=" not in t:
            raise LayoutSourceError(f"{line}: expected name=value, got {t!r}")
        k, v = t.split("=", 1)
        if k not in allowed:
            raise LayoutSourceError(f"{line}: unknown field {k!r}")
        out[k] = v
    return out


def targets(list):
    for part in list.split(","):
        if part[:1].isdigit():
            if "-" in part:
                a, b = part.split("-")
                yield from range(int(a), int(b) + 1)
            else:
                yield int(part)
        else:
            yield part


def lines(path):
    for n, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        tokens = shlex.split(raw, comments=True)
        if tokens[:1] == ["include"]:
            yield from lines(path.parent / tokens[1])
        elif tokens:
            yield f"{path.name}:{n}", tokens


def read(path):
    layout = None
    rows = []
    for n, tokens in lines(Path(path)):
        cmd, rest = tokens[0], tokens[1:]
        if cmd == "layout":
            f = fields(rest[1:], {"type", "size", "min", "max", "rowheight"}, n)
            layout = {"name": rest[0], "type": f["type"], "size": pair(f["size"]),
                      "min": pair(f["min"]), "max": pair(f["max"]),
                      "rowheight": int(f["rowheight"]), "languages": []}
        elif cmd == "language":
            layout["languages"].append((rest[0], rest[1] if len(rest) > 1 else ""))
        elif cmd == "row":
            f = fields(rest, {"top", "bottom"}, n)
            rows.append({"top": int(f["top"]), "bottom": int(f["bottom"]), "keys": []})
        elif cmd == "key":
            f = fields(rest, {"sc", "vk", "w", "h", "flags", "caption", "image", "mod", "pub",
                               "font", "combo"}, n)
            rows[-1]["keys"].append(new_key(f))
        elif cmd == "keys":
            f = fields(rest, {"sc"}, n)
            for sc in targets(f["sc"]):
                rows[-1]["keys"].append(new_key({"sc": str(sc)}))
        elif cmd in ("modifier", "keylang"):
            f = fields(rest[1:] if cmd == "modifier" else rest,
                       {"on", "language", "caption", "sc", "vk", "font", "image", "combo"}, n)
            for target in targets(f["on"]):
                keys = [k for r in rows for k in r["keys"]
                          if (k["sc"] == target if isinstance(target, int) else k["pub"] == target)]
                if len(keys) != 1:
                    raise LayoutSourceError(f"{n}: {target!r} names {len(keys)} keys")
                k = keys[0]
                entry = {"caption": f.get("caption", ""), "vk": int(f.get("vk", -1)),
                           "image": IMAGES[f.get("image", "None")],
                           "language": f.get("language", "")}
                if cmd == "modifier":
                    entry.update(sc=int(f.get("sc", k["sc"])), mod=rest[0],
                                   font=int(f.get("font", 14)))
                    k["modifiers"].append(entry)
                else:
                    entry.update(sc=int(f.get("sc", -1)), combo=combos(f.get("combo", "")))
                    k["languages"].append(entry)
        else:
            raise LayoutSourceError(f"{n}: unknown statement {cmd!r}")
    layout["rows"] = rows
    return layout


def new_key(f):
    return {"sc": int(f.get("sc", -1)), "vk": int(f.get("vk", -1)), "w": int(f.get("w", 48)),
            "h": int(f.get("h", 48)), "flags": sum(FLAGS[c] for c in f.get("flags", "")),
            "caption": f.get("caption", ""), "image": IMAGES[f.get("image", "None")],
            "mod": f.get("mod", ""), "pub": f.get("pub", ""), "font": int(f.get("font", 14)),
            "combo": combos(f.get("combo", "")), "modifiers": [], "languages": []}


def encode_layout(layout):
    out = bytearray(u8(1))
    out += text(layout["name"]) + text(layout["type"])
    for v in (*layout["size"], *layout["min"], *layout["max"], layout["rowheight"]):
        out += u16(v)
    out += u16(len(layout["languages"]))
    for tag, name in layout["languages"]:
        out += text(tag) + text(name)
    out += u16(len(layout["rows"]))
    for row in layout["rows"]:
        keys = row["keys"]
        out += u8(row["top"]) + u8(row["bottom"]) + u16(len(keys))
        for i, k in enumerate(keys):
            left = 0 if i == 0 else 2
            right = 0 if i == len(keys) - 1 else 2
            out += text(k["caption"]) + u8(k["image"]) + i16(k["vk"]) + i16(k["sc"])
            out += u16(len(k["combo"])) + b"".join(i16(a) + i16(b) for a, b in k["combo"])
            out += u16(k["w"]) + u16(k["h"]) + u8(left) + u8(right) + u8(k["flags"]) + u16(0)
            out += text(k["mod"]) + text(k["pub"]) + u16(k["font"])
            out += u16(len(k["modifiers"]))
            for m in k["modifiers"]:
                out += text(m["caption"]) + i16(m["vk"]) + i16(m["sc"]) + u8(m["image"])
                out += text(m["mod"]) + u16(m["font"]) + text(m["language"]) + u16(0)
            out += u16(len(k["languages"]))
            for lg in k["languages"]:
                out += text(lg["caption"]) + i16(lg["vk"]) + i16(lg["sc"])
                out += u16(len(lg["combo"])) + b"".join(i16(a) + i16(b) for a, b in lg["combo"])
                out += u8(lg["image"]) + text(lg["language"])
    return bytes(out)


def main(output, inputs):
    output = Path(output)
    output.mkdir(parents=True, exist_ok=True)
    resources = []
    for e in sorted(inputs):
        layout = read(e)
        resource = layout["name"].upper() + "KEYBOARD"
        data = encode_layout(layout)
        (output / f"{resource}.bin").write_bytes(data)
        resources.append((resource, data))
    resources.sort()
    folder = output.resolve().as_posix()
    rc = "".join(f'{r} RCDATA "{folder}/{r}.bin"\n' for r, _ in resources)
    (output / "keyboard_layouts.rc").write_text(rc)
    cpp = ["// Generated from src/resources/layouts/*.layout; do not edit.",
           '#include "resources/keyboard_layouts_data.h"', "", "namespace orvanta {",
           "namespace {"]
    for r, data in resources:
        cpp.append(f"const unsigned char k{r}[{len(data)}] = {{")
        for i in range(0, len(data), 16):
            cpp.append("    " + ", ".join(str(b) for b in data[i:i + 16]) + ",")
        cpp.append("};")
    cpp += ["}  // namespace", "",
            "const std::vector<LayoutResource>& embeddedLayoutResources() {",
            "  static const std::vector<LayoutResource> resources{"]
    cpp += [f'      {{"{r}", {{k{r}, sizeof k{r}}}}},' for r, _ in resources]
    cpp += ["  };", "  return resources;", "}", "", "}  // namespace orvanta", ""]
    (output / "keyboard_layouts_data.cpp").write_text("\n".join(cpp))


if __name__ == "__main__":
    try:
        main(sys.argv[1], sys.argv[2:])
    except LayoutSourceError as f:
        sys.exit(f"generate_layouts: {f}")
