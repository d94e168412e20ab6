#!/usr/bin/env python3
"""The Windows zip's writer: the same folder gives the same bytes whatever the files'
times and the time zone, in a fixed order, with the given time in UTC.

Usage: windows_zip_test.py WRITE-ZIP
"""

import os
import subprocess
import sys
import tempfile
import zipfile

writer = sys.argv[1]


def write(folder, archive, zone):
    environment = dict(os.environ, TZ=zone)
    subprocess.run([writer, archive, folder, "1700000000"], check=True, env=environment)
    with open(archive, "rb") as data:
        return data.read()


with tempfile.TemporaryDirectory() as scratch:
    folder = os.path.join(scratch, "dorvek-1.00")
    for subfolder in ("c", "b", "A"):
        os.makedirs(os.path.join(folder, subfolder))
    for name, text in [("b/z.txt", b"z"), ("c/y.txt", b"y"), ("A/x.txt", b"x"), ("a.txt", b"a"),
                       ("B.txt", b"B")]:
        with open(os.path.join(folder, name), "wb") as data:
            data.write(text)

    first = write(folder, os.path.join(scratch, "first.zip"), "UTC")
    for name in ("a.txt", "b/z.txt"):
        os.utime(os.path.join(folder, name), (1, 2))
    second = write(folder, os.path.join(scratch, "second.zip"), "Pacific/Kiritimati")
    assert first == second, "the same files gave different zips"

    with zipfile.ZipFile(os.path.join(scratch, "first.zip")) as archive:
        entries = archive.infolist()
        names = [entry.filename for entry in entries]
        assert names == ["dorvek-1.00/", "dorvek-1.00/B.txt", "dorvek-1.00/a.txt",
                         "dorvek-1.00/A/", "dorvek-1.00/A/x.txt", "dorvek-1.00/b/",
                         "dorvek-1.00/b/z.txt", "dorvek-1.00/c/", "dorvek-1.00/c/y.txt"], names
        # 1700000000 is 2023-11-14 22:13:20 UTC.
        assert {entry.date_time for entry in entries} == {(2023, 11, 14, 22, 13, 20)}
        assert archive.read("dorvek-1.00/b/z.txt") == b"z"
        assert entries[1].external_attr >> 16 == 0o100644, oct(entries[1].external_attr >> 16)
print("the Windows zip is the same bytes from the same files, in order, at the given time")
