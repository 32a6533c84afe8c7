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


class Falha(Exception):
    pass


def texto(s):
    data = s.encode("utf-16-le")
    if len(data) > 255:
        raise Falha(f"string too long: {s!r}")
    return bytes([len(data)]) + data


def u8(v):
    return struct.pack("<B", v)


def u16(v):
    return struct.pack("<H", v)


def i16(v):
    return struct.pack("<h", v)


def par(v):
    a, b = v.split("x")
    return int(a), int(b)


def combos(v):
    if not v:
        return []
    return [tuple(int(x) for x in c.split(":")) for c in v.split(",")]


def campos(tokens, permitidos, linha):
    out = {}
    for t in tokens:
        if "=" not in t:
            raise Falha(f"{linha}: expected name=value, got {t!r}")
        k, v = t.split("=", 1)
        if k not in permitidos:
            raise Falha(f"{linha}: unknown field {k!r}")
        out[k] = v
    return out


def alvos(lista):
    for parte in lista.split(","):
        if parte[:1].isdigit():
            if "-" in parte:
                a, b = parte.split("-")
                yield from range(int(a), int(b) + 1)
            else:
                yield int(parte)
        else:
            yield parte


def linhas(caminho):
    for n, bruta in enumerate(caminho.read_text(encoding="utf-8").splitlines(), 1):
        tokens = shlex.split(bruta, comments=True)
        if tokens[:1] == ["include"]:
            yield from linhas(caminho.parent / tokens[1])
        elif tokens:
            yield f"{caminho.name}:{n}", tokens


def ler(caminho):
    layout = None
    rows = []
    for n, tokens in linhas(Path(caminho)):
        cmd, resto = tokens[0], tokens[1:]
        if cmd == "layout":
            f = campos(resto[1:], {"type", "size", "min", "max", "rowheight"}, n)
            layout = {"name": resto[0], "type": f["type"], "size": par(f["size"]),
                      "min": par(f["min"]), "max": par(f["max"]),
                      "rowheight": int(f["rowheight"]), "languages": []}
        elif cmd == "language":
            layout["languages"].append((resto[0], resto[1] if len(resto) > 1 else ""))
        elif cmd == "row":
            f = campos(resto, {"top", "bottom"}, n)
            rows.append({"top": int(f["top"]), "bottom": int(f["bottom"]), "keys": []})
        elif cmd == "key":
            f = campos(resto, {"sc", "vk", "w", "h", "flags", "caption", "image", "mod", "pub",
                               "font", "combo"}, n)
            rows[-1]["keys"].append(nova_tecla(f))
        elif cmd == "keys":
            f = campos(resto, {"sc"}, n)
            for sc in alvos(f["sc"]):
                rows[-1]["keys"].append(nova_tecla({"sc": str(sc)}))
        elif cmd in ("modifier", "keylang"):
            f = campos(resto[1:] if cmd == "modifier" else resto,
                       {"on", "language", "caption", "sc", "vk", "font", "image", "combo"}, n)
            for alvo in alvos(f["on"]):
                teclas = [k for r in rows for k in r["keys"]
                          if (k["sc"] == alvo if isinstance(alvo, int) else k["pub"] == alvo)]
                if len(teclas) != 1:
                    raise Falha(f"{n}: {alvo!r} names {len(teclas)} keys")
                k = teclas[0]
                entrada = {"caption": f.get("caption", ""), "vk": int(f.get("vk", -1)),
                           "image": IMAGES[f.get("image", "None")],
                           "language": f.get("language", "")}
                if cmd == "modifier":
                    entrada.update(sc=int(f.get("sc", k["sc"])), mod=resto[0],
                                   font=int(f.get("font", 14)))
                    k["modifiers"].append(entrada)
                else:
                    entrada.update(sc=int(f.get("sc", -1)), combo=combos(f.get("combo", "")))
                    k["languages"].append(entrada)
        else:
            raise Falha(f"{n}: unknown statement {cmd!r}")
    layout["rows"] = rows
    return layout


