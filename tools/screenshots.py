# SPDX-License-Identifier: BSD-3-Clause
"""Takes screenshots of the demo in a real window (Xvfb + openbox): each page, the large swatch
style and the "Invalid index!" box; or one page of a variant.

Usage: /usr/bin/python3 tools/screenshots.py build/app/KvListExDemo docs/screenshots [--dark]
       /usr/bin/python3 tools/screenshots.py build/app/KvListExDemo docs/screenshots --variant NAME

--dark runs it as a desktop with a dark colour scheme would: qt6ct's "darker" scheme, Fusion style.
--variant styled: the font page under an application style sheet; rtl: the picture page with
Qt's -reverse (right to left); german: the system colours under a German locale.
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


STYLE_SHEET = """KvListEx--ListEx { selection-color: black }
KvListEx--ListEx::item:hover { background: #ffe8c0 }
KvListEx--ListEx::item:selected { background: orange; border: 1px solid #a05000 }
"""


def variant(exe, out_dir, name):
    """One page of the demo in a variant: a style sheet, right to left, or in German."""
    with XSession() as x, tempfile.TemporaryDirectory() as tmp:
        args, env = [exe], {}
        if name == "styled":
            sheet = os.path.join(tmp, "demo.qss")
            with open(sheet, "w") as f:
                f.write(STYLE_SHEET)
            args += ["-stylesheet", sheet]
        elif name == "rtl":
            args += ["-reverse"]
        elif name == "german":
            env = {"LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8", "LANGUAGE": ""}
        x.start(*args, extra_env=env)
        wid = x.find_window("Kv Extended ListBox Control")
        time.sleep(1.0)
        ox, oy, ow, oh = x.outer_geometry(wid)
        cx, cy, cw, ch = x.client_geometry(wid)

        def click(left, top):
            x.run("xdotool", "mousemove", str(cx + px(120 + left)), str(cy + px(120 + top)), "click", "1")
            time.sleep(0.6)

        if name == "styled":
            click(1000, 1200)  # a row of the font list, then rest the pointer on another
            x.run("xdotool", "mousemove", str(cx + px(120 + 1000)), str(cy + px(120 + 1700)))
            time.sleep(0.6)
        elif name == "rtl":
            click(6495 // 6, 150)  # the picture page's tab, mirrored to the left
        else:
            click(6495 // 2, 150)
            click(3960 + 240 + 300, 480 + 600 + 127)  # "System Colors"
        path = os.path.join(out_dir, name + ".png")
        x.run("import", "-window", "root", "-crop", f"{ow}x{oh}+{ox}+{oy}", "+repage", path, check=True)
        print(path)


def px(twips):
    return round(twips / 15)


def main(exe, out_dir, dark=False):
    os.makedirs(out_dir, exist_ok=True)
    with XSession() as x, tempfile.TemporaryDirectory() as config:
        x.start(exe, extra_env=dark_desktop(config) if dark else None)
        wid = x.find_window("Kv Extended ListBox Control")
        time.sleep(1.0)
        ox, oy, ow, oh = x.outer_geometry(wid)
        cx, cy, cw, ch = x.client_geometry(wid)

        def click(left, top):
            """Clicks a point given in the tab control's twips (page controls are placed so)."""
            x.run("xdotool", "mousemove", str(cx + px(120 + left)), str(cy + px(120 + top)), "click", "1")
            x.run("xdotool", "mousemove", "0", "0")
            time.sleep(0.6)

        def shoot(name):
            path = os.path.join(out_dir, name + ("-dark" if dark else "") + ".png")
            x.run("import", "-window", "root", "-crop", f"{ow}x{oh}+{ox}+{oy}", "+repage", path, check=True)
            print(path)

        for i, name in enumerate(PAGES):
            click(6495 * (2 * i + 1) // 6, 150)  # the tabs share the control's width
            shoot(name)
        click(6495 // 2, 150)
        click(3960 + 240 + 300, 1560 + 600 + 127)  # "kvLargeColorRect"
        shoot("color-large")
        click(3960 + 240 + 300, 1560 + 360 + 127)
        click(6495 * 5 // 6, 150)
        click(6000 + 187, 1005 + 142)  # item number 19, then "Enable or Disable"
        x.run("xdotool", "type", "19")
        click(4080 + 727, 960 + 187)
        x.find_window("ERROR", 10)
        time.sleep(0.6)
        shoot("error-box")
        x.run("xdotool", "key", "Return")


if __name__ == "__main__":
    if "--variant" in sys.argv[3:]:
        variant(sys.argv[1], sys.argv[2], sys.argv[sys.argv.index("--variant") + 1])
    else:
        main(sys.argv[1], sys.argv[2], "--dark" in sys.argv[3:])
