#!/usr/bin/env bash
# Redraws the program's pictures in resources/ (background tile, picture buttons, application icon).
# The results are kept in the repository; run this only after changing tools/make_pictures.cpp.
# The hand cursor, resources/hand.xpm, is drawn by hand and not made here.
set -euo pipefail
cd "$(dirname "$0")/.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O1 -fPIC -DQT_NO_CAST_FROM_ASCII tools/make_pictures.cpp -o "$work/make_pictures" \
    $(pkg-config --cflags --libs Qt6Gui)
"$work/make_pictures" resources
echo "Pictures written to resources/."
