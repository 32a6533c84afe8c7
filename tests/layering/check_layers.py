#!/usr/bin/env python3
"""Fails, naming file and line, where a source file reaches a layer it must not.

The layers, lowest first, each including only those below it:
  base/ (the ground floor)  <-  service/
  the session window's parts: layouts/ <- keyboard/, and alert/ (on base/ alone)
  the features: login/, update/, session/, printing/, help/ (on service/, base/; session/ also
  on its parts); no feature includes another
  ui/ (the Win32 toolkit, on base/)  <-  the features' and parts' Win32 halves (*_win files)
  app/, on everything: the only place that puts one feature in touch with another.
Portable files (no _win in the name) never include a Win32 header, ui/ or app/.
"""
import re
import sys
from pathlib import Path

FEATURES = {"login", "update", "session", "printing", "help"}
# What each folder below app/ may include besides itself; a Win32 half may also include ui/.
ALLOWED = {
    "base": set(),
    "service": {"base"},
    "layouts": {"base"},
    "keyboard": {"base", "layouts"},
    "alert": {"base"},
    "login": {"base", "service"},
    "update": {"base", "service"},
    "printing": {"base", "service"},
    "help": {"base", "service"},
    "session": {"base", "service", "alert", "keyboard", "layouts"},
    "ui": {"base"},
}
# Headers of the Win32 SDK (and its COM helpers) that only a Win32 half may include.
WIN32_HEADER = re.compile(
    r"(windows|windowsx|winsock2?|ws2[a-z0-9_]*|mswsock|iphlpapi|win[a-z0-9_]*|ole[a-z0-9]*"
    r"|obj[a-z]*|oaidl|ocidl|unknwn|comm[a-z]*|commdlg|shellapi|shlobj[a-z_]*|shlwapi"
    r"|shellscalingapi|uxtheme|dwmapi|mmsystem|tlhelp32|psapi|rpc[a-z]*|wrl/.*|atl[a-z]*)\.h",
    re.IGNORECASE)
# Win32 types that a portable file must not name (comments aside).
WIN32_TYPE = re.compile(r"\b(DWORD|WORD|HWND|HRESULT|HANDLE|HINSTANCE|HMODULE|HKEY|HDC|HFONT|HBITMAP"
                        r"|LPARAM|WPARAM|LRESULT|UINT|BOOL|LPINPUT|LPCWSTR|LPWSTR|BSTR|VARIANT)\b")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def is_portable(path: Path) -> bool:
    return not path.stem.endswith("_win")


def breaches(root: Path):
    src = root / "src"
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp"} or not path.is_file():
            continue
        rel = path.relative_to(src)
        layer = rel.parts[0]
        portable = is_portable(path)
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            code = line.split("//", 1)[0]
            if portable and (named := WIN32_TYPE.search(code)):
                yield f"src/{rel.as_posix()}:{number}: portable file names the Win32 type {named.group(1)}"
            match = INCLUDE.match(line)
            if not match:
                continue
            quote, target = match.groups()
            where = f"src/{rel.as_posix()}:{number}"
            target_layer = target.split("/")[0] if quote == '"' and "/" in target else None
            if portable and quote == "<" and WIN32_HEADER.fullmatch(target):
                yield f"{where}: portable file includes the Win32 header <{target}>"
            if portable and quote == '"' and Path(target).stem.endswith("_win"):
                yield f"{where}: portable file includes the Win32 half {target}"
            if portable and target_layer in {"ui", "app"} and target_layer != layer:
                yield f"{where}: portable file includes {target}"
            if target_layer is None or target_layer == layer or layer not in ALLOWED:
                continue
            if target_layer in ALLOWED[layer] or (target_layer == "ui" and not portable):
                continue
            if layer in FEATURES and target_layer in FEATURES:
                yield f"{where}: {layer}/ includes the feature {target_layer}/ ({target}); only app/ puts features in touch"
            else:
                yield f"{where}: {layer}/ includes {target}, which is not below it"

def main() -> int:
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2]
    found = list(breaches(root))
    for breach in found:
        print(breach)
    if found:
        print(f"{len(found)} layering breach(es)")
        return 1
    print("layers hold")
    return 0


if __name__ == "__main__":
    sys.exit(main())
