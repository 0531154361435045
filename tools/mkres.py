#!/usr/bin/python3
# SPDX-License-Identifier: BSD-3-Clause
"""Turn the text pixel grids under resources/ into the program's binary resources.

    mkres.py [--src DIR] [--out DIR]

DIR defaults to the resources folder next to this script's folder.  Writes
bitmaps/1NN.bmp, KvListExDemo.ico, icons/kvlistexdemo-{16,32,48,64,128}.png, the raw
Windows icon images win/*.bin and KvListExDemo.rc, whose version is the one in
the project() call of DIR/../CMakeLists.txt.  Output depends on the sources
only, so running it twice gives the same bytes.

Grid files: ';' lines are comments; then legend lines "C RRGGBB [note]" (one
character, one colour, "-" as colour marks transparency in icons); then a
blank line; then the rows of the picture, top row first.
"""

import argparse
import os
import re
import struct
import sys
import zlib

GROUND = 0x00FF00
WHITE = 0xFFFFFF
BITMAP_IDS = range(101, 121)
BITMAP_LANG = (0x10, 0x01)  # Italian (Italy) = 1040
ICON_IDS = (30001, 30002, 30003)
TRANSPARENT = -1

# The standard 16-colour palette, in its fixed order.
VGA16 = (0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
         0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF)
MONO = (0x000000, 0xFFFFFF)

# Desktop icons: (size, the 16-colour grid it is drawn from), each a whole multiple of its grid.
DESKTOP_ICONS = ((16, 16), (32, 32), (48, 16), (64, 32), (128, 32))

# (grid file, width, palette, bit count) in image-number order.
ICON_IMAGES = (("icon-32-mono.txt", 32, MONO, 1),
               ("icon-32.txt", 32, VGA16, 4),
               ("icon-16.txt", 16, VGA16, 4))


class GridError(Exception):
    pass


def read_grid(path, size):
    """Returns (legend {char: rgb or TRANSPARENT}, rows [str])."""
    with open(path, encoding="utf-8") as f:
        lines = [ln.rstrip("\n") for ln in f]
    legend, rows, i = {}, [], 0
    while i < len(lines) and (lines[i].startswith(";") or lines[i].strip() == ""):
        i += 1
    while i < len(lines) and lines[i].strip() != "":
        if not lines[i].startswith(";"):
            m = re.match(r"^(\S) +(-|[0-9a-fA-F]{6})(?:\s|$)", lines[i])
            if not m:
                raise GridError(f"{path}:{i + 1}: bad legend line")
            if m.group(1) in legend:
                raise GridError(f"{path}:{i + 1}: '{m.group(1)}' defined twice")
            legend[m.group(1)] = TRANSPARENT if m.group(2) == "-" else int(m.group(2), 16)
        i += 1
    rows = [ln for ln in lines[i:] if ln.strip() != "" and not ln.startswith(";")]
    if len(rows) != size or any(len(r) != size for r in rows):
        raise GridError(f"{path}: need {size} rows of {size} characters")
    unknown = {c for r in rows for c in r} - legend.keys()
    if unknown:
        raise GridError(f"{path}: characters not in the legend: {''.join(sorted(unknown))}")
    return legend, rows


def picture_pixels(path):
    """Colour rows of one character picture, checked against the bitmap rules."""
    legend, rows = read_grid(path, 32)
    used = {legend[c] for r in rows for c in r}
    if TRANSPARENT in used:
        raise GridError(f"{path}: pictures have no transparency")
    if len(set(legend.values())) != len(legend):
        raise GridError(f"{path}: two characters share one colour")
    if not 3 <= len(used - {GROUND}) <= 9:
        raise GridError(f"{path}: {len(used - {GROUND})} figure colours, need 3 to 9")
    for x, y in ((0, 0), (31, 0), (0, 31), (31, 31)):
        if legend[rows[y][x]] != GROUND:
            raise GridError(f"{path}: corner ({x},{y}) is not ground")
    return [[legend[c] for c in r] for r in rows]


