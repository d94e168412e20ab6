#!/usr/bin/env python3
"""write-zip.py ZIP FOLDER SOURCE_DATE_EPOCH

Writes FOLDER, with its name, into the zip file ZIP so that the same files give the
same bytes: entries in a fixed order (folders before their files, names compared as
bytes), every time the given one (in UTC: a zip's times have no time zone), fixed
permissions, and no owner, access or change times, which other zip writers copy
from the file system.
"""

import os
import sys
import time
import zipfile


def entries(folder):
    """Every folder and file under FOLDER, FOLDER included, as paths relative to its parent."""
    parent = os.path.dirname(os.path.abspath(folder))
    found = []
    for directory, subdirectories, files in os.walk(folder):
        subdirectories.sort()
        relative = os.path.relpath(directory, parent)
        found.append((relative + "/", None))
        for name in sorted(files, key=os.fsencode):
            found.append((os.path.join(relative, name), os.path.join(directory, name)))
    return found


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: write-zip.py ZIP FOLDER SOURCE_DATE_EPOCH")
    archive, folder, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    # A zip's times go back to 1980 only, in steps of two seconds.
    when = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(archive, "w") as zip_file:
        for name, path in entries(folder):
            info = zipfile.ZipInfo(name, when)
            if path is None:
                info.external_attr = (0o40755 << 16) | 0x10  # a folder, for Unix and DOS
                zip_file.writestr(info, b"")
                continue
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                zip_file.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    main()
