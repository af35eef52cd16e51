#!/usr/bin/env bash
# Measures what stays on the clipboard under GNOME's compositor (mutter) after the program copied a password:
# when the linger time passes while another window has the focus, when the focus comes back, and after the
# program ends. Mutter runs nested in an Xvfb of its own (headless it has no keyboard, and without one no
# program may set the clipboard at all), with Xwayland, so that xclip can watch the clipboard without taking
# the focus; wl-paste reads it as a Wayland program does, at the end of each case.
# Usage: tools/measure-gnome-clipboard.sh [clipboard_probe]   (default build/tests/clipboard_probe)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${MEASURE_IN_SESSION:-}" ]; then
    . tools/deps.sh
    need_packages mutter xwayland qt6-wayland wl-clipboard weston xvfb xclip dbus
    MEASURE_IN_SESSION=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi
PROBE=$(realpath "${1:-build/tests/clipboard_probe}")
LINGER=2000
WORK=$(mktemp -d)
export XDG_RUNTIME_DIR=$WORK/run
mkdir -m 0700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb :73 -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
pids+=($!)
sleep 1
DISPLAY=:73 mutter --nested --wayland --wayland-display=measure-wl >"$WORK/mutter.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q "public X11 display" "$WORK/mutter.log" && break; sleep 0.1; done
XWAYLAND=$(grep -o 'public X11 display :[0-9]*' "$WORK/mutter.log" | grep -o ':[0-9]*')
XAUTH=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* | head -1)
export WAYLAND_DISPLAY=measure-wl
unset DISPLAY
sleep 1
echo "mutter $(mutter --version | head -1 | grep -o '[0-9.]*$'), nested; wl-clipboard $(wl-copy --version | head -1 | grep -o '[0-9.]*$')"
echo "data-control offered: $(wayland-info 2>/dev/null | grep -c 'data_control' || true) (0 means no: wl-copy then uses a focused window of its own)"

watch() { # what an X11 program reads, without taking the focus
    local text
    text=$(XAUTHORITY=$XAUTH DISPLAY=$XWAYLAND timeout 3 xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null) || true
    echo "  $1: xclip reads '${text}'"
}
read_wayland() { # what a Wayland program reads (wl-paste takes the focus for a moment)
    local text
    text=$(timeout 3 wl-paste -n 2>/dev/null) || true
    echo "  $1: wl-paste reads '${text}'"
}
start_probe() { # text, search path for the probe
    rm -f "$WORK/in" "$WORK/out"
    mkfifo "$WORK/in"
    PATH=$2 QT_QPA_PLATFORM=wayland "$PROBE" "$1" 1 "$LINGER" stay <"$WORK/in" >"$WORK/out" 2>"$WORK/err" &
    probe=$!
    exec 7>"$WORK/in"
    for _ in $(seq 50); do grep -q copied "$WORK/out" && break; sleep 0.1; done
    echo "  the program $(grep -o 'copied with.*' "$WORK/err")"
}
quit_probe() { # ends it the way the main window does
    echo quit >&7
    exec 7>&-
}
end_probe() {
    quit_probe
    wait "$probe" || true
}
other_window() {
    weston-simple-shm >/dev/null 2>&1 &
    other=$!
    sleep 0.5
}
close_other_window() {
    kill "$other"
    wait "$other" 2>/dev/null || true
    sleep 0.5
}

for tools in with without; do
    searchPath=$PATH
    [ $tools = without ] && searchPath=/nonexistent
    echo "== The program's PATH $tools wl-copy"
    echo "1. The program keeps the focus"
    start_probe "pw-focus-$tools" "$searchPath"
    watch "copied"
    sleep 2.5
    watch "after the linger time"
    end_probe
    echo "2. Another window has the focus when the linger time passes"
    start_probe "pw-away-$tools" "$searchPath"
    watch "copied"
    other_window
    sleep 2.5
    watch "after the linger time"
    close_other_window
    watch "the other window closed, the program has the focus again"
    end_probe
    read_wayland "the program ended"
    echo "3. The program ends right after the copy (hides its window, serves the text, clears after the linger time)"
    start_probe "pw-end-$tools" "$searchPath"
    quit_probe
    sleep 0.5
    watch "ending, while it serves the text"
    wait "$probe" || true
    watch "ended"
    sleep 2
    watch "2 s later"
    read_wayland "2 s later"
done
