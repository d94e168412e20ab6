#!/usr/bin/python3
"""version_record.py PROGRAM.exe...

Reads back what each Windows program carries and checks it: the version record (file
and product version 1.00 in the fixed part and in a Turkish string block, the product
name, the original file name), the subsystem (dorvek.exe a GUI program, any other a
console program), the application manifest, and dorvek.exe's icon: 32 x 32 and 16 x 16
in 16 colours."""

import os
import sys

import pefile

SUBSYSTEMS = {2: "GUI", 3: "console"}
TURKISH_UNICODE = "041f04b0"


def resources(pe, type_id):
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == type_id:
            for name in entry.directory.entries:
                for language in name.directory.entries:
                    data = language.data.struct
                    yield name.id, pe.get_data(data.OffsetToData, data.Size)


def check(path):
    failures = []
    name = os.path.basename(path)
    pe = pefile.PE(path)
    print(f"{name}:")

    subsystem = SUBSYSTEMS.get(pe.OPTIONAL_HEADER.Subsystem, pe.OPTIONAL_HEADER.Subsystem)
    machine = "x86-64" if pe.FILE_HEADER.Machine == 0x8664 else hex(pe.FILE_HEADER.Machine)
    print(f"  {machine}, {subsystem} program")
    if subsystem != ("GUI" if name == "dorvek.exe" else "console"):
        failures.append(f"{name} is a {subsystem} program")

    fixed = pe.VS_FIXEDFILEINFO[0]
    numbers = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    file_version = numbers(fixed.FileVersionMS, fixed.FileVersionLS)
    product_version = numbers(fixed.ProductVersionMS, fixed.ProductVersionLS)
    print(f"  fixed part: file version {file_version}, product version {product_version}")
    if (file_version, product_version) != ("1.0.0.0", "1.0.0.0"):
        failures.append("the fixed part's versions are not 1.0.0.0")

    strings = {}
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                language = table.LangID.decode().lower()
                print(f"  string block {language}:")
                for key, value in table.entries.items():
                    print(f"    {key.decode()}: {value.decode()}")
                strings[language] = {k.decode(): v.decode() for k, v in table.entries.items()}
        elif info.Key == b"VarFileInfo":
            for var in info.Var:
                print(f"  translation: {var.entry}")
    block = strings.get(TURKISH_UNICODE, {})
    expected = {"FileVersion": "1.00", "ProductVersion": "1.00",
                "ProductName": "Dorvek Olasılıklar", "OriginalFilename": name}
    for key, value in expected.items():
        if block.get(key) != value:
            failures.append(f"{key} is {block.get(key)!r}, not {value!r}")
    if not block.get("FileDescription"):
        failures.append("no FileDescription")

    manifests = [data.decode("utf-8") for _, data in resources(pe, 24)]
    if len(manifests) != 1 or "<activeCodePage" not in manifests[0] \
            or ">UTF-8<" not in manifests[0] or "PerMonitorV2" not in manifests[0]:
        failures.append("no manifest with UTF-8 as the code page and per-monitor DPI awareness")
    else:
        print("  manifest: Windows 10/11, PerMonitorV2, active code page UTF-8")

    if name == "dorvek.exe":
        icons = {}
        for _, data in resources(pe, 3):  # RT_ICON: a BITMAPINFOHEADER each
            width = int.from_bytes(data[4:8], "little")
            bits = int.from_bytes(data[14:16], "little")
            icons[width] = bits
        print("  icon: " + ", ".join(f"{w} x {w}, {2 ** b} colours" for w, b in sorted(icons.items())))
        if icons != {16: 4, 32: 4}:
            failures.append(f"the icon's images are {icons}")
    for failure in failures:
        print(f"FAIL: {name}: {failure}", file=sys.stderr)
    return not failures


if __name__ == "__main__":
    results = [check(path) for path in sys.argv[1:]]
    sys.exit(0 if results and all(results) else 1)
