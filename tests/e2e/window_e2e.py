"""The main window under a real window manager: size lock, minimise, centring, ways to end."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from xsession import Results, SessionBus, XSession  # noqa: E402

TITLE = "Kv Extended ListBox Control"
OUTER = (457, 380)  # 6850 x 5700 twips at 15 twips to the pixel, rounded


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

    # Without any display the program says so in one line and fails.
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    p = subprocess.run([exe], env=env, capture_output=True, text=True, timeout=20)
    r.check("no display: non-zero exit", p.returncode != 0, p.returncode)
    r.check("no display: one clear line", len(p.stderr.strip().splitlines()) == 1
            and "display" in p.stderr, repr(p.stderr))

    with XSession(private_fonts=True) as x:
        app = x.start(exe)
        wid = x.find_window(TITLE)
        geo = settle(x, wid, OUTER)
        r.check("outer size at start is 6850 x 5700 twips", geo[2:] == OUTER, geo)
        extents = x.frame_extents(wid)
        print(f"frame extents (left, right, top, bottom): {extents}; client: {x.client_geometry(wid)[2:]}")
        cx, cy = geo[0] + geo[2] / 2, geo[1] + geo[3] / 2
        r.check("centred on the screen", abs(cx - 512) <= 1 and abs(cy - 384) <= 1, (cx, cy))

        x.run("xdotool", "windowsize", wid, "700", "560")
        time.sleep(0.5)
        geo = settle(x, wid, OUTER)
        r.check("a resize snaps back", geo[2:] == OUTER, geo)
        x.run("xdotool", "windowsize", wid, "300", "200")
        time.sleep(0.5)
        geo = settle(x, wid, OUTER)
        r.check("a shrink snaps back", geo[2:] == OUTER, geo)

        client = x.client_geometry(wid)[2:]
        x.run("xdotool", "windowminimize", wid)
        iconic = x.wait_for(lambda: wm_state(x, wid) == "Iconic", "minimised", 10)
        r.check("minimised", iconic)
        r.check("minimising leaves the size alone", x.client_geometry(wid)[2:] == client)
        x.run("wmctrl", "-i", "-a", wid)
        x.wait_for(lambda: wm_state(x, wid) == "Normal", "restored", 10)
        geo = settle(x, wid, OUTER)
        r.check("restore shows 6850 x 5700 twips again", geo[2:] == OUTER, geo)

        x.run("xdotool", "windowactivate", "--sync", wid)
        x.run("xdotool", "key", "--clearmodifiers", "alt+a")
        try:
            about = x.find_window("About ListEx", 10)
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

        app = x.start(exe)
        wid = x.find_window(TITLE)
        settle(x, wid, OUTER)
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
