#!/usr/bin/env python3
"""The resources of pinwick.exe that Windows reads before the game runs,
checked without Wine: the manifest and the icon group.
  resources_test.py PINWICK.EXE
Exits 77 (skipped) when the program is not built, unless make test asks
for it (PINWICK_REQUIRE_WIN32=1)."""
import os
import struct
import sys
import xml.etree.ElementTree as ET

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
FIXED_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)
NS = {
    "asm": "urn:schemas-microsoft-com:asm.v1",
    "asm3": "urn:schemas-microsoft-com:asm.v3",
    "compat": "urn:schemas-microsoft-com:compatibility.v1",
    "dpi": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
}
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def read_resources(path):
    """{(type, name): (language, data)} from the program's resource tree; a
    type or name is a number or a string."""
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    section_count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    tree_rva = struct.unpack_from("<I", data, pe + 24 + 96 + 2 * 8)[0]  # data directory 2
    for i in range(section_count):
        size, rva, _, raw = struct.unpack_from("<IIII", data, pe + 24 + optional_size + 40 * i + 8)
        if rva <= tree_rva < rva + size:
            delta = raw - rva
    root = tree_rva + delta

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, root + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, root + directory + 16 + 8 * i)
            if name & 0x80000000:
                at = root + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", data, at)[0]
                name = data[at + 2 : at + 2 + 2 * length].decode("utf-16-le")
            yield name, target & 0x7FFFFFFF

    found = {}
    for kind, names in entries(0):
        for name, languages in entries(names):
            for language, leaf in entries(languages):
                rva, size = struct.unpack_from("<II", data, root + leaf)
                found[(kind, name)] = (language, data[rva + delta : rva + delta + size])
    return found


def main():
    exe = sys.argv[1]
    if not os.path.isfile(exe):
        if os.environ.get("PINWICK_REQUIRE_WIN32") == "1":
            print(f"FAIL setup: {exe} is missing (make win32 builds it)")
            return 1
        print(f"skipped: {exe} is missing (make win32 builds it)")
        return 77
    res = read_resources(exe)

    version = res[(RT_VERSION, 1)][1]
    fixed = version.index(FIXED_INFO_SIGNATURE)
    ms, ls = struct.unpack_from("<II", version, fixed + 8)
    file_version = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"

    language, manifest = res.get((RT_MANIFEST, 1), (None, b""))
    check(language == 0, f"the manifest is missing or not language neutral ({language})")
    try:
        root = ET.fromstring(manifest)
    except ET.ParseError as error:
        failures.append(f"the manifest is not well-formed XML: {error}")
        root = ET.Element("none")
    identity = root.find("asm:assemblyIdentity", NS)
    check(identity is not None and identity.get("version") == file_version,
          "the manifest's version is not the file version")
    controls = [a for a in root.iterfind("asm:dependency/asm:dependentAssembly/asm:assemblyIdentity", NS)
                if a.get("name") == "Microsoft.Windows.Common-Controls"]
    check(len(controls) == 1 and controls[0].get("version") == "6.0.0.0",
          "the manifest does not ask for common controls version 6")
    systems = {s.get("Id") for s in root.iterfind("compat:compatibility/compat:application/compat:supportedOS", NS)}
    check(len(systems) == 4, f"the manifest names {len(systems)} systems, not Windows 7, 8, 8.1 and 10")
    dpi = root.find("asm3:application/asm3:windowsSettings/dpi:dpiAware", NS)
    check(dpi is not None and dpi.text == "false", "the manifest does not say the game is not DPI aware")

    group = res[(RT_GROUP_ICON, "ICON_MAIN")][1]
    count = struct.unpack_from("<H", group, 4)[0]
    sides = []
    for i in range(count):
        width, height, _, _, _, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        side = width or 256
        sides.append(side)
        image = res[(RT_ICON, icon_id)][1]
        if side == 256:
            check(image.startswith(PNG_SIGNATURE) and struct.unpack_from(">II", image, 16) == (256, 256),
                  "the 256 pixel icon is not a 256 x 256 PNG")
        else:
            header = struct.unpack_from("<IiiHH", image)
            check(header == (40, side, 2 * side, 1, 4) and bits == 4,
                  f"the {side} pixel icon is not a 16-colour bitmap with its mask")
    check(sides == [16, 32, 48, 256], f"the icon group holds {sides}, not 16, 32, 48 and 256 pixels")

    for failure in failures:
        print(f"FAIL {failure}")
    if not failures:
        print("ok   the manifest and the icon group of pinwick.exe")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
