#!/usr/bin/env bash
# The Windows program itself under Wine and Xvfb, on Qt's Windows platform
# plugin: started in a folder holding a catalogue of three springs, it runs
# a search typed at the keyboard, and the hit count and the list copied from
# the grid must name the two springs that pass through the working point.
# Usage: smoke_test.sh TARVOLIN_EXE WINE_RUN [SCREENSHOT.png]
set -euo pipefail
exe=$1
wine_run=$2
shot=${3:-}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

# A Wine prefix, and so a Wine server, of its own: the offscreen tests that
# run beside it start Wine's desktop without a display, on which no window
# of this one would show.
export TARVOLIN_WINEPREFIX=${TARVOLIN_SMOKE_WINEPREFIX:-$HOME/.cache/tarvolin/wine-smoke}

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cp "$here/spring_data.xml" "$here/spring_maker.xml" "$work/"

# A display of our own; Xvfb tells its number once it is ready.
exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -1 "$work/display")"

# Wine's default font engine draws no text in a QLineEdit under Xvfb:
# FreeType is asked for here, not in the shipped program.
(cd "$work" && exec "$wine_run" "$exe" -platform windows:fontengine=freetype) \
    >"$work/program.log" 2>&1 &
program_pid=$!

fail() {
    echo "FAIL: $*"
    [ -n "$shot" ] && import -window root "$shot" 2>/dev/null
    cat "$work/program.log"
    exit 1
}
# A script outside the program waits for its window as a user would.
window=
for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name '^Tarvolin Ver\.' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before its window showed"
    sleep 0.2
done
[ -n "$window" ] || fail "no main window within two minutes"
sleep 2 # the first paint and the catalogue's first reading

# Condition 1: 25 mm (± 1, as set at start), 12 N ± 2, then Enter searches.
# Without a window manager Wine keeps the focus where the program put it, in
# Edit_length.
xdotool windowfocus "$window" 2>/dev/null || true
xdotool type --delay 60 "25"
xdotool key --delay 60 Tab Tab
xdotool type --delay 60 "12"
xdotool key --delay 60 Tab ctrl+a
xdotool type --delay 60 "2"
xdotool key Return
sleep 3

# The whole list, copied from the grid's menu, as a user takes it to a sheet.
printf '' | xclip -selection clipboard
xdotool key ctrl+g
sleep 0.5
xdotool key Menu
sleep 1
xdotool key a
sleep 1
copied=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r' || true)
[ -n "$shot" ] && import -window root "$shot"

rows=$(printf '%s\n' "$copied" | grep -c 'KSSC' || true)
printf '%s\n' "$copied"
[ "$rows" -eq 2 ] || fail "the copied list holds $rows springs, not 2"
printf '%s\n' "$copied" | grep -q 'S-1' || fail "S-1 is not listed"
printf '%s\n' "$copied" | grep -q 'S-2' || fail "S-2 is not listed"
printf '%s\n' "$copied" | grep -q 'S-3' && fail "S-3 is listed though it misses the window"
echo "PASS: 2 springs listed under Wine"
