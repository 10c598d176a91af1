#!/usr/bin/env bash
# Builds the program for 64-bit Windows on this Debian 12 machine, runs its tests
# under Wine and packs a portable zip and an installer into build-windows/.
#
# The first run installs the cross tools from Debian's packages and builds Qt
# (from Debian's own qtbase source) and the libraries the tests link once into a prefix outside the
# work tree, ${TARVOLIN_WIN_PREFIX:-$HOME/.cache/tarvolin/mingw64}: about
# 40 minutes on two cores. An interrupted build resumes where it stopped; a
# finished prefix is reused, so later runs build only what changed here.
#
#   scripts/windows.sh            everything
#   scripts/windows.sh prefix     only the cross-built Qt and libraries
#   scripts/windows.sh build      configure and build (no tests, no packages)
#   scripts/windows.sh test       build, then the tests under Wine
#   scripts/windows.sh package    build, then the zip and the installer
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix=${TARVOLIN_WIN_PREFIX:-$HOME/.cache/tarvolin/mingw64}
cache=$(dirname "$prefix")
sources=$cache/src
build=$root/build-windows
toolchain=$root/cmake/mingw-w64-x86_64.cmake
triple=x86_64-w64-mingw32
qt_version=6.4.2
step=${1:-all}

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

log() { printf '\n== %s\n' "$*"; }

install_packages() {
    local packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis
                    ninja-build cmake dpkg-dev patch zip unzip xvfb xauth xdotool xclip imagemagick
                    googletest libcli11-dev qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n
                    fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation fonts-dejavu-core
                    poppler-utils)
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    local need_update=0
    # The installer is a 32-bit program: trying it under Wine needs wine32.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
        missing+=(wine32:i386)
        need_update=1
    elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
        missing+=(wine32:i386)
    fi
    if ! grep -rqs "^Types:.*deb-src\|^deb-src " /etc/apt/sources.list /etc/apt/sources.list.d/; then
        log "Adding a deb-src entry for Debian's own archive"
        $sudo tee /etc/apt/sources.list.d/tarvolin-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
        need_update=1
    fi
    if ((${#missing[@]})) || ((need_update)); then
        log "Installing: ${missing[*]:-(source lists only)}"
        $sudo apt-get update -qq
        ((${#missing[@]})) && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
    return 0
}

# qtbase from Debian's source package, with its gap patched: the repacked
# source drops src/3rdparty/wintab, which the Windows platform plugin includes.
build_qtbase() {
    local stamp=$prefix/.qtbase-$qt_version-installed
    [ -f "$stamp" ] && return 0
    mkdir -p "$sources"
    local src=$sources/qtbase-$qt_version
    if [ ! -f "$src/.patched" ]; then
        log "Fetching Debian's qtbase $qt_version source"
        rm -rf "$src"
        (cd "$sources" && apt-get source --download-only qt6-base >/dev/null 2>&1)
        dpkg-source -x "$sources"/qt6-base_"$qt_version"*.dsc "$src" >/dev/null
        patch -d "$src" -p1 --forward < "$root/packaging/windows/qtbase-no-wintab.patch"
        touch "$src/.patched"
    fi
    local qtbuild=$cache/build/qtbase
    mkdir -p "$qtbuild"
    if [ ! -f "$qtbuild/build.ninja" ]; then
        log "Configuring qtbase for $triple"
        (cd "$qtbuild" && "$src/configure" -prefix "$prefix" \
            -xplatform win32-g++ -qt-host-path /usr \
            -release -shared -nomake examples -nomake tests \
            -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre \
            -qt-doubleconversion -no-zstd \
            -no-dbus -no-icu -no-feature-sql -no-feature-network -no-feature-xml \
            -no-feature-vulkan \
            -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    fi
    log "Building qtbase (resumes where an earlier run stopped)"
    nice -n 10 cmake --build "$qtbuild" --parallel "$(nproc)"
    cmake --install "$qtbuild" >/dev/null
    touch "$stamp"
}

# The libraries the catalogue tool and the tests link, from Debian's packages:
# GoogleTest (its package ships the source), pugixml and libcsv (source
# packages), CLI11 (headers only, copied with its CMake package file).
build_libraries() {
    local stamp=$prefix/.libraries-installed
    [ -f "$stamp" ] && return 0
    local work=$cache/build
    mkdir -p "$work" "$sources"
    log "Building GoogleTest, pugixml and libcsv for $triple"
    cmake -S /usr/src/googletest -B "$work/googletest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=ON >/dev/null
    nice -n 10 cmake --build "$work/googletest" --parallel "$(nproc)"
    cmake --install "$work/googletest" >/dev/null

    (cd "$sources" && apt-get source --download-only pugixml libcsv >/dev/null 2>&1)
    rm -rf "$work/pugixml-src" "$work/libcsv-src"
    dpkg-source -x "$sources"/pugixml_*.dsc "$work/pugixml-src" >/dev/null
    dpkg-source -x "$sources"/libcsv_*.dsc "$work/libcsv-src" >/dev/null
    cmake -S "$work/pugixml-src" -B "$work/pugixml" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF >/dev/null
    nice -n 10 cmake --build "$work/pugixml" --parallel "$(nproc)"
    cmake --install "$work/pugixml" >/dev/null
    mkdir -p "$prefix/include" "$prefix/lib" "$prefix/share/cmake"
    $triple-gcc-posix -O2 -c "$work/libcsv-src/libcsv.c" -I"$work/libcsv-src" -o "$work/libcsv.o"
    $triple-ar rcs "$prefix/lib/libcsv.a" "$work/libcsv.o"
    cp "$work/libcsv-src/csv.h" "$prefix/include/"

    cp -r /usr/include/CLI "$prefix/include/"
    cp -r /usr/share/cmake/CLI11 "$prefix/share/cmake/"

    # Qt's offscreen platform, which the tests run on, reads its fonts from the
    # prefix alone on Windows: the ones the Linux tests draw with.
    mkdir -p "$prefix/lib/fonts"
    cp /usr/share/fonts/opentype/ipafont-gothic/*.ttf /usr/share/fonts/opentype/ipafont-mincho/*.ttf \
        /usr/share/fonts/truetype/liberation/*.ttf /usr/share/fonts/truetype/dejavu/*.ttf \
        "$prefix/lib/fonts/"
    # Qt's Japanese texts, which the tests of its own dialogs read.
    mkdir -p "$prefix/translations"
    cp /usr/share/qt6/translations/qtbase_ja.qm /usr/share/qt6/translations/qt_ja.qm \
        "$prefix/translations/"
    touch "$stamp"
}

build_project() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        log "Configuring the program for $triple"
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
            -DTARVOLIN_WERROR="${TARVOLIN_WERROR:-OFF}"
    fi
    log "Building the program, the catalogue tool and the tests"
    nice -n 5 cmake --build "$build" --parallel "$(nproc)"
}

run_tests() {
    log "Running the tests under Wine"
    "$root/scripts/windows-test.sh" "$build"
}

package() {
    log "Packing the zip and the installer"
    "$root/scripts/windows-package.sh" "$build" "$prefix"
}

case $step in
    prefix) install_packages; build_qtbase; build_libraries ;;
    build) install_packages; build_qtbase; build_libraries; build_project ;;
    test) install_packages; build_qtbase; build_libraries; build_project; run_tests ;;
    package) install_packages; build_qtbase; build_libraries; build_project; package ;;
    all) install_packages; build_qtbase; build_libraries; build_project; run_tests; package ;;
    *) echo "usage: scripts/windows.sh [prefix|build|test|package]" >&2; exit 2 ;;
esac
