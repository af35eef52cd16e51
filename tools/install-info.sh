#!/usr/bin/env bash
# Writes what an installer leaves for the program: its version in the settings' [CurrentVersion] group, which
# tells the program it was installed, so that a password file that disappears later gets the program's question
# instead of a silent new empty file. The first install also gets the empty password file, hidden as the program
# keeps it; a file or a link already there is the user's and is left alone.
# Usage: install-info.sh PROGRAM_FOLDER VERSION (major.minor.revision)
set -euo pipefail
prefix=$1
version=$2
config="${XDG_CONFIG_HOME:-$HOME/.config}/Brenhold"
settings="$config/Password Corvalen.conf"
mkdir -p "$config"
first_install=1
awk '/^\[/ { cur = ($0 == "[CurrentVersion]") } cur && /^MajorVersion=[0-9]/ { found = 1 } END { exit !found }' "$settings" 2>/dev/null && first_install=0
minor=${version#*.}
{
    [ -f "$settings" ] && awk '/^\[/ { skip = ($0 == "[CurrentVersion]") } !skip' "$settings"
    echo "[CurrentVersion]"
    echo "MajorVersion=${version%%.*}"
    echo "MinorVersion=${minor%%.*}"
    echo "SubMinorVersion=${version##*.}"
} > "$settings.new"
mv "$settings.new" "$settings"
if [ "$first_install" = 1 ] && [ ! -e "$prefix/Password.dat" ] && [ ! -L "$prefix/Password.dat" ]; then
    (umask 077 && : > "$prefix/Password.dat")
    grep -qx 'Password.dat' "$prefix/.hidden" 2>/dev/null || echo 'Password.dat' >> "$prefix/.hidden"
fi
