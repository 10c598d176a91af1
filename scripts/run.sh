#!/usr/bin/env bash
# Sets up and builds the program, then starts it on the sample catalogue in data/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "tarvolin: no display to show a window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Start it from a desktop session, or under a virtual display: xvfb-run scripts/run.sh" >&2
    exit 1
fi
"$root/scripts/setup.sh"
cd "$root/data"
exec "$root/build/src/tarvolin"
