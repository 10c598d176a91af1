#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds everything in build/. Safe to run again: it does only
# what is left to do.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libpugixml-dev
          libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libcsv-dev
          fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation
          qt6-translations-l10n qt6-l10n-tools poppler-utils xvfb xauth dpkg-dev file desktop-file-utils appstream lintian)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build="$root/build"
if [ ! -f "$build/CMakeCache.txt" ]; then
    # CI sets TARVOLIN_WERROR=ON, so that a new warning fails the run.
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARVOLIN_WERROR="${TARVOLIN_WERROR:-OFF}"
fi
cmake --build "$build" -j"$(nproc)"
