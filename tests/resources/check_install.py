#!/usr/bin/python3
"""Installs into a scratch prefix and packages, then checks what the desktop reads.

    check_install.py CMAKE CPACK BUILD_DIR APP_ID VERSION

The desktop entry and the AppStream metadata pass their validators, name one id and the installed
program; the icons are sharp whole-factor enlargements of the pixel art; the metadata and the
Debian package carry the project's version.
"""
import configparser
import glob
import os
import re
import subprocess
import sys
import tempfile

SIZES = (16, 32, 48, 64, 128)


class Fail(Exception):
    pass


def run(*args):
    p = subprocess.run(args, capture_output=True, text=True, timeout=300)
    if p.returncode != 0:
        raise Fail(f"{' '.join(args)}: {p.stdout.strip()} {p.stderr.strip()}")
    return p.stdout


def pixels(png, size):
    """Rows of RGBA pixels, decoded by ImageMagick."""
    data = subprocess.run(["convert", png, "-depth", "8", "rgba:-"], capture_output=True, check=True).stdout
    if len(data) != size * size * 4:
        raise Fail(f"{png}: not {size} x {size}")
    return [[data[(y * size + x) * 4:(y * size + x) * 4 + 4] for x in range(size)] for y in range(size)]


def check_icons(share, app_id):
    icons = {s: pixels(os.path.join(share, "icons", "hicolor", f"{s}x{s}", "apps", app_id + ".png"), s)
             for s in SIZES}
    for size in (48, 64, 128):
        # Nearest neighbour from the 32 px art where the factor is whole, else from the 16 px art.
        base = 32 if size % 32 == 0 else 16
        f = size // base
        for y in range(size):
            for x in range(size):
                if icons[size][y][x] != icons[base][y // f][x // f]:
                    raise Fail(f"{size} px icon at {x},{y} is not the {base} px art enlarged {f} times")


def check_desktop(share, prefix, app_id, version):
    entry_path = os.path.join(share, "applications", app_id + ".desktop")
    run("desktop-file-validate", entry_path)
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(entry_path)
    e = entry["Desktop Entry"]
    for key in ("Name", "GenericName", "Comment", "Keywords"):
        if len(e.get(key, "")) < 4:
            raise Fail(f"desktop entry: {key} is {e.get(key)!r}")
    if e["Icon"] != app_id:
        raise Fail(f"desktop entry: Icon is {e['Icon']!r}")
    if not os.access(os.path.join(prefix, "bin", e["Exec"].split()[0]), os.X_OK):
        raise Fail(f"desktop entry: Exec {e['Exec']!r} is not the installed program")

    meta_path = os.path.join(share, "metainfo", app_id + ".metainfo.xml")
    run("appstreamcli", "validate", "--no-net", meta_path)
    with open(meta_path, encoding="utf-8") as f:
        meta = f.read()
    for want in (f"<id>{app_id}</id>", f'<launchable type="desktop-id">{app_id}.desktop</launchable>',
                 f'<release version="{version}"', "<screenshot type=\"default\">"):
        if want not in meta:
            raise Fail(f"metainfo: no {want}")


def check_package(cpack, build, app_id, version):
    with tempfile.TemporaryDirectory() as out:
        run(cpack, "--config", os.path.join(build, "CPackConfig.cmake"), "-G", "DEB", "-B", out)
        debs = glob.glob(os.path.join(out, "*.deb"))
        if len(debs) != 1:
            raise Fail(f"packages made: {debs}")
        fields = run("dpkg-deb", "-f", debs[0], "Package", "Version")
        if not re.search(rf"^Version: {re.escape(version)}$", fields, re.M):
            raise Fail(f"package fields: {fields!r}, want version {version}")
        listing = run("dpkg-deb", "-c", debs[0])
        wanted = ["./usr/bin/KvListExDemo", f"./usr/share/applications/{app_id}.desktop",
                  f"./usr/share/metainfo/{app_id}.metainfo.xml"]
        wanted += [f"./usr/share/icons/hicolor/{s}x{s}/apps/{app_id}.png" for s in SIZES]
        missing = [w for w in wanted if w not in listing]
        if missing:
            raise Fail(f"package lacks {missing}")
        print(f"{os.path.basename(debs[0])}: {fields.strip()}")


def main(cmake, cpack, build, app_id, version):
    try:
        with tempfile.TemporaryDirectory() as prefix:
            run(cmake, "--install", build, "--prefix", prefix)
            share = os.path.join(prefix, "share")
            check_desktop(share, prefix, app_id, version)
            check_icons(share, app_id)
        check_package(cpack, build, app_id, version)
    except Fail as e:
        print(e)
        return 1
    print("desktop entry, metadata, icons and package as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
