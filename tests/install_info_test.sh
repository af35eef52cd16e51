#!/usr/bin/env bash
set -euo pipefail
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config"
settings="$XDG_CONFIG_HOME/Brenhold/Password Corvalen.conf"
mkdir -p "$XDG_CONFIG_HOME/Brenhold" "$home/a" "$home/b"
printf '[Constants]\nDesignerMode=False\n[CurrentVersion]\nMajorVersion=True\n' > "$settings"
"$1" "$home/a" 1.0.53
expected=$(printf '[Constants]\nDesignerMode=False\n[CurrentVersion]\nMajorVersion=1\nMinorVersion=0\nSubMinorVersion=53')
[ "$(cat "$settings")" = "$expected" ] || { echo "settings: $(cat "$settings")"; exit 1; }
[ -f "$home/a/Password.dat" ] && [ ! -s "$home/a/Password.dat" ] || { echo "no empty password file"; exit 1; }
[ "$(stat -c %a "$home/a/Password.dat")" = 600 ] && [ "$(cat "$home/a/.hidden")" = Password.dat ] || exit 1
rm "$home/a/Password.dat"
ln -s "$home/missing" "$home/b/Password.dat"
"$1" "$home/a" 1.0.54
"$1" "$home/b" 1.0.54
[ ! -e "$home/a/Password.dat" ] && [ -L "$home/b/Password.dat" ] || { echo "a later install made a file"; exit 1; }
grep -qx 'SubMinorVersion=54' "$settings" || exit 1
