#!/usr/bin/env bash
# Builds everything in build/ and runs the whole test suite through CTest, offscreen.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCORVALEN_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
