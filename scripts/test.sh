#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Installs what is missing, builds, and runs every test stage: the code format, unit and
# real-window tests, start-up figures, the API reference's completeness, and random use, leak
# check and fuzzers under sanitizers.
# A failing stage does not stop the ones after it; each prints one line, the command fails if
# any stage failed, and the last line is the CTest summary of the unit and real-window tests
# (when the build let them run).
# Arguments go to that CTest run.
# shellcheck disable=SC2317  # the stages are functions called through stage()
set -uo pipefail
cd "$(dirname "$0")/.."
# Debian's own python3 runs the test scripts (it has pyatspi), whatever else is first on PATH.
export PATH="/usr/bin:$PATH"

summary=()
declare -A status
failed=0
ctest_log=$(mktemp)
trap 'rm -f "$ctest_log"' EXIT

# stage NAME COMMAND...: runs COMMAND in a subshell that stops at its first error. Neither the
# stage nor the subshell may be a condition (if, &&, ||): bash would then ignore set -e inside.
# shellcheck disable=SC2181  # hence $? below
stage() {
    local name=$1 start=$SECONDS
    shift
    echo "==> $name"
    (
        set -e
        "$@"
    )
    if [ $? -eq 0 ]; then
        status[$name]=passed
    else
        status[$name]=FAILED
        failed=1
    fi
    summary+=("stage $name: ${status[$name]} ($((SECONDS - start)) s)")
}

passed() { [ "${status[$1]:-}" = passed ]; }

not_run() {
    summary+=("stage $1: FAILED (not run: $2)")
    failed=1
}

build() { scripts/setup.sh --test; }

# The committed .clang-format must leave every tracked source unchanged.
format() { git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror; }

tests() { ctest --test-dir build --output-on-failure --timeout 600 -j2 "$@" | tee "$ctest_log"; }

# The API reference builds, and Doxygen finds no public class or member without documentation.
apidocs() { cmake --build build --target apidocs; }

# Start-up beside a bare Qt window, then the font list under thousands of private fonts beside a
# bare window and QListWidget (measurements, printed; they fail only if they cannot run).
startup() {
    /usr/bin/python3 bench/startup.py build/bench/startupdemo build/bench/barewindow --runs 10
    /usr/bin/python3 bench/manyfonts.py build --runs 3
}

# A second build made with clang, with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitizer_build() {
    CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKVLISTEX_SANITIZE=ON -DKVLISTEX_FUZZ=ON -DKVLISTEX_BENCH=OFF > /dev/null
    cmake --build build-san --target tst_randomuse tst_leaks tst_core fuzz_textnumber fuzz_finditem
}

# Random use and the leak check in that build, and the fuzzers.
hardening() { ctest --test-dir build-san -L hardening --output-on-failure --timeout 900 -j2; }

stage build build
stage format format
if passed build; then
    stage tests tests "$@"
    stage startup startup
    stage apidocs apidocs
else
    not_run tests "build failed"
    not_run startup "build failed"
    not_run apidocs "build failed"
fi
stage sanitizer-build sanitizer_build
if passed sanitizer-build; then
    stage hardening hardening
else
    not_run hardening "sanitizer build failed"
fi

echo
printf '%s\n' "${summary[@]}"
grep -E '^[0-9]+% tests passed' "$ctest_log"
exit $failed
