#!/usr/bin/python3
# SPDX-License-Identifier: BSD-3-Clause
"""Runs the resource tool into a fresh folder and requires byte-identical copies of the committed files.

    check_regenerate.py TOOL RESOURCES_DIR
"""
import filecmp
import os
import subprocess
import sys
import tempfile


def main(tool, resources):
    with tempfile.TemporaryDirectory() as out:
        subprocess.run([sys.executable, tool, "--src", resources, "--out", out], check=True)
        made = sorted(os.path.relpath(os.path.join(d, f), out) for d, _, fs in os.walk(out) for f in fs)
        if len(made) < 20:
            print(f"only {len(made)} files generated")
            return 1
        stale = [rel for rel in made
                 if not os.path.exists(os.path.join(resources, rel))
                 or not filecmp.cmp(os.path.join(out, rel), os.path.join(resources, rel), shallow=False)]
        for rel in stale:
            print(f"{rel}: committed copy differs from its sources; run tools/mkres.py")
        print(f"{len(made) - len(stale)} of {len(made)} generated files match")
        return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
