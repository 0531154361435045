# SPDX-License-Identifier: BSD-3-Clause
"""The real pointer and the drawn screen of a private X session: frame drags, title-bar clicks, grabs."""
import subprocess
import time


def drag_corner(x, wid, step, steps=4, pauses=(0.3, 0.45, 0.6)):
    """Drags the frame's bottom-right corner with the left button by steps of step = (dx, dy) pixels.

    Press, moves, release, with a pause before each: a window manager handles a slow drag move by
    move, as it does a user's hand, where a command-driven resize is one request. Returns the outer
    sizes seen while the button was down, one after each move.
    """
    ox, oy, ow, oh = x.outer_geometry(wid)
    sx, sy = ox + ow - 1, oy + oh - 1  # the frame's own corner pixel, whatever its border width
    x.run("xdotool", "mousemove", str(sx), str(sy))
    time.sleep(pauses[0])
    x.run("xdotool", "mousedown", "1")
    seen = []
    for i in range(1, steps + 1):
        time.sleep(pauses[i % len(pauses)])
        x.run("xdotool", "mousemove", str(sx + step[0] * i), str(sy + step[1] * i))
        time.sleep(pauses[(i + 1) % len(pauses)])
        seen.append(x.outer_geometry(wid)[2:])
    x.run("xdotool", "mouseup", "1")
    x.run("xdotool", "mousemove", "0", "0")
    return seen


def allowed_actions(x, wid):
    """The actions the window manager offers for the window, as short names (MAXIMIZE_HORZ, ...)."""
    out = x.run("xprop", "-id", wid, "_NET_WM_ALLOWED_ACTIONS")
    return {a.strip().replace("_NET_WM_ACTION_", "") for a in out.split("=", 1)[-1].split(",") if a.strip()}


def title_point(x, wid, from_right=None):
    """A point on the title bar: its middle, or from_right pixels left of the frame's right edge."""
    ox, oy, ow, _ = x.outer_geometry(wid)
    top = x.frame_extents(wid)[2]
    px = ox + ow // 2 if from_right is None else ox + ow - from_right
    return px, oy + top // 2


def click(x, point, repeat=1):
    x.run("xdotool", "mousemove", str(point[0]), str(point[1]))
    time.sleep(0.2)
    x.run("xdotool", "click", "--repeat", str(repeat), "--delay", "80", "1")
    x.run("xdotool", "mousemove", "0", "0")


class Grab:
    """A part of the screen as drawn: pixel colours as (r, g, b)."""

    def __init__(self, x, rect):
        left, top, self.width, self.height = rect
        self.pixels = subprocess.run(["import", "-window", "root", "-crop", f"{self.width}x{self.height}+{left}+{top}",
                                      "+repage", "-depth", "8", "rgb:-"], env=x.env, capture_output=True,
                                     check=True, timeout=20).stdout

    def at(self, px, py):
        i = 3 * (py * self.width + px)
        return tuple(self.pixels[i:i + 3])

    def count(self, rect, predicate):
        left, top, width, height = rect
        return sum(1 for py in range(top, top + height) for px in range(left, left + width)
                   if predicate(self.at(px, py)))


def dark(rgb):
    return sum(rgb) < 3 * 96
