#!/usr/bin/env bash
# Installs what is missing, builds once, and runs every test (unit, real-window, screen reader).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
# Debian's own python3 runs the test scripts (it has pyatspi), whatever else is first on PATH.
export PATH="/usr/bin:$PATH"
ctest --test-dir build --output-on-failure --timeout 600 -j2 "$@"
# Start-up beside a bare Qt window (a measurement, printed, not a pass/fail test).
/usr/bin/python3 bench/startup.py build/bench/startupdemo build/bench/barewindow --runs 10

# Hardening: random use and the leak check under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the fuzzers, in a second build made with clang.
CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKVLISTEX_SANITIZE=ON -DKVLISTEX_FUZZ=ON -DKVLISTEX_BENCH=OFF > /dev/null
cmake --build build-san --target tst_randomuse tst_leaks fuzz_textnumber fuzz_finditem
ctest --test-dir build-san -L hardening --output-on-failure --timeout 900 -j2
