#!/usr/bin/env bash
# Builds the program, installs it into the per-user program folder and starts it from there.
# The password file lives beside the installed program, never in the build folder.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
# Qt's Wayland plugin: in a Wayland session the program then runs natively rather than through Xwayland.
need_packages "${BUILD_PACKAGES[@]}" qt6-wayland
# Its own build folder, so that switching between running and testing never reconfigures either.
cmake -S . -B build-run -G Ninja -DCORVALEN_TESTS=OFF >/dev/null
cmake --build build-run -j"$(nproc)" --target password-corvalen
prefix="${HOME}/.local/opt/password-corvalen"
mkdir -p "$prefix"
install -m 0755 build-run/password-corvalen "$prefix/password-corvalen"
install -m 0644 resources/Corvalen.HLP "$prefix/Corvalen.HLP"
install -m 0644 resources/password-corvalen.svg "$prefix/password-corvalen.svg"
install -m 0644 resources/password-corvalen-256.png "$prefix/password-corvalen.png"
# The icon in the user's icon theme too, for menus and docks that look it up by name.
data="${XDG_DATA_HOME:-$HOME/.local/share}"
install -D -m 0644 resources/password-corvalen.svg "$data/icons/hicolor/scalable/apps/password-corvalen.svg"
install -D -m 0644 resources/password-corvalen-256.png "$data/icons/hicolor/256x256/apps/password-corvalen.png"
install -D -m 0644 resources/password-corvalen-32.png "$data/icons/hicolor/32x32/apps/password-corvalen.png"
# The installer's version information and, on the first install, the empty password file.
tools/install-info.sh "$prefix" "$(sed -n 's/^project(PasswordCorvalen VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
apps="$data/applications"
mkdir -p "$apps"
sed -e "s|@PREFIX@|$prefix|g" resources/password-corvalen.desktop.in > "$apps/password-corvalen.desktop"
chmod 0644 "$apps/password-corvalen.desktop"
if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database -q "$apps" || true
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Password Corvalen is installed in $prefix, but there is no display to show it on."
    echo "Start it from a desktop session (the launcher is in your applications menu), or set DISPLAY."
    exit 1
fi
exec "$prefix/password-corvalen"
