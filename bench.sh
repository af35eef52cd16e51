#!/usr/bin/env bash
# Builds and runs the load/store benchmark; prints the figures as ratios to `sort -f` last.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
need_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev coreutils
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVALEN_TESTS=OFF -DCORVALEN_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_passwords
QT_QPA_PLATFORM=offscreen build-bench/bench/bench_passwords "$@"
