#!/usr/bin/python3
# SPDX-License-Identifier: BSD-3-Clause
"""Start-up without a display that opens: one line naming the display on stderr, exit code 2, no core.

    check_displays.py PROGRAM
"""
import os
import subprocess
import sys
import tempfile


def dead_x_display():
    """A display number with neither a server socket nor a lock file."""
    for n in range(4000, 5000):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return f":{n}"
    raise RuntimeError("no free display number")


def main(program):
    dead = dead_x_display()
    # (what, environment, words the one line must hold)
    cases = [
        ("no display at all", {}, ["no display"]),
        ("DISPLAY naming no server", {"DISPLAY": dead}, [f'X display "{dead}"']),
        ("a stale WAYLAND_DISPLAY", {"WAYLAND_DISPLAY": "wayland-stale"}, ['Wayland display "wayland-stale"']),
        ("both naming no server", {"WAYLAND_DISPLAY": "wayland-stale", "DISPLAY": dead},
         ['Wayland display "wayland-stale"', f'X display "{dead}"']),
        ("an unknown QT_QPA_PLATFORM", {"QT_QPA_PLATFORM": "nosuchplatform"}, ['"nosuchplatform"']),
    ]
    base = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE")}
    passed = failed = 0
    for what, env, words in cases:
        with tempfile.TemporaryDirectory() as cwd:
            p = subprocess.run([program], env=dict(base, **env), cwd=cwd, capture_output=True, text=True,
                               timeout=30)
            cores = [f for f in os.listdir(cwd) if f.startswith("core")]
        lines = p.stderr.strip().splitlines()
        ok = p.returncode == 2 and len(lines) == 1 and all(w in lines[0] for w in words) and not cores
        print(f"{'PASS' if ok else 'FAIL'} {what}: exit {p.returncode}, stderr {p.stderr.strip()!r}")
        passed, failed = passed + ok, failed + (not ok)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1])))