def pack_nibbles(indices):
    return bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))


def pack_bits(bits):
    """1-bit rows, left pixel in the high bit, padded to 32 bits."""
    bits = list(bits)
    bits += [0] * (-len(bits) % 32)
    return bytes(sum(b << (7 - j) for j, b in enumerate(bits[i:i + 8])) for i in range(0, len(bits), 8))


def rgbquad(rgb):
    return bytes((rgb & 0xFF, (rgb >> 8) & 0xFF, rgb >> 16, 0))


def make_bmp(pixels):
    colours = sorted({c for r in pixels for c in r})
    table = colours + [WHITE] * (16 - len(colours))
    index = {c: i for i, c in enumerate(colours)}
    bits = b"".join(pack_nibbles([index[c] for c in row]) for row in reversed(pixels))
    info = struct.pack("<IiiHHIIiiII", 40, 32, 32, 1, 4, 0, len(bits), 2834, 2834, 16, 16)
    body = info + b"".join(rgbquad(c) for c in table) + bits
    head = struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 64)
    return head + body


def icon_image(path, size, palette, bitcount):
    legend, rows = read_grid(path, size)
    for c, rgb in legend.items():
        if rgb != TRANSPARENT and rgb not in palette:
            raise GridError(f"{path}: {rgb:06x} is not in the icon palette")
    xor, mask, rgba = b"", b"", []
    for row in reversed(rows):
        idx = [0 if legend[c] == TRANSPARENT else palette.index(legend[c]) for c in row]
        xor += pack_nibbles(idx) if bitcount == 4 else pack_bits(idx)
        mask += pack_bits(1 if legend[c] == TRANSPARENT else 0 for c in row)
    for row in rows:
        for c in row:
            rgb = legend[c]
            rgba.append((0, 0, 0, 0) if rgb == TRANSPARENT else (rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF, 255))
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bitcount, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + b"".join(rgbquad(c) for c in palette) + xor + mask, rgba


