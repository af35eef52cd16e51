#!/usr/bin/env bash
# Builds the program and its tests with coverage in build-coverage/, runs the suite and prints the line
# and branch coverage of core/, frame/ and ui/ (branches of throws and unreachable code left out).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" gcovr
cmake -S . -B build-coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVALEN_TESTS=ON \
    -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS="--coverage" >/dev/null
cmake --build build-coverage -j"$(nproc)"
find build-coverage -name '*.gcda' -delete
# Instrumented code is slower: the longest test needs more than its usual time.
QT_QPA_PLATFORM=offscreen ctest --test-dir build-coverage -j"$(nproc)" --timeout 600 >build-coverage/ctest.log || true
gcovr --root . --object-directory build-coverage --filter 'core/' --filter 'frame/' --filter 'ui/' \
    --exclude-throw-branches --exclude-unreachable-branches --print-summary -o build-coverage/coverage.txt
