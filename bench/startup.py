# SPDX-License-Identifier: BSD-3-Clause
"""Start-up benchmark: process start to first painted frame, the demo beside a bare Qt window.

Usage: /usr/bin/python3 bench/startup.py build/bench/startupdemo build/bench/barewindow [--runs N] [--check RATIO]
Runs both on the offscreen platform and under Xvfb + openbox, alternating, and prints medians,
the ratio, and resident memory at idle. With --check, fails when a median ratio exceeds RATIO.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from xsession import XSession  # noqa: E402


def run_once(exe, env):
    start = time.clock_gettime(time.CLOCK_MONOTONIC) * 1000.0
    try:
        out = subprocess.run([exe], env=env, capture_output=True, text=True, timeout=30).stdout
    except subprocess.TimeoutExpired:
        sys.exit(f"{exe} reported no first frame: the benchmark needs its own builds (bench/startupdemo)")
    values = dict(line.split(" ", 1) for line in out.splitlines() if " " in line)
    return float(values["first-frame-ms"]) - start, int(values["idle-rss-kib"])


def measure(label, demo, bare, env, runs):
    times = {"demo": [], "bare": []}
    rss = {"demo": [], "bare": []}
    run_once(demo, env)  # warm the caches once for both
    run_once(bare, env)
    for _ in range(runs):
        for name, exe in (("demo", demo), ("bare", bare)):
            t, m = run_once(exe, env)
            times[name].append(t)
            rss[name].append(m)
    d, b = statistics.median(times["demo"]), statistics.median(times["bare"])
    md, mb = statistics.median(rss["demo"]), statistics.median(rss["bare"])
    print(f"{label:10s} first frame: demo {d:7.1f} ms, bare window {b:7.1f} ms, ratio {d / b:.2f}; "
          f"idle memory: demo {md / 1024:.1f} MiB, bare {mb / 1024:.1f} MiB")
    return d / b


def main():
    p = argparse.ArgumentParser()
    p.add_argument("demo")
    p.add_argument("bare")
    p.add_argument("--runs", type=int, default=10)
    p.add_argument("--check", type=float)
    a = p.parse_args()
    ratios = []
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    ratios.append(measure("offscreen", a.demo, a.bare, env, a.runs))
    with XSession() as x:
        ratios.append(measure("Xvfb", a.demo, a.bare, x.env, a.runs))
    if a.check is not None:
        ok = all(r <= a.check for r in ratios)
        print(f"{2 if ok else 0} passed, {0 if ok else 2} failed")
        return 0 if ok else 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
