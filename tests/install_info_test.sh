#!/usr/bin/env bash
# The installer's information: written beside the user's own settings, the empty file on the first install only,
# and a link the user made left alone.
set -euo pipefail
tool=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config"
settings="$XDG_CONFIG_HOME/Brenhold/Password Corvalen.conf"
mkdir -p "$XDG_CONFIG_HOME/Brenhold" "$home/a" "$home/b"
printf '[Constants]\nDesignerMode=False\n[CurrentVersion]\nMajorVersion=True\n' > "$settings"
"$tool" "$home/a" 1.0.53
expected=$(printf '[Constants]\nDesignerMode=False\n[CurrentVersion]\nMajorVersion=1\nMinorVersion=0\nSubMinorVersion=53')
[ "$(cat "$settings")" = "$expected" ] || { echo "settings: $(cat "$settings")"; exit 1; }
[ -f "$home/a/Password.dat" ] && [ ! -s "$home/a/Password.dat" ] || { echo "no empty password file"; exit 1; }
[ "$(stat -c %a "$home/a/Password.dat")" = 600 ] && [ "$(cat "$home/a/.hidden")" = Password.dat ] || exit 1
# Installed again, later: the file that has gone is not made again, and a link is never replaced.
rm "$home/a/Password.dat"
ln -s "$home/missing" "$home/b/Password.dat"
"$tool" "$home/a" 1.0.54
"$tool" "$home/b" 1.0.54
[ ! -e "$home/a/Password.dat" ] && [ -L "$home/b/Password.dat" ] || { echo "a later install made a file"; exit 1; }
grep -qx 'SubMinorVersion=54' "$settings" || exit 1
echo "installer information: ok"
