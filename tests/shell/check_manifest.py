#!/usr/bin/env python3
"""Checks the application manifest a Windows program carries, without running
it: read from the program's resources (type RT_MANIFEST, id 1, the one
Windows reads when it starts a process), parsed as XML, and held against the
entries the program needs. Prints one line per failed entry.

Usage: check_manifest.py <program.exe>
"""
import struct
import sys
import xml.etree.ElementTree as ET

RT_MANIFEST = 24
PROCESS_MANIFEST_ID = 1
RESOURCE_DIRECTORY = 2  # index in the optional header's data directories
SUBDIRECTORY = 0x80000000

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
COMPAT = "urn:schemas-microsoft-com:compatibility.v1"
SETTINGS_2005 = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
SETTINGS_2016 = "http://schemas.microsoft.com/SMI/2016/WindowsSettings"

# Windows Vista, 7, 8, 8.1 and 10/11.
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
}


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        sections, opt_size = struct.unpack_from("<H12xH", data, pe + 6)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        dirs = opt + {0x10B: 96, 0x20B: 112}[magic]
        self.rsrc_rva = struct.unpack_from("<I", data, dirs + 8 * RESOURCE_DIRECTORY)[0]
        self.sections = []
        for i in range(sections):
            s = opt + opt_size + 40 * i
            vsize, rva, raw_size, raw = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((rva, max(vsize, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address 0x%x lies in no section" % rva)

    def entries(self, rva):
        """(id or None for a named entry, offset field) of one directory."""
        at = self.offset(self.rsrc_rva + rva)
        named, ids = struct.unpack_from("<HH", self.data, at + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
            yield (None if name & SUBDIRECTORY else name), target

    def resources(self, rtype, rid):
        """Bytes of every language's copy of resource rtype/rid."""
        found = []
        if not self.rsrc_rva:
            return found
        for tid, tdir in self.entries(0):
            if tid != rtype or not tdir & SUBDIRECTORY:
                continue
            for nid, ndir in self.entries(tdir & ~SUBDIRECTORY):
                if nid != rid or not ndir & SUBDIRECTORY:
                    continue
                for _, leaf in self.entries(ndir & ~SUBDIRECTORY):
                    data_rva, size = struct.unpack_from("<II", self.data, self.offset(self.rsrc_rva + leaf))
                    at = self.offset(data_rva)
                    found.append(self.data[at:at + size])
        return found


def problems(manifest):
    try:
        root = ET.fromstring(manifest)
    except ET.ParseError as e:
        return ["the manifest is not well-formed XML: %s" % e]

    def all_of(ns, tag):
        return root.findall(".//{%s}%s" % (ns, tag))

    dpi_aware = [e.text.strip().lower() for e in all_of(SETTINGS_2005, "dpiAware") if e.text]
    levels = [e.get("level") for e in all_of(ASM_V3, "requestedExecutionLevel")]
    os_ids = {e.get("Id", "").lower() for e in all_of(COMPAT, "supportedOS")}
    dependencies = [e.get("name") for e in root.findall(".//{%s}dependency//{%s}assemblyIdentity" % (ASM_V1, ASM_V1))]
    # What each entry must be, what it is.
    checks = [
        ("root element", "{%s}assembly" % ASM_V1, root.tag),
        ("manifestVersion", "1.0", root.get("manifestVersion")),
        ("dpiAware (system aware)", ["true"], dpi_aware),
        ("dpiAwareness (per monitor)", [], [e.text for e in all_of(SETTINGS_2016, "dpiAwareness")]),
        ("requestedExecutionLevel", ["asInvoker"], levels),
        ("supportedOS Vista to 10/11", sorted(SUPPORTED_OS), sorted(os_ids)),
        ("dependencies (common controls 6 and others)", [], dependencies),
    ]
    return ["%s: expected %r, found %r" % (name, want, have) for name, want, have in checks if want != have]


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    exe = argv[1]
    try:
        with open(exe, "rb") as f:
            image = PeImage(f.read())
        found = image.resources(RT_MANIFEST, PROCESS_MANIFEST_ID)
    except (OSError, ValueError, KeyError, struct.error) as e:
        print("FAIL: %s: cannot read its resources: %s" % (exe, e))
        return 1
    if len(found) != 1:
        print("FAIL: %s: %d manifests of id 1 (RT_MANIFEST), not one" % (exe, len(found)))
        return 1
    failed = problems(found[0])
    for line in failed:
        print("FAIL: %s: %s" % (exe, line))
    if failed:
        return 1
    print("ok: %s: manifest of %d bytes, system DPI aware, asInvoker, Windows Vista to 10/11, no dependencies"
          % (exe, len(found[0])))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
