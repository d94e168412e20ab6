#!/usr/bin/python3
"""The texts a desktop shows beside the window, by value: the desktop entry that menus
and docks read, and the AppStream metainfo that software centres read. A validator
accepts many wrong values; these are the ones the program's users meet.

Usage: desktop_metadata_test.py DESKTOP-ENTRY METAINFO
"""
import sys
import xml.etree.ElementTree as ElementTree

# The main categories of the freedesktop.org desktop menu standard: a menu lists an
# entry once under each of them that it names.
MAIN_CATEGORIES = {
    "AudioVideo", "Audio", "Video", "Development", "Education", "Game", "Graphics",
    "Network", "Office", "Science", "Settings", "System", "Utility",
}
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"

failures = []


def expect(what, actual, expected):
    if actual != expected:
        failures.append(f"{what} is {actual!r}, not {expected!r}")


def desktop_entry(path):
    """The [Desktop Entry] group's keys; a key given twice is a fault of its own."""
    group = None
    keys = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            if line.startswith("["):
                group = line
                continue
            if group != "[Desktop Entry]":
                continue
            key, _, value = line.partition("=")
            if key in keys:
                failures.append(f"{key} is given twice")
            keys[key] = value
    return keys


entry = desktop_entry(sys.argv[1])
for key, value in {
    "Type": "Application",
    "Name": "Dorvek Olasılıklar",
    "Exec": "dorvek",
    "Icon": "org.dorvek.olasiliklar",
    "Terminal": "false",
    "StartupWMClass": "dorvek",
}.items():
    expect(f"the desktop entry's {key}", entry.get(key), value)
categories = [c for c in entry.get("Categories", "").split(";") if c]
expect("the desktop entry's main categories",
       [c for c in categories if c in MAIN_CATEGORIES], ["Education"])
if "Math" not in categories:
    failures.append(f"the desktop entry's categories {categories} leave out Math")

component = ElementTree.parse(sys.argv[2]).getroot()
expect("the metainfo's component type", component.get("type"), "desktop-application")
expect("the metainfo's id", component.findtext("id"), "org.dorvek.olasiliklar")
expect("the metainfo's name", component.findtext("name"), "Dorvek Olasılıklar")
launchables = [(l.get("type"), l.text) for l in component.findall("launchable")]
expect("the metainfo's launchables", launchables,
       [("desktop-id", "org.dorvek.olasiliklar.desktop")])
expect("the metainfo's programs",
       [b.text for b in component.findall("provides/binary")], ["dorvek", "dorvek-calc"])
turkish = " ".join(" ".join(p.itertext()) for p in component.findall("description/p")
                   if p.get(XML_LANG) == "tr")
if "“Sonuç”" not in turkish or "„" in turkish:
    failures.append(f"the Turkish description does not quote “Sonuç” as Turkish does: {turkish!r}")

for failure in failures:
    print(f"FAIL: {failure}", file=sys.stderr)
sys.exit(1 if failures else 0)
