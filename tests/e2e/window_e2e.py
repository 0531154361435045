# SPDX-License-Identifier: BSD-3-Clause
"""The main window under a real window manager: size lock, minimise, centring, ways to end."""
import glob
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import screen  # noqa: E402
from xsession import Results, SessionBus, XSession  # noqa: E402

TITLE = "Kv Extended ListBox Control"
OUTER = (457, 380)  # 6850 x 5700 twips at 15 twips to the pixel, rounded
BUTTONS = {"About": (4080, 4800, 1215, 375), "Exit": (5400, 4800, 1215, 375)}  # client area, twips


def px(twips_rect):
    return tuple(round(t / 15) for t in twips_rect)


def settle(x, wid, expect, timeout=10.0):
    """Waits until the outer size is expect; returns the last outer geometry seen."""
    seen = [None]

    def ok():
        seen[0] = x.outer_geometry(wid)
        return seen[0][2:] == expect
    try:
        x.wait_for(ok, "outer size", timeout)
    except TimeoutError:
        pass
    return seen[0]


def wm_state(x, wid):
    out = x.run("xprop", "-id", wid, "WM_STATE")
    return "Iconic" if "Iconic" in out else "Normal" if "Normal" in out else out.strip()


def main(exe):
    r = Results()

    with XSession(private_fonts=True) as x:
        app = x.start(exe)
        wid = x.find_window(TITLE)
        geo = settle(x, wid, OUTER)
        r.check("outer size at start is 6850 x 5700 twips", geo[2:] == OUTER, geo)
        extents = x.frame_extents(wid)
        print(f"frame extents (left, right, top, bottom): {extents}; client: {x.client_geometry(wid)[2:]}")
        cx, cy = geo[0] + geo[2] / 2, geo[1] + geo[3] / 2
        r.check("centred on the screen", abs(cx - 512) <= 1 and abs(cy - 384) <= 1, (cx, cy))
        entry = glob.glob(os.path.join(os.path.dirname(__file__), "../../resources/*.desktop"))[0]
        wm_class = x.run("xprop", "-id", wid, "WM_CLASS").split(", ")[-1].strip()
        r.check("the desktop entry's StartupWMClass matches the window",
                f"StartupWMClass={wm_class.strip(chr(34))}\n" in open(entry, encoding="utf-8").read(), wm_class)

        x.run("xdotool", "windowsize", wid, "700", "560")
        time.sleep(0.5)
        geo = settle(x, wid, OUTER)
        r.check("a resize snaps back", geo[2:] == OUTER, geo)
        x.run("xdotool", "windowsize", wid, "300", "200")
        time.sleep(0.5)
        geo = settle(x, wid, OUTER)
        r.check("a shrink snaps back", geo[2:] == OUTER, geo)

        # The real pointer on the frame's corner, out and in, with pauses between the moves.
        for name, step in (("out", (40, 30)), ("in", (-45, -42))):
            during = screen.drag_corner(x, wid, step)
            time.sleep(1.0)
            geo = settle(x, wid, OUTER, 3)
            r.check(f"a pointer drag {name} of the corner leaves 6850 x 5700 twips",
                    geo[2:] == OUTER and all(size == OUTER for size in during), (during, geo))

        actions = screen.allowed_actions(x, wid)
        print("allowed actions:", " ".join(sorted(actions)))
        r.check("neither resizing nor maximising is offered",
                not actions & {"RESIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"}, sorted(actions))
        # openbox's default title layout ends in maximise and close, 16 px apart; it draws the
        # maximise button even where it does not offer maximising.
        attempts = [("the maximise button", lambda: screen.click(x, screen.title_point(x, wid, 27))),
                    ("a title-bar double-click", lambda: screen.click(x, screen.title_point(x, wid), repeat=2)),
                    ("wmctrl", lambda: x.run("wmctrl", "-i", "-r", wid, "-b", "add,maximized_vert,maximized_horz"))]
        for name, attempt in attempts:
            attempt()
            time.sleep(1.0)
            geo = settle(x, wid, OUTER, 3)
            r.check(f"maximising by {name} leaves 6850 x 5700 twips", geo[2:] == OUTER, geo)
            x.run("wmctrl", "-i", "-r", wid, "-b", "remove,maximized_vert,maximized_horz")

        # Fully painted: the background reaches the client area's right and bottom edges, and both
        # buttons show their captions.
        cx, cy, cw, ch = x.client_geometry(wid)
        shot = screen.Grab(x, (cx, cy, cw, ch))
        ground = shot.at(cw - 1, ch - 1)
        edges = shot.count((cw - 3, 0, 3, ch), lambda p: p != ground) + \
            shot.count((0, ch - 3, cw, 3), lambda p: p != ground)
        r.check("painted to the client area's edges", edges == 0 and sum(ground) > 3 * 128,
                ((cx, cy, cw, ch), (shot.width, shot.height), ground, edges))
        for name, rect in BUTTONS.items():
            left, top, width, height = px(rect)
            inside = left + width <= cw and top + height <= ch
            ink = shot.count((left, top, width, height), screen.dark) if inside else 0
            r.check(f"the {name} button is drawn whole with its caption", ink > 20, ink)

        client = x.client_geometry(wid)[2:]
        x.run("xdotool", "windowminimize", wid)
        iconic = x.wait_for(lambda: wm_state(x, wid) == "Iconic", "minimised", 10)
        r.check("minimised", iconic)
        r.check("minimising leaves the size alone", x.client_geometry(wid)[2:] == client)
        x.run("wmctrl", "-i", "-a", wid)
        x.wait_for(lambda: wm_state(x, wid) == "Normal", "restored", 10)
        geo = settle(x, wid, OUTER)
        r.check("restore shows 6850 x 5700 twips again", geo[2:] == OUTER, geo)

        # A megabyte pasted into the find box, then Alt+A: the About box must follow at once.
        x.run("xdotool", "windowactivate", "--sync", wid)
        cx, cy = x.client_geometry(wid)[:2]
        screen.click(x, (cx + 369, cy + 18))  # the Picture tab
        box = (cx + 281, cy + 161, 150, 16)  # inside txtItem
        screen.click(x, (box[0] + 75, box[1] + 8))
        clip = os.path.join(x.tmp, "paste.txt")
        with open(clip, "w") as f:
            f.write("W" * 1_000_000)
        x.start("xclip", "-selection", "clipboard", "-i", clip).wait(10)  # it serves the paste from the background
        start = time.monotonic()
        x.run("xdotool", "key", "--clearmodifiers", "ctrl+v")
        x.run("xdotool", "key", "--clearmodifiers", "alt+a")
        try:
            about = x.find_window("About ListEx", 10)
            answered = time.monotonic() - start
            print(f"1 MB paste, then Alt+A: About box after {answered * 1000:.0f} ms")
            pasted = screen.Grab(x, box).count((0, 0, box[2], box[3]), screen.dark)
            r.check("after a 1 MB paste into the find box the window answers at once",
                    answered < 1.0 and pasted > 50, (answered, pasted))
            r.check("Alt+A opens the About box", True)
            x.run("xdotool", "windowactivate", "--sync", about)
            x.run("xdotool", "key", "Escape")
            x.wait_for(lambda: not x.run("xdotool", "search", "--onlyvisible", "--name", "^About ListEx$").strip(),
                       "About box closed", 10)
        except TimeoutError:
            r.check("Alt+A opens the About box", False)

        x.run("xdotool", "windowactivate", "--sync", wid)
        x.run("xdotool", "key", "--clearmodifiers", "alt+x")
        try:
            code = app.wait(10)
        except subprocess.TimeoutExpired:
            code = None
        r.check("Alt+X ends the program with exit code 0", code == 0, code)

        app = x.start(exe, extra_env={"QT_SCALE_FACTOR": "2"})
        wid = x.find_window(TITLE)
        def doubled():
            return x.client_geometry(wid)[2:] == tuple(2 * n for n in client)
        try:
            x.wait_for(doubled, "the client area at scale 2", 10)
        except TimeoutError:
            pass
        r.check("at scale 2 the client area is the one at scale 1, twice over", doubled(),
                (client, x.client_geometry(wid)[2:]))
        start = time.monotonic()
        x.run("wmctrl", "-i", "-c", wid)
        try:
            code = app.wait(10)
        except subprocess.TimeoutExpired:
            code = None
        r.check("the close box ends the program with exit code 0", code == 0, code)
        r.check("and at once, with no question", time.monotonic() - start < 3, time.monotonic() - start)
    return r.finish()


if __name__ == "__main__":
    with SessionBus():
        sys.exit(main(sys.argv[1]))