def make_png(size, rgba):
    raw = b"".join(b"\0" + bytes(v for px in rgba[y * size:(y + 1) * size] for v in px) for y in range(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def scaled(rgba, size, factor):
    """Nearest neighbour: every pixel becomes a factor x factor block, so pixel art stays sharp."""
    out = []
    for y in range(size):
        row = [px for px in rgba[y * size:(y + 1) * size] for _ in range(factor)]
        out += row * factor
    return out


def icon_entry(size, palette, data):
    """The fields an .ico entry and a group-icon entry share: w, h, colours, 0, planes, bits, bytes."""
    bitcount = 1 if len(palette) == 2 else 4
    return struct.pack("<BBBBHHI", size % 256, size % 256, len(palette) % 256, 0, 1, bitcount, len(data))


def make_ico(images):
    out, offset = struct.pack("<HHH", 0, 1, len(images)), 6 + 16 * len(images)
    for size, palette, data in images:
        out += icon_entry(size, palette, data) + struct.pack("<I", offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def make_group(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    for (size, palette, data), ident in zip(images, ICON_IDS):
        out += icon_entry(size, palette, data) + struct.pack("<H", ident)
    return out


def project_version(path):
    """The version in the project() call of the top CMakeLists.txt: the program's one version."""
    with open(path, encoding="utf-8") as f:
        m = re.search(r"\bproject\s*\(\s*KvListExDemo\b[^)]*\bVERSION\s+([0-9][0-9.]*)", f.read())
    if not m:
        raise GridError(f"{path}: no project version")
    return m.group(1)


def read_version(path, version):
    """The values of versioninfo.h.in, with the project's version filled in as CMake does."""
    with open(path, encoding="utf-8") as f:
        text = f.read().replace("@PROJECT_VERSION@", version)
    values = dict(re.findall(r'constexpr\s+char\s+(k\w+)\[\]\s*=\s*"([^"]*)"', text))
    need = ("kCompanyName", "kProductName", "kFileVersion", "kProductVersion", "kInternalName", "kOriginalFilename")
    missing = [n for n in need if n not in values]
    if missing:
        raise GridError(f"{path}: missing {', '.join(missing)}")
    return values


def make_rc(version):
    def quad(v):
        parts = [int(p) for p in v.split(".")] + [0, 0, 0, 0]
        return ",".join(str(p) for p in parts[:4])

    lines = ["// Generated by tools/mkres.py from versioninfo.h.in, the project's version and the pixel grids;",
             "// do not edit.",
             "// Build with: x86_64-w64-mingw32-windres -I resources resources/KvListExDemo.rc",
             "",
             f"LANGUAGE 0x{BITMAP_LANG[0]:02X}, 0x{BITMAP_LANG[1]:02X}"]
    lines += [f'{n} BITMAP "bitmaps/{n}.bmp"' for n in BITMAP_IDS]
    # windres numbers ICON images itself, so the images and their group are written raw.
    lines += ["", "LANGUAGE 0, 0"]
    lines += [f'{n} 3 "win/icon-{n}.bin"' for n in ICON_IDS]
    lines += ['1 14 "win/icon-group-1.bin"', "",
              "LANGUAGE 0x09, 0x01",
              "1 VERSIONINFO",
              f"FILEVERSION {quad(version['kFileVersion'])}",
              f"PRODUCTVERSION {quad(version['kProductVersion'])}",
              "FILEFLAGSMASK 0x0", "FILEFLAGS 0x0", "FILEOS 0x4", "FILETYPE 0x1", "FILESUBTYPE 0x0",
              "BEGIN",
              '    BLOCK "VarFileInfo"', "    BEGIN",
              '        VALUE "Translation", 0x0409, 0x04B0', "    END",
              '    BLOCK "StringFileInfo"', "    BEGIN",
              '        BLOCK "040904B0"', "        BEGIN"]
    for key, name in (("CompanyName", "kCompanyName"), ("ProductName", "kProductName"),
                      ("FileVersion", "kFileVersion"), ("ProductVersion", "kProductVersion"),
                      ("InternalName", "kInternalName"), ("OriginalFilename", "kOriginalFilename")):
        lines.append(f'            VALUE "{key}", "{version[name]}"')
    lines += ["        END", "    END", "END", ""]
    return "\n".join(lines).encode("ascii")


def outputs(src):
    """Yields (relative path, bytes) for every generated file."""
    for n in BITMAP_IDS:
        yield f"bitmaps/{n}.bmp", make_bmp(picture_pixels(os.path.join(src, "pictures", f"{n}.txt")))
    images, grids = [], {}
    for name, size, palette, bitcount in ICON_IMAGES:
        data, rgba = icon_image(os.path.join(src, "icon", name), size, palette, bitcount)
        images.append((size, palette, data))
        if bitcount == 4:
            grids[size] = rgba
    yield "KvListExDemo.ico", make_ico(images)
    for size, grid in DESKTOP_ICONS:
        yield f"icons/kvlistexdemo-{size}.png", make_png(size, scaled(grids[grid], grid, size // grid))
    for (_, _, data), ident in zip(images, ICON_IDS):
        yield f"win/icon-{ident}.bin", data
    yield "win/icon-group-1.bin", make_group(images)
    version = project_version(os.path.join(src, "..", "CMakeLists.txt"))
    yield "KvListExDemo.rc", make_rc(read_version(os.path.join(src, "versioninfo.h.in"), version))


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--src", default=here)
    ap.add_argument("--out", default=None)
    args = ap.parse_args()
    out = args.out or args.src
    try:
        files = list(outputs(args.src))
    except (GridError, OSError) as e:
        print(f"mkres: {e}", file=sys.stderr)
        return 1
    for rel, data in files:
        path = os.path.join(out, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
