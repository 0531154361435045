#!/usr/bin/python3
"""Installs the desktop component into a scratch prefix and checks the entry and its icons.

    check_install.py CMAKE BUILD_DIR
"""
import configparser
import os
import struct
import subprocess
import sys
import tempfile


def main(cmake, build):
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run([cmake, "--install", build, "--prefix", prefix, "--component", "desktop"],
                       check=True, stdout=subprocess.DEVNULL)
        share = os.path.join(prefix, "share")
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        if not entry.read(os.path.join(share, "applications", "kvlistexdemo.desktop")):
            print("no desktop entry installed")
            return 1
        got = dict(entry["Desktop Entry"])
        want = {"Type": "Application", "Name": "KvListExDemo", "Comment": "Kv ListEx Test",
                "Exec": "KvListExDemo", "Icon": "kvlistexdemo", "Categories": "Development;Qt;"}
        wrong = {k: got.get(k) for k, v in want.items() if got.get(k) != v}
        if wrong:
            print(f"desktop entry: {wrong}")
            return 1
        for size in (16, 32):
            png = os.path.join(share, "icons", "hicolor", f"{size}x{size}", "apps", "kvlistexdemo.png")
            with open(png, "rb") as f:
                head = f.read(24)
            if head[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", head[16:24]) != (size, size):
                print(f"{png}: not a {size}x{size} PNG")
                return 1
    print("desktop entry and icons installed")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
