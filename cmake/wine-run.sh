#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine, with the Qt and MinGW runtime
# DLLs on its path, in a Wine prefix of the project's own outside the work
# tree (made on first use). CMake and CTest use it as the emulator.
set -euo pipefail
cache=${TARVOLIN_WIN_CACHE:-$HOME/.cache/tarvolin}
prefix=${TARVOLIN_WIN_PREFIX:-$cache/mingw64}
export WINEPREFIX=${TARVOLIN_WINEPREFIX:-$cache/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver64 || command -v wineserver)
# One server for a whole run of programs: without it each program that
# starts while the last one's server shuts down loses its connection. Its
# output must not hold the caller's pipes open for its lifetime.
"$wineserver" -p60 </dev/null >/dev/null 2>&1 || true

# Windows paths of the host's folders, through Wine's Z: drive.
windows_path() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
WINEPATH=$(windows_path "$prefix/bin")
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    found=$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")
    [ -f "$found" ] && WINEPATH="$WINEPATH;$(windows_path "$(dirname "$found")")"
done
export WINEPATH
exec "$wine" "$@"
