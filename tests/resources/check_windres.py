#!/usr/bin/python3
# SPDX-License-Identifier: BSD-3-Clause
"""Compiles KvListExDemo.rc with MinGW's windres and checks what the compiled .res holds.

    check_windres.py RESOURCES_DIR VERSION    (exit 77 when windres is not installed)

VERSION is the project's version, which the resource must carry.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

WINDRES = "x86_64-w64-mingw32-windres"
RT_BITMAP, RT_ICON, RT_GROUP_ICON, RT_VERSION = 2, 3, 14, 16
ITALIAN, NEUTRAL, US_ENGLISH = 1040, 0, 1033


class Fail(Exception):
    pass


def expect(what, got, want):
    if got != want:
        raise Fail(f"{what}: got {got!r}, want {want!r}")


def name_or_id(data, at):
    if struct.unpack_from("<H", data, at)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, at + 2)[0], at + 4
    end = at
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def read_res(data):
    """{(type, name, language): bytes} in file order."""
    out, at = {}, 0
    while at < len(data):
        size, header = struct.unpack_from("<II", data, at)
        kind, p = name_or_id(data, at + 8)
        name, p = name_or_id(data, p)
        p += -p % 4
        _, _, lang = struct.unpack_from("<IHH", data, p)
        body = data[at + header:at + header + size]
        if size:  # the leading empty entry only marks a 32-bit .res file
            out[(kind, name, lang)] = body
        at += header + size
        at += -at % 4
    return out


def read_block(data, at):
    """One version block: (key, value bytes, children, end)."""
    length, vlen, vtype = struct.unpack_from("<HHH", data, at)
    key, p = name_or_id(data, at + 6)
    p += -(p - at) % 4
    vbytes = vlen * 2 if vtype == 1 else vlen
    value = data[p:p + vbytes]
    p += vbytes
    p += -(p - at) % 4
    children, end = [], at + length
    while p < end:
        child = read_block(data, p)
        children.append(child)
        p = child[3] + (-(child[3] - at) % 4)
    return key, value, children, end


def check_version(data, company, version):
    key, fixed, children, _ = read_block(data, 0)
    expect("version key", key, "VS_VERSION_INFO")
    f = struct.unpack("<13I", fixed)
    expect("fixed info signature", f[0], 0xFEEF04BD)
    parts = [int(p) for p in version.split(".")] + [0, 0, 0]
    quad = ((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3])
    expect("file version", (f[2], f[3]), quad)
    expect("product version", (f[4], f[5]), quad)
    expect("flags mask, flags, OS, type, subtype, date", f[6:], (0, 0, 4, 1, 0, 0, 0))
    expect("block order", [c[0] for c in children], ["VarFileInfo", "StringFileInfo"])
    (tkey, tvalue, _, _), = children[0][2]
    expect("translation", (tkey, struct.unpack("<HH", tvalue)), ("Translation", (0x0409, 0x04B0)))
    (table, _, strings, _), = children[1][2]
    expect("string table", table, "040904B0")
    got = [(k, v.decode("utf-16-le").rstrip("\0")) for k, v, _, _ in strings]
    expect("strings in order", got, [
        ("CompanyName", company), ("ProductName", "KvListExDemo"), ("FileVersion", version),
        ("ProductVersion", version), ("InternalName", "KvListExDemo"), ("OriginalFilename", "KvListExDemo.exe")])


def check(res, resources, version):
    def read(rel):
        with open(os.path.join(resources, rel), "rb") as f:
            return f.read()

    want_keys = ([(RT_BITMAP, n, ITALIAN) for n in range(101, 121)]
                 + [(RT_ICON, n, NEUTRAL) for n in (30001, 30002, 30003)]
                 + [(RT_GROUP_ICON, 1, NEUTRAL), (RT_VERSION, 1, US_ENGLISH)])
    expect("resources (type, id, language)", sorted(res), sorted(want_keys))
    for n in range(101, 121):
        body = res[(RT_BITMAP, n, ITALIAN)]
        expect(f"bitmap {n} size", len(body), 616)
        expect(f"bitmap {n} is its .bmp without the file header", body, read(f"bitmaps/{n}.bmp")[14:])

    ico = read("KvListExDemo.ico")
    group = res[(RT_GROUP_ICON, 1, NEUTRAL)]
    expect("group header", struct.unpack_from("<HHH", group), (0, 1, 3))
    expect("group size", len(group), 6 + 3 * 14)
    for i, (ident, size) in enumerate(((30001, 304), (30002, 744), (30003, 296))):
        image = res[(RT_ICON, ident, NEUTRAL)]
        expect(f"icon {ident} size", len(image), size)
        entry = ico[6 + 16 * i:6 + 16 * i + 16]
        offset = struct.unpack_from("<I", entry, 12)[0]
        expect(f"icon {ident} is image {i} of the .ico", image, ico[offset:offset + size])
        expect(f"group entry {i}", group[6 + 14 * i:6 + 14 * i + 14], entry[:12] + struct.pack("<H", ident))

    with open(os.path.join(resources, "versioninfo.h.in"), encoding="utf-8") as f:
        company = re.search(r'kCompanyName\[\]\s*=\s*"([^"]*)"', f.read()).group(1)
    check_version(res[(RT_VERSION, 1, US_ENGLISH)], company, version)


def main(resources, version):
    windres = shutil.which(WINDRES)
    if not windres:
        print(f"{WINDRES} not found; skipped")
        return 77
    cmd = [windres, "-O", "res", "-I", resources, "-i", os.path.join(resources, "KvListExDemo.rc")]
    # windres preprocesses with the MinGW C compiler; the host one does as well when that is missing.
    if not shutil.which("x86_64-w64-mingw32-gcc") and shutil.which("cpp"):
        cmd.append("--preprocessor=cpp")
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "KvListExDemo.res")
        subprocess.run(cmd + ["-o", out], check=True, cwd=resources)
        with open(out, "rb") as f:
            res = read_res(f.read())
    try:
        check(res, resources, version)
    except Fail as e:
        print(f"KvListExDemo.rc: {e}")
        return 1
    print(f"{len(res)} resources as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
