#!/usr/bin/python3
# SPDX-License-Identifier: BSD-3-Clause
"""Installs into a scratch prefix and makes the Debian package, then checks what the desktop reads.

    check_install.py CMAKE CPACK BUILD_DIR APP_ID VERSION
"""
import configparser
import glob
import os
import subprocess
import sys
import tempfile


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, timeout=300, check=True).stdout


def pixels(png):
    return subprocess.run(["convert", png, "-depth", "8", "rgba:-"], capture_output=True, check=True).stdout


def problems(cmake, cpack, build, app_id, version):
    with tempfile.TemporaryDirectory() as prefix:
        run(cmake, "--install", build, "--prefix", prefix)
        share = os.path.join(prefix, "share")
        entry_path = os.path.join(share, "applications", app_id + ".desktop")
        meta_path = os.path.join(share, "metainfo", app_id + ".metainfo.xml")
        run("desktop-file-validate", entry_path)  # raise on a complaint
        run("appstreamcli", "validate", "--no-net", meta_path)
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(entry_path)
        e = entry["Desktop Entry"]
        yield from (f"entry has no {k}" for k in ("Name", "GenericName", "Comment", "Keywords") if not e.get(k))
        if e["Icon"] != app_id or not os.access(os.path.join(prefix, "bin", e["Exec"]), os.X_OK):
            yield f"entry's Icon {e['Icon']} or Exec {e['Exec']} is not what is installed"
        meta = open(meta_path, encoding="utf-8").read()
        if f"{app_id}.desktop</launchable>" not in meta or f'<release version="{version}"' not in meta:
            yield "metainfo names another entry or version"
        # Larger icons are the pixel art enlarged by whole factors, nearest neighbour: sharp.
        icon = {s: os.path.join(share, f"icons/hicolor/{s}x{s}/apps/{app_id}.png") for s in (16, 32, 48, 64, 128)}
        for size, base in ((48, 16), (64, 32), (128, 32)):
            big, small, f = pixels(icon[size]), pixels(icon[base]), size // base
            want = b"".join(small[4 * ((y // f) * base + x // f):][:4] for y in range(size) for x in range(size))
            if big != want:
                yield f"{size} px icon is not the {base} px one enlarged {f} times"
    with tempfile.TemporaryDirectory() as out:
        run(cpack, "--config", os.path.join(build, "CPackConfig.cmake"), "-G", "DEB", "-B", out)
        deb = glob.glob(os.path.join(out, "kvlistexdemo_*.deb"))[0]
        got = run("dpkg-deb", "-f", deb, "Version").strip()
        print(f"{os.path.basename(deb)}: version {got}")
        if got != version:
            yield f"package version {got}, project version {version}"
        if f"./usr/share/applications/{app_id}.desktop" not in run("dpkg-deb", "-c", deb):
            yield "package lacks the desktop entry"


def main(*args):
    found = list(problems(*args))
    print("\n".join(found) or "desktop entry, metadata, icons and package as expected")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
