#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch
# folder and checks what a user would get: every file in place, the desktop
# entry and AppStream metadata valid, no lintian error, and the unpacked
# catalogue tool giving the same check of the unpacked sample catalogue as the
# build tree's tool gives of the source one.
# Usage: check_package.sh BUILD_DIR CPACK BUILT_TOOL SAMPLE_DIR
# Exit status 77 (a skip) when a tool it needs is not installed.
set -euo pipefail
build=$1 cpack=$2
built_tool=$(realpath "$3")
sample=$(realpath "$4")

missing=()
for tool in dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli lintian; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "skipped: not installed: ${missing[*]} (scripts/setup.sh installs them)"
    exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one package, got: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"
root=$scratch/root
dpkg-deb -x "$deb" "$root"

# Every file the package must hold, and nothing else.
expected=(
    usr/bin/tarvolin
    usr/bin/tarvolin-catalogue
    usr/share/applications/tarvolin.desktop
    usr/share/metainfo/jp.example.tarvolin.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/tarvolin.svg
    usr/share/tarvolin/data/spring_data.xml
    usr/share/tarvolin/data/spring_maker.xml
    usr/share/man/man1/tarvolin.1.gz
    usr/share/man/man1/tarvolin-catalogue.1.gz
    usr/share/doc/tarvolin/copyright
    usr/share/doc/tarvolin/changelog.Debian.gz
    usr/share/lintian/overrides/tarvolin
)
sizes=(16 22 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/tarvolin.png")
done
(cd "$root" && find . -type f -printf '%P\n' | sort) >"$scratch/found"
printf '%s\n' "${expected[@]}" | sort >"$scratch/expected"
if ! diff -u "$scratch/expected" "$scratch/found" >"$scratch/files.diff"; then
    fail "the package's files differ from the expected ones (- missing, + unexpected):"
    grep '^[-+][^-+]' "$scratch/files.diff" || true
fi

for exe in usr/bin/tarvolin usr/bin/tarvolin-catalogue; do
    [ -x "$root/$exe" ] || fail "$exe is not executable"
done

# Each PNG is as large as the theme folder it sits in says (the IHDR chunk).
for size in "${sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/tarvolin.png
    [ -f "$png" ] || continue
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "${size}x${size} icon is ${w}x${h}"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/tarvolin.svg" || fail "tarvolin.svg is no SVG"

desktop=$root/usr/share/applications/tarvolin.desktop
echo "desktop-file-validate:"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
echo "appstreamcli validate --no-net:"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"

# The entry starts the installed program in the installed sample catalogue.
path=$(sed -n 's/^Path=//p' "$desktop")
[ -f "$root$path/spring_data.xml" ] || fail "the desktop entry's Path=$path holds no catalogue"
grep -qx 'Exec=tarvolin' "$desktop" || fail "the desktop entry does not start tarvolin"

depends=$(dpkg-deb -f "$deb" Depends)
for dep in fonts-ipafont-gothic fonts-ipafont-mincho libqt6widgets6 libc6; do
    [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $depends"
done

echo "lintian:"
lintian_status=0
lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$scratch/lintian.log" || true
((lintian_status == 0)) || fail "lintian reports an error (status $lintian_status)"

# The unpacked tool on the unpacked sample against the built tool on the source
# sample: same output, same status, and a status that says the check ran.
check() {
    local tool=$1 dir=$2 name=$3
    set +e
    (cd "$dir" && LC_ALL=C.UTF-8 "$tool" check spring_data.xml spring_maker.xml) \
        >"$scratch/$name.out" 2>"$scratch/$name.err"
    echo $? >"$scratch/$name.status"
    set -e
}
check "$built_tool" "$sample" built
check "$root/usr/bin/tarvolin-catalogue" "$root/usr/share/tarvolin/data" unpacked
status=$(cat "$scratch/built.status")
echo "check of the sample catalogue: status $status, $(tail -n1 "$scratch/built.out")"
[ "$status" -le 1 ] && [ -s "$scratch/built.out" ] || fail "the built tool's check did not run (status $status)"
cmp -s "$scratch/built.status" "$scratch/unpacked.status" ||
    fail "check status: built $status, unpacked $(cat "$scratch/unpacked.status")"
for stream in out err; do
    diff -u "$scratch/built.$stream" "$scratch/unpacked.$stream" >"$scratch/$stream.diff" ||
        { fail "check output on std$stream differs:"; head -n 20 "$scratch/$stream.diff"; }
done

((failures == 0)) || { echo "$failures failure(s)"; exit 1; }
echo "package checks passed"