def nova_tecla(f):
    return {"sc": int(f.get("sc", -1)), "vk": int(f.get("vk", -1)), "w": int(f.get("w", 48)),
            "h": int(f.get("h", 48)), "flags": sum(FLAGS[c] for c in f.get("flags", "")),
            "caption": f.get("caption", ""), "image": IMAGES[f.get("image", "None")],
            "mod": f.get("mod", ""), "pub": f.get("pub", ""), "font": int(f.get("font", 14)),
            "combo": combos(f.get("combo", "")), "modifiers": [], "languages": []}


def codificar(layout):
    out = bytearray(u8(1))
    out += texto(layout["name"]) + texto(layout["type"])
    for v in (*layout["size"], *layout["min"], *layout["max"], layout["rowheight"]):
        out += u16(v)
    out += u16(len(layout["languages"]))
    for tag, nome in layout["languages"]:
        out += texto(tag) + texto(nome)
    out += u16(len(layout["rows"]))
    for row in layout["rows"]:
        keys = row["keys"]
        out += u8(row["top"]) + u8(row["bottom"]) + u16(len(keys))
        for i, k in enumerate(keys):
            left = 0 if i == 0 else 2
            right = 0 if i == len(keys) - 1 else 2
            out += texto(k["caption"]) + u8(k["image"]) + i16(k["vk"]) + i16(k["sc"])
            out += u16(len(k["combo"])) + b"".join(i16(a) + i16(b) for a, b in k["combo"])
            out += u16(k["w"]) + u16(k["h"]) + u8(left) + u8(right) + u8(k["flags"]) + u16(0)
            out += texto(k["mod"]) + texto(k["pub"]) + u16(k["font"])
            out += u16(len(k["modifiers"]))
            for m in k["modifiers"]:
                out += texto(m["caption"]) + i16(m["vk"]) + i16(m["sc"]) + u8(m["image"])
                out += texto(m["mod"]) + u16(m["font"]) + texto(m["language"]) + u16(0)
            out += u16(len(k["languages"]))
            for lg in k["languages"]:
                out += texto(lg["caption"]) + i16(lg["vk"]) + i16(lg["sc"])
                out += u16(len(lg["combo"])) + b"".join(i16(a) + i16(b) for a, b in lg["combo"])
                out += u8(lg["image"]) + texto(lg["language"])
    return bytes(out)


def main(saida, entradas):
    saida = Path(saida)
    saida.mkdir(parents=True, exist_ok=True)
    recursos = []
    for e in sorted(entradas):
        layout = ler(e)
        recurso = layout["name"].upper() + "KEYBOARD"
        dados = codificar(layout)
        (saida / f"{recurso}.bin").write_bytes(dados)
        recursos.append((recurso, dados))
    recursos.sort()
    pasta = saida.resolve().as_posix()
    rc = "".join(f'{r} RCDATA "{pasta}/{r}.bin"\n' for r, _ in recursos)
    (saida / "keyboard_layouts.rc").write_text(rc)
    cpp = ["// Generated from src/resources/layouts/*.layout; do not edit.",
           '#include "resources/keyboard_layouts_data.h"', "", "namespace orvanta {",
           "namespace {"]
    for r, dados in recursos:
        cpp.append(f"const unsigned char k{r}[{len(dados)}] = {{")
        for i in range(0, len(dados), 16):
            cpp.append("    " + ", ".join(str(b) for b in dados[i:i + 16]) + ",")
        cpp.append("};")
    cpp += ["}  // namespace", "",
            "const std::vector<RecursoLayout>& RecursosLayoutEmbutidos() {",
            "  static const std::vector<RecursoLayout> recursos{"]
    cpp += [f'      {{"{r}", {{k{r}, sizeof k{r}}}}},' for r, _ in recursos]
    cpp += ["  };", "  return recursos;", "}", "", "}  // namespace orvanta", ""]
    (saida / "keyboard_layouts_data.cpp").write_text("\n".join(cpp))


if __name__ == "__main__":
    try:
        main(sys.argv[1], sys.argv[2:])
    except Falha as f:
        sys.exit(f"gerar_layouts: {f}")
