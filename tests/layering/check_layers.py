#!/usr/bin/env python3
"""Fails, naming file and line, where a source file reaches a layer it must not.

The layers, lowest first: base/ (the ground floor) <- service/ <- the feature cores
(login, update, session, printing, help) <- their Win32 halves (*_win files) <- ui/ <- app/.
Portable files (no _win in the name) never include a Win32 header, ui/ or app/; ui/ never
includes app/; only app/ puts one feature's windows in touch with another's.
"""
import re
import sys
from pathlib import Path

FEATURES = {"login", "update", "session", "printing", "help"}
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
            if portable and target_layer in {"ui", "app"}:
                yield f"{where}: portable file includes {target}"
            if layer == "ui" and target_layer == "app":
                yield f"{where}: the ui toolkit includes the program ({target})"
            if layer == "base" and target_layer not in {None, "base"}:
                yield f"{where}: the ground floor includes {target}"
            if layer == "service" and target_layer not in {None, "base", "service"}:
                yield f"{where}: service/ includes {target}"
            if (layer in FEATURES and not portable and target_layer in FEATURES
                    and target_layer != layer and not is_portable(Path(target))):
                yield f"{where}: a window of {layer}/ reaches a window of {target_layer}/ ({target}); only app/ wires windows together"


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
