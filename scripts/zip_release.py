#!/usr/bin/env python3
"""Packs a folder into a zip whose bytes depend only on the files' names and
contents: entries sorted by path, every time field the same fixed date, the
same permissions for every file, no extra fields, no directory entries.

Usage: zip_release.py <folder> <out.zip>
The entries are named <folder's name>/<path inside it>.
"""
import os
import sys
import zipfile

# The earliest date a zip can hold: no file's own time is ever used.
FIXED_TIME = (1980, 1, 1, 0, 0, 0)
FILE_MODE = 0o100644  # a regular file, rw-r--r--
MADE_ON_UNIX = 3


def files_under(top):
    for base, dirs, names in os.walk(top):
        for name in names:
            path = os.path.join(base, name)
            yield os.path.relpath(path, top).replace(os.sep, "/"), path


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    folder, out = argv[1], argv[2]
    prefix = os.path.basename(os.path.normpath(folder))
    entries = sorted(files_under(folder))
    if not entries:
        sys.stderr.write("zip_release.py: %s holds no files\n" % folder)
        return 1
    with zipfile.ZipFile(out, "w") as archive:
        for name, path in entries:
            info = zipfile.ZipInfo(prefix + "/" + name, FIXED_TIME)
            info.create_system = MADE_ON_UNIX
            info.external_attr = FILE_MODE << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
