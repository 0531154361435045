#!/usr/bin/env bash
# Installs what is missing, builds once, and runs every test (unit, real-window, screen reader).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
# Debian's own python3 runs the test scripts (it has pyatspi), whatever else is first on PATH.
export PATH="/usr/bin:$PATH"
ctest --test-dir build --output-on-failure --timeout 600 -j2 "$@"
