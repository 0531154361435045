# SPDX-License-Identifier: BSD-3-Clause
"""Many installed fonts: the demo under private font folders, beside a bare Qt window and QListWidget.

Usage: /usr/bin/python3 bench/manyfonts.py BUILD_DIR [--runs N]
Makes two private fontconfig folders (python3-fonttools renames a small copy of the machine's
Liberation Sans; nothing is installed): one of 1 600 families with plain names, one of 3 600 fonts with
odd names (emoji, right-to-left, brackets, very long, empty), 600 TrueType and 3 000 bitmap faces,
with 60 corrupt files beside them. For each it prints the first frame of the demo against a bare Qt
window under the same fonts (offscreen and Xvfb), and from BUILD_DIR/bench/fontbench the longest
event while the font list is scrolled by the wheel, paged and searched by typing, and the memory,
beside QListWidget holding the same names.
"""
import argparse
import logging
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from fontTools import subset  # noqa: E402
from fontTools.ttLib import TTFont  # noqa: E402
from startup import measure  # noqa: E402
from xsession import XSession  # noqa: E402

logging.getLogger("fontTools").setLevel(logging.ERROR)  # it names each table it drops

BASE = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"
WORDS = ["Sans", "Serif", "Mono", "Display", "Text", "Condensed", "Rounded", "Slab", "Script", "Grotesk"]
ODD = [
    lambda i: f"Smile \U0001F600 {i}",                  # outside the Basic Multilingual Plane
    lambda i: f"\u062e\u0637 \u0639\u0631\u0628\u064a {i}",  # Arabic
    lambda i: f"\u05d2\u05d5\u05e4\u05df {i}",          # Hebrew
    lambda i: f"Bracket [x{i}]",                        # what Qt uses for a foundry
    lambda i: f"Paren (y) {{z}} <{i}>",
    lambda i: f"Long {'Wide' * 60} {i}",
    lambda i: f"\u5b57\u4f53 {i}",                      # CJK
    lambda i: f"Mixed a\u0301\u200d\U0001F469\u200d\U0001F4BB {i}",
]


def small_base(path):
    """Liberation Sans cut down to printable ASCII: a few kilobytes to copy a thousand times."""
    font = TTFont(BASE)
    options = subset.Options()
    options.name_IDs = ["*"]
    sub = subset.Subsetter(options)
    sub.populate(unicodes=range(0x20, 0x7F))
    sub.subset(font)
    font.save(path)
    return TTFont(path)


def write_truetype(font, folder, index, family):
    names = font["name"]
    names.names = [rec for rec in names.names if rec.platformID == 3 and rec.nameID not in (1, 4, 6, 16, 17, 21, 22)]
    for name_id, value in ((1, family), (4, family), (6, f"KvBench-{index}")):
        names.setName(value, name_id, 3, 1, 0x409)
    font.save(os.path.join(folder, f"t{index}.ttf"))


def write_bitmap(folder, index, family):
    quoted = family.replace('"', "'")
    glyphs = []
    for code in range(0x20, 0x7F):
        rows = "\n".join(f"{(code * 7 + r * 13) & 0xFF:02X}" if 2 <= r < 11 else "00" for r in range(13))
        glyphs.append(f"STARTCHAR U+{code:04X}\nENCODING {code}\nSWIDTH 615 0\nDWIDTH 8 0\nBBX 8 13 0 -2\n"
                      f"BITMAP\n{rows}\nENDCHAR\n")
    text = (f"STARTFONT 2.1\nFONT -kv-bench{index}-medium-r-normal--13-120-75-75-c-80-iso10646-1\n"
            f"SIZE 12 75 75\nFONTBOUNDINGBOX 8 13 0 -2\nSTARTPROPERTIES 8\nFAMILY_NAME \"{quoted}\"\n"
            f"FOUNDRY \"kv\"\nWEIGHT_NAME \"Medium\"\nSLANT \"R\"\nPIXEL_SIZE 13\nPOINT_SIZE 120\n"
            f"CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\n"
            f"CHARS {len(glyphs)}\n{''.join(glyphs)}ENDFONT\n")
    with open(os.path.join(folder, f"b{index}.bdf"), "w", encoding="utf-8") as f:
        f.write(text)


