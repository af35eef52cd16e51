#!/usr/bin/env bash
# Builds everything in build/ and runs the whole test suite through CTest, offscreen.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev qt6-base-dev-tools xvfb xauth xclip xdotool x11-utils \
    openbox poppler-utils qt6-wayland weston wl-clipboard
cmake -S . -B build -G Ninja -DCORVALEN_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
