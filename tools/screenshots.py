"""Takes a screenshot of each page of the demo in a real window (Xvfb + openbox).

Usage: /usr/bin/python3 tools/screenshots.py build/app/KvListExDemo docs/screenshots
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from xsession import XSession  # noqa: E402

PAGES = ["font", "color", "picture"]


def main(exe, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    with XSession() as x:
        x.start(exe)
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
            path = os.path.join(out_dir, name + ".png")
            x.run("import", "-window", "root", "-crop", f"{ow}x{oh}+{ox}+{oy}", "+repage", path, check=True)
            print(path)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
