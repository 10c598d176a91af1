#!/usr/bin/env bash
# Packs the cross-built program into build-windows/: a folder that runs where
# it is unpacked (zipped), and an NSIS installer of the same folder.
# Usage: scripts/windows-package.sh BUILD_DIR QT_PREFIX
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "$1")
prefix=$2
triple=x86_64-w64-mingw32
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=tarvolin-$version-win64
stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage"

cp "$build/src/tarvolin.exe" "$build/tools/catalogue_tool/tarvolin-catalogue.exe" "$stage/"
for module in Core Gui Widgets PrintSupport; do
    cp "$prefix/bin/Qt6$module.dll" "$stage/"
done
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    cp "$(realpath "$($triple-g++-posix -print-file-name="$dll")")" "$stage/"
done
# The plugins the program loads: the platform, the native style, the image
# formats (icons and the chart images it reads back) and print support.
for dir in platforms styles imageformats printsupport; do
    [ -d "$prefix/plugins/$dir" ] || continue
    mkdir -p "$stage/$dir"
    cp "$prefix/plugins/$dir"/*.dll "$stage/$dir/"
done
rm -f "$stage/platforms/qoffscreen.dll" "$stage/platforms/qminimal.dll" "$stage/platforms/qdirect2d.dll"
[ -f "$stage/platforms/qwindows.dll" ] || { echo "no platforms/qwindows.dll in $prefix" >&2; exit 1; }
mkdir -p "$stage/translations"
for qm in qtbase_ja.qm qt_ja.qm; do
    [ -f "/usr/share/qt6/translations/$qm" ] && cp "/usr/share/qt6/translations/$qm" "$stage/translations/"
done
cp "$root/packaging/windows/qt.conf" "$stage/"
cp "$root/packaging/windows/tarvolin.ico" "$stage/"
cp "$root/data/spring_data.xml" "$root/data/spring_maker.xml" "$stage/"
# The README for Windows eyes: CR LF line ends.
sed 's/$/\r/' "$root/README.md" > "$stage/README.txt"
find "$stage" -name '*.exe' -o -name '*.dll' | xargs $triple-strip --strip-unneeded

(cd "$build/package" && rm -f "../$name.zip" && zip -qr -9 "../$name.zip" "$name")

# The uninstaller removes exactly what the installer put there.
filelist=$build/package/uninstall-files.nsh
(cd "$stage" && find . -type f ! -name spring_data.xml ! -name spring_maker.xml | sort |
    sed 's|^\./||; s|/|\\|g; s|.*|    Delete "$INSTDIR\\&"|'
 cd "$stage" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|    RMDir "$INSTDIR\\&"|') > "$filelist"
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$build/$name-setup.exe" \
    -DFILELIST="$filelist" -DSIZE_KB="$size_kb" "$root/packaging/windows/tarvolin.nsi"

echo "$build/$name.zip: $(du -m "$build/$name.zip" | cut -f1) MB"
echo "$build/$name-setup.exe: $(du -m "$build/$name-setup.exe" | cut -f1) MB"