def make_folder(root, name, plain, odd_truetype, odd_bitmap, corrupt):
    folder = os.path.join(root, name)
    os.makedirs(folder)
    font = small_base(os.path.join(root, "base.ttf"))
    for i in range(plain):
        write_truetype(font, folder, i, f"Kv {WORDS[i % len(WORDS)]} {WORDS[(i // 10) % len(WORDS)]} {i:04d}")
    for i in range(odd_truetype):
        write_truetype(font, folder, plain + i, ODD[i % len(ODD)](i) if i % 50 else "")
    for i in range(odd_bitmap):
        write_bitmap(folder, i, ODD[i % len(ODD)](i) if i % 50 else "")
    with open(os.path.join(root, "base.ttf"), "rb") as f:
        data = f.read()
    for i in range(corrupt):
        with open(os.path.join(folder, f"c{i}.ttf"), "wb") as f:
            f.write(data[: 12 + (i * 97) % (len(data) // 2)] if i % 2 else data[:4] + bytes(range(256)) * 4)
    conf = os.path.join(root, name + ".conf")
    with open(conf, "w") as f:
        f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n'
                f'<fontconfig><dir>{folder}</dir><cachedir>{root}/cache-{name}</cachedir></fontconfig>\n')
    env = dict(os.environ, FONTCONFIG_FILE=conf)
    env.pop("FONTCONFIG_PATH", None)
    subprocess.run(["fc-cache", "-f"], env=env, check=True, capture_output=True)
    families = subprocess.run(["fc-list", ":", "family"], env=env, capture_output=True, text=True).stdout
    return conf, len(set(families.splitlines()))


def fontbench(exe, mode, env):
    out = subprocess.run([exe, mode], env=env, capture_output=True, text=True, timeout=600).stdout
    return dict(line.split(" ", 1) for line in out.splitlines() if " " in line)


def report(label, build, conf, runs):
    env = dict(os.environ, FONTCONFIG_FILE=conf, QT_QPA_PLATFORM="offscreen")
    env.pop("FONTCONFIG_PATH", None)
    demo, bare = os.path.join(build, "bench", "startupdemo"), os.path.join(build, "bench", "barewindow")
    print(f"-- {label}")
    measure("offscreen", demo, bare, env, runs)
    with XSession() as x:
        xenv = dict(x.env, FONTCONFIG_FILE=conf)
        xenv.pop("FONTCONFIG_PATH", None)
        measure("Xvfb", demo, bare, xenv, runs)
    exe = os.path.join(build, "bench", "fontbench")
    results = {mode: fontbench(exe, mode, env) for mode in ("demo", "qlistwidget")}
    d, q = results["demo"], results["qlistwidget"]
    print(f"families in the list: {d['families']} (QListWidget {q['families']})")
    for part in ("wheel", "page", "type"):
        print(f"{part:5s}: longest event demo {d[part + '-longest-event-ms']}, QListWidget "
              f"{q[part + '-longest-event-ms']}; all of it {d[part + '-ms']} ms / {q[part + '-ms']} ms")
    gd, gq = int(d["rss-growth-kib"]), int(q["rss-growth-kib"])
    fd, fq = int(d["rss-file-growth-kib"]), int(q["rss-file-growth-kib"])
    print(f"memory after all of it: demo {gd / 1024:.1f} MiB, QListWidget {gq / 1024:.1f} MiB "
          f"(ratio {gd / max(gq, 1):.2f}; of it font and program files mapped: {fd / 1024:.1f} / "
          f"{fq / 1024:.1f} MiB); peaks {int(d['peak-rss-kib']) / 1024:.1f} / "
          f"{int(q['peak-rss-kib']) / 1024:.1f} MiB")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("build")
    p.add_argument("--runs", type=int, default=5)
    a = p.parse_args()
    root = tempfile.mkdtemp(prefix="kv-manyfonts-")
    try:
        start = time.monotonic()
        plain, n1 = make_folder(root, "plain", 1600, 0, 0, 0)
        odd, n2 = make_folder(root, "odd", 0, 600, 3000, 60)
        print(f"font folders made in {time.monotonic() - start:.0f} s: {n1} and {n2} families (fc-list)")
        report("1 600 plain families", a.build, plain, a.runs)
        report("odd names, bitmap faces, corrupt files", a.build, odd, a.runs)
    finally:
        shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
