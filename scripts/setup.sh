#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Installs what building, running and testing need on Debian 12, then configures and builds.
# Usage: scripts/setup.sh [--test]   (as root; safe to run again)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libxcb1-dev
    fontconfig fonts-liberation
    qt6-tools-dev qt6-l10n-tools libqt6opengl6-dev
)
test_packages=(
    xvfb xauth openbox xdotool wmctrl x11-utils imagemagick
    dbus dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0
    clang clang-format libclang-rt-14-dev binutils-mingw-w64-x86-64 fonts-urw-base35 qt6ct
    appstream desktop-file-utils lintian xclip python3-fonttools
    doxygen qt6-documentation-tools
)
want=("${packages[@]}")
[ "${1:-}" = "--test" ] && want+=("${test_packages[@]}")

missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages (run as root to install): ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
