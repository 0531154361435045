"""Takes a screenshot of each page of the demo in a real window (Xvfb + openbox).

Usage: /usr/bin/python3 tools/screenshots.py build/app/KvListExDemo docs/screenshots [--dark]

--dark runs it as a desktop with a dark colour scheme would: qt6ct's "darker" scheme, Fusion style.
"""
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from xsession import XSession  # noqa: E402

PAGES = ["font", "color", "picture"]


def dark_desktop(config_dir):
    os.makedirs(os.path.join(config_dir, "qt6ct"))
    with open(os.path.join(config_dir, "qt6ct", "qt6ct.conf"), "w") as f:
        f.write("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
                "custom_palette=true\nstyle=Fusion\n")
    return {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": config_dir}


def main(exe, out_dir, dark=False):
    os.makedirs(out_dir, exist_ok=True)
    with XSession() as x, tempfile.TemporaryDirectory() as config:
        x.start(exe, extra_env=dark_desktop(config) if dark else None)
        wid = x.find_window("Kv Extended ListBox Control")
        time.sleep(1.0)
        ox, oy, ow, oh = x.outer_geometry(wid)
        cx, cy, cw, ch = x.client_geometry(wid)
        for i, name in enumerate(PAGES):
            # The tabs share the tab control's width (433 px from x 8); the strip is ~20 px high.
            tx = cx + 8 + int(433 * (2 * i + 1) / 6)
            ty = cy + 8 + 10
            x.run("xdotool", "mousemove", str(tx), str(ty), "click", "1")
            x.run("xdotool", "mousemove", "0", "0")
            time.sleep(0.6)
            path = os.path.join(out_dir, name + ("-dark" if dark else "") + ".png")
            x.run("import", "-window", "root", "-crop", f"{ow}x{oh}+{ox}+{oy}", "+repage", path, check=True)
            print(path)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], "--dark" in sys.argv[3:])
